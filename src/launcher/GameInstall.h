#pragma once
// The detected game and the fixed paths of this program.
#include <string>

namespace launcher {

// The game's registry keys under HKLM, read only.
inline constexpr const char* kGameKeyPath = "SOFTWARE\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory";
inline constexpr const char* kGameVersionsKeyPath =
    "SOFTWARE\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\Versions";
inline constexpr const char* kRequiredGameVersion = "1.05.157";
// Below the all-users application-data folder.
inline constexpr const char* kGameConfigSubfolder = "\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\";

struct GameInstall {
  std::string InstallDir;    // empty unless the version check passed
  std::string SystemFolder;  // InstallDir + "\system\", empty unless the version check passed
  std::string ConfigFolder;  // the game's ini folder, ends in "\"
  std::string GameVersion;   // as read, even when it is not the required one
};

}  // namespace launcher
