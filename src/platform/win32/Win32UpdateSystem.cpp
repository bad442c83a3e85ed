#include "platform/win32/Win32UpdateSystem.h"

#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <memory>

#include "platform/win32/Win32System.h"

namespace platform {
namespace {

const char kTimerWindowClass[] = "TauAutoUpgraderTimerWindow";

class Win32TimerWindow : public TimerWindow {
 public:
  explicit Win32TimerWindow(std::function<void(uint32_t)> onTimer) : onTimer_(std::move(onTimer)) {
    static bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &Win32TimerWindow::Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = kTimerWindowClass;
      return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    hwnd_ = CreateWindowExA(0, kTimerWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) throw std::runtime_error("CreateWindowEx: " + std::to_string(GetLastError()));
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Win32TimerWindow() override {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  bool SetTimer(uint32_t id, uint32_t ms) override { return ::SetTimer(hwnd_, id, ms, nullptr) != 0; }
  void KillTimer(uint32_t id) override { ::KillTimer(hwnd_, id); }
  uintptr_t Handle() override { return reinterpret_cast<uintptr_t>(hwnd_); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_QUERYENDSESSION) return 1;
    if (msg == WM_TIMER) {
      auto* self = reinterpret_cast<Win32TimerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      if (self && self->onTimer_) self->onTimer_(static_cast<uint32_t>(wParam));
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::function<void(uint32_t)> onTimer_;
  HWND hwnd_ = nullptr;
};

class Win32SignalEvent : public SignalEvent {
 public:
  Win32SignalEvent() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!handle_) throw std::runtime_error("CreateEvent: " + std::to_string(GetLastError()));
  }
  ~Win32SignalEvent() override { CloseHandle(handle_); }
  void Set() override { SetEvent(handle_); }
  bool IsSet() override { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::unique_ptr<TimerWindow> Win32TimerWindows::Create(std::function<void(uint32_t)> onTimer) {
  return std::make_unique<Win32TimerWindow>(std::move(onTimer));
}

bool Win32LocalNetwork::LastLocalAddress(std::string& dotted) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
  bool found = false;
  char name[64] = {};
  if (gethostname(name, sizeof name) == 0) {
    name[sizeof name - 1] = '\0';
    if (hostent* host = gethostbyname(name)) {
      char** list = host->h_addr_list;
      int count = 0;
      while (list && list[count]) ++count;
      if (count > 0) {
        in_addr address;
        memcpy(&address, list[count - 1], sizeof address);
        const char* text = inet_ntoa(address);
        dotted = text ? text : "";
        found = true;
      }
    }
  }
  WSACleanup();
  return found;
}

bool Win32ModuleResources::Read(const std::string& name, const std::string& type, std::string& bytes) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name.c_str(), type.c_str());
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  bytes.assign(static_cast<const char*>(data), SizeofResource(module, found));
  return true;
}

bool Win32FileDetails::FileSize(const std::string& path, uint64_t& size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool Win32FileDetails::SetCreationAndWriteTime(const std::string& path, const LocalTime& time) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(time.year);
  st.wMonth = static_cast<WORD>(time.month);
  st.wDay = static_cast<WORD>(time.day);
  st.wHour = static_cast<WORD>(time.hour);
  st.wMinute = static_cast<WORD>(time.minute);
  st.wSecond = static_cast<WORD>(time.second);
  st.wMilliseconds = static_cast<WORD>(time.millisecond);
  FILETIME local, utc;
  if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
  HANDLE f = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  BOOL ok = SetFileTime(f, &utc, nullptr, &utc);
  CloseHandle(f);
  return ok != 0;
}

bool Win32FileDetails::CreateTemporaryFile(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

std::unique_ptr<SignalEvent> Win32MessageWaits::CreateManualEvent() { return std::make_unique<Win32SignalEvent>(); }

void Win32MessageWaits::WaitPumping(SignalEvent& event, const std::function<bool()>& terminating) {
  HANDLE h = static_cast<Win32SignalEvent&>(event).Handle();
  for (;;) {
    if (terminating && terminating()) return;
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 + 1) return;  // signalled, or the wait itself failed
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the main loop ends on it too
        return;
      }
      // Keyboard navigation of dialog-like windows (the wizard) as the main loop gives it.
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      if (root && IsDialogMessageW(root, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (event.IsSet()) return;
  }
}

std::string Win32Application::FirstArgument() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return "";
  std::string first = count > 1 ? Narrow(args[1]) : std::string();
  LocalFree(args);
  return first;
}

void Win32Application::Terminate() {
  terminated_ = true;
  if (mainWindow_) PostMessageW(reinterpret_cast<HWND>(mainWindow_), WM_CLOSE, 0, 0);
  PostQuitMessage(0);
}

void Win32Application::HandleException(std::exception_ptr error) {
  if (onException) {
    onException(error);
    return;
  }
  std::string text = "Unknown error";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  MessageBoxW(reinterpret_cast<HWND>(mainWindow_), Widen(text).c_str(), nullptr, MB_OK | MB_ICONERROR);
}

}  // namespace platform
