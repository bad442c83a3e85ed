#pragma once
// Processes seam: starting programs, reading their exit codes, and waiting workers that
// watch a started process and hand its end to the user-interface (UI) thread.
//
// The process runners keep their state and every decision on the UI thread; the worker
// behind ProcessWatch only waits and hands over. Handles are the system's handles as
// integers (0 is "none").
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

using OsHandle = uintptr_t;

constexpr uint32_t kInfinite = 0xFFFFFFFFu;     // INFINITE
constexpr uint32_t kWaitObject0 = 0;            // WAIT_OBJECT_0
constexpr uint32_t kWaitTimeout = 258;          // WAIT_TIMEOUT
constexpr uint32_t kWaitFailed = 0xFFFFFFFFu;   // WAIT_FAILED
constexpr uint32_t kStillActive = 259;          // STILL_ACTIVE
constexpr uint32_t kErrorBusy = 170;            // ERROR_BUSY

// STARTUPINFO flags and creation flags, numbered as the system numbers them.
enum StartupFlag : uint32_t { StartfUseShowWindow = 1, StartfUseSize = 2, StartfUsePosition = 4 };
enum CreationFlag : uint32_t {
  CreateNewConsole = 0x10, NormalPriorityClass = 0x20, IdlePriorityClass = 0x40,
  HighPriorityClass = 0x80, RealtimePriorityClass = 0x100
};

// The fields of STARTUPINFO that a runner sets; the record's size is 68 and every other
// field is zero (no desktop, no title, no standard handles).
struct StartupFields {
  uint32_t flags = 0;       // dwFlags
  uint16_t showWindow = 0;  // wShowWindow
  int32_t x = 0, y = 0, xSize = 0, ySize = 0;
};

// One CreateProcessA call. The child inherits the caller's environment and no handles;
// there are no security attributes.
struct ProcessStartRequest {
  std::string moduleName;        // empty: no module name, the program comes from the command line
  std::string commandLine;       // handed over unchanged
  uint32_t creationFlags = 0;
  std::string currentDirectory;  // empty: the caller's current directory
  StartupFields startup;
};

struct ProcessInformation {
  OsHandle process = 0, thread = 0;
  uint32_t processId = 0, threadId = 0;
};

// What a waiting worker's wait gave.
struct WatchOutcome {
  // The wait's return code, with the two objects numbered in the order of the request:
  // kWaitObject0 + index, kWaitTimeout or kWaitFailed.
  uint32_t waitResult = 0;
  // The thread's last error, read right after the wait (0 before it).
  uint32_t lastError = 0;
  // True when the cancellation event ended the wait.
  bool cancelled = false;
  // The process's exit code, read on the worker when the process ended the wait and the
  // request asked for it; 0 otherwise.
  uint32_t exitCode = 0;
};

enum class WaitOrder { CancelThenProcess, ProcessThenCancel };
enum class WorkerPriority { Normal, BelowNormal };

// How the end reaches the UI thread.
enum class HandOverChannel {
  // A queued call that the UI thread runs while it processes messages (single-process runner).
  Queued,
  // CompletionMessage (WM_USER + 37) sent to the program's one hidden "RunAFileWndClass"
  // window; the window is created on the calling (UI) thread by the first such watch, and
  // creating it may raise Exception("RegisterClass: <code>" / "CreateWindowEx: <code>").
  RunAFileWindow
};

struct WatchRequest {
  OsHandle process = 0;
  // Before watching, wait without limit until the process is idle for input (a process
  // without a message queue, such as cmd.exe, passes at once; that is not an error).
  bool waitForInputIdle = false;
  WaitOrder order = WaitOrder::CancelThenProcess;
  uint32_t timeoutMs = kInfinite;
  WorkerPriority priority = WorkerPriority::Normal;
  bool readExitCode = false;
  HandOverChannel channel = HandOverChannel::Queued;
};

// Given to the UI-thread side of a hand-over.
class HandOverReply {
 public:
  virtual ~HandOverReply() = default;
  // Lets the worker go on before the UI side has finished. True when the hand-over came
  // from another thread (the reply reached a waiting sender). Without a call the worker is
  // released when the hand-over function returns.
  virtual bool Release() = 0;
};

// Runs on the UI thread, once, unless the watch was cancelled first. The outcome is only
// valid until the worker is released.
using HandOverFunction = std::function<void(const WatchOutcome&, HandOverReply&)>;

// The owner's hold on one waiting worker. Destroying it lets go of the worker (which frees
// itself when it ends) without stopping it; call Cancel first to stop it.
class ProcessWatch {
 public:
  virtual ~ProcessWatch() = default;
  // The worker has not ended yet (a worker blocked in its hand-over is alive).
  virtual bool Alive() = 0;
  // UI thread: from now on nothing reaches the owner, not even a hand-over already on its
  // way; signals the worker's cancellation event. The process is left alone.
  virtual void Cancel() = 0;
  // UI thread: waits until the worker has ended, meanwhile running the hand-overs and sent
  // messages that arrive, so that a worker blocked in its hand-over can finish.
  virtual void Join() = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateProcessA. On failure returns false with `error` = the thread's last error.
  virtual bool Start(const ProcessStartRequest& request, ProcessInformation& out, uint32_t& error) = 0;
  // WaitForInputIdle: 0, kWaitTimeout or kWaitFailed.
  virtual uint32_t WaitUntilIdle(OsHandle process, uint32_t milliseconds) = 0;
  // GetExitCodeProcess: kStillActive while it runs; false when the handle does not answer.
  virtual bool ExitCodeOf(OsHandle process, uint32_t& code) = 0;
  virtual void Close(OsHandle handle) = 0;
  // The system's message for an error code, as the system gives it (with its line break);
  // empty when it has none.
  virtual std::string ErrorText(uint32_t code) = 0;
  // FindExecutableA: the program that opens `file` (a document, or the file itself when it
  // is a program). False with a system error code when there is none.
  virtual bool AssociatedProgram(const std::string& file, const std::string& directory, std::string& program,
                                 uint32_t& error) = 0;
  // The calling thread's last error (SetLastError / GetLastError).
  virtual void SetThreadError(uint32_t code) = 0;
  virtual uint32_t ThreadError() = 0;

  // Starts a waiting worker for `request.process` with a new manual-reset cancellation
  // event (unsignalled). The worker waits, then - unless cancelled - hands its outcome to
  // the UI thread through `handOver` and blocks until released, then ends and frees
  // itself. Call on the UI thread.
  virtual std::unique_ptr<ProcessWatch> Watch(const WatchRequest& request, HandOverFunction handOver) = 0;
};

}  // namespace platform
