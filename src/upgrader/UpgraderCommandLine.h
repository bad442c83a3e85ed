#pragma once
// The replacement program's command line: what the launcher asks it to do.
//
// The launcher starts it as
//   "<temp>\Upgrader3.exe" "<launcher path>" +<restart argument><method digit>
// and older launchers wrote the same without quotes, so a launcher path with blanks arrives
// split into several arguments. The arguments are joined again with single blanks; the launcher
// path ends at the last " +", because a path may itself contain "+" ("C:\C++ Tools\...").
#include <optional>
#include <string>
#include <vector>

namespace upgrader {

struct UpgradeRequest {
  std::string launcherPath;     // full path of the launcher's executable
  std::string folder;           // the launcher's folder, with "\" at its end
  std::string restartArgument;  // given to the restarted launcher, without the method digit
  bool setupMode = false;       // method digit "1": a downloaded setup program runs first
};

// The arguments after the program name, split as the C runtime splits a command line
// (blanks and tabs separate, "..." groups, backslashes escape only before a quote).
std::vector<std::string> SplitArguments(const std::string& commandLine);

// nullopt when the arguments are not a request of the launcher: none at all, no " +"
// separator, or a launcher path that is not a full path with a folder.
std::optional<UpgradeRequest> ParseUpgradeRequest(const std::vector<std::string>& arguments);

// A command line for a program started by its full path: the path quoted, then the argument
// (none when empty).
std::string ProgramCommandLine(const std::string& programPath, const std::string& argument);

}  // namespace upgrader
