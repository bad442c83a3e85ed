#include "procs/JvSHFileOperation.h"

#include "platform/Exceptions.h"

uint16_t ShellFlagsOf(const TJvSHFileOptions& options) {
  uint16_t flags = 0;
  for (TJvSHFileOption option : options) {
    switch (option) {
      case fofAllowUndo: flags |= platform::FofAllowUndo; break;
      case fofConfirmMouse: flags |= 0x2; break;          // FOF_CONFIRMMOUSE
      case fofFilesOnly: flags |= platform::FofFilesOnly; break;
      case fofMultiDestFiles: flags |= platform::FofMultiDestFiles; break;
      case fofNoConfirmation: flags |= platform::FofNoConfirmation; break;
      case fofNoConfirmMkDir: flags |= platform::FofNoConfirmMkDir; break;
      case fofRenameOnCollision: flags |= platform::FofRenameOnCollision; break;
      case fofSilent: flags |= platform::FofSilent; break;
      case fofSimpleProgress: flags |= platform::FofSimpleProgress; break;
      case fofWantMappingHandle: flags |= 0x20; break;    // FOF_WANTMAPPINGHANDLE
      case fofNoErrorUI: flags |= platform::FofNoErrorUi; break;
    }
  }
  return flags;
}

namespace {

uint32_t FunctionOf(TJvSHFileOpType type) {
  switch (type) {
    case foMove: return platform::FoMove;
    case foDelete: return platform::FoDelete;
    case foRename: return platform::FoRename;
    case foCopy: break;
  }
  return platform::FoCopy;
}

bool HasWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

}  // namespace

TJvSHFileOperation::TJvSHFileOperation(platform::ShellFileOperations& shell, platform::FileSystem& files)
    : shell_(shell), files_(files) {}

bool TJvSHFileOperation::Execute() {
  if (SourceFiles.empty())
    throw EJVCLException("No files specified to TJvSHFileOperation Execute function");

  platform::ShellFileRequest request;
  request.ownerWindow = OwnerWindow;
  request.function = FunctionOf(Operation);
  bool sourcesExist = true;
  for (const std::string& source : SourceFiles) {
    std::string full = files_.FullPath(source);
    if (!HasWildcard(full) && !files_.FileExists(full) && !files_.DirectoryExists(full))
      sourcesExist = false;
    request.from += full;
    request.from += '\0';
  }
  request.from += '\0';
  for (const std::string& target : DestFiles) {
    request.to += files_.FullPath(target);
    request.to += '\0';
  }
  request.to += '\0';
  request.flags = ShellFlagsOf(Options);
  request.title = Title;

  // The shell cannot be trusted to fail here (Wine "moves" a missing file successfully),
  // and there is nothing for it to do: the caller learns it from the result.
  if (!sourcesExist) return false;

  platform::ShellFileResult result = shell_.Perform(request);
  return result.code == 0 && !result.anyOperationsAborted;
}
