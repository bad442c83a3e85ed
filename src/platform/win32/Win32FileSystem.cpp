#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/Text.h"

namespace platform {
namespace {

DWORD Attributes(const std::string& path) {
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesA(path.c_str());
}

std::string WithoutTrailingBackslash(std::string path) {
  // Keep "C:\" whole: without its "\" it would mean the drive's current folder.
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::ReadAll(const std::string& path, std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while (true) {
    if (!::ReadFile(h, buffer, sizeof buffer, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    out.append(buffer, got);
  }
  CloseHandle(h);
  if (ok) bytes.swap(out);
  return ok;
}

bool Win32FileSystem::WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!::WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
      ok = false;
      break;
    }
    done += wrote;
  }
  if (!CloseHandle(h)) ok = false;
  return ok;
}

bool Win32FileSystem::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

AppendOutcome Win32FileSystem::Append(const std::string& path, const std::string& bytes) {
  // FILE_APPEND_DATA alone: every write goes to the end, whoever else appends. Readers may
  // share; a program that opened the file without write sharing (a spreadsheet program
  // does) makes the open fail with a sharing violation, which we report apart.
  HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? AppendOutcome::Locked
                                                                              : AppendOutcome::Failed;
  }
  // One WriteFile for the whole text, so that an end of the process in between leaves no
  // part of it behind. Our texts are a few kilobytes; larger ones would still go in one call.
  DWORD wrote = 0;
  const DWORD size = static_cast<DWORD>(bytes.size());
  bool ok = bytes.empty() || (::WriteFile(h, bytes.data(), size, &wrote, nullptr) && wrote == size);
  if (!CloseHandle(h)) ok = false;
  return ok ? AppendOutcome::Appended : AppendOutcome::Failed;
}

bool Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::CreateDirectories(const std::string& path) {
  std::string full = WithoutTrailingBackslash(FullPath(path));
  if (DirectoryExists(full)) return true;
  size_t slash = full.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) {
    if (!CreateDirectories(full.substr(0, slash))) return false;
  }
  return ::CreateDirectoryA(full.c_str(), nullptr) != 0 || DirectoryExists(full);
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((text::WithTrailingBackslash(folder) + pattern).c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return out;
}

std::string Win32FileSystem::CurrentDirectory() {
  char buffer[MAX_PATH * 2] = {};
  DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

bool Win32FileSystem::ChangeDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string Win32FileSystem::FullPath(const std::string& path) {
  if (path.empty()) return path;
  char buffer[MAX_PATH * 4] = {};
  char* name = nullptr;
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, &name);
  if (n == 0 || n >= sizeof buffer) return path;
  return std::string(buffer, n);
}

std::string Win32SystemFolders::ModuleFileName() {
  char buffer[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n);
}

std::string Win32SystemFolders::CommonAppData() {
  // The XP-era calls; SHGetFolderPath would do too, but these exist everywhere we run.
  LPITEMIDLIST list = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, CSIDL_COMMON_APPDATA, &list) != S_OK || !list) return "";
  char buffer[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListA(list, buffer);
  CoTaskMemFree(list);
  return ok ? WithoutTrailingBackslash(buffer) : std::string();
}

std::string Win32SystemFolders::SystemDirectory() {
  char buffer[MAX_PATH] = {};
  UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

std::string Win32SystemFolders::TempPath() {
  char buffer[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(sizeof buffer, buffer);
  return text::WithTrailingBackslash(std::string(buffer, n <= MAX_PATH ? n : 0));
}

}  // namespace platform
