#include "ui/GroupBar.h"

#include "platform/win32/Win32System.h"

namespace ui {
namespace {

GroupBar* BarOf(HWND item) {
  // item -> group -> bar
  return dynamic_cast<GroupBar*>(Wnd::FromHandle(GetParent(GetParent(item))));
}

}  // namespace

// ---- items ------------------------------------------------------------------------------------

void GroupBarItem::Create(HWND parent, int x, int y, int width, int height, const std::string& caption) {
  CreateButton(parent, x, y, width, height, caption);
  SetHandCursor(true);
}

void GroupBarItem::OnDrawItem(const DRAWITEMSTRUCT& item) {
  GroupBar* bar = BarOf(hwnd_);
  const GroupBar::Colors colors = bar ? bar->GetColors() : GroupBar::Colors{};
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  FillRect(dc, &rc, Skin::Get().Brush(colors.bar));
  const bool hot = IsHot() || (item.itemState & ODS_SELECTED);
  const COLORREF text = hot ? colors::HotTrack : colors.itemText;
  // A small square marks each item; it lights up with the item.
  RECT mark{rc.left + 6, rc.top + (rc.bottom - rc.top) / 2 - 2, rc.left + 10, rc.top + (rc.bottom - rc.top) / 2 + 2};
  FillRect(dc, &mark, Skin::Get().Brush(hot ? colors::HotTrack : colors::SelFrame));
  std::wstring caption = WindowText(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, Skin::Get().Normal());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  RECT textRect{rc.left + 15, rc.top, rc.right - 1, rc.bottom};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) {
    RECT focus{rc.left + 13, rc.top + 1, rc.right - 1, rc.bottom - 1};
    SetTextColor(dc, colors::Silver);
    SetBkColor(dc, colors.bar);
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldFont);
}

// ---- groups -----------------------------------------------------------------------------------

void GroupBarGroup::Create(GroupBar& bar, int width, const std::string& caption,
                           const std::vector<std::string>& items) {
  bar_ = &bar;
  CreateArgs a;
  a.parent = bar.Handle();
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  a.exStyle = WS_EX_CONTROLPARENT;
  a.width = width;
  a.height = kCaptionHeight;
  ownTexts_ = true;
  a.text = Widen(caption);
  CreateWnd(a);
  for (size_t i = 0; i < items.size(); ++i) {
    auto item = std::make_unique<GroupBarItem>();
    item->Create(hwnd_, 2, kCaptionHeight + 2 + static_cast<int>(i) * kItemHeight, width - 4, kItemHeight,
                 items[i]);
    item->SetVisible(false);
    items_.push_back(std::move(item));
  }
  SetTracksMouse(true);
}

void GroupBarGroup::OnCommand(int code) {
  if (code == BN_CLICKED && bar_) bar_->CaptionClicked(*this);
}

LRESULT GroupBarGroup::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case BM_CLICK:
      if (bar_) bar_->CaptionClicked(*this);
      return 0;
    case WM_LBUTTONDOWN:
      if (static_cast<short>(HIWORD(lp)) < kCaptionHeight && bar_) bar_->CaptionClicked(*this);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd_, &pt);
        if (pt.y < kCaptionHeight) {
          SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649) /* IDC_HAND */));
          return TRUE;
        }
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

void GroupBarGroup::Paint(HDC dc) {
  const GroupBar::Colors colors = bar_ ? bar_->GetColors() : GroupBar::Colors{};
  RECT rc;
  GetClientRect(hwnd_, &rc);
  FillRect(dc, &rc, Skin::Get().Brush(colors.bar));
  // The caption strip: a shade lighter than the bar, a line in the caption colour below
  // it, and an arrow that points down when closed and up when open.
  RECT strip{rc.left, rc.top, rc.right, rc.top + kCaptionHeight};
  const COLORREF stripColor = IsHot() ? RGB(52, 56, 54) : RGB(44, 47, 45);
  FillRect(dc, &strip, Skin::Get().Brush(stripColor));
  RECT line{strip.left, strip.bottom - 1, strip.right, strip.bottom};
  FillRect(dc, &line, Skin::Get().Brush(open_ ? colors.captionText : RGB(70, 76, 72)));
  HGDIOBJ oldFont = SelectObject(dc, Skin::Get().Bold());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colors.captionText);
  std::wstring caption = WindowText(hwnd_);
  RECT textRect{strip.left + 8, strip.top, strip.right - 20, strip.bottom - 1};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  const int cx = strip.right - 12, cy = (strip.top + strip.bottom) / 2;
  POINT arrow[3];
  if (open_) {
    arrow[0] = {cx - 4, cy + 2}, arrow[1] = {cx + 4, cy + 2}, arrow[2] = {cx, cy - 2};
  } else {
    arrow[0] = {cx - 4, cy - 2}, arrow[1] = {cx + 4, cy - 2}, arrow[2] = {cx, cy + 2};
  }
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, Skin::Get().Brush(colors.captionText));
  Polygon(dc, arrow, 3);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

// ---- the bar ----------------------------------------------------------------------------------

void GroupBar::Create(HWND parent, int x, int y, int width, int height) {
  CreateArgs a;
  a.parent = parent;
  a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  a.exStyle = WS_EX_CONTROLPARENT;
  a.x = x, a.y = y, a.width = width, a.height = height;
  CreateWnd(a);
}

GroupBarGroup& GroupBar::AddGroup(const std::string& caption, const std::vector<std::string>& items) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  auto group = std::make_unique<GroupBarGroup>();
  group->Create(*this, rc.right - 4, caption, items);
  groups_.push_back(std::move(group));
  Arrange();
  return *groups_.back();
}

void GroupBar::SetColors(const Colors& colors) {
  colors_ = colors;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void GroupBar::SetOpen(GroupBarGroup& group, bool open) {
  for (auto& g : groups_) {
    const bool wanted = g.get() == &group ? open : (open ? false : g->open_);
    if (g->open_ == wanted) continue;
    g->open_ = wanted;
    for (auto& item : g->items_) item->SetVisible(wanted);
    g->Invalidate();
  }
  Arrange();
}

void GroupBar::CaptionClicked(GroupBarGroup& group) {
  if (!OnCaptionClick) {
    SetOpen(group, !group.IsOpen());
    return;
  }
  for (size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i].get() == &group) OnCaptionClick(i);
}

void GroupBar::SetOpenGroup(int index) {
  if (index >= 0 && index < static_cast<int>(groups_.size())) {
    SetOpen(*groups_[static_cast<size_t>(index)], true);
  } else {
    for (auto& g : groups_) SetOpen(*g, false);
  }
}

int GroupBar::OpenGroup() const {
  for (size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i]->open_) return static_cast<int>(i);
  return -1;
}

void GroupBar::Arrange() {
  int top = 2;
  RECT rc;
  GetClientRect(hwnd_, &rc);
  for (auto& g : groups_) {
    const int height = g->open_ ? g->OpenHeight() : GroupBarGroup::kCaptionHeight;
    SetWindowPos(g->Handle(), nullptr, 2, top, rc.right - 4, height, SWP_NOZORDER | SWP_NOACTIVATE);
    top += height + 3;
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT GroupBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd_, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, Skin::Get().Brush(colors_.bar));
      return 1;
    }
  }
  return Wnd::WndProc(msg, wp, lp);
}

}  // namespace ui
