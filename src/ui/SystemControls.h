#pragma once
// The system's own controls in the system's colours, for dialogs that look like every other
// dialog of Windows (the update windows): push buttons, labels that size themselves to their
// text, group boxes that hold controls, progress bars, text boxes, a sunken frame, a
// stretched picture, an icon and an etched line. Texts are UTF-16, so every language shows
// right whatever the system's ANSI code page.
#include <string>

#include "ui/Jpeg.h"
#include "ui/Wnd.h"

namespace ui {

// The font of the system's dialogs, 8 points.
HFONT DialogFont();

void SetWideText(HWND hwnd, const std::wstring& text);
std::wstring WideText(HWND hwnd);

// The size `text` takes in `hwnd`'s font with DrawText's `format` (a word-wrapped text
// within `width`).
SIZE MeasureText(HWND hwnd, const std::wstring& text, UINT format, int width);

class PushButton : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height, const std::wstring& text);
  // A click (mouse, Enter, Space, BN_CLICKED to the parent, BM_CLICK) while enabled.
  std::function<void()> OnClick;

 protected:
  void OnCommand(int code) override;
};

// A static text. AutoSize fits the window to the text: a word-wrapped label keeps its width
// and takes the height of its lines, any other takes the width and height of its text.
class TextLabel : public Wnd {
 public:
  struct Options {
    bool wordWrap = false;
    bool autoSize = true;
    COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
    HFONT font = nullptr;  // null: the dialog font
  };
  void Create(HWND parent, int id, int x, int y, int width, const std::wstring& text, const Options& options);
  void Create(HWND parent, int id, int x, int y, int width, const std::wstring& text) {
    Create(parent, id, x, y, width, text, Options{});
  }
  void SetLabelText(const std::wstring& text);
  std::wstring LabelText() const { return WideText(hwnd_); }
  void SetWidth(int width);
  void MoveTo(int x, int y);
  RECT Bounds() const;  // in the parent's client coordinates

 protected:
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  void Fit();
  Options options_;
  HFONT font_ = nullptr;
};

// A text cut into the dialog: in the shadow colour, over a copy in the highlight colour one
// pixel down and right. Sized to its text.
class EngravedLabel : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, const std::wstring& text);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A frame with a caption (its window text) that holds controls of its own.
class GroupFrame : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height, const std::wstring& caption);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class ProgressBar : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height, int minimum = 0, int maximum = 100);
  void SetPosition(int position);
  int Position() const;
};

// A one-line text box with the sunken frame of dialogs; optionally shows "*" for each letter.
class LineEdit : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height, bool password = false);
};

// A line of text that looks like a label but can be selected and scrolled; no key press
// changes it (the file address of the download wizard).
class ReadOnlyLine : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height, COLORREF textColor);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  COLORREF color_ = 0;
};

// A container with a one-pixel lowered edge.
class SunkenFrame : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A picture stretched to the window's size.
class StretchedPicture : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width, int height);
  void SetPicture(Picture picture);
  const Picture& Current() const { return picture_; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Picture picture_;
};

// An icon at its own size (32 x 32 for the dialogs' icons); the icon is borrowed.
class IconView : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int size, HICON icon);
};

// A horizontal etched line (a bevel's top line).
class EtchedLine : public Wnd {
 public:
  void Create(HWND parent, int id, int x, int y, int width);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ui
