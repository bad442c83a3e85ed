#include "TestSupport.h"

#include <cstdio>

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    // Sent messages are delivered inside this wait; posted ones end it.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 50 ? timeoutMs - elapsed : 50, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::string ChildPath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1) + "procs_child.exe";
}

std::string ChildCommand(const std::string& arguments) {
  return "\"" + ChildPath() + "\" " + arguments;
}


std::string ScratchFolder(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = std::string(temp) + "lumenrig_procs_tests\\";
  CreateDirectoryA(root.c_str(), nullptr);
  std::string folder = root + name + "\\";
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool StillRunningAfter(DWORD processId, DWORD ms) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!h) return false;
  bool running = WaitForSingleObject(h, ms) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}
