#include "procs/ShellCopy.h"

namespace {

bool Perform(TJvSHFileOperation& fileOp, TJvSHFileOpType operation, const std::string& source,
             const std::string& target) {
  fileOp.SourceFiles = {source};
  fileOp.DestFiles = {target};
  fileOp.Operation = operation;
  bool done = false;
  try {
    done = fileOp.Execute();
  } catch (...) {
    fileOp.SourceFiles.clear();
    fileOp.DestFiles.clear();
    throw;
  }
  fileOp.SourceFiles.clear();
  fileOp.DestFiles.clear();
  return done;
}

}  // namespace

bool ShellCopy(TJvSHFileOperation& fileOp, const std::string& source, const std::string& target) {
  return Perform(fileOp, foCopy, source, target);
}

bool ShellMove(TJvSHFileOperation& fileOp, const std::string& source, const std::string& target) {
  return Perform(fileOp, foMove, source, target);
}
