#pragma once
// TJvSHFileOperation: copies and moves files through the shell's file operation, so that
// the shell's progress window and error reporting come with it.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ShellFileOperations.h"

enum TJvSHFileOpType { foCopy, foDelete, foMove, foRename };
enum TJvSHFileOption {
  fofAllowUndo, fofConfirmMouse, fofFilesOnly, fofMultiDestFiles, fofNoConfirmation,
  fofNoConfirmMkDir, fofRenameOnCollision, fofSilent, fofSimpleProgress, fofWantMappingHandle,
  fofNoErrorUI
};
using TJvSHFileOptions = std::set<TJvSHFileOption>;

// The shell's flags for a set of options (the main window's set gives 0x390).
uint16_t ShellFlagsOf(const TJvSHFileOptions& options);

class TJvSHFileOperation {
 public:
  TJvSHFileOperation(platform::ShellFileOperations& shell, platform::FileSystem& files);

  std::vector<std::string> SourceFiles;
  std::vector<std::string> DestFiles;
  TJvSHFileOpType Operation = foCopy;
  TJvSHFileOptions Options;
  std::string Title;
  // The owner's window handle; 0 lets the shell's windows belong to the foreground window.
  uintptr_t OwnerWindow = 0;

  // True when the shell did the whole operation. Raises EJVCLException when SourceFiles
  // is empty. A source that does not exist gives False without asking the shell (Wine's
  // shell reports success for a move of a missing file).
  bool Execute();

 private:
  platform::ShellFileOperations& shell_;
  platform::FileSystem& files_;
};
