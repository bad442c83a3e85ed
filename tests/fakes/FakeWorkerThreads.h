#pragma once
// Worker threads for native tests: real threads (std::thread), and main-thread calls that
// wait in a queue until the test's main thread serves them (PumpUntil, or the waits the
// component makes). A thread cannot be killed here: Kill waits for its end instead.
// An exception that a main-thread call lets out is recorded in callErrors (the general
// error box), after the worker has been let go.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/WorkerThreads.h"

class FakeWorkerThreads : public platform::WorkerThreads {
 public:
  FakeWorkerThreads() : main_(std::this_thread::get_id()) {}

  std::unique_ptr<platform::OsThread> CreateSuspended(std::function<uint32_t()> body) override;
  bool OnMainThread() override { return std::this_thread::get_id() == main_; }
  void AcquireCallWindow() override { ++callWindowUsers; }
  void ReleaseCallWindow() override { --callWindowUsers; }
  void CallOnMainThread(const std::function<void()>& call) override;
  platform::PumpWaitResult WaitPumping(platform::OsThread& thread, uint32_t timeoutMs,
                                       const std::function<bool()>& stop) override;
  bool WaitDeliveringSent(platform::OsThread& thread, uint32_t timeoutMs) override;
  // Returns at once: Kill waits for the thread's end here, so a parked thread must end.
  void Park() override { ++parked; }
  std::atomic<int> parked{0};

  // Test side: serves queued main-thread calls until `done` holds; false on time-out.
  bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

  std::atomic<int> callWindowUsers{0};
  std::atomic<int> callsServed{0};
  // Messages of the exceptions that reached the error box (main thread only).
  std::vector<std::string> callErrors;
  // The next thread creations fail as the system's would.
  bool failCreate = false;

 private:
  struct Pending {
    const std::function<void()>* call;
    bool done = false;
  };
  // Runs what is queued; true when something ran.
  bool ServeQueued();
  void WaitForWork(int milliseconds);

  std::thread::id main_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Pending*> queue_;
  friend class FakeOsThread;
};
