#pragma once
// The look of the launcher's skin: its colours and fonts. Light text on black; the
// selection colours are the ones the window is known by (the navigation bar's colours are
// the main window's, kNavigationBarColours).
#include <windows.h>

#include <cstdint>
#include <vector>

namespace ui {

namespace colors {
inline constexpr COLORREF Black = RGB(0, 0, 0);
inline constexpr COLORREF White = RGB(255, 255, 255);
inline constexpr COLORREF Silver = RGB(192, 192, 192);
inline constexpr COLORREF DisabledText = RGB(96, 100, 98);
inline constexpr COLORREF SelFrame = RGB(28, 81, 128);       // frame of check and radio items
inline constexpr COLORREF SelHighlight = RGB(33, 161, 33);   // check mark and radio dot
inline constexpr COLORREF HotTrack = RGB(255, 199, 60);      // the mouse-over colour
inline constexpr COLORREF Heading = RGB(188, 235, 109);      // the update page's heading
inline constexpr COLORREF EditFace = RGB(22, 24, 23);        // text boxes
inline constexpr COLORREF EditReadOnlyFace = RGB(12, 13, 13);
inline constexpr COLORREF GroupLine = RGB(58, 64, 60);       // frames of groups
// A colour given as 0x00RRGGBB, as the logic keeps colours.
constexpr COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
}  // namespace colors

// Fonts and brushes shared by every window of the process; made on first use and kept
// until the process ends.
class Skin {
 public:
  static Skin& Get();
  HFONT Normal() const { return normal_; }    // "MS Sans Serif", 8 points
  HFONT Bold() const { return bold_; }        // group captions
  HFONT Heading() const { return heading_; }  // "Niamey", 27 pixels, or a stand-in
  HFONT PanelTitle() const { return panelTitle_; }  // 16 pixels, the progress panel
  HFONT PanelText() const { return panelText_; }    // 13 pixels
  HBRUSH Brush(COLORREF color);

 private:
  Skin();
  HFONT normal_, bold_, heading_, panelTitle_, panelText_;
  struct CachedBrush { COLORREF color; HBRUSH brush; };
  // Every colour gets one brush for the life of the process; callers never delete them.
  std::vector<CachedBrush> brushes_;
};

// True when the system has a font family of that name.
bool FontFamilyExists(const wchar_t* face);

}  // namespace ui
