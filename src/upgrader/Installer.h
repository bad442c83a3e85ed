#pragma once
// Installs a plan's files all or nothing. Each old file is first moved aside to a backup name,
// then every new file is renamed into place; the backups are removed only when the whole set is
// in place. When any step fails, every file is put back as it was before.
#include <string>
#include <vector>

#include "upgrader/InstallPlan.h"
#include "upgrader/UpgraderSystem.h"

namespace upgrader {

struct InstallResult {
  bool installed = false;
  std::string failedFile;  // the file whose step failed (a full path)
  std::string error;       // why, as the system said it
  // Files that could not be put back after a failure, as "what (backup)" for the user.
  std::vector<std::string> notRestored;
};

// The plan's setup program, when it has one, is hidden once in place: it is deleted after it ran.
InstallResult Install(const std::string& folder, const InstallPlan& plan, UpgraderSystem& system);

}  // namespace upgrader
