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

namespace {
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

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

std::string ReadText(const std::string& path) {
  std::string out;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    std::fclose(f);
  }
  return out;
}

void WriteText(const std::string& path, const std::string& text) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool StillRunningAfter(DWORD processId, DWORD ms) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!h) return false;
  bool running = WaitForSingleObject(h, ms) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}
