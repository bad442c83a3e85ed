// Fetches one large file from the local test server through TauCustomHTTP (with a
// progress handler) and through a bare WinInet read loop with the same buffer size, both
// into a file, several times each, and prints the median times.
// Usage: perf_http.exe <url> <output folder> [rounds] [buffer sizes, comma-separated]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32HttpClient.h"
#include "platform/win32/Win32WorkerThreads.h"
#include "update/auHTTP.h"

namespace {

double Seconds() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / f.QuadPart;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The component, as the update uses it: into a file, progress after every buffer.
double Component(platform::WorkerThreads& threads, platform::HttpClient& client, const std::string& url,
                 const std::string& out, int buffer, uint32_t& bytes, unsigned& progressEvents, bool withProgress = true) {
  update::TauCustomHTTP http(client, threads);
  http.URL = url;
  http.OutputFileName = out;
  http.TransferBufferSize = buffer;
  bool done = false;
  progressEvents = 0;
  if (withProgress) http.OnHTTPProgress = [&](update::TauCustomHTTP*, const std::string&, uint32_t, uint32_t, int, int, uint8_t, float,
                            update::TauStream*) { ++progressEvents; };
  bool ended = false;
  auto end = [&] {
    ended = true;
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes GetMessage below
  };
  http.OnHTTPDone = [&](update::TauCustomHTTP* s, const std::string&, uint32_t n, update::TauStream*) {
    bytes = n;
    done = s != nullptr;
    end();
  };
  http.OnHTTPDoneInterrupted = [&](update::TauCustomHTTP*, const std::string&, uint32_t, uint32_t,
                                   update::TauStream*) { end(); };
  http.OnHTTPError = [&](update::TauCustomHTTP*, int, update::TauStream*) { end(); };
  http.OnHTTPNoResponse = [&](update::TauCustomHTTP*) { end(); };
  double t0 = Seconds();
  // Started as the update starts it, with the main thread in an application's message loop.
  http.BeginTransfer(false);
  MSG msg;
  while (!ended && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  double t = Seconds() - t0;
  if (!done) std::fprintf(stderr, "component transfer failed (status %d)\n", http.StatusCode());
  return t;
}

double BareLoop(const std::string& url, const std::string& out, int buffer, uint32_t& bytes) {
  double t0 = Seconds();
  HINTERNET session = InternetOpenA("perf", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  URL_COMPONENTSA c = {};
  char host[257], path[2049];
  c.dwStructSize = sizeof c;
  c.lpszHostName = host;
  c.dwHostNameLength = sizeof host;
  c.lpszUrlPath = path;
  c.dwUrlPathLength = sizeof path;
  InternetCrackUrlA(url.c_str(), 0, 0, &c);
  HINTERNET conn = InternetConnectA(session, host, c.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  const char* accept[] = {"*/*", nullptr};
  HINTERNET req = HttpOpenRequestA(conn, "GET", path, nullptr, nullptr, accept,
                                   INTERNET_FLAG_HYPERLINK | INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_NEED_FILE |
                                       INTERNET_FLAG_KEEP_CONNECTION,
                                   0);
  HttpSendRequestA(req, nullptr, 0, nullptr, 0);
  HANDLE f = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::vector<char> buf(buffer);
  DWORD n = 0, written = 0;
  bytes = 0;
  while (InternetReadFile(req, buf.data(), buffer, &n) && n > 0) {
    WriteFile(f, buf.data(), n, &written, nullptr);
    bytes += n;
  }
  CloseHandle(f);
  InternetCloseHandle(req);
  InternetCloseHandle(conn);
  InternetCloseHandle(session);
  return Seconds() - t0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: perf_http.exe <url> <output folder> [rounds] [buffer sizes]\n");
    return 2;
  }
  std::string url = argv[1], folder = argv[2];
  int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  std::vector<int> buffers = {4096, 65536};
  if (argc > 4) {
    buffers.clear();
    for (const char* p = argv[4]; *p;) {
      char* end = nullptr;
      buffers.push_back(static_cast<int>(std::strtol(p, &end, 10)));
      p = *end == ',' ? end + 1 : end;
    }
  }
  platform::Win32WorkerThreads threads;
  platform::Win32HttpClient client;
  std::printf("%-8s %-28s %10s %10s %8s\n", "buffer", "method", "median s", "MB/s", "events");
  for (int buffer : buffers) {
    std::vector<double> comp, bare, quiet;
    uint32_t bytes = 0;
    unsigned events = 0;
    for (int r = 0; r < rounds; ++r) {  // interleaved, so drift hits both alike
      comp.push_back(Component(threads, client, url, folder + "\\component.bin", buffer, bytes, events));
      unsigned none = 0;
      uint32_t quietBytes = 0;
      quiet.push_back(Component(threads, client, url, folder + "\\component.bin", buffer, quietBytes, none, false));
      uint32_t bareBytes = 0;
      bare.push_back(BareLoop(url, folder + "\\bare.bin", buffer, bareBytes));
      if (bareBytes != bytes) std::fprintf(stderr, "size differs: %u vs %u\n", bytes, bareBytes);
    }
    double mb = bytes / 1048576.0;
    double c = Median(comp), b = Median(bare);
    std::printf("%-8d %-28s %10.3f %10.1f %8u\n", buffer, "TauCustomHTTP + progress", c, mb / c, events);
    std::printf("%-8d %-28s %10.3f %10.1f %8s\n", buffer, "TauCustomHTTP, no progress", Median(quiet),
                mb / Median(quiet), "0");
    std::printf("%-8d %-28s %10.3f %10.1f %8s\n", buffer, "bare WinInet loop", b, mb / b, "-");
    std::printf("%-8d %-28s %10.3f\n", buffer, "ratio component / bare", c / b);
    if (events) std::printf("%-8d %-28s %10.1f\n", buffer, "us per progress event", (c - Median(quiet)) * 1e6 / events);
  }
  DeleteFileA((folder + "\\component.bin").c_str());
  DeleteFileA((folder + "\\bare.bin").c_str());
  return 0;
}
