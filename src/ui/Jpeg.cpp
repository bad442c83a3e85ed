#include "ui/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>

extern "C" {
#include <jpeglib.h>
}

namespace ui {

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

Picture::~Picture() {
  if (bitmap_) DeleteObject(bitmap_);
}

void Picture::Draw(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap_);
  BitBlt(dc, x, y, width_, height_, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. A C++ exception
// must not cross libjpeg's C frames, so the decoder jumps back to the setjmp point instead;
// nothing between the two owns a resource that the jump would leak.
struct ErrorManager {
  jpeg_error_mgr base;
  jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

void OnFatal(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  longjmp(errors->back, 1);
}

void OnMessage(j_common_ptr) {}  // warnings go nowhere: the picture is used as decoded

// Decodes straight into a top-down 32-bit DIB section. Plain C data only, because of the jump.
bool Decode(const unsigned char* data, unsigned long size, HBITMAP* bitmap, int* width, int* height,
            char* message) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnFatal;
  errors.base.output_message = OnMessage;
  errors.message[0] = 0;
  *bitmap = nullptr;
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&info);
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
    strcpy(message, errors.message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;  // the byte order of a 32-bit DIB
  jpeg_start_decompress(&info);

  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = static_cast<LONG>(info.output_width);
  bmi.bmiHeader.biHeight = -static_cast<LONG>(info.output_height);  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  *bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!*bitmap) {
    jpeg_destroy_decompress(&info);
    strcpy(message, "out of memory for the picture");
    return false;
  }
  const size_t stride = static_cast<size_t>(info.output_width) * 4;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = static_cast<unsigned char*>(bits) + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  *width = static_cast<int>(info.output_width);
  *height = static_cast<int>(info.output_height);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

Picture DecodeJpeg(const void* data, size_t size, std::string* error) {
  if (!data || size == 0) {
    if (error) *error = "no picture data";
    return {};
  }
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Decode(static_cast<const unsigned char*>(data), static_cast<unsigned long>(size), &bitmap,
              &width, &height, message)) {
    if (error) *error = message;
    return {};
  }
  return Picture(bitmap, width, height);
}

Picture LoadJpegResource(HINSTANCE module, int id, std::string* error) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) {
    if (error) *error = "picture resource " + std::to_string(id) + " is missing";
    return {};
  }
  return DecodeJpeg(data, SizeofResource(module, found), error);
}

}  // namespace ui
