#pragma once
// Worker threads and synchronous calls into the main (user-interface) thread.
// The Win32 implementation uses CreateThread and a hidden call window that the main
// thread serves; the calls block the worker until the main thread has run them.
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class OsThread {
 public:
  virtual ~OsThread() = default;  // releases the handle; the thread itself is not stopped
  virtual void Resume() = 0;
  // Ends the thread at once, wherever it is (TerminateThread).
  virtual void Kill() = 0;
  virtual void SetPriority(int priority) = 0;
  virtual int Priority() = 0;
  virtual bool Finished() = 0;
  // Blocks until the thread has ended; no messages are processed.
  virtual void Join() = 0;
};

enum class PumpWaitResult { Ended, TimedOut, Stopped };

class WorkerThreads {
 public:
  static constexpr uint32_t kInfinite = 0xFFFFFFFFu;
  virtual ~WorkerThreads() = default;

  // A thread that runs `body` once resumed; its exit code is what `body` returns.
  // Raises EOSError when the system cannot make the thread.
  virtual std::unique_ptr<OsThread> CreateSuspended(std::function<uint32_t()> body) = 0;
  virtual bool OnMainThread() = 0;

  // The call window lives while at least one user holds it.
  virtual void AcquireCallWindow() = 0;
  virtual void ReleaseCallWindow() = 0;
  // Runs `call` on the main thread and returns once it has run. Calls from one worker
  // run in the order they are made. Must not be used from the main thread. An exception
  // that `call` lets out goes to the application's general error box, after the worker
  // has been let go (so a box that stays open does not hold the worker).
  virtual void CallOnMainThread(const std::function<void()>& call) = 0;

  // Main thread: waits for `thread` to end, dispatching every message meanwhile.
  // Stops early (Stopped) when `stop` answers true after a wake-up or the application
  // is terminating.
  virtual PumpWaitResult WaitPumping(OsThread& thread, uint32_t timeoutMs, const std::function<bool()>& stop) = 0;
  // Main thread: waits for `thread` to end, delivering only sent messages (so a worker
  // inside CallOnMainThread can return); false when `timeoutMs` passed first.
  virtual bool WaitDeliveringSent(OsThread& thread, uint32_t timeoutMs) = 0;
  // Worker: blocks the calling thread for good; it is about to be killed and must not
  // run on into code that takes locks.
  virtual void Park() = 0;
};

}  // namespace platform
