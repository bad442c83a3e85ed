#pragma once
// A check box or a radio item: a system button, so that the state answers BM_GETCHECK and
// screen readers know it, drawn in the skin's colours. It does not change its own state:
// a click (mouse, keyboard, BM_CLICK, or a BN_CLICKED sent to its parent) is reported, and
// the check box toggles itself while a radio item leaves the choice to its group.
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class CheckBox : public Wnd {
 public:
  enum class Kind { Check, Radio };
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              Kind kind = Kind::Check);
  bool IsChecked() const;
  void SetIsChecked(bool checked);

  // After a click changed the state of a check box; after a click on a radio item.
  std::function<void()> OnClicked;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int code) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;
  HBRUSH OnCtlColor(HDC dc) override;
  void OnHotChanged() override { InvalidateRect(hwnd_, nullptr, FALSE); }

 private:
  void Draw(HDC dc, const RECT& rc, bool focused);
  Kind kind_ = Kind::Check;
};

}  // namespace ui
