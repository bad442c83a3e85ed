#include "bench/GameConfigWriter.h"

#include "bench/BenchErrors.h"
#include "bench/GameInterface.h"
#include "bench/RunMessages.h"
#include "bench/RunWaits.h"
#include "procs/ShellCopy.h"

namespace bench {

bool HasPendingBackup(platform::FileSystem& files, const std::string& configFolder,
                      const std::string& noErrorWarningBeforeRun) {
  return noErrorWarningBeforeRun == "1" && files.FileExists(configFolder + kGameConfigBackupFile);
}

GameConfigWriter::GameConfigWriter(platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock)
    : files_(files), fileOp_(fileOp), clock_(clock) {}

void GameConfigWriter::ApplyRunSettings(TemplateCopy& memo5, const RunOptions& options, const BenchStep& step,
                                        bool hsMapping) {
  if (hsMapping) memo5.Replace("UseHWShadowMapping=False", "UseHWShadowMapping=True");
  memo5.Replace("ShaderModel=1", options.ShaderIniLine);
  memo5.Replace("ParallaxMapping=0", options.ParallaxIniLine);
  memo5.Replace("HQSoftShadows=0", options.HQSoftShadowsIniLine);
  memo5.Replace("HDR=0", options.HDRIniLine);
  memo5.Replace("ToneMapping=0", options.ToneMappingIniLine);
  memo5.Replace("FullscreenViewportX=1024", ConfigXLine(step));
  memo5.Replace("FullscreenViewportY=768", ConfigYLine(step));
}

void GameConfigWriter::TakeBackup(const std::string& configFolder) {
  const std::string ini = configFolder + kGameConfigFile;
  const std::string backup = configFolder + kGameConfigBackupFile;
  if (!files_.FileExists(ini)) return;  // nothing of the user's to keep
  ShellMove(fileOp_, ini, backup);
  // The shell's answer alone proves nothing (a locked file, Wine's lenient move): only
  // the files tell whether the user's configuration is safe before we write over it.
  if (files_.FileExists(ini) || !files_.FileExists(backup))
    throw EBenchFileError(EBenchFileError::Kind::ConfigBackup, configFolder, FillIn(kBackupFailed, configFolder));
}

void GameConfigWriter::WriteGameConfig(TemplateCopy& memo5, const std::string& configFolder,
                                       const RunOptions& options, const BenchStep& step, bool hsMapping,
                                       BackupMode mode) {
  if (mode == BackupMode::TakeBackup ||
      (mode == BackupMode::KeepPendingBackup && !files_.FileExists(configFolder + kGameConfigBackupFile)))
    TakeBackup(configFolder);

  ApplyRunSettings(memo5, options, step, hsMapping);

  const std::string ini = configFolder + kGameConfigFile;
  if (!files_.WriteAll(ini, memo5.FileBytes()))
    throw EBenchFileError(EBenchFileError::Kind::ConfigWrite, ini, FillIn(kFileNotWritten, ini));
}

ConfigRestore RestoreUserConfig(platform::FileSystem& files, TJvSHFileOperation& fileOp, platform::Clock& clock,
                                const std::string& configFolder, uint32_t waitMs, bool waitAlways) {
  const std::string ini = configFolder + kGameConfigFile;
  const std::string backup = configFolder + kGameConfigBackupFile;
  if (!files.FileExists(backup)) return ConfigRestore::NoBackup;
  const bool deleted = files.FileExists(ini);
  if (deleted) files.RemoveFile(ini);
  if (deleted || waitAlways) clock.Wait(waitMs);
  ShellMove(fileOp, backup, ini);
  return files.FileExists(ini) && !files.FileExists(backup) ? ConfigRestore::Restored : ConfigRestore::StillAside;
}

bool GameConfigWriter::RestoreGameConfig(const std::string& configFolder) {
  return RestoreUserConfig(files_, fileOp_, clock_, configFolder, kWaitBeforeRestoreMs, false) !=
         ConfigRestore::StillAside;
}

}  // namespace bench
