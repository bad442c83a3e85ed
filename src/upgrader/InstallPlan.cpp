#include "upgrader/InstallPlan.h"

#include <algorithm>
#include <cctype>

namespace upgrader {

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool EndsWithNoCase(const std::string& s, const std::string& ending) {
  return s.size() >= ending.size() && EqualsNoCase(s.substr(s.size() - ending.size()), ending);
}

namespace {

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsNoCase(n, name); });
}

bool IsBareTempName(const std::string& name) {
  const std::string suffix = kTempSuffix;
  if (name.size() <= suffix.size() || !EndsWithNoCase(name, suffix)) return false;
  return name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

}  // namespace

std::vector<std::string> ParseCompleteList(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (IsBareTempName(line) && !ContainsNoCase(names, line)) names.push_back(line);
    start = end + 1;
  }
  return names;
}

InstallPlan MakeInstallPlan(const UpgradeRequest& request, const std::vector<std::string>& listed,
                            const std::vector<std::string>& present) {
  InstallPlan plan;
  const std::string suffix = kTempSuffix;
  for (const std::string& name : listed) {
    if (!IsBareTempName(name) || !ContainsNoCase(present, name)) continue;
    plan.entries.push_back({name, name.substr(0, name.size() - suffix.size())});
  }
  plan.programToStart = request.launcherPath;
  if (!request.setupMode) return plan;
  const std::string launcherName = FileNameOf(request.launcherPath);
  const bool launcherUpdated = std::any_of(plan.entries.begin(), plan.entries.end(), [&](const InstallEntry& e) {
    return EqualsNoCase(e.targetName, launcherName);
  });
  if (launcherUpdated) return plan;
  for (size_t i = 0; i < plan.entries.size(); ++i) {
    if (EndsWithNoCase(plan.entries[i].targetName, ".exe")) {
      plan.setup = i;
      plan.programToStart = request.folder + plan.entries[i].targetName;
      break;
    }
  }
  return plan;
}

}  // namespace upgrader
