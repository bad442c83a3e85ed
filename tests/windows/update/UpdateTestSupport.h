#pragma once
// Helpers of the update component's Windows-tier tests: a message pump that runs until a
// condition holds, and the ports of the local servers that run_with_servers.sh started.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace updatetest {

// Dispatches messages (the main-thread calls arrive this way) until `done` or the time
// is up; true when `done` came.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

inline int EnvPort(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::atoi(v) : 0;
}

// `host` must name the loopback server. Wine reuses a kept-alive connection by the target's
// name and port even when the request should go through a (different) proxy, so each
// proxy's tests address the server by a name of their own.
inline std::string ServerURL(const std::string& path, const std::string& host = "127.0.0.1") {
  return "http://" + host + ":" + std::to_string(EnvPort("LUMENRIG_HTTP_PORT")) + path;
}

}  // namespace updatetest
