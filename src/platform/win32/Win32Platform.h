#pragma once
// The product's services: every seam bound to its Win32 implementation.
#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellFileOperations.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32TextCodePage.h"

namespace platform {

struct Win32Platform {
  explicit Win32Platform(std::string applicationTitle) : messages(std::move(applicationTitle)) {}

  Win32Registry registry;
  Win32FileSystem files;
  Win32SystemFolders folders;
  Win32ShellFileOperations shellFiles;
  Win32Clock clock;
  Win32MessageBoxes messages;
  Win32Shell shell;
  Win32Display display;
  Win32TextCodePage codePage;
  // Not part of Services: handed to the process runners on their own. Its
  // onHandOverError should lead to the application's general error box.
  Win32Processes processes;

  Services Bundle() {
    return Services{registry, files, folders, shellFiles, clock, messages, shell, display, codePage};
  }
};

}  // namespace platform
