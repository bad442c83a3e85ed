#pragma once
// The benchmark run: a state machine on the user-interface thread that moves on only at
// the click of the run button and at the end of each game process. Every chosen
// resolution is measured in table order, one game process each; the end of the last one
// writes the report, opens it and puts the user's game configuration back.
#include <cstdint>
#include <string>
#include <vector>

#include "bench/ConfigTemplate.h"
#include "bench/DemoChoice.h"
#include "bench/GameConfigWriter.h"
#include "bench/Report.h"
#include "bench/RunOptions.h"
#include "bench/StepTable.h"
#include "bench/history/RunFacts.h"
#include "bench/RunControl.h"
#include "bench/RunForm.h"
#include "platform/DateTimeText.h"
#include "platform/Services.h"
#include "procs/JvCreateProcess.h"
#include "procs/JvSHFileOperation.h"
#include "settings/SettingsStore.h"

namespace bench {

enum class RunState {
  Idle,        // between runs: the button is enabled, the panel hidden
  Measuring,   // a game process runs for CurrentWidth
  Collecting,  // its end is being collected
  Finishing,   // the report is written and the user's configuration put back
};

// The state of one run; reset by every start.
struct BenchRun {
  int ChosenCount = 0;       // resolutions checked when the run started
  int DoneCount = 0;         // game processes ended in this run
  std::string CurrentWidth;  // "640" .. "2048": the row being measured
  ReportStamp Stamp;
  RunOptions Options;
  DemoChoice DemoPick;
  std::string Command;                   // bench command of the current resolution
  std::vector<std::string> ReportLines;  // the report under construction

  RunState State = RunState::Idle;
  // "SplinterCell3_old.ini" is the user's file from a run that never finished: this run
  // keeps it as its backup instead of setting the generated file aside in its place.
  bool KeepPendingBackup = false;
  // Something of the user's may lie aside: a pending backup, or a write of this run has
  // begun. Until then a stop has nothing to put back, and an old file aside must not be
  // moved over the user's configuration.
  bool ConfigAside = false;
  std::string LastScore;  // of the latest collection
  // For the results history: what the report's head was written from, and every
  // resolution that left a result, in the order measured.
  bool AddInfo = false;
  HardwareValues Hardware;
  std::string Note;
  std::vector<history::ResolutionFacts> Measured;
};

// What the run works with, all owned by the main window: its controls (as the two narrow
// sides of RunForm.h), the settings store, the shell file operation FileOp and the process
// runner `cp` (null: every start fails with an error).
struct RunParts {
  RunInputs& inputs;
  RunDisplay& display;
  settings::SettingsStore& store;
  platform::Services& os;
  TJvSHFileOperation& fileOp;
  TJvCreateProcess* cp;
};

class RunController : public RunControl {
 public:
  RunController(const RunParts& parts, platform::DateTimeText& dateTime);

  // The click of BenchButton.
  void StartRun() override;
  // cpTerminate: a game process has ended (its exit code does not matter).
  void OnBenchProcessEnd(uint32_t exitCode) override;

  const BenchRun& Run() const { return run_; }
  // The working copy of the configuration template (Memo5).
  const TemplateCopy& WorkingCopy() const { return memo5_; }

 private:
  // Shows `message` and leaves everything as it was; always false.
  bool Refuse(const char* message);
  bool ChecksPass();
  void StartNextChosen(int index, bool firstWrite);
  void RunResolution(const BenchStep& step, bool firstWrite);
  void CollectResolution();
  void FinishRun(const std::string& score);
  // After a saved report: brings the results history up to date; returns what to tell
  // the user ("" when all went well).
  std::string RecordHistory();

  // Runs a step that may fail with a file or start error and stops the run soundly then.
  template <class Step>
  void Guard(Step&& step);
  // A run that cannot go on: the user's configuration goes back (unless it was never
  // moved), the crash flag is cleared, the panel hidden and the button enabled; then
  // `message` is shown (nothing when it is empty).
  void StopRun(const std::string& message, bool restoreConfig);
  // Puts the user's file back; true when it is back (or there was nothing to put back).
  bool RestoreUserConfig();
  // The end of every run, normal or stopped.
  void BackToIdle(bool configRestored);
  void DeleteIfPresent(const std::string& path);

  RunInputs& inputs_;
  RunDisplay& display_;
  settings::SettingsStore& store_;
  platform::Services& os_;
  TJvSHFileOperation& fileOp_;
  TJvCreateProcess* cp_;
  platform::DateTimeText& dateTime_;
  TemplateCopy memo5_;
  GameConfigWriter writer_;
  BenchRun run_;
};

}  // namespace bench
