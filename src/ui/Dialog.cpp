#include "ui/Dialog.h"

#include <cwctype>
#include <unordered_set>

#include "ui/Skin.h"

namespace ui {
namespace {

// What the message hook posts to a dialog for a key it took: wParam the virtual key (or the
// mnemonic letter) with the Shift state in its high word, lParam kKey or kMnemonic.
UINT DialogKeyMessage() {
  static const UINT message = RegisterWindowMessageW(L"LumenrigDialogKey");
  return message;
}
constexpr LPARAM kKey = 0, kMnemonic = 1;

// The dialogs showing now, by window, and the hook that serves them while there are any.
std::unordered_set<HWND>& Shown() {
  static std::unordered_set<HWND> shown;
  return shown;
}
HHOOK g_hook = nullptr;

bool IsButtonClass(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return lstrcmpiW(name, L"Button") == 0;
}

// Push buttons, including owner-drawn ones: what Enter clicks when it has the focus.
bool IsPushButton(HWND hwnd) {
  if (!hwnd || !IsButtonClass(hwnd)) return false;
  const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

bool Usable(HWND hwnd) { return hwnd && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd); }

struct MnemonicSearch {
  wint_t letter;
  HWND found;
};

// EnumChildWindows's callback: a named function, because on i686 a lambda does not
// convert to the stdcall pointer the call wants.
BOOL CALLBACK MatchMnemonic(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<MnemonicSearch*>(lp);
  if (!IsButtonClass(hwnd) || !Usable(hwnd)) return TRUE;
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  for (const wchar_t* p = text; *p; ++p) {
    if (*p != L'&') continue;
    if (p[1] == L'&') { ++p; continue; }
    if (p[1] && towupper(p[1]) == s->letter) {
      s->found = hwnd;
      return FALSE;
    }
    break;
  }
  return TRUE;
}

// The enabled, visible button below `root` whose caption marks `letter` with "&".
HWND MnemonicButton(HWND root, wchar_t letter) {
  MnemonicSearch search{towupper(letter), nullptr};
  EnumChildWindows(root, MatchMnemonic, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Decides whether a message is a dialog key of a showing dialog. The key is acted on later,
// when the dialog receives the posted message, so that whatever a click runs (another modal
// loop, a message box) does not run inside the hook.
bool TakeDialogKey(const MSG& msg) {
  if (!msg.hwnd || (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR)) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || !Shown().count(root)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (msg.message == WM_SYSCHAR) {
    const auto letter = static_cast<wchar_t>(msg.wParam);
    if (!MnemonicButton(root, letter)) return false;
    PostMessageW(root, DialogKeyMessage(), letter, kMnemonic);
    return true;
  }
  const auto vk = static_cast<UINT>(msg.wParam);
  if (vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_TAB) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  if (msg.hwnd != root) {
    const LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    if (vk == VK_TAB && (code & DLGC_WANTTAB)) return false;
  }
  PostMessageW(root, DialogKeyMessage(), MAKEWPARAM(vk, shift ? 1 : 0), kKey);
  return true;
}

LRESULT CALLBACK DialogKeyHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    if (TakeDialogKey(*msg)) msg->message = WM_NULL;
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

void AddShown(HWND hwnd) {
  Shown().insert(hwnd);
  if (!g_hook) g_hook = SetWindowsHookExW(WH_GETMESSAGE, DialogKeyHook, nullptr, GetCurrentThreadId());
}

void RemoveShown(HWND hwnd) {
  Shown().erase(hwnd);
  if (Shown().empty() && g_hook) {
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
}

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

void PlaceWithin(HWND hwnd, int x, int y, const RECT& area) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ClickControl(HWND control) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

Dialog::~Dialog() { Destroy(); }

void Dialog::Create(HWND owner, const std::wstring& caption, int clientWidth, int clientHeight,
                    const Options& options) {
  if (hwnd_) return;
  options_ = options;
  RECT rc{0, 0, clientWidth, clientHeight};
  const DWORD exStyle = kExStyle | (options.topmost ? WS_EX_TOPMOST : 0);
  AdjustWindowRectEx(&rc, kStyle, FALSE, exStyle);
  CreateArgs a;
  a.parent = owner;
  a.style = kStyle;
  a.exStyle = exStyle;
  a.width = rc.right - rc.left;
  a.height = rc.bottom - rc.top;
  a.text = caption;
  CreateWnd(a);
  // The system menu of a fixed dialog offers only Move and Close.
  if (HMENU menu = hwnd_ ? GetSystemMenu(hwnd_, FALSE) : nullptr) {
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
  }
}

void Dialog::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Dialog::SetCaption(const std::wstring& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

std::wstring Dialog::Caption() const {
  if (!hwnd_) return {};
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return text;
}

void Dialog::SetClientSize(int width, int height) {
  if (!hwnd_) return;
  RECT rc{0, 0, width, height};
  AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Dialog::ClientSize() const {
  RECT rc{};
  if (hwnd_) GetClientRect(hwnd_, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void Dialog::CenterOnOwner() {
  if (!hwnd_) return;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner)) {
    CenterOnScreen();
    return;
  }
  RECT around, self;
  GetWindowRect(owner, &around);
  GetWindowRect(hwnd_, &self);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  PlaceWithin(hwnd_, around.left + (around.right - around.left - (self.right - self.left)) / 2,
              around.top + (around.bottom - around.top - (self.bottom - self.top)) / 2, monitor.rcWork);
}

void Dialog::CenterOnScreen() {
  if (!hwnd_) return;
  RECT self;
  GetWindowRect(hwnd_, &self);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  PlaceWithin(hwnd_, (screen.right - (self.right - self.left)) / 2,
              (screen.bottom - (self.bottom - self.top)) / 2, screen);
}

void Dialog::SetTopmost(bool topmost) {
  if (hwnd_)
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Dialog::SetDefaultButton(Wnd* button) {
  auto setType = [](Wnd* b, LONG from, LONG to) {
    if (!b || !b->Handle() || !IsButtonClass(b->Handle())) return;
    if ((GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK) == from)
      SendMessageW(b->Handle(), BM_SETSTYLE, static_cast<WPARAM>(to), TRUE);
  };
  setType(default_, BS_DEFPUSHBUTTON, BS_PUSHBUTTON);
  default_ = button;
  setType(default_, BS_PUSHBUTTON, BS_DEFPUSHBUTTON);
}

int Dialog::ShowModal() {
  if (!hwnd_ || showing_) return kResultNone;
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabledOwner_ = owner;
  }
  modal_ = true;
  showing_ = true;
  ended_ = false;
  result_ = kResultNone;
  AddShown(hwnd_);
  hooked_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  FocusFirst();

  MSG msg;
  while (!ended_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the loop that runs the program must see the quit too.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = options_.closeResult;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  modal_ = false;
  Ended();
  return result_;
}

void Dialog::ShowModeless(bool activate) {
  if (!hwnd_ || showing_) return;
  modal_ = false;
  showing_ = true;
  ended_ = false;
  result_ = kResultNone;
  AddShown(hwnd_);
  hooked_ = true;
  ShowWindow(hwnd_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
  if (activate) FocusFirst();
}

void Dialog::EndDialog(int result) {
  if (!showing_ || ended_) return;
  result_ = result;
  ended_ = true;
  if (modal_) {
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
    return;
  }
  Ended();
  if (OnClosed) OnClosed(result);
}

void Dialog::RequestClose() {
  if (!showing_ || ended_) return;
  if (OnCloseRequest && !OnCloseRequest()) return;
  // The question may have run a message loop in which the dialog ended another way.
  if (hwnd_) EndDialog(options_.closeResult);
}

// The owner is enabled again before the dialog hides, so that it becomes the active window.
void Dialog::Ended() {
  if (disabledOwner_) {
    EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
  }
  if (hwnd_) {
    ShowWindow(hwnd_, SW_HIDE);
    if (hooked_) RemoveShown(hwnd_);
  }
  hooked_ = false;
  showing_ = false;
}

void Dialog::FocusFirst() {
  HWND target = initialFocus_ && Usable(initialFocus_->Handle()) ? initialFocus_->Handle() : nullptr;
  if (!target && default_ && Usable(default_->Handle())) target = default_->Handle();
  if (!target) target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  SetFocus(target ? target : hwnd_);
}

void Dialog::Click(Wnd* button) {
  if (button && Usable(button->Handle())) ClickControl(button->Handle());
}

void Dialog::ClickMnemonic(wchar_t letter) {
  if (HWND button = MnemonicButton(hwnd_, letter)) {
    SetFocus(button);
    ClickControl(button);
  }
}

void Dialog::OnDialogKey(UINT vk, bool shift) {
  switch (vk) {
    case VK_RETURN: {
      HWND focus = GetFocus();
      if (focus && IsChild(hwnd_, focus) && IsPushButton(focus)) {
        if (Usable(focus)) ClickControl(focus);
      } else {
        Click(default_);
      }
      break;
    }
    case VK_ESCAPE:
      if (cancel_) Click(cancel_);
      else RequestClose();
      break;
    case VK_TAB: {
      HWND focus = GetFocus();
      HWND next = GetNextDlgTabItem(hwnd_, focus && IsChild(hwnd_, focus) ? focus : nullptr, shift);
      if (next) {
        SetFocus(next);
        if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
      }
      break;
    }
  }
}

LRESULT Dialog::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == DialogKeyMessage()) {
    if (lp == kMnemonic) ClickMnemonic(static_cast<wchar_t>(wp));
    else OnDialogKey(LOWORD(wp), HIWORD(wp) != 0);
    return 0;
  }
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, Skin::Get().Brush(options_.background));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // A system control that nobody colours takes the dialog's background.
      const LRESULT routed = Wnd::WndProc(msg, wp, lp);
      if (reinterpret_cast<HBRUSH>(routed) == GetSysColorBrush(COLOR_BTNFACE) &&
          options_.background != GetSysColor(COLOR_BTNFACE)) {
        SetBkColor(reinterpret_cast<HDC>(wp), options_.background);
        return reinterpret_cast<LRESULT>(Skin::Get().Brush(options_.background));
      }
      return routed;
    }
    case DM_GETDEFID:
      if (default_ && default_->Handle()) return MAKELRESULT(default_->Id(), DC_HASDEFID);
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) {
        RequestClose();
        return 0;
      }
      break;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_DESTROY:
      if (showing_) {
        if (!ended_) {
          ended_ = true;
          result_ = options_.closeResult;
        }
        if (disabledOwner_) {
          EnableWindow(disabledOwner_, TRUE);
          disabledOwner_ = nullptr;
        }
        if (hooked_) RemoveShown(hwnd_);
        hooked_ = false;
        if (!modal_) showing_ = false;
      }
      break;
  }
  return Wnd::WndProc(msg, wp, lp);
}

}  // namespace ui
