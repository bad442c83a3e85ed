#include "platform/win32/Win32WorkerThreads.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/Exceptions.h"

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

// What a worker sends to the call window: the call and where its exception goes.
struct CallRequest {
  const std::function<void()>* call;
  Win32WorkerThreads* owner;
};

LRESULT CALLBACK CallWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallMessage) {
    auto* request = reinterpret_cast<const CallRequest*>(lParam);
    if (!request || !request->call || !*request->call) return 0;
    Win32WorkerThreads* owner = request->owner;
    // Nothing may unwind through a window procedure. The worker is released before the
    // error is shown; the request lives on the worker's stack and is not touched after.
    try {
      (*request->call)();
    } catch (const std::exception& e) {
      ReplyMessage(0);
      owner->ReportCallError(e);
    } catch (...) {
      ReplyMessage(0);
      owner->ReportCallError(std::runtime_error("Unexpected error in an event handler of a background task"));
    }
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string SystemErrorText(DWORD code) {
  char buffer[256];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                           sizeof buffer, nullptr);
  return std::string(buffer, n);
}

class Win32OsThread : public OsThread {
 public:
  explicit Win32OsThread(std::function<uint32_t()> body) : body_(std::move(body)) {
    DWORD id = 0;
    handle_ = CreateThread(nullptr, 0, &Win32OsThread::Start, this, CREATE_SUSPENDED, &id);
    if (!handle_) {
      DWORD code = GetLastError();
      throw MakeOSError(code, SystemErrorText(code));
    }
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
  CallRequest request{&call, this};
  if (window) SendMessageA(window, kCallMessage, 0, reinterpret_cast<LPARAM>(&request));
}

void Win32WorkerThreads::ReportCallError(const std::exception& e) {
  if (onCallError) {
    onCallError(e);
    return;
  }
  MessageBoxA(nullptr, e.what(), nullptr, MB_OK | MB_ICONERROR);
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

bool Win32WorkerThreads::WaitDeliveringSent(OsThread& thread, uint32_t timeoutMs) {
  HANDLE h = static_cast<Win32OsThread&>(thread).Handle();
  DWORD start = GetTickCount();
  for (;;) {
    DWORD wait = INFINITE;
    if (timeoutMs != kInfinite) {
      DWORD spent = GetTickCount() - start;
      wait = spent >= timeoutMs ? 0 : timeoutMs - spent;
    }
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, wait, QS_SENDMESSAGE);
    if (r == WAIT_TIMEOUT) return false;
    if (r != WAIT_OBJECT_0 + 1) return true;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void Win32WorkerThreads::Park() {
  for (;;) Sleep(INFINITE);
}

}  // namespace platform
