#include "ui/SystemControls.h"

#include <commctrl.h>

#include "ui/Skin.h"

namespace ui {

HFONT DialogFont() {
  static HFONT font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -11;  // 8 points at 96 dots per inch
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return CreateFontIndirectW(&lf);
  }();
  return font;
}

void SetWideText(HWND hwnd, const std::wstring& text) {
  if (hwnd) SetWindowTextW(hwnd, text.c_str());
}

std::wstring WideText(HWND hwnd) {
  if (!hwnd) return {};
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

SIZE MeasureText(HWND hwnd, const std::wstring& text, UINT format, int width) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  RECT rc{0, 0, width, 0};
  if (text.empty()) {
    // An empty label keeps the height of one line.
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    rc.bottom = tm.tmHeight;
    if (!(format & DT_WORDBREAK)) rc.right = 0;
  } else {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format | DT_CALCRECT);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

// ---------------------------------------------------------------------------------------

void PushButton::Create(HWND parent, int id, int x, int y, int width, int height, const std::wstring& text) {
  CreateArgs a;
  a.className = L"BUTTON";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  a.text = text;
  CreateWnd(a);
  SetFont(DialogFont());
}

void PushButton::OnCommand(int code) {
  if (code == BN_CLICKED && IsWindowEnabled(hwnd_) && OnClick) OnClick();
}

// ---------------------------------------------------------------------------------------

namespace {
// What a static control of these styles draws with.
UINT LabelFormat(bool wordWrap) {
  return DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | (wordWrap ? DT_WORDBREAK : 0);
}
}  // namespace

void TextLabel::Create(HWND parent, int id, int x, int y, int width, const std::wstring& text,
                       const Options& options) {
  options_ = options;
  CreateArgs a;
  a.className = L"STATIC";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX | (options.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  a.x = x, a.y = y, a.width = width, a.height = 13, a.id = id;
  a.text = text;
  CreateWnd(a);
  SetFont(options.font ? options.font : DialogFont());
  Fit();
}

void TextLabel::SetLabelText(const std::wstring& text) {
  SetWideText(hwnd_, text);
  Fit();
  Invalidate();
}

void TextLabel::SetWidth(int width) {
  if (!hwnd_) return;
  const RECT rc = Bounds();
  SetWindowPos(hwnd_, nullptr, 0, 0, width, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Fit();
}

void TextLabel::MoveTo(int x, int y) {
  if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TextLabel::Bounds() const {
  RECT rc{};
  if (!hwnd_) return rc;
  GetWindowRect(hwnd_, &rc);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void TextLabel::Fit() {
  if (!hwnd_ || !options_.autoSize) return;
  const RECT rc = Bounds();
  const SIZE size = MeasureText(hwnd_, WideText(hwnd_), LabelFormat(options_.wordWrap), rc.right - rc.left);
  const int width = options_.wordWrap ? rc.right - rc.left : size.cx;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH TextLabel::OnCtlColor(HDC dc) {
  SetTextColor(dc, options_.color);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

// ---------------------------------------------------------------------------------------

void EngravedLabel::Create(HWND parent, int id, int x, int y, const std::wstring& text) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  a.x = x, a.y = y, a.width = 1, a.height = 1, a.id = id;
  a.text = text;
  CreateWnd(a);
  SetFont(DialogFont());
  const SIZE size = MeasureText(hwnd_, text, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx + 1, size.cy + 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT EngravedLabel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
      SetBkMode(dc, TRANSPARENT);
      const std::wstring text = WideText(hwnd_);
      RECT lower = rc;
      OffsetRect(&lower, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lower, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
      SelectObject(dc, old);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT r = Wnd::WndProc(msg, wp, lp);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return r;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------

void GroupFrame::Create(HWND parent, int id, int x, int y, int width, int height, const std::wstring& caption) {
  CreateArgs a;
  a.className = L"BUTTON";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_GROUPBOX;
  a.exStyle = WS_EX_CONTROLPARENT;  // Tab reaches the controls inside
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  a.text = caption;
  CreateWnd(a);
  SetFont(DialogFont());
}

LRESULT GroupFrame::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // A group box paints only its frame and caption; what lies within is the dialog's face.
  if (msg == WM_ERASEBKGND) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return Wnd::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------

void ProgressBar::Create(HWND parent, int id, int x, int y, int width, int height, int minimum, int maximum) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  CreateArgs a;
  a.className = PROGRESS_CLASSW;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  CreateWnd(a);
  SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressBar::SetPosition(int position) {
  if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int ProgressBar::Position() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)) : 0;
}

// ---------------------------------------------------------------------------------------

void LineEdit::Create(HWND parent, int id, int x, int y, int width, int height, bool password) {
  CreateArgs a;
  a.className = L"EDIT";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0);
  a.exStyle = WS_EX_CLIENTEDGE;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  CreateWnd(a);
  SetFont(DialogFont());
  if (password) SendMessageW(hwnd_, EM_SETPASSWORDCHAR, L'*', 0);
}

// ---------------------------------------------------------------------------------------

void ReadOnlyLine::Create(HWND parent, int id, int x, int y, int width, int height, COLORREF textColor) {
  color_ = textColor;
  CreateArgs a;
  a.className = L"EDIT";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  CreateWnd(a);
  SetFont(DialogFont());
}

LRESULT ReadOnlyLine::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;
  }
  return Wnd::WndProc(msg, wp, lp);
}

HBRUSH ReadOnlyLine::OnCtlColor(HDC dc) {
  SetTextColor(dc, color_);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return GetSysColorBrush(COLOR_BTNFACE);
}

// ---------------------------------------------------------------------------------------

void SunkenFrame::Create(HWND parent, int id, int x, int y, int width, int height) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  CreateWnd(a);
}

LRESULT SunkenFrame::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    HDC dc = reinterpret_cast<HDC>(wp);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    return 1;
  }
  return Wnd::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------

void StretchedPicture::Create(HWND parent, int id, int x, int y, int width, int height) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE;
  a.x = x, a.y = y, a.width = width, a.height = height, a.id = id;
  CreateWnd(a);
}

void StretchedPicture::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  Invalidate();
}

LRESULT StretchedPicture::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      if (picture_) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, picture_.Bitmap());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, picture_.Width(), picture_.Height(), SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
      } else {
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------------------

void IconView::Create(HWND parent, int id, int x, int y, int size, HICON icon) {
  CreateArgs a;
  a.className = L"STATIC";
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE;
  a.x = x, a.y = y, a.width = size, a.height = size, a.id = id;
  CreateWnd(a);
  SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------

void EtchedLine::Create(HWND parent, int id, int x, int y, int width) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE;
  a.x = x, a.y = y, a.width = width, a.height = 2, a.id = id;
  CreateWnd(a);
}

LRESULT EtchedLine::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    // A dark line over a light one: a groove cut into the dialog.
    RECT rc;
    GetClientRect(hwnd_, &rc);
    HDC dc = reinterpret_cast<HDC>(wp);
    RECT dark{0, 0, rc.right, 1}, light{0, 1, rc.right, 2};
    FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    return 1;
  }
  return Wnd::WndProc(msg, wp, lp);
}

}  // namespace ui
