#pragma once
#include "platform/ShellFileOperations.h"

namespace platform {

// SHFileOperationA. The shell's own progress and error windows come with it.
class Win32ShellFileOperations : public ShellFileOperations {
 public:
  ShellFileResult Perform(const ShellFileRequest& request) override;
};

}  // namespace platform
