// perf_startup: how long lumenrig.exe takes from its process start until its main window is
// visible, less the 4000 ms that the splash blocks start-up by design, and the launcher's
// peak working set. Prints every run and the median of all.
//
//   perf_startup.exe PATH\lumenrig.exe [runs, default 5] [report file]
//
// Run it inside Wine's virtual desktop, as the end-to-end tests run the launcher: outside
// it every window that closes (the splash) waits two seconds for a window manager.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kSplashMs = 4000.0;
const wchar_t kTitle[] = L"Tavorin Splinter Cell CT Benchmark";

struct Search {
  DWORD pid;
  HWND found;
};

HWND VisibleMainWindow(DWORD pid) {
  Search search{pid, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t text[128] = {};
        if (owner == s->pid && IsWindowVisible(hwnd) && GetWindowTextW(hwnd, text, 128) &&
            lstrcmpW(text, kTitle) == 0) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Prints to the console and, when given, to the report file (a program started inside the
// virtual desktop may have no console that the caller sees).
FILE* g_report = nullptr;
void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char line[512];
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  std::fputs(line, stdout);
  std::fflush(stdout);
  if (g_report) {
    std::fputs(line, g_report);
    std::fflush(g_report);
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: perf_startup PATH\\lumenrig.exe [runs]\n");
    return 2;
  }
  const std::wstring exe = argv[1];
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  if (argc > 3) g_report = _wfopen(argv[3], L"w");
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> startups, peaks;
  for (int run = 1; run <= runs; ++run) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
      Say("cannot start the launcher: error %lu\n", GetLastError());
      return 1;
    }
    HWND window = nullptr;
    const DWORD deadline = GetTickCount() + 60000;
    while (!(window = VisibleMainWindow(pi.dwProcessId)) && GetTickCount() < deadline) Sleep(1);
    QueryPerformanceCounter(&shown);
    if (!window) {
      Say("run %d: no main window within 60 s\n", run);
      TerminateProcess(pi.hProcess, 1);
      return 1;
    }
    // Let the window paint and settle before reading the peak.
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory);
    const double elapsed = 1000.0 * double(shown.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    const double startup = elapsed - kSplashMs;
    const double peakMb = double(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    Say("run %d: window visible after %.0f ms, start-up without the splash %.0f ms, "
                "peak working set %.1f MB\n", run, elapsed, startup, peakMb);
    startups.push_back(startup);
    peaks.push_back(peakMb);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  Say("median of %d: start-up without the splash %.0f ms (goal < 300), peak working set "
              "%.1f MB (goal < 20)\n", runs, Median(startups), Median(peaks));
  return 0;
}
