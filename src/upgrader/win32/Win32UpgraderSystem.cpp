#include "upgrader/win32/Win32UpgraderSystem.h"

#include <windows.h>

#include "upgrader/InstallPlan.h"
#include "upgrader/UpgraderCommandLine.h"

namespace upgrader {

namespace {
const char* const kCaption = "Upgrader3";

void DispatchOwnMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
}  // namespace

bool Win32UpgraderSystem::Failed() {
  lastError_ = GetLastError();
  return false;
}

bool Win32UpgraderSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<uint32_t> Win32UpgraderSystem::Attributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    Failed();
    return std::nullopt;
  }
  return attributes;
}

bool Win32UpgraderSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) || Failed();
}

bool Win32UpgraderSystem::Move(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) || Failed();
}

bool Win32UpgraderSystem::Delete(const std::string& path) {
  return DeleteFileA(path.c_str()) || Failed();
}

std::optional<std::string> Win32UpgraderSystem::ReadFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Failed();
    return std::nullopt;
  }
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0) content.append(buffer, read);
  if (!ok) Failed();
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return content;
}

std::vector<std::string> Win32UpgraderSystem::TempFileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*" + kTempSuffix).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    // The pattern also matches short names; only long names that really end so count.
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithNoCase(data.cFileName, kTempSuffix)) {
      names.push_back(data.cFileName);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

std::string Win32UpgraderSystem::ErrorText() {
  char* buffer = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, lastError_, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  if (text.empty()) text = "system error " + std::to_string(lastError_) + ".";
  return text;
}

void Win32UpgraderSystem::WaitUntilFree(const std::string& path) {
  const HANDLE thread = GetCurrentThread();
  const int priority = GetThreadPriority(thread);
  SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
  for (;;) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      break;
    }
    // Only a file in use is waited for; a missing or write-protected one never becomes free.
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) break;
    Sleep(1);
    DispatchOwnMessages();
  }
  SetThreadPriority(thread, priority);
}

bool Win32UpgraderSystem::Start(const std::string& programPath, const std::string& argument, const std::string& folder) {
  std::string commandLine = ProgramCommandLine(programPath, argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  // The program is named by its full path, so nothing is searched for and no part of a path
  // with blanks is taken for a program.
  if (!CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return Failed();
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32UpgraderSystem::ShowInformation(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

void Win32UpgraderSystem::ShowError(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace upgrader
