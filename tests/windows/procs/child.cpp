// A stand-in child program for the process tests. Arguments, in any order:
//   --sleep N   sleep N milliseconds first
//   --write F   write a description of itself to file F: its command line, the
//               STARTUPINFO it got and whether its console window is visible
//   --exit K    exit with code K (an unsigned 32-bit number), default 0
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  unsigned long sleepMs = 0;
  unsigned long exitCode = 0;
  const char* writeTo = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (!std::strcmp(argv[i], "--sleep")) sleepMs = std::strtoul(argv[++i], nullptr, 10);
    else if (!std::strcmp(argv[i], "--exit")) exitCode = std::strtoul(argv[++i], nullptr, 10);
    else if (!std::strcmp(argv[i], "--write")) writeTo = argv[++i];
  }
  if (writeTo) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    HWND console = GetConsoleWindow();
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    if (FILE* f = std::fopen(writeTo, "wb")) {
      std::fprintf(f, "%s\n", GetCommandLineA());
      std::fprintf(f, "flags=%lu show=%u x=%lu y=%lu w=%lu h=%lu\n", si.dwFlags, si.wShowWindow, si.dwX, si.dwY,
                   si.dwXSize, si.dwYSize);
      std::fprintf(f, "console=%s\n", console && IsWindowVisible(console) ? "visible" : "hidden");
      std::fprintf(f, "dir=%s\n", directory);
      std::fclose(f);
    }
  }
  if (sleepMs) Sleep(sleepMs);
  return static_cast<int>(exitCode);
}
