#pragma once
// Waiting on the main thread for an event while the program's windows stay usable.
#include <functional>
#include <memory>

namespace platform {

// A manual-reset event, unsignalled at creation; closed when destroyed.
class SignalEvent {
 public:
  virtual ~SignalEvent() = default;
  virtual void Set() = 0;
  virtual bool IsSet() = 0;
};

class MessageWaits {
 public:
  virtual ~MessageWaits() = default;
  virtual std::unique_ptr<SignalEvent> CreateManualEvent() = 0;
  // Main thread: waits without a time limit until `event` is signalled, dispatching every
  // message meanwhile (MsgWaitForMultipleObjects with QS_ALLINPUT). Returns early when the
  // application is terminating: a WM_QUIT arrived (it is posted again for the main loop)
  // or `terminating` answers true after a wake-up.
  virtual void WaitPumping(SignalEvent& event, const std::function<bool()>& terminating) = 0;
};

}  // namespace platform
