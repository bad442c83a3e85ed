#include "upgrader/Installer.h"

#include <optional>

namespace upgrader {

namespace {

struct Step {
  std::string temp;    // full path of the downloaded file
  std::string target;  // full path of the installed file
  std::optional<uint32_t> tempAttributes;
  std::optional<uint32_t> oldAttributes;  // set when an old file existed
  std::string backup;                     // its backup path, once moved aside
  bool newInPlace = false;
};

// A free backup name beside the old file; a leftover of an earlier run is never overwritten.
std::optional<std::string> FreeBackupName(const std::string& target, UpgraderSystem& system) {
  for (int n = 1; n <= 9; ++n) {
    std::string name = target + ".uOLD" + (n == 1 ? std::string() : std::to_string(n));
    if (!system.Exists(name)) return name;
  }
  return std::nullopt;
}

class Transaction {
 public:
  Transaction(const std::string& folder, const InstallPlan& plan, UpgraderSystem& system) : system_(system) {
    for (const InstallEntry& entry : plan.entries) {
      steps_.push_back({folder + entry.tempName, folder + entry.targetName, {}, {}, {}, false});
    }
    if (plan.setup) hiddenStep_ = *plan.setup;
  }

  InstallResult Run() {
    InstallResult result;
    if (MoveOldFilesAside(result) && PutNewFilesInPlace(result)) {
      RemoveBackups();
      result.installed = true;
      return result;
    }
    RollBack(result);
    return result;
  }

 private:
  bool Fail(InstallResult& result, const std::string& file) {
    result.failedFile = file;
    result.error = system_.ErrorText();
    return false;
  }

  bool MoveOldFilesAside(InstallResult& result) {
    for (Step& step : steps_) {
      step.tempAttributes = system_.Attributes(step.temp);
      if (!step.tempAttributes) return Fail(result, step.temp);
      if (!system_.Exists(step.target)) continue;
      step.oldAttributes = system_.Attributes(step.target);
      if (!step.oldAttributes) return Fail(result, step.target);
      std::optional<std::string> backup = FreeBackupName(step.target, system_);
      if (!backup) {
        result.failedFile = step.target;
        result.error = "There is no free name for its backup.";
        return false;
      }
      if (*step.oldAttributes != kAttrNormal && !system_.SetAttributes(step.target, kAttrNormal)) {
        return Fail(result, step.target);
      }
      if (!system_.Move(step.target, *backup)) {
        Fail(result, step.target);
        system_.SetAttributes(step.target, *step.oldAttributes);
        return false;
      }
      step.backup = *backup;
    }
    return true;
  }

  bool PutNewFilesInPlace(InstallResult& result) {
    for (size_t i = 0; i < steps_.size(); ++i) {
      Step& step = steps_[i];
      if (!system_.Move(step.temp, step.target)) return Fail(result, step.target);
      step.newInPlace = true;
      const uint32_t attributes = i == hiddenStep_ ? (kAttrHidden | kAttrArchive) : kAttrArchive;
      if (!system_.SetAttributes(step.target, attributes)) return Fail(result, step.target);
    }
    return true;
  }

  void RemoveBackups() {
    for (const Step& step : steps_) {
      if (!step.backup.empty()) system_.Delete(step.backup);
    }
  }

  void RollBack(InstallResult& result) {
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
      Step& step = *it;
      if (step.newInPlace) {
        if (system_.Move(step.target, step.temp)) {
          system_.SetAttributes(step.temp, *step.tempAttributes);
        } else {
          // The old file cannot go back while the new one sits in its place.
          if (!step.backup.empty()) result.notRestored.push_back(step.target + " (" + step.backup + ")");
          continue;
        }
      }
      if (step.backup.empty()) continue;
      if (system_.Move(step.backup, step.target)) {
        system_.SetAttributes(step.target, *step.oldAttributes);
      } else {
        result.notRestored.push_back(step.target + " (" + step.backup + ")");
      }
    }
  }

  UpgraderSystem& system_;
  std::vector<Step> steps_;
  size_t hiddenStep_ = static_cast<size_t>(-1);
};

}  // namespace

InstallResult Install(const std::string& folder, const InstallPlan& plan, UpgraderSystem& system) {
  return Transaction(folder, plan, system).Run();
}

}  // namespace upgrader
