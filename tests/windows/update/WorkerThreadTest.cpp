// The worker thread and its synchronous calls into the main thread, on real Win32 threads.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "UpdateTestSupport.h"
#include "platform/win32/Win32WorkerThreads.h"
#include "update/auThread.h"

using namespace update;
using updatetest::PumpUntil;

namespace {

class WorkerThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The general error box, as the application points it: recorded here.
    threads.onCallError = [this](const std::exception& e) {
      errors.push_back(e.what());
      if (whileErrorShown) whileErrorShown();
    };
  }
  platform::Win32WorkerThreads threads;
  DWORD mainId = GetCurrentThreadId();
  std::vector<std::string> errors;
  std::function<void()> whileErrorShown;
};

// This process's call window only: test programs running side by side have their own.
bool CallWindowExists() {
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, "TauThreadWindow", nullptr)) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) return true;
  }
  return false;
}

}  // namespace

TEST_F(WorkerThreadTest, WorkRunsOnTheWorkerAndEveryCallOnTheMainThreadInOrder) {
  std::vector<int> order;
  std::atomic<DWORD> workerId{0};
  bool finished = false, finishOnMain = false;
  {
    TauCustomThread thread(threads);
    EXPECT_TRUE(CallWindowExists());
    thread.OnExecute = [&](TauEventThread& w) {
      workerId = GetCurrentThreadId();
      for (int i = 0; i < 5; ++i)
        w.RunInMainThread([&, i] {
          EXPECT_EQ(GetCurrentThreadId(), mainId);
          order.push_back(i);
        });
    };
    thread.OnFinish = [&] {
      finishOnMain = GetCurrentThreadId() == mainId;
      finished = true;
    };
    ASSERT_TRUE(thread.StartThread());
    ASSERT_TRUE(PumpUntil([&] { return finished; }));
    EXPECT_NE(workerId.load(), mainId);
    EXPECT_TRUE(finishOnMain);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  }
  EXPECT_FALSE(CallWindowExists());  // gone with the last worker object
}

TEST_F(WorkerThreadTest, WaitThreadBlocksWhileServingCalls) {
  TauCustomThread thread(threads);
  int calls = 0;
  thread.WaitThread = true;
  thread.OnExecute = [&](TauEventThread& w) {
    Sleep(50);
    w.RunInMainThread([&] { ++calls; });
  };
  thread.OnFinish = [&] { ++calls; };
  EXPECT_TRUE(thread.StartThread());
  EXPECT_EQ(calls, 2);  // both ran before StartThread returned
}

TEST_F(WorkerThreadTest, WaitTimeoutStopsTheWorkerUnlessTheHandlerKeepsIt) {
  TauCustomThread thread(threads);
  thread.WaitThread = true;
  thread.WaitTimeout = 100;
  std::atomic<bool> release{false};
  thread.OnExecute = [&](TauEventThread&) {
    while (!release) Sleep(5);
  };
  int expired = 0;
  thread.OnWaitTimeoutExpired = [&](TauCustomThread*, bool& terminate) {
    ++expired;
    EXPECT_TRUE(terminate);
  };
  DWORD t0 = GetTickCount();
  EXPECT_FALSE(thread.StartThread());  // stopped hard
  EXPECT_GE(GetTickCount() - t0, 90u);
  EXPECT_EQ(expired, 1);
  EXPECT_FALSE(thread.Running());  // a fresh worker stands in its place

  thread.OnWaitTimeoutExpired = [&](TauCustomThread*, bool& terminate) { terminate = false; };
  EXPECT_TRUE(thread.StartThread());  // the worker keeps running
  EXPECT_TRUE(thread.Running());
  release = true;
  EXPECT_TRUE(PumpUntil([&] { return !thread.Running(); }));
}

TEST_F(WorkerThreadTest, SoftStopIsSeenByTheWork) {
  TauCustomThread thread(threads);
  std::atomic<bool> sawStop{false};
  bool finished = false;
  thread.OnExecute = [&](TauEventThread& w) {
    while (!w.Terminated()) Sleep(5);
    sawStop = true;
  };
  thread.OnFinish = [&] { finished = true; };
  thread.StartThread();
  ASSERT_TRUE(PumpUntil([&] { return thread.Running(); }));
  thread.StopThread(false);
  EXPECT_TRUE(thread.Terminated());
  ASSERT_TRUE(PumpUntil([&] { return finished; }));
  EXPECT_TRUE(sawStop);
}

TEST_F(WorkerThreadTest, AStopRightAfterTheStartStillEndsThroughOnFinish) {
  TauCustomThread thread(threads);
  std::atomic<bool> sawStop{false}, stopAsked{false};
  int finished = 0;
  // The work looks at the request only once the stop has been asked for: a thread that got
  // going before the stop would otherwise rightly see none.
  thread.OnExecute = [&](TauEventThread& w) {
    while (!stopAsked) Sleep(0);
    sawStop = w.Terminated();
  };
  thread.OnFinish = [&] { ++finished; };
  for (int i = 0; i < 20; ++i) {
    stopAsked = false;
    sawStop = false;
    thread.StartThread();
    thread.StopThread(false);  // often before the thread has begun
    stopAsked = true;
    ASSERT_TRUE(PumpUntil([&] { return finished == i + 1; })) << "run " << i << " never finished";
    EXPECT_TRUE(sawStop);
  }
}

TEST_F(WorkerThreadTest, ExceptionsOfTheWorkAndOfMainThreadCalls) {
  TauCustomThread thread(threads);
  std::string reported;
  bool finished = false;
  std::atomic<bool> continuedAfterCall{false};
  thread.OnExecute = [&](TauEventThread& w) {
    w.RunInMainThread([] { throw std::runtime_error("handler failed"); });
    continuedAfterCall = true;  // a failing handler does not end the worker
    throw std::runtime_error("work failed");
  };
  thread.OnException = [&](std::exception_ptr e) {
    EXPECT_EQ(GetCurrentThreadId(), mainId);
    try {
      std::rethrow_exception(e);
    } catch (const std::runtime_error& x) {
      reported = x.what();
    }
  };
  thread.OnFinish = [&] { finished = true; };
  // The box for the handler's exception is shown once the worker has been let go: the
  // worker goes on while it is open.
  bool workerWentOnWhileShown = false;
  whileErrorShown = [&] { workerWentOnWhileShown = PumpUntil([&] { return continuedAfterCall.load(); }, 5000); };
  thread.StartThread();
  ASSERT_TRUE(PumpUntil([&] { return finished; }));
  EXPECT_TRUE(continuedAfterCall);
  EXPECT_EQ(reported, "work failed");
  EXPECT_EQ(errors, std::vector<std::string>{"handler failed"});
  EXPECT_TRUE(workerWentOnWhileShown);
  whileErrorShown = nullptr;

  // Without HandleExceptions the handler's exception comes back into the work.
  thread.HandleExceptions = false;
  finished = false;
  std::string caughtInWork;
  thread.OnExecute = [&](TauEventThread& w) {
    try {
      w.RunInMainThread([] { throw std::runtime_error("back in the worker"); });
    } catch (const std::runtime_error& x) {
      caughtInWork = x.what();
    }
  };
  thread.StartThread();
  ASSERT_TRUE(PumpUntil([&] { return finished; }));
  EXPECT_EQ(caughtInWork, "back in the worker");
  EXPECT_EQ(errors.size(), 1u);  // the work caught it: no box
}

TEST_F(WorkerThreadTest, AStartFromInsideOnFinishGetsItsOwnWorker) {
  TauCustomThread thread(threads);
  int runs = 0, finishes = 0;
  std::vector<TauEventThread*> workers;
  thread.OnExecute = [&](TauEventThread& w) {
    EXPECT_FALSE(w.Terminated());
    workers.push_back(&w);
    ++runs;
  };
  thread.OnFinish = [&] {
    if (++finishes == 1) {
      thread.StartThread();  // the next run, started from the end of this one
      // The previous worker's flags are not the new run's: stopping the new one does
      // not concern the old, which still returns from this call and ends.
    }
  };
  // OnExecute/OnFinish are copied into each worker at its start.
  thread.StartThread();
  ASSERT_TRUE(PumpUntil([&] { return finishes == 2; }));
  EXPECT_EQ(runs, 2);
  ASSERT_EQ(workers.size(), 2u);
  EXPECT_NE(workers[0], workers[1]);
}

TEST_F(WorkerThreadTest, DestroyingTheOwnerWhileAWorkerWaitsToCallInSkipsTheCall) {
  std::atomic<bool> callRan{false}, workerDone{false};
  auto thread = std::make_unique<TauCustomThread>(threads);
  thread->OnExecute = [&](TauEventThread& w) {
    Sleep(100);  // the owner is destroyed meanwhile
    w.RunInMainThread([&] { callRan = true; });
    workerDone = true;
  };
  thread->StartThread();
  Sleep(20);
  DWORD t0 = GetTickCount();
  thread.reset();  // must not hang: the call is skipped
  EXPECT_LT(GetTickCount() - t0, 5000u);
  EXPECT_TRUE(workerDone);
  EXPECT_FALSE(callRan);
}

TEST_F(WorkerThreadTest, DestroyingTheOwnerWhileAWorkerIsInsideSendMessageDoesNotBlock) {
  std::atomic<bool> sending{false};
  auto thread = std::make_unique<TauCustomThread>(threads);
  bool ran = false;
  thread->OnExecute = [&](TauEventThread& w) {
    sending = true;
    w.RunInMainThread([&] { ran = true; });
  };
  thread->StartThread();
  while (!sending) Sleep(1);
  Sleep(20);  // the worker now waits inside SendMessage; nobody pumps
  thread.reset();
  EXPECT_FALSE(ran);
}

TEST_F(WorkerThreadTest, PriorityTableMapsBothWays) {
  struct Row {
    TThreadPriority p;
    int value;
  } rows[] = {{TThreadPriority::tpIdle, -15},  {TThreadPriority::tpLowest, -2},    {TThreadPriority::tpLower, -1},
              {TThreadPriority::tpNormal, 0},  {TThreadPriority::tpHigher, 1},     {TThreadPriority::tpHighest, 2},
              {TThreadPriority::tpTimeCritical, 15}};
  TauCustomThread thread(threads);
  for (const Row& r : rows) {
    EXPECT_EQ(ThreadPriorityValue(r.p), r.value);
    EXPECT_EQ(ThreadPriorityFromValue(r.value), r.p);
    thread.SetPriority(r.p);
    EXPECT_EQ(thread.Worker().Priority(), r.p);
  }
  EXPECT_EQ(ThreadPriorityFromValue(7), TThreadPriority::tpNormal);

  // A new worker starts with the component's priority.
  thread.SetPriority(TThreadPriority::tpLower);
  std::atomic<int> seen{99};
  bool finished = false;
  thread.OnExecute = [&](TauEventThread&) { seen = GetThreadPriority(GetCurrentThread()); };
  thread.OnFinish = [&] { finished = true; };
  thread.StartThread();
  ASSERT_TRUE(PumpUntil([&] { return finished; }));
  EXPECT_EQ(seen.load(), -1);
}
