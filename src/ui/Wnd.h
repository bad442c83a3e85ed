#pragma once
// The base of every window of the toolkit: one object per window, attached to it by
// subclassing, with the window's messages dispatched to virtual members. A window that is
// told about a child's event (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*) routes it
// back to the child's object, so each control handles its own notifications, whatever its
// parent is.
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

class Wnd {
 public:
  Wnd() = default;
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;
  virtual ~Wnd();

  HWND Handle() const { return hwnd_; }
  int Id() const;
  // Window texts are the logic's narrow texts; the window itself holds UTF-16. A control
  // that shows the program's own texts (captions, labels) reads and writes them in the code
  // page of those texts, every other one in the system's ANSI code page.
  void SetText(const std::string& text);
  std::string Text() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFont(HFONT font);
  void SetBounds(int x, int y, int width, int height);
  void Invalidate();
  // The control id: what WM_COMMAND names the window by, and how automation finds a control
  // whose text is not unique.
  void SetId(int id);

  // The mouse pointer left the window (WM_MOUSELEAVE; the window asks for it itself).
  std::function<void()> OnMouseLeave;

  // The toolkit object of a window, or null for a window that is not ours.
  static Wnd* FromHandle(HWND hwnd);

 protected:
  struct CreateArgs {
    const wchar_t* className = nullptr;  // null: the toolkit's own plain window class
    HWND parent = nullptr;
    DWORD style = 0, exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::wstring text;
  };
  // Creates the window, attaches this object to it and sets the skin's normal font.
  void CreateWnd(const CreateArgs& args);
  // Attaches this object to a window that something else created (a combo box's edit part).
  void AttachExisting(HWND hwnd);

  // Every message of the window; the default dispatches the routed notifications and the
  // mouse tracking, then calls the window class's own procedure.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp);

  // Notifications routed back from the parent.
  virtual void OnCommand(int /*code*/) {}
  virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // Colours of a child system control (edit, static, button) that this window paints.
  virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }

  // Mouse tracking: a window that wants to know when the pointer comes and goes says so.
  void SetTracksMouse(bool tracks) { tracksMouse_ = tracks; }
  bool IsHot() const { return hot_; }
  virtual void OnHotChanged() {}
  // Runs on WM_MOUSELEAVE; the default calls OnMouseLeave.
  virtual void MouseLeft();

  // Set by the controls whose texts are the program's own, before they create their window.
  bool ownTexts_ = false;
  std::wstring Widen(const std::string& text) const;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Detach();
  WNDPROC previous_ = nullptr;
  void TrackDisabledChild(LPARAM pointInClient);
  void LeaveDisabledChild();
  bool tracksMouse_ = false;
  bool hot_ = false;
  // A disabled child gets no mouse messages, its parent gets them instead; the parent
  // reports the pointer leaving such a child for it.
  HWND disabledHot_ = nullptr;
};

// Registers (once) and names the toolkit's plain window class: no background of its own,
// arrow cursor, double-click messages off.
const wchar_t* PlainWindowClass();

// The text of any window, as the window holds it.
std::wstring WindowText(HWND hwnd);

// A point of the screen lies within the window's rectangle.
bool CursorWithin(HWND hwnd);

}  // namespace ui
