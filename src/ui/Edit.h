#pragma once
// A one-line text box: read-only or editable, optionally masked with "*", optionally limited.
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class Edit : public Wnd {
 public:
  struct Options {
    bool readOnly = false;
    bool password = false;
    int maxLength = 0;  // 0: no limit
  };
  void Create(HWND parent, int x, int y, int width, int height, const Options& options);
  void Create(HWND parent, int x, int y, int width, int height) {
    Create(parent, x, y, width, height, Options{});
  }
  // Sets the text without moving the caret when it is already the same.
  void SetTextIfDifferent(const std::string& ansi);

  // Every change of the text: typed, pasted, set by the program or by WM_SETTEXT from
  // outside. It may come twice for one change; the text is the same then.
  std::function<void()> OnTextChanged;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int code) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  bool readOnly_ = false;
};

}  // namespace ui
