#include "ui/Skin.h"

namespace ui {
namespace {

HFONT MakeFont(const wchar_t* face, int pixelHeight, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = -pixelHeight;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool FontFamilyExists(const wchar_t* face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

Skin& Skin::Get() {
  static Skin skin;
  return skin;
}

// The layout is fixed in pixels (the pictures do not scale), so the fonts are made in pixels
// too: 8 points at 96 dots per inch are 11 pixels, whatever the display's setting.
Skin::Skin()
    : normal_(MakeFont(L"MS Sans Serif", 11, FW_NORMAL)),
      bold_(MakeFont(L"MS Sans Serif", 11, FW_BOLD)),
      heading_(nullptr),
      panelTitle_(MakeFont(L"MS Sans Serif", 16, FW_NORMAL)),
      panelText_(MakeFont(L"MS Sans Serif", 13, FW_NORMAL)) {
  // The heading's face is rarely installed; a sturdy sans-serif of the same height stands in.
  const wchar_t* face = L"Niamey";
  if (!FontFamilyExists(face)) face = FontFamilyExists(L"Trebuchet MS") ? L"Trebuchet MS" : L"Tahoma";
  heading_ = MakeFont(face, 27, FW_BOLD);
}

HBRUSH Skin::Brush(COLORREF color) {
  for (const auto& cached : brushes_)
    if (cached.color == color) return cached.brush;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.push_back({color, brush});
  return brush;
}

}  // namespace ui
