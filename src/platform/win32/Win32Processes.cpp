#include "platform/win32/Win32Processes.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "platform/Exceptions.h"

namespace platform {

namespace {

constexpr UINT kCompletionMessage = WM_USER + 37;  // what a TRunAFile worker sends
constexpr UINT kHandOverMessage = WM_USER + 38;    // what a single-process worker sends

// Everything a worker and its owner share. Either may go first; the last reference frees
// it. The worker waits on a duplicate of the process handle, so the owner may close its
// own handles at any time.
struct WatchBlock {
  LONG refs = 1;
  WatchRequest request;
  HandOverFunction handOver;
  Win32Processes* processes = nullptr;
  HANDLE process = nullptr;
  HANDLE cancelEvent = nullptr;
  HANDLE thread = nullptr;
  HWND window = nullptr;
  UINT message = 0;
  volatile LONG cancelled = 0;
  WatchOutcome outcome;

  void AddRef() { InterlockedIncrement(&refs); }
  void Release() {
    if (InterlockedDecrement(&refs) == 0) {
      if (thread) CloseHandle(thread);
      if (cancelEvent) CloseHandle(cancelEvent);
      if (process) CloseHandle(process);
      delete this;
    }
  }
};

class WindowReply : public HandOverReply {
 public:
  bool Release() override {
    if (released) return fromOtherThread;
    released = true;
    fromOtherThread = ReplyMessage(0) != FALSE;
    return fromOtherThread;
  }
  bool released = false;
  bool fromOtherThread = false;
};

LRESULT CALLBACK HandOverWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kCompletionMessage && msg != kHandOverMessage) return DefWindowProcA(hwnd, msg, wParam, lParam);
  auto* block = reinterpret_cast<WatchBlock*>(wParam);
  if (!block || block->message != msg) return 0;
  // The owner may have let go meanwhile: then the worker is only released.
  if (block->cancelled) return 0;
  block->AddRef();  // the hand-over may drop the owner's reference and the worker may end
  WindowReply reply;
  try {
    HandOverFunction handOver = block->handOver;
    handOver(block->outcome, reply);
  } catch (const std::exception& e) {
    reply.Release();
    block->processes->ReportHandOverError(e);
  } catch (...) {
    reply.Release();
    block->processes->ReportHandOverError(std::runtime_error("Unexpected error in a process end handler"));
  }
  block->Release();
  return 0;
}

// One program-wide hidden window per class, made on first use by the calling (UI) thread
// under its own lock and destroyed at program end.
class TWndMgr {
 public:
  explicit TWndMgr(const char* className) : className_(className) { InitializeCriticalSection(&lock_); }
  ~TWndMgr() {
    if (window_) DestroyWindow(window_);
    DeleteCriticalSection(&lock_);
  }

  HWND Get() {
    EnterCriticalSection(&lock_);
    struct Unlock {
      CRITICAL_SECTION* cs;
      ~Unlock() { LeaveCriticalSection(cs); }
    } unlock{&lock_};
    if (window_ && IsWindow(window_)) return window_;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered_) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = HandOverWindowProc;
      wc.hInstance = instance;
      wc.lpszClassName = className_;
      if (!RegisterClassA(&wc)) Fail("RegisterClass:");
      registered_ = true;
    }
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, className_, className_, WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, instance, nullptr);
    if (!window_) Fail("CreateWindowEx:");
    return window_;
  }

 private:
  [[noreturn]] static void Fail(const char* what) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d", what, static_cast<int>(GetLastError()));
    throw Exception(text);
  }
  const char* className_;
  CRITICAL_SECTION lock_;
  bool registered_ = false;
  HWND window_ = nullptr;
};

TWndMgr& RunAFileWindow() {
  static TWndMgr window("RunAFileWndClass");
  return window;
}

TWndMgr& HandOverWindow() {
  static TWndMgr window("LumenrigProcessEndWndClass");
  return window;
}

DWORD WINAPI WatchThread(LPVOID parameter) {
  auto* block = static_cast<WatchBlock*>(parameter);
  const WatchRequest& request = block->request;
  if (request.waitForInputIdle) WaitForInputIdle(block->process, INFINITE);
  HANDLE objects[2];
  int cancelIndex, processIndex;
  if (request.order == WaitOrder::CancelThenProcess) {
    cancelIndex = 0;
    processIndex = 1;
  } else {
    processIndex = 0;
    cancelIndex = 1;
  }
  objects[cancelIndex] = block->cancelEvent;
  objects[processIndex] = block->process;
  SetLastError(0);
  DWORD result = WaitForMultipleObjects(2, objects, FALSE, request.timeoutMs);
  block->outcome.waitResult = result;
  block->outcome.lastError = GetLastError();
  block->outcome.cancelled = result == WAIT_OBJECT_0 + static_cast<DWORD>(cancelIndex);
  if (result == WAIT_OBJECT_0 + static_cast<DWORD>(processIndex) && request.readExitCode) {
    DWORD code = 0;
    if (GetExitCodeProcess(block->process, &code)) block->outcome.exitCode = code;
  }
  if (!block->outcome.cancelled && !block->cancelled && IsWindow(block->window))
    SendMessageA(block->window, block->message, reinterpret_cast<WPARAM>(block), 0);
  block->Release();
  return 0;
}

class Win32ProcessWatch : public ProcessWatch {
 public:
  explicit Win32ProcessWatch(WatchBlock* block) : block_(block) {}
  ~Win32ProcessWatch() override { block_->Release(); }

  bool Alive() override { return WaitForSingleObject(block_->thread, 0) != WAIT_OBJECT_0; }

  void Cancel() override {
    InterlockedExchange(&block_->cancelled, 1);
    SetEvent(block_->cancelEvent);
  }

  void Join() override {
    // Sent messages keep flowing: a worker blocked in its hand-over (ours or another's)
    // must be able to finish.
    // The peek comes first: the wait wakes only for messages that arrive after the last
    // look at the queue, and one may be waiting already.
    for (;;) {
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      DWORD r = MsgWaitForMultipleObjects(1, &block_->thread, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r != WAIT_OBJECT_0 + 1) break;
    }
  }

 private:
  WatchBlock* block_;
};

}  // namespace

bool Win32Processes::Start(const ProcessStartRequest& request, ProcessInformation& out, uint32_t& error) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = request.startup.flags;
  si.wShowWindow = request.startup.showWindow;
  si.dwX = static_cast<DWORD>(request.startup.x);
  si.dwY = static_cast<DWORD>(request.startup.y);
  si.dwXSize = static_cast<DWORD>(request.startup.xSize);
  si.dwYSize = static_cast<DWORD>(request.startup.ySize);
  // CreateProcessA may write into the command line: hand it a buffer of its own.
  std::vector<char> commandLine(request.commandLine.begin(), request.commandLine.end());
  commandLine.push_back('\0');
  PROCESS_INFORMATION pi{};
  BOOL ok = CreateProcessA(request.moduleName.empty() ? nullptr : request.moduleName.c_str(),
                           commandLine.data(), nullptr, nullptr, FALSE, request.creationFlags, nullptr,
                           request.currentDirectory.empty() ? nullptr : request.currentDirectory.c_str(),
                           &si, &pi);
  if (!ok) {
    error = GetLastError();
    return false;
  }
  out.process = reinterpret_cast<OsHandle>(pi.hProcess);
  out.thread = reinterpret_cast<OsHandle>(pi.hThread);
  out.processId = pi.dwProcessId;
  out.threadId = pi.dwThreadId;
  error = 0;
  return true;
}

uint32_t Win32Processes::WaitUntilIdle(OsHandle process, uint32_t milliseconds) {
  return WaitForInputIdle(reinterpret_cast<HANDLE>(process), milliseconds);
}

bool Win32Processes::ExitCodeOf(OsHandle process, uint32_t& code) {
  DWORD value = 0;
  if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &value)) return false;
  code = value;
  return true;
}

void Win32Processes::Close(OsHandle handle) {
  if (handle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

std::string Win32Processes::ErrorText(uint32_t code) {
  char buffer[256];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, buffer, sizeof buffer, nullptr);
  return std::string(buffer, n);
}

bool Win32Processes::AssociatedProgram(const std::string& file, const std::string& directory, std::string& program,
                                       uint32_t& error) {
  char found[MAX_PATH] = "";
  auto result = reinterpret_cast<INT_PTR>(
      FindExecutableA(file.c_str(), directory.empty() ? nullptr : directory.c_str(), found));
  if (result > 32) {
    program = found;
    return true;
  }
  // The shell's small codes, as system error codes.
  switch (result) {
    case SE_ERR_FNF: error = ERROR_FILE_NOT_FOUND; break;
    case SE_ERR_PNF: error = ERROR_PATH_NOT_FOUND; break;
    case SE_ERR_ACCESSDENIED: error = ERROR_ACCESS_DENIED; break;
    case SE_ERR_OOM: error = ERROR_NOT_ENOUGH_MEMORY; break;
    case SE_ERR_NOASSOC: error = ERROR_NO_ASSOCIATION; break;
    default: error = ERROR_NO_ASSOCIATION; break;
  }
  return false;
}

void Win32Processes::SetThreadError(uint32_t code) { SetLastError(code); }

uint32_t Win32Processes::ThreadError() { return GetLastError(); }

void Win32Processes::ReportHandOverError(const std::exception& e) {
  if (onHandOverError) {
    onHandOverError(e);
    return;
  }
  MessageBoxA(nullptr, e.what(), nullptr, MB_OK | MB_ICONERROR);
}

std::unique_ptr<ProcessWatch> Win32Processes::Watch(const WatchRequest& request, HandOverFunction handOver) {
  // The window first: when it cannot be made the process runs on unwatched.
  HWND window = request.channel == HandOverChannel::RunAFileWindow ? RunAFileWindow().Get() : HandOverWindow().Get();

  auto* block = new WatchBlock;
  block->request = request;
  block->handOver = std::move(handOver);
  block->processes = this;
  block->window = window;
  block->message = request.channel == HandOverChannel::RunAFileWindow ? kCompletionMessage : kHandOverMessage;
  HANDLE self = GetCurrentProcess();
  if (!DuplicateHandle(self, reinterpret_cast<HANDLE>(request.process), self, &block->process, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    DWORD code = GetLastError();
    block->Release();
    throw MakeOSError(code, ErrorText(code));
  }
  block->cancelEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!block->cancelEvent) {
    DWORD code = GetLastError();
    block->Release();
    throw MakeOSError(code, ErrorText(code));
  }
  block->AddRef();  // the worker's reference
  DWORD threadId = 0;
  block->thread = CreateThread(nullptr, 0, WatchThread, block, CREATE_SUSPENDED, &threadId);
  if (!block->thread) {
    DWORD code = GetLastError();
    block->Release();
    block->Release();
    throw MakeOSError(code, ErrorText(code));
  }
  SetThreadPriority(block->thread,
                    request.priority == WorkerPriority::BelowNormal ? THREAD_PRIORITY_BELOW_NORMAL : THREAD_PRIORITY_NORMAL);
  ResumeThread(block->thread);
  return std::make_unique<Win32ProcessWatch>(block);
}

}  // namespace platform
