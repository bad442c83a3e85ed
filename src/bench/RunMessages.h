#pragma once
// The texts a run shows in its message boxes. "%s" marks where a path or the system's
// reason goes (see FillIn).
#include <string>

namespace bench {

// Checks before a run starts; a refused run changes nothing.
inline constexpr char kNotReadyToBench[] =
    "Please, install the retail version of Splinter Cell Chaos Theory. Not ready to bench!";
inline constexpr char kChooseResolution[] = "Please, choose a resolution of Splinter Cell Chaos Theory.";
inline constexpr char kCheckCustomDemo[] = "ERROR. Please check your custom defined demo parameters.";
inline constexpr char kChooseDemo[] = "Please, choose a demo.";
inline constexpr char kChooseShaderProfile[] = "Please, choose a shader profile.";

// The user's SplinterCell3.ini could not be moved aside; nothing was written. %s: the folder.
inline constexpr char kBackupFailed[] =
    "The benchmark cannot start: SplinterCell3.ini could not be moved aside to SplinterCell3_old.ini "
    "in this folder:\r\n%s\r\n\r\nYour game configuration was not changed.";
// The generated SplinterCell3.ini or lumenrig.bat could not be written. %s: the file's path.
inline constexpr char kFileNotWritten[] =
    "The benchmark stopped because this file could not be written:\r\n%s\r\n\r\n"
    "Your own game configuration has been put back.";
// The batch file could not be started. %s: the system's reason.
inline constexpr char kGameNotStarted[] =
    "The benchmark stopped because the game could not be started:\r\n%s\r\n\r\n"
    "Your own game configuration has been put back.";
// The report could not be saved. %s: the report's path.
inline constexpr char kReportNotSaved[] =
    "The benchmark report could not be saved as:\r\n%s\r\n\r\n"
    "The benchmark has ended and your own game configuration has been put back.";

// The end of a run or a stop could not move the user's file back; the crash flag stays
// set so that the next start offers the restore. %s: the backup's path.
inline constexpr char kConfigNotRestored[] =
    "Your own game configuration could not be put back. It is kept as:\r\n%s\r\n\r\n"
    "The launcher offers to restore it at its next start.";
// The closing words of the stop texts above, and what replaces them when the restore failed.
inline constexpr char kConfigPutBackWords[] = "our own game configuration has been put back.";
inline constexpr char kConfigKeptAsideWords[] =
    "our own game configuration could not be put back yet; the launcher offers to restore it at its next start.";

// `format` with its one "%s" replaced by `value` (taken as it is, never as a format).
std::string FillIn(const std::string& format, const std::string& value);

}  // namespace bench
