#include "upgrader/UpgraderCommandLine.h"

namespace upgrader {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::vector<std::string> SplitArguments(const std::string& commandLine) {
  size_t i = 0;
  const size_t n = commandLine.size();
  // The program name: up to the first blank, or a quoted stretch; backslashes are literal.
  bool quoted = false;
  while (i < n && (quoted || !IsBlank(commandLine[i]))) {
    if (commandLine[i] == '"') quoted = !quoted;
    ++i;
  }
  std::vector<std::string> arguments;
  for (;;) {
    while (i < n && IsBlank(commandLine[i])) ++i;
    if (i >= n) break;
    std::string argument;
    quoted = false;
    while (i < n && (quoted || !IsBlank(commandLine[i]))) {
      size_t backslashes = 0;
      while (i < n && commandLine[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && commandLine[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
          argument += '"';  // "" inside quotes is one literal quote
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        argument.append(backslashes, '\\');
        if (i < n && (quoted || !IsBlank(commandLine[i]))) argument += commandLine[i++];
      }
    }
    arguments.push_back(argument);
  }
  return arguments;
}

std::optional<UpgradeRequest> ParseUpgradeRequest(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  std::string joined;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i) joined += ' ';
    joined += arguments[i];
  }
  const size_t separator = joined.rfind(" +");
  if (separator == std::string::npos) return std::nullopt;
  UpgradeRequest request;
  request.launcherPath = joined.substr(0, separator);
  const size_t lastBackslash = request.launcherPath.find_last_of('\\');
  if (lastBackslash == std::string::npos || lastBackslash + 1 == request.launcherPath.size()) return std::nullopt;
  request.folder = request.launcherPath.substr(0, lastBackslash + 1);
  request.restartArgument = joined.substr(separator + 2);
  const char last = joined.back();
  request.setupMode = last == '1';
  // Only a method digit is taken off; an argument without one is passed on whole.
  if (!request.restartArgument.empty() && (last == '0' || last == '1')) request.restartArgument.pop_back();
  return request;
}

std::string ProgramCommandLine(const std::string& programPath, const std::string& argument) {
  std::string line = "\"" + programPath + "\"";
  if (!argument.empty()) line += " " + argument;
  return line;
}

}  // namespace upgrader
