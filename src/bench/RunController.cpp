#include "bench/RunController.h"

#include "bench/BatchCommand.h"
#include "bench/BenchErrors.h"
#include "bench/GameInterface.h"
#include "bench/RunMessages.h"
#include "bench/RunHistoryFacts.h"
#include "bench/RunWaits.h"
#include "bench/history/ResultsHistory.h"
#include "platform/Exceptions.h"

namespace bench {

namespace {

constexpr char kCrashFlag[] = "NoErrorWarning";

// A stop text whose closing words promise a restore that did not happen says so instead.
std::string KeptAside(std::string text) {
  const std::string promise = kConfigPutBackWords;
  const size_t at = text.find(promise);
  if (at != std::string::npos) text.replace(at, promise.size(), kConfigKeptAsideWords);
  return text;
}

}  // namespace

RunController::RunController(const RunParts& parts, platform::DateTimeText& dateTime)
    : inputs_(parts.inputs),
      display_(parts.display),
      store_(parts.store),
      os_(parts.os),
      fileOp_(parts.fileOp),
      cp_(parts.cp),
      dateTime_(dateTime),
      writer_(os_.files, fileOp_, os_.clock) {}

// ---------------------------------------------------------------------------------------
// Start

bool RunController::Refuse(const char* message) {
  os_.messages.ShowMessage(message);
  return false;
}

bool RunController::ChecksPass() {
  const std::string systemFolder = inputs_.Folders().System;
  if (systemFolder.empty() || !os_.files.DirectoryExists(systemFolder)) return Refuse(kNotReadyToBench);

  run_.DoneCount = 0;
  run_.ChosenCount = 0;
  for (const auto& step : StepTable())
    if (inputs_.ResolutionChecked(static_cast<size_t>(step.Index))) ++run_.ChosenCount;
  if (run_.ChosenCount == 0) return Refuse(kChooseResolution);

  // Start-up may have loaded no demo or no shader profile; such a run would start the game
  // with empty names or an empty shader switch.
  const DemoControls demo = inputs_.Demo();
  if (demo.Selected < 0) return Refuse(kChooseDemo);
  if (demo.Selected == kUserDemoItem &&
      !CustomDemoParametersOk(os_.files, demo.DemoEditText, inputs_.MapIndex(), demo.MapnameText))
    return Refuse(kCheckCustomDemo);
  if (inputs_.OptionControls().ShaderIndex < 0) return Refuse(kChooseShaderProfile);
  return true;
}

void RunController::StartRun() {
  // The button is disabled for the length of a run; a click that arrives anyway is not a
  // second run.
  if (run_.State != RunState::Idle) return;

  memo5_.Reset();
  if (!ChecksPass()) return;

  // Read before this run sets it: "1" now means that an earlier run never finished and
  // that a backup lying aside is the user's own file.
  const std::string flagBefore = store_.ReadValue(kCrashFlag);
  const RunFolders folders = inputs_.Folders();
  const std::string& systemFolder = folders.System;

  display_.SetRunButtonEnabled(false);
  try {
    DeleteIfPresent(systemFolder + kResultCopyFile);
    // Set before anything of the user's is touched.
    store_.WriteValue(kCrashFlag, "1");
  } catch (...) {
    display_.SetRunButtonEnabled(true);
    throw;
  }

  run_.State = RunState::Measuring;
  run_.KeepPendingBackup = HasPendingBackup(os_.files, folders.Config, flagBefore);
  run_.ConfigAside = run_.KeepPendingBackup;
  Guard([&] {
    display_.SetProgressPanelVisible(true);
    run_.Stamp = TakeReportStamp(os_.clock, dateTime_);
    run_.Options = CaptureRunOptions(inputs_.OptionControls(), run_.Options);
    run_.DemoPick = PlaceDemo(inputs_.Demo(), run_.DemoPick, folders.Program, systemFolder, os_.files, fileOp_);

    run_.ReportLines.clear();
    run_.LastScore.clear();
    run_.Measured.clear();
    run_.AddInfo = inputs_.AddInfo();
    run_.Hardware = HardwareValues{};
    if (run_.AddInfo)
      run_.Hardware = ReadHardwareValues([this](const std::string& name) { return store_.ReadValue(name); });
    run_.Note = inputs_.Note();
    BeginReport(run_.ReportLines, run_.Stamp.StampText, run_.AddInfo, run_.Hardware, run_.Note);

    StartNextChosen(0, true);
  });
}

// ---------------------------------------------------------------------------------------
// One resolution

void RunController::StartNextChosen(int index, bool firstWrite) {
  for (int i = index; i < static_cast<int>(StepTable().size()); ++i) {
    if (inputs_.ResolutionChecked(static_cast<size_t>(i))) {
      RunResolution(StepAt(i), firstWrite);
      return;
    }
  }
  // Fewer games ended than were chosen, yet no checked row is left (the checks changed
  // under the panel): end the run rather than wait for a game that never comes.
  if (!firstWrite) FinishRun(run_.LastScore);
}

void RunController::RunResolution(const BenchStep& step, bool firstWrite) {
  // Painted now: the game is about to take the screen and the thread will not paint.
  display_.ShowProgress(ProgressText(step), step.LabelLeft);
  display_.RepaintNow();

  run_.CurrentWidth = step.CurrentWidth;
  memo5_.Reset();
  const BackupMode mode = !firstWrite                ? BackupMode::LaterWrite
                          : run_.KeepPendingBackup ? BackupMode::KeepPendingBackup
                                                   : BackupMode::TakeBackup;
  run_.ConfigAside = true;
  const RunFolders folders = inputs_.Folders();
  writer_.WriteGameConfig(memo5_, folders.Config, run_.Options, step, inputs_.OptionControls().HSMapping, mode);

  const std::string& systemFolder = folders.System;
  run_.Command = BuildBenchCommand(run_.DemoPick, run_.Options, step);
  WriteBenchBatch(os_.files, systemFolder, run_.Command);

  if (!cp_) throw Exception("The benchmark has no process runner.");
  TJvCreateProcess& cp = *cp_;
  cp.CurrentDirectory = systemFolder;
  cp.CommandLine = BenchBatchPath(systemFolder);
  try {
    cp.Run();
  } catch (const EOSError& e) {
    StopRun(FillIn(kGameNotStarted, e.what()), true);
    return;
  }
  run_.State = RunState::Measuring;
}

void RunController::OnBenchProcessEnd(uint32_t /*exitCode*/) {
  // An end that belongs to no measurement (the run was stopped meanwhile) moves nothing.
  if (run_.State != RunState::Measuring) return;
  Guard([&] {
    run_.State = RunState::Collecting;
    ++run_.DoneCount;
    CollectResolution();
    if (run_.DoneCount >= run_.ChosenCount) return;  // the collection finished the run
    const BenchStep* current = FindStep(run_.CurrentWidth);
    StartNextChosen(current ? current->Index + 1 : static_cast<int>(StepTable().size()), false);
  });
}

void RunController::CollectResolution() {
  // The game and the shell get time to let go of the result file.
  os_.clock.Wait(kWaitBeforeCollectMs);

  const std::string systemFolder = inputs_.Folders().System;
  if (os_.files.FileExists(systemFolder + kResultFile)) {
    display_.ShowProgress(kPreparingResultsText, kPreparingResultsLeft);
    display_.RepaintNow();
  }

  const BenchStep* step = FindStep(run_.CurrentWidth);
  std::string resultText;
  run_.LastScore = step ? AddResolutionResult(run_.ReportLines, *step, run_.Options, run_.DemoPick, systemFolder,
                                              os_.files, fileOp_, os_.clock, &resultText)
                        : std::string();
  if (!run_.LastScore.empty())
    run_.Measured.push_back({step->Width, step->Height, history::FrameRateFromResult(resultText), run_.LastScore});

  DeleteIfPresent(systemFolder + kResultFile);
  DeleteIfPresent(systemFolder + kResultCopyFile);
  DeleteIfPresent(BenchBatchPath(systemFolder));

  if (run_.DoneCount >= run_.ChosenCount) FinishRun(run_.LastScore);
}

// ---------------------------------------------------------------------------------------
// End

void RunController::FinishRun(const std::string& score) {
  run_.State = RunState::Finishing;
  // A report that cannot be saved does not keep the user's configuration from coming
  // back: the message waits until the end of the run.
  std::string reportError;
  std::string historyMessage;
  try {
    if (EndReport(run_.ReportLines, run_.Stamp.StampFile, inputs_.Folders().Results, score, os_.files, os_.shell))
      historyMessage = RecordHistory();
  } catch (const EBenchFileError& e) {
    reportError = e.what();
  }
  os_.clock.Wait(kWaitAfterReportMs);

  display_.SetProgressPanelVisible(false);
  memo5_.Reset();
  const bool restored = RestoreUserConfig();
  BackToIdle(restored);

  // The history's trouble is told once, after the report has opened.
  if (!historyMessage.empty()) os_.messages.ShowMessage(historyMessage);
  if (!reportError.empty())
    os_.messages.ShowMessage(restored ? reportError : KeptAside(reportError));
  else if (!restored)
    os_.messages.ShowMessage(FillIn(kConfigNotRestored, inputs_.Folders().Config + kGameConfigBackupFile));
}

std::string RunController::RecordHistory() {
  const std::string folder = inputs_.Folders().Results;
  const std::string reportPath = ReportPath(folder, run_.Stamp.StampFile);
  const std::string reportFile = ReportFileName(run_.Stamp.StampFile);
  const history::RunFacts facts =
      CollectRunFacts(run_.Stamp.Taken, reportFile, run_.Options, run_.DemoPick, run_.AddInfo,
                               run_.Hardware, run_.Note, run_.Measured, os_.codePage);
  return history::RecordRun(os_.files, folder, reportPath, facts, os_.clock.Now());
}

template <class Step>
void RunController::Guard(Step&& step) {
  try {
    step();
  } catch (const EBenchFileError& e) {
    // A failed backup leaves the user's file where it was: nothing to put back.
    StopRun(e.what(), e.kind != EBenchFileError::Kind::ConfigBackup);
  } catch (...) {
    // Anything else goes on to the general error box, but not before the user's
    // configuration is back and the button works again.
    StopRun("", true);
    throw;
  }
}

void RunController::StopRun(const std::string& message, bool restoreConfig) {
  display_.SetProgressPanelVisible(false);
  memo5_.Reset();
  const bool restored = restoreConfig && run_.ConfigAside ? RestoreUserConfig() : true;
  BackToIdle(restored);
  if (!message.empty()) os_.messages.ShowMessage(restored ? message : KeptAside(message));
}

bool RunController::RestoreUserConfig() {
  return writer_.RestoreGameConfig(inputs_.Folders().Config);
}

void RunController::BackToIdle(bool configRestored) {
  run_.State = RunState::Idle;
  const std::string batch = BenchBatchPath(inputs_.Folders().System);
  try {
    // While the user's file is still aside the flag stays, so the next start offers the
    // restore.
    if (configRestored) store_.WriteValue(kCrashFlag, "0");
  } catch (...) {
    display_.SetRunButtonEnabled(true);
    DeleteIfPresent(batch);
    throw;
  }
  display_.SetRunButtonEnabled(true);
  DeleteIfPresent(batch);
}

void RunController::DeleteIfPresent(const std::string& path) {
  if (os_.files.FileExists(path)) os_.files.RemoveFile(path);
}

}  // namespace bench
