#pragma once
// Writes the game's SplinterCell3.ini for one measurement from the carried template, and
// keeps the user's own file safe as SplinterCell3_old.ini until the run puts it back.
#include <string>

#include "bench/ConfigTemplate.h"
#include "bench/RunOptions.h"
#include "bench/StepTable.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "procs/JvSHFileOperation.h"

namespace bench {

// What the write does with the user's file before it saves the generated one.
enum class BackupMode {
  TakeBackup,         // first write of a run: move the user's file aside (if there is one)
  KeepPendingBackup,  // first write, but the aside file is the user's from an unfinished run
  LaterWrite,         // later writes of the run: the backup is already there
};

// True when "SplinterCell3_old.ini" is the user's file left by an unfinished run: it
// exists and the crash flag read "1" before this run set it.
bool HasPendingBackup(platform::FileSystem& files, const std::string& configFolder,
                      const std::string& noErrorWarningBeforeRun);

enum class ConfigRestore { NoBackup, Restored, StillAside };

// Puts the user's file back: deletes the generated "SplinterCell3.ini" in `configFolder` if
// there is one, waits `waitMs` (the game and the shell let go of it; with `waitAlways` also
// when there was none) and moves "SplinterCell3_old.ini" onto its name through the shell.
// Only the files tell whether that worked; the shell's answer alone proves nothing.
ConfigRestore RestoreUserConfig(platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock,
                                const std::string& configFolder, uint32_t waitMs, bool waitAlways);

class GameConfigWriter {
 public:
  GameConfigWriter(platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock);

  // The substitutions of one write on the working copy (reset to the pristine text by the
  // caller): shadow mapping, shader and effects, resolution, in that order.
  static void ApplyRunSettings(TemplateCopy& memo5, const RunOptions& options, const BenchStep& step,
                               bool hsMapping);

  // `configFolder` ends in "\". Throws EBenchFileError:
  //  ConfigBackup when the user's file could not be moved aside (nothing is written then),
  //  ConfigWrite when the generated file could not be saved.
  void WriteGameConfig(TemplateCopy& memo5, const std::string& configFolder, const RunOptions& options,
                       const BenchStep& step, bool hsMapping, BackupMode mode);

  // Moves "SplinterCell3_old.ini" back over "SplinterCell3.ini". True when there was
  // nothing to put back or it is back in place; false when the backup is still aside.
  bool RestoreGameConfig(const std::string& configFolder);

 private:
  void TakeBackup(const std::string& configFolder);

  platform::FileSystem& files_;
  TJvSHFileOperation& fileOp_;
  platform::Clock& clock_;
};

}  // namespace bench
