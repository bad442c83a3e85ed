#pragma once
// The replacement program from start to end: it waits for the launcher to exit, installs the
// complete downloads beside it, runs a setup program in setup mode and starts the launcher again.
#include <string>
#include <vector>

#include "upgrader/UpgraderSystem.h"

namespace upgrader {

// The texts the program shows.
extern const char* const kInformationText;
std::string NotInstalledText(const std::string& failedFile, const std::string& error,
                             const std::vector<std::string>& notRestored);
std::string NotStartedText(const std::string& program, const std::string& error);

// `arguments`: the command line's arguments after the program name. Returns the exit code:
// 0 when everything asked for was done.
int RunUpgrader(const std::vector<std::string>& arguments, UpgraderSystem& system);

}  // namespace upgrader
