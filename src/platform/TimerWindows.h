#pragma once
// A hidden window of a component's own that carries its timers. The window answers
// WM_QUERYENDSESSION with 1 (the session may end) and leaves every other message to the
// default window procedure.
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class TimerWindow {
 public:
  virtual ~TimerWindow() = default;  // destroys the window and with it its timers
  // SetTimer on the window; false when the system refuses the timer.
  virtual bool SetTimer(uint32_t id, uint32_t milliseconds) = 0;
  virtual void KillTimer(uint32_t id) = 0;
  // The window's handle (0 in fakes).
  virtual uintptr_t Handle() = 0;
};

class TimerWindows {
 public:
  virtual ~TimerWindows() = default;
  // Creates the window on the calling (main) thread; `onTimer` runs there with the timer's
  // id each time a timer fires. It must not throw.
  virtual std::unique_ptr<TimerWindow> Create(std::function<void(uint32_t id)> onTimer) = 0;
};

}  // namespace platform
