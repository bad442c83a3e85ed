#pragma once
// A dialog window of the toolkit: a fixed dialog frame with a caption and a close box, a
// client area of a given size in the button-face colour, the keyboard of a dialog (Enter
// clicks the default button or the focused push button, Escape the cancel button, Tab moves
// the focus, Alt+letter clicks the button of that mnemonic) and one path for every close
// command. It runs either modally (its owner is disabled and ShowModal returns the result)
// or modelessly (it stays open while the program goes on, and tells OnClosed when it ends).
//
// The keyboard works whatever loop pumps the messages (our modal loop, the program's main
// loop, a message box's loop): a thread message hook hands a dialog the keys meant for it.
// Texts are UTF-16 throughout, so every language shows right on any ANSI code page.
#include <functional>
#include <string>

#include "ui/Wnd.h"

namespace ui {

// The results a dialog ends with, numbered like the system's IDOK, IDCANCEL, IDYES, IDNO.
enum DialogResult : int { kResultNone = 0, kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

class Dialog : public Wnd {
 public:
  struct Options {
    bool topmost = false;
    COLORREF background = GetSysColor(COLOR_BTNFACE);
    // The result of a close command that OnCloseRequest accepted.
    int closeResult = kResultCancel;
  };

  Dialog() = default;
  ~Dialog() override;

  // Creates the hidden window owned by `owner` (may be null: then it has a task-bar button).
  void Create(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight,
              const Options& options);
  void Create(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight) {
    Create(owner, caption, clientWidth, clientHeight, Options{});
  }
  // Destroys the window now (the object stays and may create another one). Safe to call from
  // the dialog's own handlers; a modal loop running for it ends with the close result.
  void Destroy();

  void SetCaption(const std::wstring& caption);
  std::wstring Caption() const;
  // The client area's size; the window's top-left corner stays where it is.
  void SetClientSize(int width, int height);
  SIZE ClientSize() const;
  // Centred on the owner's window (on the screen when there is no visible owner), kept
  // within the work area of the owner's display.
  void CenterOnOwner();
  // Centred on the whole primary screen.
  void CenterOnScreen();
  // Topmost windows stay above all others; setting it does not activate the window.
  void SetTopmost(bool topmost);

  // Enter clicks the default button (unless a push button has the focus: then that one);
  // Escape clicks the cancel button, or asks to close when the dialog has none. A disabled
  // button is not clicked. Either may be null. A system push button made the default gets
  // the default button's frame.
  void SetDefaultButton(Wnd* button);
  void SetCancelButton(Wnd* button) { cancel_ = button; }

  // Shows the dialog, disables its owner and returns the result once EndDialog ran (or the
  // window was destroyed, or the program is quitting: then the close result). The window is
  // hidden afterwards, not destroyed. The focus starts on the default button, else on the
  // first control that takes the focus.
  int ShowModal();
  // Shows the dialog and returns at once; EndDialog hides it and calls OnClosed.
  void ShowModeless(bool activate = true);
  bool IsModal() const { return modal_; }

  // Ends the dialog with `result`: ShowModal returns it, a modeless dialog is hidden and
  // OnClosed runs. Nothing happens when the dialog is not showing.
  void EndDialog(int result);
  // The same path as the close box, Alt+F4 and WM_CLOSE: asks OnCloseRequest, then ends the
  // dialog with the close result.
  void RequestClose();

  // Every close command (SC_CLOSE, WM_CLOSE, Alt+F4, Escape without a cancel button) asks
  // this first; false keeps the dialog open. Unset: closing is allowed.
  std::function<bool()> OnCloseRequest;
  // A modeless dialog ended (EndDialog); the handler may destroy the window but not delete
  // this object (delete it later, e.g. when the next dialog opens).
  std::function<void(int result)> OnClosed;

  // The last result the dialog ended with.
  int Result() const { return result_; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // A key the message hook took for this dialog (Enter, Escape, Tab, Alt+letter).
  virtual void OnDialogKey(UINT vk, bool shift);

 private:
  void Click(Wnd* button);
  void ClickMnemonic(wchar_t letter);
  void FocusFirst();
  void Ended();

  Options options_;
  Wnd* default_ = nullptr;
  Wnd* cancel_ = nullptr;
  bool modal_ = false;
  bool showing_ = false;
  bool ended_ = false;
  int result_ = kResultNone;
  HWND disabledOwner_ = nullptr;
  bool hooked_ = false;
};

// Clicks a control the way automation does: BN_CLICKED to its parent.
void ClickControl(HWND control);

}  // namespace ui
