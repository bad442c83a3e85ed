// The skin's pictures: decoding with libjpeg into bitmaps, and the embedded artwork.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "ui/windows/ArtworkIds.h"
#include "ui/Jpeg.h"

namespace {

// A solid picture in one colour, encoded by libjpeg itself.
std::vector<unsigned char> EncodeSolid(int width, int height, unsigned char r, unsigned char g,
                                       unsigned char b) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) row[x * 3] = r, row[x * 3 + 1] = g, row[x * 3 + 2] = b;
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<unsigned char> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

COLORREF PixelAt(const ui::Picture& picture, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, picture.Bitmap());
  COLORREF color = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return color;
}

bool Near(int a, int b) { return a - b <= 6 && b - a <= 6; }

TEST(JpegTest, DecodesSizeAndColourChannelsInTheirPlaces) {
  // A colour with three different channels shows a swapped red and blue at once.
  auto data = EncodeSolid(37, 21, 200, 90, 20);
  std::string error;
  ui::Picture picture = ui::DecodeJpeg(data.data(), data.size(), &error);
  ASSERT_TRUE(picture) << error;
  EXPECT_EQ(picture.Width(), 37);
  EXPECT_EQ(picture.Height(), 21);
  for (POINT p : {POINT{0, 0}, POINT{36, 20}, POINT{18, 10}}) {
    COLORREF c = PixelAt(picture, p.x, p.y);
    EXPECT_TRUE(Near(GetRValue(c), 200) && Near(GetGValue(c), 90) && Near(GetBValue(c), 20))
        << "pixel " << p.x << "," << p.y << " is " << int(GetRValue(c)) << "," << int(GetGValue(c))
        << "," << int(GetBValue(c));
  }
}

TEST(JpegTest, DamagedDataGivesNoPictureAndSaysWhy) {
  auto good = EncodeSolid(16, 16, 1, 2, 3);
  const std::vector<std::vector<unsigned char>> cases = {
      {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'},        // no JPEG marker at all
      std::vector<unsigned char>(good.begin(), good.begin() + 4),  // cut inside the header
  };
  for (const auto& data : cases) {
    std::string error;
    ui::Picture picture = ui::DecodeJpeg(data.data(), data.size(), &error);
    EXPECT_FALSE(picture);
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_FALSE(ui::DecodeJpeg(nullptr, 0, &error));
  EXPECT_FALSE(error.empty());
}

TEST(ArtworkTest, EveryEmbeddedPictureHasTheSizeOfItsPlace) {
  struct Case { int id; const char* name; int width, height; };
  const Case cases[] = {
      {IDJ_BACKGROUND, "background", 503, 488}, {IDJ_SPLASH, "splash", 640, 480},
      {IDJ_EXIT, "exit", 17, 19},               {IDJ_MINIMIZE, "minimize", 16, 13},
      {IDJ_RUN_NORMAL, "run normal", 101, 29},  {IDJ_RUN_HOVER, "run hover", 101, 29},
      {IDJ_RUN_DOWN, "run down", 101, 29},      {IDJ_ABOUT, "about", 218, 98},
      {IDJ_SPONSOR, "sponsor", 84, 93},         {IDJ_ICON_BROWSE, "browse icon", 16, 16},
      {IDJ_ICON_UPDATE, "update icon", 16, 16}, {IDJ_ICON_EMAIL, "e-mail icon", 16, 16},
      {IDJ_ICON_INFO, "info icon", 16, 16},     {IDJ_UPDATE_SIDE, "update side", 118, 218},
      {IDJ_UPDATE_SIDE_DEFAULT, "default update side", 118, 218},
  };
  for (const Case& c : cases) {
    std::string error;
    ui::Picture picture = ui::LoadJpegResource(GetModuleHandleW(nullptr), c.id, &error);
    ASSERT_TRUE(picture) << c.name << ": " << error;
    EXPECT_EQ(picture.Width(), c.width) << c.name;
    EXPECT_EQ(picture.Height(), c.height) << c.name;
  }
  std::string error;
  EXPECT_FALSE(ui::LoadJpegResource(GetModuleHandleW(nullptr), 4242, &error));
  EXPECT_NE(error.find("4242"), std::string::npos);
}

TEST(ArtworkTest, TheBackgroundIsDarkWithTheSkinsGreenInTheTitle) {
  ui::Picture background = ui::LoadJpegResource(GetModuleHandleW(nullptr), IDJ_BACKGROUND);
  ASSERT_TRUE(background);
  // The corner of the page area's recess is near black, the title's letters lime green.
  COLORREF recess = PixelAt(background, 300, 300);
  EXPECT_LT(GetRValue(recess) + GetGValue(recess) + GetBValue(recess), 60);
  int greenest = 0;
  for (int x = 130; x < 330; ++x) {
    COLORREF c = PixelAt(background, x, 48);
    greenest = std::max(greenest, GetGValue(c) - std::max<int>(GetRValue(c), GetBValue(c)) / 2);
  }
  EXPECT_GT(greenest, 100);
}

TEST(ArtworkTest, TheUpdateIconsAre32PixelsAndSeeThroughAtTheirCorners) {
  // Drawn on a dialog's face of any colour, the corners show that colour and the middle the
  // picture.
  for (int id : {IDI_UPDATE_QUESTION, IDI_UPDATE_PASSWORD}) {
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr) << id;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bits{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
    EXPECT_EQ(bits.bmWidth, 32) << id;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(mem, canvas);
    const COLORREF face = RGB(212, 208, 200);
    HBRUSH brush = CreateSolidBrush(face);
    RECT all{0, 0, 32, 32};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    ASSERT_TRUE(DrawIconEx(mem, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(mem, 0, 0), face) << id;
    EXPECT_EQ(GetPixel(mem, 31, 0), face) << id;
    EXPECT_NE(GetPixel(mem, 12, 12), face) << id;
    SelectObject(mem, old);
    DeleteObject(canvas);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
  }
}

}  // namespace
