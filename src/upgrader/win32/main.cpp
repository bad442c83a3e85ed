// Upgrader3.exe: installs a downloaded update of the launcher once the launcher has exited, and
// starts it again. A windowless program: it shows message boxes only.
#include <windows.h>

#include "upgrader/Upgrader.h"
#include "upgrader/UpgraderCommandLine.h"
#include "upgrader/win32/Win32UpgraderSystem.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  upgrader::Win32UpgraderSystem system;
  return upgrader::RunUpgrader(upgrader::SplitArguments(GetCommandLineA()), system);
}
