#include "ui/ChoiceGroup.h"

namespace ui {

void ChoiceGroup::CreateGroup(HWND parent, int x, int y, int width, int height,
                              const std::string& caption, const std::vector<std::string>& items,
                              const Layout& layout, CheckBox::Kind kind) {
  Panel::Style style;
  style.framed = true;
  Panel::Create(parent, x, y, width, height, caption, style);
  // Items flow down the columns, as many rows as the column count asks for; the columns
  // that receive items share the width.
  const int count = static_cast<int>(items.size());
  const int columns = layout.columns > 0 ? layout.columns : 1;
  const int rows = count > 0 ? (count + columns - 1) / columns : 1;
  const int used = count > 0 ? (count + rows - 1) / rows : 1;
  const int columnWidth = (width - 2 * layout.left) / used;
  for (size_t i = 0; i < items.size(); ++i) {
    auto item = std::make_unique<CheckBox>();
    const int row = static_cast<int>(i) % rows, column = static_cast<int>(i) / rows;
    item->Create(hwnd_, layout.left + column * columnWidth, layout.firstTop + row * layout.rowHeight,
                 columnWidth - 2, layout.rowHeight - 1, items[i], kind);
    item->OnClicked = [this, i] { ItemClicked(i); };
    // Leaving an item for a place outside the group leaves the group; leaving it for the
    // group's own background does not (the group reports its own leaving).
    item->OnMouseLeave = [this] {
      if (!CursorWithin(hwnd_) && OnMouseLeave) OnMouseLeave();
    };
    items_.push_back(std::move(item));
  }
  SetTracksMouse(true);
}

void RadioGroup::SetSelectedIndex(int index) {
  if (index < -1 || index >= static_cast<int>(Count())) return;
  selected_ = index;
  for (size_t i = 0; i < Count(); ++i) Item(i).SetIsChecked(static_cast<int>(i) == index);
}

void RadioGroup::ItemClicked(size_t index) {
  SetSelectedIndex(static_cast<int>(index));
  if (OnSelectionChanged) OnSelectionChanged(static_cast<int>(index));
}

}  // namespace ui
