#pragma once
// The shell's file operation (copy, move, delete, rename of files with the shell's own
// progress and error windows).
#include <cstdint>
#include <string>

namespace platform {

// Operation codes and flags, numbered as the shell numbers them.
enum ShellFileFunc : uint32_t { FoMove = 1, FoCopy = 2, FoDelete = 3, FoRename = 4 };
enum ShellFileFlag : uint16_t {
  FofMultiDestFiles = 0x1, FofSilent = 0x4, FofRenameOnCollision = 0x8,
  FofNoConfirmation = 0x10, FofAllowUndo = 0x40, FofFilesOnly = 0x80,
  FofSimpleProgress = 0x100, FofNoConfirmMkDir = 0x200, FofNoErrorUi = 0x400
};

struct ShellFileRequest {
  uintptr_t ownerWindow = 0;
  uint32_t function = FoCopy;
  std::string from;  // full paths, each followed by a zero character, one more at the end
  std::string to;    // the same form; may be just the final zero
  uint16_t flags = 0;
  std::string title;
};

struct ShellFileResult {
  int code = 0;                 // 0 is success
  bool anyOperationsAborted = false;
};

class ShellFileOperations {
 public:
  virtual ~ShellFileOperations() = default;
  virtual ShellFileResult Perform(const ShellFileRequest& request) = 0;
};

}  // namespace platform
