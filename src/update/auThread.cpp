#include "update/auThread.h"

#include <algorithm>

namespace update {
namespace {

struct PriorityRow {
  TThreadPriority priority;
  int value;
};
const PriorityRow kPriorities[] = {
    {TThreadPriority::tpIdle, -15},  {TThreadPriority::tpLowest, -2},  {TThreadPriority::tpLower, -1},
    {TThreadPriority::tpNormal, 0},  {TThreadPriority::tpHigher, 1},   {TThreadPriority::tpHighest, 2},
    {TThreadPriority::tpTimeCritical, 15}};

}  // namespace

int ThreadPriorityValue(TThreadPriority p) {
  for (const PriorityRow& row : kPriorities)
    if (row.priority == p) return row.value;
  return 0;
}

TThreadPriority ThreadPriorityFromValue(int value) {
  for (const PriorityRow& row : kPriorities)
    if (row.value == value) return row.priority;
  return TThreadPriority::tpNormal;
}

// ---------------------------------------------------------------------------------------

TauEventThread::TauEventThread(TauCustomThread& owner, platform::WorkerThreads& threads, TThreadPriority priority)
    : FOwner(owner), FThreads(threads) {
  FThreads.AcquireCallWindow();
  try {
    FHandle = FThreads.CreateSuspended([this] { return ThreadProc(); });
  } catch (...) {
    FThreads.ReleaseCallWindow();
    throw;
  }
  FHandle->SetPriority(ThreadPriorityValue(priority));
}

TauEventThread::~TauEventThread() {
  Terminate();
  if (FHandle) {
    // A thread never resumed is let run: it sees the request at once and ends.
    if (!FResumed) Resume();
    WaitFor();
    FHandle.reset();
  }
  FThreads.ReleaseCallWindow();
}

bool TauEventThread::WaitFor(uint32_t timeoutMs) {
  if (!FHandle || !FResumed || FHandle->Finished()) return true;
  if (FThreads.OnMainThread()) return FThreads.WaitDeliveringSent(*FHandle, timeoutMs);
  FHandle->Join();
  return true;
}

void TauEventThread::EnterBlockingCall() { FBlockState = kInCall; }

void TauEventThread::LeaveBlockingCall() {
  int expected = kInCall;
  if (FBlockState.compare_exchange_strong(expected, kOutsideCall)) return;
  // Given up by the owner, who is killing this thread: nothing more may run here.
  FThreads.Park();
}

bool TauEventThread::AbandonIfBlocked() {
  int expected = kInCall;
  if (!FBlockState.compare_exchange_strong(expected, kAbandoned)) return false;
  // The thread is inside the call or parked right after it, holding none of our locks.
  Kill();
  return true;
}

void TauEventThread::Resume() {
  if (FResumed || !FHandle) return;
  FResumed = true;
  FHandle->Resume();
}

void TauEventThread::Kill() {
  if (!FHandle) return;
  if (!FResumed) {
    Terminate();
    Resume();
  }
  FHandle->Kill();
  FRunning = false;
}

bool TauEventThread::Finished() { return !FHandle || (FResumed && FHandle->Finished()); }

void TauEventThread::SetPriority(TThreadPriority p) {
  if (FHandle) FHandle->SetPriority(ThreadPriorityValue(p));
}

TThreadPriority TauEventThread::Priority() {
  return FHandle ? ThreadPriorityFromValue(FHandle->Priority()) : TThreadPriority::tpNormal;
}

uint32_t TauEventThread::ThreadProc() {
  // A worker resumed only to be disposed of ends at once. One that was started for its
  // work runs it even when a stop came first: the work sees the request at its first
  // check and its end still reaches OnFinish, so the owner is never left waiting.
  if (FTerminateRequested && !FStartedByOwner) return ExitCode;
  FRunning = true;
  try {
    if (OnExecute && !FOwner.Destroying()) {
      if (FOwner.HandleExceptions) {
        try {
          OnExecute(*this);
        } catch (...) {
          std::exception_ptr e = std::current_exception();
          if (OnException) RunInMainThread([this, e] { OnException(e); });
        }
      } else {
        OnExecute(*this);
      }
    }
  } catch (...) {
    // Nothing may leave a thread procedure; the end is still reported below.
    FatalException = std::current_exception();
  }
  try {
    if (OnFinish) RunInMainThread(OnFinish);
  } catch (...) {
    if (!FatalException) FatalException = std::current_exception();
  }
  FRunning = false;
  return ExitCode;
}

void TauEventThread::RunInMainThread(const std::function<void()>& method) {
  if (FOwner.Destroying() || Abandoned()) return;
  FCallException = nullptr;
  bool handled = FOwner.HandleExceptions;
  FThreads.CallOnMainThread([this, &method, handled] {
    if (FOwner.Destroying()) return;
    // Handled: the exception leaves the call for the general error box, which shows it
    // once this worker has been let go. Otherwise it is carried back into the work.
    if (handled) {
      method();
      return;
    }
    FCallException = nullptr;
    try {
      method();
    } catch (...) {
      FCallException = std::current_exception();
    }
  });
  if (FCallException && !FOwner.HandleExceptions) {
    std::exception_ptr e = FCallException;
    FCallException = nullptr;
    std::rethrow_exception(e);
  }
}

// ---------------------------------------------------------------------------------------

TauCustomThread::TauCustomThread(platform::WorkerThreads& threads) : FThreads(threads) { FThread = NewWorker(); }

TauCustomThread::~TauCustomThread() {
  FDestroying = true;
  // Each worker's destructor waits for its thread; calls it still makes are skipped.
  FThread.reset();
  FRetired.clear();
}

std::shared_ptr<TauEventThread> TauCustomThread::NewWorker() {
  auto w = std::make_shared<TauEventThread>(*this, FThreads, FPriority);
  w->OnExecute = OnExecute;
  w->OnException = OnException;
  w->OnFinish = OnFinish;
  return w;
}

void TauCustomThread::ReapFinished() {
  FRetired.erase(std::remove_if(FRetired.begin(), FRetired.end(),
                                [](const std::shared_ptr<TauEventThread>& w) { return w->Finished(); }),
                 FRetired.end());
}

void TauCustomThread::SetPriority(TThreadPriority p) {
  FPriority = p;
  if (FThread) FThread->SetPriority(p);
}

bool TauCustomThread::StartThread() {
  ReapFinished();
  // Made first: when the system cannot make a thread, the previous worker stays in place.
  std::shared_ptr<TauEventThread> worker = NewWorker();
  // The previous worker may still be returning from its last main-thread call (a start
  // from inside OnFinish); it keeps its own object and ends on its own.
  if (FThread->FResumed && !FThread->Finished()) FRetired.push_back(FThread);
  // A worker never started is let end at once by its destructor.
  FThread = worker;
  worker->FreeOnTerminate = FreeOnTerminate;
  worker->FStartedByOwner = true;
  worker->Resume();
  if (!WaitThread) return true;

  uint32_t timeout = WaitTimeout == 0 ? platform::WorkerThreads::kInfinite : WaitTimeout;
  platform::PumpWaitResult r = FThreads.WaitPumping(*worker->FHandle, timeout, [this] { return FDestroying.load(); });
  if (r != platform::PumpWaitResult::TimedOut) return true;
  bool terminate = true;
  if (OnWaitTimeoutExpired) OnWaitTimeoutExpired(this, terminate);
  if (terminate && worker == FThread) StopThread(true);
  return !terminate;
}

void TauCustomThread::StopThread(bool hard) {
  if (!hard) {
    FThread->Terminate();
    return;
  }
  std::shared_ptr<TauEventThread> fresh = NewWorker();
  FThread->Kill();
  // Kept until later: a hard stop may come from inside one of its main-thread calls,
  // which still returns through the object.
  FRetired.push_back(FThread);
  FThread = fresh;
}

bool TauCustomThread::WaitForWorker(uint32_t timeoutMs) {
  // Held here: a start from inside the wait puts a new worker in its place.
  std::shared_ptr<TauEventThread> worker = FThread;
  return worker->WaitFor(timeoutMs);
}

bool TauCustomThread::Terminated() const { return FThread->Terminated(); }
bool TauCustomThread::Running() const { return FThread->Running(); }

}  // namespace update
