// htmlogger: stands in for the web browser in end-to-end runs. Registered as the program that
// opens ".htm" files, it appends one line per call to the log file named by its first argument:
// the rest of its command line, as the shell passed it (UTF-8).
//   htmlogger.exe LOGFILE "%1"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

// The command line after the first two tokens (program and log file), untouched.
const wchar_t* SkipTokens(const wchar_t* s, int count) {
  for (int i = 0; i < count; ++i) {
    while (*s == L' ' || *s == L'\t') ++s;
    bool quoted = false;
    while (*s && (quoted || (*s != L' ' && *s != L'\t'))) {
      if (*s == L'"') quoted = !quoted;
      ++s;
    }
  }
  while (*s == L' ' || *s == L'\t') ++s;
  return s;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  std::wstring rest = SkipTokens(GetCommandLineW(), 2);
  int n = WideCharToMultiByte(CP_UTF8, 0, rest.c_str(), static_cast<int>(rest.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string line(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, rest.c_str(), static_cast<int>(rest.size()), line.data(), n,
                      nullptr, nullptr);
  line += "\n";
  // Several openings may race: append under a share-less open, retried briefly.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE f = CreateFileW(argv[1], FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      BOOL ok = WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(f);
      return ok && written == line.size() ? 0 : 1;
    }
    Sleep(20);
  }
  return 1;
}
