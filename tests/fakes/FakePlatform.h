#pragma once
// Every fake service in one place, for tests that build a component over the seams.
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShellFileOperations.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeTextCodePage.h"
#include "platform/Services.h"

struct FakePlatform {
  FakeRegistry registry;
  FakeFileSystem files;
  FakeSystemFolders folders;
  FakeShellFileOperations shellFiles{files};
  FakeClock clock;
  FakeMessageBoxes messages;
  FakeShell shell;
  FakeDisplay display;
  FakeTextCodePage codePage;
  // Not part of Services: handed to the process runners on their own.
  FakeProcesses processes;

  platform::Services Services() {
    return platform::Services{registry, files, folders, shellFiles, clock, messages, shell, display, codePage};
  }
};
