#include "ui/windows/HardwareDialog.h"

#include <utility>

#include "launcher/EventGuard.h"

namespace ui {

namespace {

constexpr wchar_t kClassName[] = L"LumenrigHardwareDialog";
constexpr wchar_t kButtonObjectProp[] = L"LumenrigColourButton";
constexpr int kClientWidth = 469, kClientHeight = 233;
constexpr int kButtonHeight = 25;
constexpr int kStatusBarHeight = 19;
constexpr wchar_t kStatusBarClassName[] = L"LumenrigStatusBar";
constexpr wchar_t kStatusColourProp[] = L"LumenrigStatusColour";
constexpr wchar_t kStatusFontProp[] = L"LumenrigStatusFont";

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::wstring Widen(const std::string& ansi) {
  if (ansi.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), n);
  return w;
}

LRESULT CALLBACK StatusBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFONT:
      SetPropW(hwnd, kStatusFontProp, reinterpret_cast<HANDLE>(wp));
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      COLORREF colour = static_cast<COLORREF>(reinterpret_cast<uintptr_t>(GetPropW(hwnd, kStatusColourProp)));
      HBRUSH back = CreateSolidBrush(colour ? colour : GetSysColor(COLOR_BTNFACE));
      FillRect(dc, &r, back);
      DeleteObject(back);
      // A sunken line on top, as a status bar has.
      HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
      HGDIOBJ oldPen = SelectObject(dc, shadow);
      MoveToEx(dc, 0, 0, nullptr);
      LineTo(dc, r.right, 0);
      SelectObject(dc, oldPen);
      DeleteObject(shadow);

      int length = GetWindowTextLengthW(hwnd);
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      GetWindowTextW(hwnd, text.data(), length + 1);
      HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(GetPropW(hwnd, kStatusFontProp)));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      RECT textRect = r;
      textRect.left += 4;
      textRect.top += 1;
      // The texts name "Save & Close": an ampersand here is no mnemonic.
      DrawTextW(dc, text.c_str(), length, &textRect,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
      SelectObject(dc, oldFont);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropW(hwnd, kStatusColourProp);
      RemovePropW(hwnd, kStatusFontProp);
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers a window class of this program once; later calls find it registered.
void RegisterClassOnce(const wchar_t* name, WNDPROC procedure) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name, &wc)) return;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

const wchar_t* StatusBarClass() {
  RegisterClassOnce(kStatusBarClassName, &StatusBarProc);
  return kStatusBarClassName;
}

}  // namespace

// The dialog's push button: black face, coloured caption, a frame in the highlight colour
// while it has the focus and in the hot-tracking colour while the mouse is over it, and a
// hand cursor. It stays a system button, so keyboard, BM_CLICK and screen readers work.
class HardwareDialog::ColourButton {
 public:
  void Create(HWND parent, int id, int x, int y, int width, const std::string& caption, HFONT font) {
    hwnd = CreateWindowExW(0, L"BUTTON", Widen(caption).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y, width,
                           kButtonHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetPropW(hwnd, kButtonObjectProp, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
  }

  void Draw(const DRAWITEMSTRUCT& item, COLORREF textColour) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    bool disabled = item.itemState & ODS_DISABLED;
    bool focused = item.itemState & ODS_FOCUS;

    HBRUSH face = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &r, face);
    DeleteObject(face);

    COLORREF frame = hot_ && !disabled   ? ToColorRef(TForm2::kButtonHotTrackColor)
                     : focused || pressed ? ToColorRef(TForm2::kButtonHighlightColor)
                                          : RGB(96, 96, 96);
    HBRUSH frameBrush = CreateSolidBrush(frame);
    FrameRect(dc, &r, frameBrush);
    if (hot_ || focused || pressed) {
      RECT inner = r;
      InflateRect(&inner, -1, -1);
      FrameRect(dc, &inner, frameBrush);
    }
    DeleteObject(frameBrush);

    int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(static_cast<size_t>(length));
    if (pressed) OffsetRect(&r, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? RGB(96, 96, 96) : textColour);
    // Without DT_NOPREFIX a doubled ampersand shows as one.
    DrawTextW(dc, caption.c_str(), length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }

  HWND hwnd = nullptr;

 private:
  static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<ColourButton*>(GetPropW(hwnd, kButtonObjectProp));
    WNDPROC previous = self->previous_;
    switch (msg) {
      case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        return TRUE;
      case WM_MOUSEMOVE:
        if (!self->hot_) {
          self->hot_ = true;
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
          TrackMouseEvent(&track);
          InvalidateRect(hwnd, nullptr, FALSE);
        }
        break;
      case WM_MOUSELEAVE:
        self->hot_ = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
      case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(hwnd, kButtonObjectProp);
        self->hwnd = nullptr;
        break;
    }
    return CallWindowProcW(previous, hwnd, msg, wp, lp);
  }

  WNDPROC previous_ = nullptr;
  bool hot_ = false;
};

HardwareDialog::HardwareDialog(const platform::Services& os, platform::Processes& processes,
                               settings::SettingsStore& store, std::string programFolder)
    : os_(os),
      form_(std::make_unique<TForm2>(os, processes, store, std::move(programFolder),
                                     static_cast<TForm2Host&>(*this))),
      getInfo_(std::make_unique<ColourButton>()),
      saveClose_(std::make_unique<ColourButton>()) {}

HardwareDialog::~HardwareDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
  if (black_) DeleteObject(black_);
  if (memoBrush_) DeleteObject(memoBrush_);
}

void HardwareDialog::Create(HWND owner) {
  owner_ = owner;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  black_ = CreateSolidBrush(RGB(0, 0, 0));
  memoBrush_ = CreateSolidBrush(RGB(192, 192, 192));  // silver

  RegisterClassOnce(kClassName, &StaticProc);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  CreateWindowExW(exStyle, kClassName, Widen(TForm2::kCaption).c_str(), style, CW_USEDEFAULT,
                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                  instance, this);

  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font_ = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  CreateControls();
  Bind();
  Guarded([this] { form_->FormCreate(); });
}

void HardwareDialog::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Tab order: "Get info", then "Save & Close"; the memo is no tab stop.
  getInfo_->Create(hwnd_, kGetInfoId, 35, 172, 159, form_->RzButton1.Caption(), font_);
  saveClose_->Create(hwnd_, kSaveCloseId, 275, 172, 159, form_->RzButton3.Caption(), font_);

  memo_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL |
                              ES_AUTOVSCROLL,
                          13, 16, 443, 137, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMemoId)), instance, nullptr);
  SendMessageW(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  // The status bar: one text panel over the whole width, painted here, so that its colour
  // holds under every visual style. Its window text is the status text.
  status_ = CreateWindowExW(0, StatusBarClass(), L"", WS_CHILD | WS_VISIBLE, 0,
                            kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance,
                            nullptr);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void HardwareDialog::Bind() {
  TForm2& f = *form_;
  f.RzButton1.OnViewUpdate = [this] { EnableWindow(getInfo_->hwnd, form_->RzButton1.Enabled()); };
  f.RzButton3.OnViewUpdate = [this] { EnableWindow(saveClose_->hwnd, form_->RzButton3.Enabled()); };
  f.infomemo.OnViewUpdate = [this] { SetWindowTextW(memo_, Widen(form_->infomemo.Text()).c_str()); };
  f.StatusBar.OnViewUpdate = [this] {
    SetWindowTextW(status_, Widen(form_->StatusBar.Text()).c_str());
  };
  f.RzButton1.OnViewUpdate();
  f.RzButton3.OnViewUpdate();
  f.infomemo.OnViewUpdate();
  f.StatusBar.OnViewUpdate();
}

void HardwareDialog::ApplyColours(const Form2Colours& colours) {
  buttonText_ = ToColorRef(colours.ButtonFontColor);
  SetPropW(status_, kStatusColourProp,
           reinterpret_cast<HANDLE>(static_cast<uintptr_t>(ToColorRef(colours.StatusBarColor))));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void HardwareDialog::RepaintNow() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HardwareDialog::CloseDialog() { EndModal(); }

void HardwareDialog::Guarded(const std::function<void()>& handler) {
  launcher::Guarded(os_.messages, handler);
}

void HardwareDialog::ShowModal() {
  if (!hwnd_ || modal_) return;
  RECT owner{}, self{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(hwnd_, &self);
  int width = self.right - self.left, height = self.bottom - self.top;
  SetWindowPos(hwnd_, nullptr, owner.left + ((owner.right - owner.left) - width) / 2,
               owner.top + ((owner.bottom - owner.top) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  Guarded([this] { form_->FormShow(); });
  modal_ = true;
  if (owner_) EnableWindow(owner_, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (IsWindowEnabled(getInfo_->hwnd)) SetFocus(getInfo_->hwnd);

  MSG msg;
  while (modal_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the main loop must see the quit too.
      PostQuitMessage(static_cast<int>(msg.wParam));
      modal_ = false;
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  modal_ = false;
  // The owner is enabled before the dialog goes, so that it, not another program, becomes
  // the active window.
  if (owner_) EnableWindow(owner_, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (owner_) SetActiveWindow(owner_);
}

void HardwareDialog::EndModal() {
  if (!modal_) return;
  Guarded([this] { form_->FormClose(); });
  modal_ = false;
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

LRESULT CALLBACK HardwareDialog::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HardwareDialog* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<HardwareDialog*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<HardwareDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = self->WndProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT HardwareDialog::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, black_);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lp) == memo_) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(192, 192, 192));
        return reinterpret_cast<LRESULT>(memoBrush_);
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item.CtlID == kGetInfoId) getInfo_->Draw(item, buttonText_);
      else if (item.CtlID == kSaveCloseId) saveClose_->Draw(item, buttonText_);
      else break;
      return TRUE;
    }
    case DM_GETDEFID:
      // "Get info" is the default button: Enter presses it.
      return MAKELRESULT(kGetInfoId, DC_HASDEFID);
    case WM_COMMAND: {
      int id = LOWORD(wp), code = HIWORD(wp);
      if (code == BN_CLICKED && id == kGetInfoId) {
        if (IsWindowEnabled(getInfo_->hwnd)) Guarded([this] { form_->RzButton1Click(); });
        return 0;
      }
      if (code == BN_CLICKED && id == kSaveCloseId) {
        if (IsWindowEnabled(saveClose_->hwnd)) Guarded([this] { form_->RzButton3Click(); });
        return 0;
      }
      if (id == IDCANCEL) {  // Esc
        EndModal();
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // Closing hides the dialog; it lives until the program ends.
      EndModal();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ui
