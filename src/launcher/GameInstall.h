#pragma once
// The detected game and the fixed paths of this program.
#include <string>

#include "bench/GameInterface.h"

namespace launcher {

// The game's registry keys under HKLM (read only) and its folders: what the launcher relies
// on from the game is kept with the game interface.
inline constexpr const char* kGameKeyPath = bench::kGameKey;
inline constexpr const char* kGameVersionsKeyPath = bench::kGameVersionsKey;
inline constexpr const char* kRequiredGameVersion = bench::kSupportedGameVersion;

struct GameInstall {
  std::string InstallDir;    // empty unless the version check passed
  std::string SystemFolder;  // InstallDir + "\system\", empty unless the version check passed
  std::string ConfigFolder;  // the game's ini folder, ends in "\"
  std::string GameVersion;   // as read, even when it is not the required one
};

}  // namespace launcher
