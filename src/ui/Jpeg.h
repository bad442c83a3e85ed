#pragma once
// The skin's pictures: JPEG resources decoded with libjpeg into device-independent bitmaps.
#include <windows.h>

#include <cstddef>
#include <string>

namespace ui {

// A decoded picture; owns its bitmap.
class Picture {
 public:
  Picture() = default;
  Picture(HBITMAP bitmap, int width, int height) : bitmap_(bitmap), width_(width), height_(height) {}
  Picture(Picture&& other) noexcept { *this = std::move(other); }
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  explicit operator bool() const { return bitmap_ != nullptr; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the picture to `dc` at (x, y), at its own size.
  void Draw(HDC dc, int x, int y) const;

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Decodes a JPEG held in memory. On a damaged or unsupported file the result is empty and
// `error` (when given) says why.
Picture DecodeJpeg(const void* data, size_t size, std::string* error = nullptr);

// Decodes the JPEG held as RCDATA resource `id` of `module`; empty when it is missing.
Picture LoadJpegResource(HINSTANCE module, int id, std::string* error = nullptr);

}  // namespace ui
