#pragma once
// Processes and waiting workers on Win32. A worker hands its end to the UI thread by a
// message sent to a hidden window that the UI thread created (the program has one such
// window per channel, made by the first worker that needs it and kept to program end).
#include <exception>
#include <functional>

#include "platform/Processes.h"

namespace platform {

class Win32Processes : public Processes {
 public:
  // An exception that escapes a hand-over may not unwind through the window procedure:
  // it is caught there (after the worker was released) and given to this, the
  // application's general error box in the product. Unset, a plain error box shows it.
  std::function<void(const std::exception&)> onHandOverError;

  bool Start(const ProcessStartRequest& request, ProcessInformation& out, uint32_t& error) override;
  uint32_t WaitUntilIdle(OsHandle process, uint32_t milliseconds) override;
  bool ExitCodeOf(OsHandle process, uint32_t& code) override;
  void Close(OsHandle handle) override;
  std::string ErrorText(uint32_t code) override;
  bool AssociatedProgram(const std::string& file, const std::string& directory, std::string& program,
                         uint32_t& error) override;
  void SetThreadError(uint32_t code) override;
  uint32_t ThreadError() override;
  std::unique_ptr<ProcessWatch> Watch(const WatchRequest& request, HandOverFunction handOver) override;

  void ReportHandOverError(const std::exception& e);
};

}  // namespace platform
