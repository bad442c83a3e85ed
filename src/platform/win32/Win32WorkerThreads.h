#pragma once
// Worker threads on Win32: CreateThread, and calls into the main thread through the
// hidden window of class "TauThreadWindow" (message 0x8FFF, sent, so the worker waits).
#include <exception>
#include <functional>

#include "platform/WorkerThreads.h"

namespace platform {

class Win32WorkerThreads : public WorkerThreads {
 public:
  // The constructing thread is the main thread.
  Win32WorkerThreads();
  std::unique_ptr<OsThread> CreateSuspended(std::function<uint32_t()> body) override;
  bool OnMainThread() override;
  void AcquireCallWindow() override;
  void ReleaseCallWindow() override;
  void CallOnMainThread(const std::function<void()>& call) override;
  PumpWaitResult WaitPumping(OsThread& thread, uint32_t timeoutMs, const std::function<bool()>& stop) override;
  bool WaitDeliveringSent(OsThread& thread, uint32_t timeoutMs) override;
  void Park() override;

  // Shows an exception that a main-thread call let out; the application points it at
  // its general error box. Without it a plain error box is shown.
  std::function<void(const std::exception&)> onCallError;
  void ReportCallError(const std::exception& e);

 private:
  unsigned long mainThreadId_;
};

}  // namespace platform
