#pragma once
// The operating-system services a component may use, handed to it at construction.
// The product fills it with the Win32 implementations, tests with the fakes.
#include "platform/Clock.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/ShellFileOperations.h"
#include "platform/TextCodePage.h"

namespace platform {

struct Services {
  Registry& registry;
  FileSystem& files;
  SystemFolders& folders;
  ShellFileOperations& shellFiles;
  Clock& clock;
  MessageBoxes& messages;
  Shell& shell;
  Display& display;
  TextCodePage& codePage;
};

}  // namespace platform
