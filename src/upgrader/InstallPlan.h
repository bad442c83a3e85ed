#pragma once
// Which downloaded files the replacement program installs, and what it starts afterwards.
//
// The launcher writes the list of complete downloads, "Upgrader3.uLST" in its folder, after the
// last file of an update has arrived: one temporary file name per line ("lumenrig.exe.uTMP").
// Only listed files that are present are installed; a "*.uTMP" file that is not listed (an
// unfinished download) is never installed. Without the list nothing is installed.
#include <optional>
#include <string>
#include <vector>

#include "upgrader/UpgraderCommandLine.h"

namespace upgrader {

inline constexpr const char* kCompleteListName = "Upgrader3.uLST";
inline constexpr const char* kTempSuffix = ".uTMP";

// The valid names of the list, in its order, each once (names compare without regard to case).
// A line that is not a bare "*.uTMP" file name (a path, a drive, nothing before the ending) is
// left out.
std::vector<std::string> ParseCompleteList(const std::string& text);

struct InstallEntry {
  std::string tempName;    // "lumenrig.exe.uTMP"
  std::string targetName;  // "lumenrig.exe"
};

struct InstallPlan {
  std::vector<InstallEntry> entries;  // in the list's order
  // Index into entries of the setup program that runs first (setup mode only).
  std::optional<size_t> setup;
  // Full path of the program started after the installation: the setup program or the launcher.
  std::string programToStart;
};

// `listed`: the names of the list; `present`: the "*.uTMP" names found in the folder.
// In setup mode the first listed program ("*.exe") becomes the setup program, unless the
// launcher's own update is among the files.
InstallPlan MakeInstallPlan(const UpgradeRequest& request, const std::vector<std::string>& listed,
                            const std::vector<std::string>& present);

bool EqualsNoCase(const std::string& a, const std::string& b);
bool EndsWithNoCase(const std::string& s, const std::string& ending);

}  // namespace upgrader
