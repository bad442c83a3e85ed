#pragma once
// The six resolutions the launcher can benchmark. The table is fixed: its order is the
// order of the items in `res`, of the stored values and of a run. The run's steps
// (StepTable.h) are built from it.
#include <array>
#include <cstddef>

namespace bench {

struct ResolutionEntry {
  int Index;
  int Width;
  int Height;
  const char* Caption;    // item caption in `res` ("\xD7" is the multiplication sign in code page 1252)
  const char* ValueName;  // registry value under the program's key
  const char* ModeText;   // how the display-mode list spells this size
  const char* ConfigLineX;
  const char* ConfigLineY;
};

inline constexpr std::size_t kResolutionCount = 6;

inline constexpr std::array<ResolutionEntry, kResolutionCount> kResolutions{{
    {0, 640, 480, "640 \xD7 480", "640", "640 x 480", "FullscreenViewportX=640", "FullscreenViewportY=480"},
    {1, 800, 600, "800 \xD7 600", "800", "800 x 600", "FullscreenViewportX=800", "FullscreenViewportY=600"},
    {2, 1024, 768, "1024 \xD7 768", "1024", "1024 x 768", "FullscreenViewportX=1024", "FullscreenViewportY=768"},
    {3, 1280, 1024, "1280 \xD7 1024", "1280", "1280 x 1024", "FullscreenViewportX=1280", "FullscreenViewportY=1024"},
    {4, 1600, 1200, "1600 \xD7 1200", "1600", "1600 x 1200", "FullscreenViewportX=1600", "FullscreenViewportY=1200"},
    {5, 2048, 1536, "2048 \xD7 1536", "2048", "2048 x 1536", "FullscreenViewportX=2048", "FullscreenViewportY=1536"},
}};

}  // namespace bench
