#pragma once
// The navigation bar: groups stacked from the top, each a caption that opens or closes it
// and, while open, a list of items that run an action when clicked. At most one group is
// open; opening one closes the other. Every group and item is a window of its own whose
// text is its caption. A group opens or closes on a click of its caption, on BM_CLICK, or on
// a BN_CLICKED that names it sent to the bar; an item is a button.
#include <memory>
#include <vector>

#include "ui/Button.h"
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class GroupBar;

class GroupBarItem : public OwnerDrawButton {
 public:
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption);

 protected:
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
};

class GroupBarGroup : public Wnd {
 public:
  static constexpr int kCaptionHeight = 22;
  static constexpr int kItemHeight = 18;

  bool IsOpen() const { return open_; }
  size_t Count() const { return items_.size(); }
  GroupBarItem& Item(size_t i) { return *items_.at(i); }
  int OpenHeight() const { return kCaptionHeight + static_cast<int>(items_.size()) * kItemHeight + 6; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int code) override;
  void OnHotChanged() override { InvalidateRect(hwnd_, nullptr, FALSE); }

 private:
  friend class GroupBar;
  void Create(GroupBar& bar, int width, const std::string& caption, const std::vector<std::string>& items);
  void Paint(HDC dc);
  GroupBar* bar_ = nullptr;
  bool open_ = false;
  std::vector<std::unique_ptr<GroupBarItem>> items_;
};

class GroupBar : public Wnd {
 public:
  struct Colors {
    COLORREF bar = colors::Black;
    COLORREF captionText = colors::White;
    COLORREF itemText = colors::Silver;
  };
  void Create(HWND parent, int x, int y, int width, int height);
  GroupBarGroup& AddGroup(const std::string& caption, const std::vector<std::string>& items);
  size_t Count() const { return groups_.size(); }
  GroupBarGroup& Group(size_t i) { return *groups_.at(i); }

  void SetColors(const Colors& colors);
  const Colors& GetColors() const { return colors_; }
  // Opens `group` (closing any other) or closes it.
  void SetOpen(GroupBarGroup& group, bool open);
  // Opens group `index`, closing the others; -1 closes all.
  void SetOpenGroup(int index);
  int OpenGroup() const;

  // A group's caption was clicked. Unset: the bar opens or closes the group itself.
  std::function<void(size_t group)> OnCaptionClick;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class GroupBarGroup;
  void Arrange();
  void CaptionClicked(GroupBarGroup& group);
  Colors colors_;
  std::vector<std::unique_ptr<GroupBarGroup>> groups_;
};

}  // namespace ui
