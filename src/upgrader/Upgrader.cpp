#include "upgrader/Upgrader.h"

#include "upgrader/InstallPlan.h"
#include "upgrader/Installer.h"
#include "upgrader/UpgraderCommandLine.h"

namespace upgrader {

const char* const kInformationText =
    "Upgrader3 installs a downloaded update of Tavorin Splinter Cell CT Benchmark and then starts "
    "the benchmark again.\n\n"
    "The benchmark starts it by itself when an update has been downloaded. Started on its own, it "
    "has nothing to do.";

std::string NotInstalledText(const std::string& failedFile, const std::string& error,
                             const std::vector<std::string>& notRestored) {
  std::string text = "The update was not installed.\n\n" + failedFile + " could not be replaced";
  text += error.empty() ? std::string(".") : ": " + error;
  if (notRestored.empty()) {
    text += "\n\nAll files have been kept as they were, and the previous version is started again.";
  } else {
    text += "\n\nThese files could not be put back; their previous versions are under the backup names shown:";
    for (const std::string& file : notRestored) text += "\n" + file;
  }
  return text;
}

std::string NotStartedText(const std::string& program, const std::string& error) {
  std::string text = program + " could not be started";
  text += error.empty() ? std::string(".") : ": " + error;
  return text;
}

namespace {

class Run {
 public:
  Run(const UpgradeRequest& request, UpgraderSystem& system) : request_(request), system_(system) {}

  int Go() {
    if (system_.Exists(request_.launcherPath)) system_.WaitUntilFree(request_.launcherPath);
    const std::string listPath = request_.folder + kCompleteListName;
    const std::optional<std::string> list = system_.ReadFile(listPath);
    if (!list) {
      // Nothing was recorded as complete: a plain restart.
      return StartLauncher(request_.restartArgument) ? 0 : Report(1);
    }
    const InstallPlan plan = MakeInstallPlan(request_, ParseCompleteList(*list),
                                             system_.TempFileNames(request_.folder));
    const InstallResult result = Install(request_.folder, plan, system_);
    system_.Delete(listPath);
    if (!result.installed) {
      // The previous version did not go through an update: it gets no restart argument.
      message_ = NotInstalledText(result.failedFile, result.error, result.notRestored);
      StartLauncher("");
      return Report(1);
    }
    if (!plan.setup) return StartLauncher(request_.restartArgument) ? 0 : Report(1);

    const bool setupRan = system_.Start(plan.programToStart, request_.restartArgument, request_.folder);
    if (setupRan) {
      system_.WaitUntilFree(plan.programToStart);
    } else {
      Add(NotStartedText(plan.programToStart, system_.ErrorText()));
    }
    // The setup program is only a vehicle: it does not stay in the program's folder.
    system_.SetAttributes(plan.programToStart, kAttrNormal);
    system_.Delete(plan.programToStart);
    return StartLauncher(request_.restartArgument) && setupRan ? 0 : Report(1);
  }

 private:
  bool StartLauncher(const std::string& argument) {
    if (system_.Start(request_.launcherPath, argument, request_.folder)) return true;
    Add(NotStartedText(request_.launcherPath, system_.ErrorText()));
    return false;
  }

  void Add(const std::string& text) { message_ += (message_.empty() ? "" : "\n\n") + text; }

  // Everything that went wrong is told in one message.
  int Report(int code) {
    if (!message_.empty()) system_.ShowError(message_);
    return code;
  }

  const UpgradeRequest& request_;
  UpgraderSystem& system_;
  std::string message_;
};

}  // namespace

int RunUpgrader(const std::vector<std::string>& arguments, UpgraderSystem& system) {
  const std::optional<UpgradeRequest> request = ParseUpgradeRequest(arguments);
  if (!request) {
    system.ShowInformation(kInformationText);
    return 0;
  }
  return Run(*request, system).Go();
}

}  // namespace upgrader
