#pragma once
// Framed groups of check boxes (each item on its own) and of radio items (none or one
// chosen). The group is a window of its own whose text is its caption; its items are
// laid out down the columns, like a classic radio group. The pointer leaving the group is
// reported when it leaves the group's own window, or when it leaves an item straight to
// somewhere outside the group.
#include <memory>
#include <vector>

#include "ui/CheckBox.h"
#include "ui/Panel.h"

namespace ui {

class ChoiceGroup : public Panel {
 public:
  struct Layout {
    int columns = 1;
    int firstTop = 17;   // top of the first row, below the caption
    int rowHeight = 17;
    int left = 10;
  };
  size_t Count() const { return items_.size(); }
  CheckBox& Item(size_t i) { return *items_.at(i); }

 protected:
  void CreateGroup(HWND parent, int x, int y, int width, int height, const std::string& caption,
                   const std::vector<std::string>& items, const Layout& layout, CheckBox::Kind kind);
  virtual void ItemClicked(size_t index) = 0;

 private:
  std::vector<std::unique_ptr<CheckBox>> items_;
};

class CheckGroup : public ChoiceGroup {
 public:
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              const std::vector<std::string>& items, const Layout& layout) {
    CreateGroup(parent, x, y, width, height, caption, items, layout, CheckBox::Kind::Check);
  }
  bool IsChecked(size_t i) { return Item(i).IsChecked(); }
  void SetIsChecked(size_t i, bool checked) { Item(i).SetIsChecked(checked); }
  void SetItemEnabled(size_t i, bool enabled) { Item(i).SetEnabled(enabled); }

  // An item's check state changed by a click.
  std::function<void(size_t index)> OnItemCheckChanged;

 protected:
  void ItemClicked(size_t index) override {
    if (OnItemCheckChanged) OnItemCheckChanged(index);
  }
};

class RadioGroup : public ChoiceGroup {
 public:
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              const std::vector<std::string>& items, const Layout& layout) {
    CreateGroup(parent, x, y, width, height, caption, items, layout, CheckBox::Kind::Radio);
  }
  int SelectedIndex() const { return selected_; }
  // Shows the choice without reporting it; -1 for none.
  void SetSelectedIndex(int index);

  // The user chose an item (also when it was already chosen).
  std::function<void(int index)> OnSelectionChanged;

 protected:
  void ItemClicked(size_t index) override;

 private:
  int selected_ = -1;
};

}  // namespace ui
