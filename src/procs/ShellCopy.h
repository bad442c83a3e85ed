#pragma once
// One copy or move through the main window's shell file operation (FileOp), the way
// every caller uses it: one source, one target, execute, lists emptied again.
#include <string>

#include "procs/JvSHFileOperation.h"

// True when the shell reports the whole operation done. Callers that must know whether
// the file really arrived check the files themselves.
bool ShellCopy(TJvSHFileOperation& fileOp, const std::string& source, const std::string& target);
bool ShellMove(TJvSHFileOperation& fileOp, const std::string& source, const std::string& target);
