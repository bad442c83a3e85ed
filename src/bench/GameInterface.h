#pragma once
// What the launcher relies on from the game, in one place: where it is registered,
// which files it reads and writes, and how it is started.
#include <string>

namespace bench {

// Registry (HKEY_LOCAL_MACHINE, 32-bit view), read only.
inline constexpr char kGameKey[] = "SOFTWARE\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory";
inline constexpr char kGameVersionsKey[] = "SOFTWARE\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\Versions";
inline constexpr char kInstallDirValue[] = "InstallDir";
inline constexpr char kGameVersionValue[] = "SplinterCell3";
inline constexpr char kSupportedGameVersion[] = "1.05.157";

// Appended unchanged to InstallDir (even when that already ends in "\").
inline constexpr char kSystemSubfolder[] = "\\system\\";
// Appended to the all-users application-data folder.
inline constexpr char kConfigSubfolder[] = "\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\";

// In the configuration folder.
inline constexpr char kGameConfigFile[] = "SplinterCell3.ini";
inline constexpr char kGameConfigBackupFile[] = "SplinterCell3_old.ini";

// In the game's System folder.
inline constexpr char kResultFile[] = "TimeDemoResult.xls";
inline constexpr char kResultCopyFile[] = "TimeDemoResult.txt";
inline constexpr char kBenchBatchFile[] = "lumenrig.bat";
// As the bench command spells it; the file system ignores the case.
inline constexpr char kGameExeName[] = "Splintercell3.exe";

// Below the launcher's own folder: the demos that ship with it.
inline constexpr char kDemosSubfolder[] = "Demos\\";

inline std::string SystemFolderOf(const std::string& installDir) { return installDir + kSystemSubfolder; }
inline std::string ConfigFolderOf(const std::string& commonAppData) { return commonAppData + kConfigSubfolder; }

}  // namespace bench
