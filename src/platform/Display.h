#pragma once
// Display modes of the primary display.
#include <cstdint>

namespace platform {

struct DisplayMode {
  uint32_t width = 0, height = 0, bitsPerPixel = 0, frequency = 0;
};

class Display {
 public:
  virtual ~Display() = default;
  // Mode number `index` of the primary display; false when there is no such mode.
  virtual bool ModeAt(uint32_t index, DisplayMode& out) = 0;
};

}  // namespace platform
