#include "ui/Wnd.h"

#include <unordered_set>

#include "platform/win32/Win32System.h"
#include "ui/Skin.h"

namespace ui {
namespace {
// What the toolkit keeps in a window's user data: its object, and the window's procedure
// from before the toolkit attached to it, so that messages arriving after the object let go
// of the window (while it is being destroyed) still reach the class's own procedure. User
// data, not window properties: it is read on every message, and a property costs a trip to
// the window server under Wine.
struct Attachment {
  Wnd* self;
  WNDPROC previous;
};

// The attachments alive: another program part may keep something else in a window's user
// data (a tool-tip may also have put its own procedure in front of ours), so a value counts
// as an attachment only when it is one of these.
std::unordered_set<const Attachment*>& Live() {
  static std::unordered_set<const Attachment*> live;
  return live;
}

Attachment* AttachmentOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto* a = reinterpret_cast<Attachment*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return a && Live().count(a) ? a : nullptr;
}
}

const wchar_t* PlainWindowClass() {
  static const wchar_t kName[] = L"LumenrigWnd";
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.lpszClassName = kName;
    RegisterClassExW(&wc);
    registered = true;
  }
  return kName;
}

bool CursorWithin(HWND hwnd) {
  POINT pt;
  RECT rc;
  return GetCursorPos(&pt) && GetWindowRect(hwnd, &rc) && PtInRect(&rc, pt);
}

Wnd::~Wnd() {
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
}

Wnd* Wnd::FromHandle(HWND hwnd) {
  Attachment* a = AttachmentOf(hwnd);
  return a ? a->self : nullptr;
}

int Wnd::Id() const { return hwnd_ ? GetDlgCtrlID(hwnd_) : 0; }

std::wstring Wnd::Widen(const std::string& text) const {
  return ownTexts_ ? platform::WidenOwnText(text) : platform::Widen(text);
}

void Wnd::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextW(hwnd_, Widen(text).c_str());
}

std::string Wnd::Text() const {
  if (!hwnd_) return {};
  return ownTexts_ ? platform::NarrowOwnText(WindowText(hwnd_)) : platform::Narrow(WindowText(hwnd_));
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Wnd::SetVisible(bool visible) {
  if (hwnd_ && Visible() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Wnd::Visible() const {
  return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Wnd::SetEnabled(bool enabled) {
  if (hwnd_ && Enabled() != enabled) EnableWindow(hwnd_, enabled);
}

bool Wnd::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void Wnd::SetFont(HFONT font) {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Wnd::SetBounds(int x, int y, int width, int height) {
  if (hwnd_) MoveWindow(hwnd_, x, y, width, height, TRUE);
}

void Wnd::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Wnd::SetId(int id) {
  if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_ID, id);
}

void Wnd::TrackDisabledChild(LPARAM lp) {
  POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  HWND child = ChildWindowFromPointEx(hwnd_, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (child == hwnd_ || (child && IsWindowEnabled(child))) child = nullptr;
  if (child != disabledHot_) LeaveDisabledChild();
  Wnd* target = FromHandle(child);
  disabledHot_ = target && target->OnMouseLeave ? child : nullptr;
}

void Wnd::LeaveDisabledChild() {
  HWND left = disabledHot_;
  disabledHot_ = nullptr;
  if (Wnd* target = FromHandle(left); target && target->OnMouseLeave) target->OnMouseLeave();
}

void Wnd::CreateWnd(const CreateArgs& a) {
  const wchar_t* cls = a.className ? a.className : PlainWindowClass();
  HWND hwnd = CreateWindowExW(a.exStyle, cls, a.text.c_str(), a.style, a.x, a.y, a.width, a.height,
                              a.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return;
  AttachExisting(hwnd);
  SetFont(Skin::Get().Normal());
}

void Wnd::AttachExisting(HWND hwnd) {
  hwnd_ = hwnd;
  auto* a = new Attachment{this, nullptr};
  Live().insert(a);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(a));
  a->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Wnd::StaticProc)));
  previous_ = a->previous;
}

// Only lets go of the window; the procedure stays, as a tool-tip may have subclassed the
// window on top of it. The attachment goes with the window (WM_NCDESTROY).
void Wnd::Detach() {
  if (!hwnd_) return;
  if (Attachment* a = AttachmentOf(hwnd_); a && a->self == this) a->self = nullptr;
  hwnd_ = nullptr;
}

LRESULT CALLBACK Wnd::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Attachment* a = AttachmentOf(hwnd);
  if (!a) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    if (a->self) a->self->Detach();
    const WNDPROC previous = a->previous;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    Live().erase(a);
    delete a;
    return CallWindowProcW(previous, hwnd, msg, wp, lp);
  }
  if (!a->self) return CallWindowProcW(a->previous, hwnd, msg, wp, lp);
  return a->self->WndProc(msg, wp, lp);
}

LRESULT Wnd::CallDefault(UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(previous_, hwnd_, msg, wp, lp);
}

void Wnd::MouseLeft() {
  if (OnMouseLeave) OnMouseLeave();
}

LRESULT Wnd::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      // A notification names its control by handle; one sent without a handle (by a
      // program that drives the window) names it by its id.
      HWND child = reinterpret_cast<HWND>(lp);
      if (!child) child = GetDlgItem(hwnd_, LOWORD(wp));
      if (Wnd* target = FromHandle(child); target && target != this) {
        target->OnCommand(HIWORD(wp));
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      if (Wnd* target = FromHandle(header->hwndFrom); target && target != this) {
        LRESULT result = 0;
        if (target->OnNotify(header, result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (Wnd* target = FromHandle(item->hwndItem); target && target != this) {
        target->OnDrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      Wnd* target = FromHandle(reinterpret_cast<HWND>(lp));
      if (target && target != this)
        if (HBRUSH brush = target->OnCtlColor(reinterpret_cast<HDC>(wp)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    }
    case WM_MOUSEMOVE:
      if (tracksMouse_) TrackDisabledChild(lp);
      if (tracksMouse_ || OnMouseLeave) {
        if (!hot_) {
          hot_ = true;
          TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
          TrackMouseEvent(&tme);
          OnHotChanged();
        }
      }
      break;
    case WM_MOUSELEAVE: {
      bool wasHot = hot_;
      hot_ = false;
      if (wasHot) OnHotChanged();
      LRESULT r = CallDefault(msg, wp, lp);
      LeaveDisabledChild();
      MouseLeft();
      return r;
    }
  }
  return CallDefault(msg, wp, lp);
}

}  // namespace ui
