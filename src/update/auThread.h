#pragma once
// A worker thread whose work calls back into the main thread synchronously.
// TauCustomThread is the component an owner keeps; every start gets a fresh
// TauEventThread, so the flags of one run are never seen by the next.
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/WorkerThreads.h"

namespace update {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
int ThreadPriorityValue(TThreadPriority p);
TThreadPriority ThreadPriorityFromValue(int value);  // tpNormal for values outside the table

class TauCustomThread;

class TauEventThread {
 public:
  // Created suspended.
  TauEventThread(TauCustomThread& owner, platform::WorkerThreads& threads, TThreadPriority priority);
  // Requests termination and waits for the thread (delivering sent messages when called
  // on the main thread, so a worker inside RunInMainThread can return).
  ~TauEventThread();
  TauEventThread(const TauEventThread&) = delete;
  TauEventThread& operator=(const TauEventThread&) = delete;

  void Resume();
  void Terminate() { FTerminateRequested = true; }
  void Kill();
  bool Terminated() const { return FTerminateRequested; }
  bool Running() const { return FRunning; }
  bool Finished();  // the thread has ended (or was never started)
  // Waits for a started thread to end; on the main thread sent messages are delivered
  // meanwhile, so calls the worker makes still run. False when `timeoutMs` passed first.
  bool WaitFor(uint32_t timeoutMs = platform::WorkerThreads::kInfinite);
  // Worker: brackets a call that may block for long (a network read). Leaving a call
  // after the owner gave the thread up parks the thread until it is killed.
  void EnterBlockingCall();
  void LeaveBlockingCall();
  // Main thread: when the worker is inside a blocking call, gives it up: its thread is
  // killed and it makes no further main-thread calls. True when it was given up.
  bool AbandonIfBlocked();
  bool Abandoned() const { return FBlockState.load() == kAbandoned; }
  void SetPriority(TThreadPriority p);
  TThreadPriority Priority();

  // Called on this worker: runs `method` on the main thread and waits for it. Skipped
  // when the owner is being destroyed. An exception of `method` is re-raised here only
  // when the owner's HandleExceptions is off; otherwise it goes to the application's
  // general error box once this worker has been let go.
  void RunInMainThread(const std::function<void()>& method);

  // Set before Resume.
  std::function<void(TauEventThread&)> OnExecute;
  std::function<void(std::exception_ptr)> OnException;
  std::function<void()> OnFinish;
  // The owner releases every worker once its thread has ended, so a worker marked
  // free-on-terminate never outlives its thread and never frees itself under the owner.
  bool FreeOnTerminate = false;
  uint32_t ExitCode = 0;
  // An exception of the work that nobody handled (HandleExceptions off).
  std::exception_ptr FatalException;

 private:
  uint32_t ThreadProc();

  TauCustomThread& FOwner;
  platform::WorkerThreads& FThreads;
  std::unique_ptr<platform::OsThread> FHandle;
  std::atomic<bool> FTerminateRequested{false};
  std::atomic<bool> FRunning{false};
  bool FResumed = false;
  bool FStartedByOwner = false;  // resumed to do its work, not only to end
  static constexpr int kOutsideCall = 0, kInCall = 1, kAbandoned = 2;
  std::atomic<int> FBlockState{kOutsideCall};
  std::exception_ptr FCallException;
  friend class TauCustomThread;
};

class TauCustomThread {
 public:
  explicit TauCustomThread(platform::WorkerThreads& threads);
  ~TauCustomThread();
  TauCustomThread(const TauCustomThread&) = delete;
  TauCustomThread& operator=(const TauCustomThread&) = delete;

  bool HandleExceptions = true;
  bool FreeOnTerminate = false;
  bool WaitThread = false;
  uint32_t WaitTimeout = 0;  // 0: no limit
  std::function<void(TauEventThread&)> OnExecute;
  std::function<void(std::exception_ptr)> OnException;
  std::function<void()> OnFinish;
  std::function<void(TauCustomThread* Sender, bool& Terminate)> OnWaitTimeoutExpired;

  TThreadPriority Priority() const { return FPriority; }
  void SetPriority(TThreadPriority p);

  // Starts the work on a fresh worker. With WaitThread, blocks (dispatching messages)
  // until it ends; false when the wait timed out and the worker was stopped. Raises
  // EOSError when no thread can be made; the previous worker then stays in place.
  bool StartThread();
  // Hard: ends the worker's thread at once and puts a fresh suspended worker in its
  // place. Otherwise only requests termination, which the work polls.
  void StopThread(bool hard);
  // Main thread: waits for the current worker's thread to end, delivering the calls it
  // makes meanwhile; false when `timeoutMs` passed first.
  bool WaitForWorker(uint32_t timeoutMs = platform::WorkerThreads::kInfinite);
  bool Terminated() const;
  bool Running() const;
  bool Destroying() const { return FDestroying; }
  // The current worker object (replaced at every start).
  TauEventThread& Worker() { return *FThread; }
  std::shared_ptr<TauEventThread> Current() { return FThread; }

 private:
  std::shared_ptr<TauEventThread> NewWorker();
  void ReapFinished();

  platform::WorkerThreads& FThreads;
  TThreadPriority FPriority = TThreadPriority::tpNormal;
  std::shared_ptr<TauEventThread> FThread;
  std::vector<std::shared_ptr<TauEventThread>> FRetired;  // earlier workers still finishing
  std::atomic<bool> FDestroying{false};
};

}  // namespace update
