#include "fakes/FakeWorkerThreads.h"

#include <chrono>
#include <exception>

#include "platform/Exceptions.h"

class FakeOsThread : public platform::OsThread {
 public:
  FakeOsThread(FakeWorkerThreads& owner, std::function<uint32_t()> body) : owner_(owner), body_(std::move(body)) {}
  ~FakeOsThread() override {
    if (thread_.joinable()) thread_.join();
  }
  void Resume() override {
    if (thread_.joinable()) return;
    thread_ = std::thread([this] {
      body_();
      finished_ = true;
      std::lock_guard<std::mutex> lock(owner_.mutex_);
      owner_.changed_.notify_all();
    });
  }
  void Kill() override { Join(); }
  void SetPriority(int priority) override { priority_ = priority; }
  int Priority() override { return priority_; }
  bool Finished() override { return finished_; }
  void Join() override {
    if (thread_.joinable()) thread_.join();
  }

 private:
  FakeWorkerThreads& owner_;
  std::function<uint32_t()> body_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
  int priority_ = 0;
};

std::unique_ptr<platform::OsThread> FakeWorkerThreads::CreateSuspended(std::function<uint32_t()> body) {
  if (failCreate) throw MakeOSError(8, "Not enough storage is available to process this command.\r\n");
  return std::make_unique<FakeOsThread>(*this, std::move(body));
}

void FakeWorkerThreads::CallOnMainThread(const std::function<void()>& call) {
  if (OnMainThread()) {
    call();
    return;
  }
  Pending pending{&call};
  std::unique_lock<std::mutex> lock(mutex_);
  queue_.push_back(&pending);
  changed_.notify_all();
  changed_.wait(lock, [&] { return pending.done; });
}

bool FakeWorkerThreads::ServeQueued() {
  bool any = false;
  for (;;) {
    Pending* p = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queue_.empty()) return any;
      p = queue_.front();
      queue_.pop_front();
    }
    std::string error;
    bool failed = false;
    try {
      (*p->call)();
    } catch (const std::exception& e) {
      failed = true;
      error = e.what();
    } catch (...) {
      failed = true;
      error = "unknown exception";
    }
    ++callsServed;
    any = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      p->done = true;
      changed_.notify_all();
    }
    if (failed) callErrors.push_back(error);
  }
}

void FakeWorkerThreads::WaitForWork(int milliseconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return !queue_.empty(); });
}

platform::PumpWaitResult FakeWorkerThreads::WaitPumping(platform::OsThread& thread, uint32_t timeoutMs,
                                                        const std::function<bool()>& stop) {
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    ServeQueued();
    if (thread.Finished()) return platform::PumpWaitResult::Ended;
    if (stop && stop()) return platform::PumpWaitResult::Stopped;
    if (timeoutMs != kInfinite &&
        std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
      return platform::PumpWaitResult::TimedOut;
    WaitForWork(5);
  }
}

bool FakeWorkerThreads::WaitDeliveringSent(platform::OsThread& thread, uint32_t timeoutMs) {
  auto start = std::chrono::steady_clock::now();
  while (!thread.Finished()) {
    ServeQueued();
    if (timeoutMs != kInfinite && std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
      return false;
    WaitForWork(5);
  }
  ServeQueued();
  return true;
}

bool FakeWorkerThreads::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    ServeQueued();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    WaitForWork(5);
  }
}
