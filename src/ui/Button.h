#pragma once
// Buttons the skin draws itself: a system button (so that BM_CLICK and BN_CLICKED work and
// screen readers see a button) with the owner-draw style. PictureButton shows a picture per
// state (normal, under the mouse, pressed); ToolButton shows an optional icon and a caption
// on black and lights up under the mouse.
#include "ui/Jpeg.h"
#include "ui/Skin.h"
#include "ui/Wnd.h"

namespace ui {

class OwnerDrawButton : public Wnd {
 public:
  std::function<void()> OnClick;
  void SetHandCursor(bool hand) { handCursor_ = hand; }

 protected:
  void CreateButton(HWND parent, int x, int y, int width, int height, const std::string& text);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int code) override;
  void OnHotChanged() override { InvalidateRect(hwnd_, nullptr, FALSE); }

 private:
  bool handCursor_ = false;
};

class PictureButton : public OwnerDrawButton {
 public:
  // `text` is the window text: the button's tool-tip, as it has no caption. The pictures
  // are borrowed and must outlive the button; `hover` and `down` may be null.
  void Create(HWND parent, int x, int y, const Picture* normal, const Picture* hover,
              const Picture* down, const std::string& text);

 protected:
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  const Picture *normal_ = nullptr, *hover_ = nullptr, *down_ = nullptr;
};

class ToolButton : public OwnerDrawButton {
 public:
  struct Style {
    COLORREF text = colors::Silver;
    COLORREF hotText = colors::HotTrack;
    COLORREF face = colors::Black;
    COLORREF frame = colors::GroupLine;
    COLORREF hotFrame = colors::SelFrame;
    bool framed = true;
  };
  // `caption` is the window text; a button without a caption (an icon only) is given its
  // tool-tip as text and `showCaption` false.
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              const Picture* icon, const Style& style, bool showCaption = true);
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption,
              const Picture* icon = nullptr) {
    Create(parent, x, y, width, height, caption, icon, Style{});
  }
  void SetStyle(const Style& style) { style_ = style; Invalidate(); }

 protected:
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  const Picture* icon_ = nullptr;
  Style style_;
  bool showCaption_ = true;
};

// A push button on a dark face with a coloured caption: framed once in `frame`, twice in
// `focusFrame` while it has the focus or is pressed and twice in `hotFrame` while the mouse
// is over it. It has a hand cursor.
class FramedButton : public OwnerDrawButton {
 public:
  struct Style {
    COLORREF face = colors::Black;
    COLORREF text = colors::Silver;
    COLORREF disabledText = RGB(96, 96, 96);
    COLORREF frame = RGB(96, 96, 96);
    COLORREF focusFrame = colors::Silver;
    COLORREF hotFrame = colors::HotTrack;
  };
  void Create(HWND parent, int x, int y, int width, int height, const std::string& caption, const Style& style);
  const Style& GetStyle() const { return style_; }
  void SetStyle(const Style& style) { style_ = style; Invalidate(); }

 protected:
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  Style style_;
};

}  // namespace ui
