#include "platform/win32/Win32WorkerThreads.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace platform {
namespace {

const UINT kCallMessage = 0x8FFF;
const char kCallWindowClass[] = "TauThreadWindow";

// One call window per process, made when the first worker object appears and destroyed
// when the last one goes. The count is guarded because workers may come and go anywhere.
struct CallWindow {
  CRITICAL_SECTION lock;
  int users = 0;
  HWND window = nullptr;
  CallWindow() { InitializeCriticalSection(&lock); }
};

CallWindow& TheCallWindow() {
  static CallWindow w;
  return w;
}

LRESULT CALLBACK CallWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallMessage) {
    auto* call = reinterpret_cast<const std::function<void()>*>(lParam);
    // Nothing may unwind through a window procedure; the callers capture their own
    // exceptions, this is the last guard.
    try {
      if (call && *call) (*call)();
    } catch (...) {
    }
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Win32OsThread : public OsThread {
 public:
  explicit Win32OsThread(std::function<uint32_t()> body) : body_(std::move(body)) {
    DWORD id = 0;
    handle_ = CreateThread(nullptr, 0, &Win32OsThread::Start, this, CREATE_SUSPENDED, &id);
    if (!handle_) throw std::runtime_error("Thread creation error: " + std::to_string(GetLastError()));
  }
  ~Win32OsThread() override { CloseHandle(handle_); }
  void Resume() override { ResumeThread(handle_); }
  void Kill() override {
    TerminateThread(handle_, 0);
    WaitForSingleObject(handle_, INFINITE);
  }
  void SetPriority(int priority) override { SetThreadPriority(handle_, priority); }
  int Priority() override { return GetThreadPriority(handle_); }
  bool Finished() override { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }
  void Join() override { WaitForSingleObject(handle_, INFINITE); }
  HANDLE Handle() const { return handle_; }

 private:
  static DWORD WINAPI Start(void* self) { return static_cast<Win32OsThread*>(self)->body_(); }
  std::function<uint32_t()> body_;
  HANDLE handle_ = nullptr;
};

}  // namespace

Win32WorkerThreads::Win32WorkerThreads() : mainThreadId_(GetCurrentThreadId()) {}

std::unique_ptr<OsThread> Win32WorkerThreads::CreateSuspended(std::function<uint32_t()> body) {
  return std::make_unique<Win32OsThread>(std::move(body));
}

bool Win32WorkerThreads::OnMainThread() { return GetCurrentThreadId() == mainThreadId_; }

void Win32WorkerThreads::AcquireCallWindow() {
  CallWindow& w = TheCallWindow();
  EnterCriticalSection(&w.lock);
  if (w.users++ == 0) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CallWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kCallWindowClass;
    RegisterClassA(&wc);
    // Message-only: invisible, out of broadcasts, and made even where no display is.
    w.window = CreateWindowExA(0, kCallWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  }
  LeaveCriticalSection(&w.lock);
}

void Win32WorkerThreads::ReleaseCallWindow() {
  CallWindow& w = TheCallWindow();
  EnterCriticalSection(&w.lock);
  if (w.users > 0 && --w.users == 0) {
    if (w.window) DestroyWindow(w.window);
    w.window = nullptr;
    UnregisterClassA(kCallWindowClass, GetModuleHandleA(nullptr));
  }
  LeaveCriticalSection(&w.lock);
}

void Win32WorkerThreads::CallOnMainThread(const std::function<void()>& call) {
  CallWindow& w = TheCallWindow();
  EnterCriticalSection(&w.lock);
  HWND window = w.window;
  LeaveCriticalSection(&w.lock);
  if (window) SendMessageA(window, kCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}

PumpWaitResult Win32WorkerThreads::WaitPumping(OsThread& thread, uint32_t timeoutMs, const std::function<bool()>& stop) {
  HANDLE h = static_cast<Win32OsThread&>(thread).Handle();
  DWORD start = GetTickCount();
  for (;;) {
    DWORD wait = INFINITE;
    if (timeoutMs != kInfinite) {
      DWORD spent = GetTickCount() - start;
      wait = spent >= timeoutMs ? 0 : timeoutMs - spent;
    }
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, wait, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return PumpWaitResult::Ended;
    if (r == WAIT_TIMEOUT) return PumpWaitResult::TimedOut;
    if (r == WAIT_FAILED) return PumpWaitResult::Stopped;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The application is ending: leave the quit for the main loop.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return PumpWaitResult::Stopped;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (stop && stop()) return PumpWaitResult::Stopped;
  }
}

void Win32WorkerThreads::WaitDeliveringSent(OsThread& thread) {
  HANDLE h = static_cast<Win32OsThread&>(thread).Handle();
  for (;;) {
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + 1) return;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace platform
