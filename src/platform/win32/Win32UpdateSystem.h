#pragma once
// Win32 implementations of the services the update component needs beyond the common
// ones: its timer window, the local address, the embedded resources, file sizes and
// times, the message-pumping wait and the application.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Application.h"
#include "platform/FileDetails.h"
#include "platform/LocalNetwork.h"
#include "platform/MessageWaits.h"
#include "platform/ModuleResources.h"
#include "platform/TimerWindows.h"

namespace platform {

// Hidden top-level windows of class "TauAutoUpgraderTimerWindow" (top-level, so that
// WM_QUERYENDSESSION reaches them).
class Win32TimerWindows : public TimerWindows {
 public:
  std::unique_ptr<TimerWindow> Create(std::function<void(uint32_t id)> onTimer) override;
};

class Win32LocalNetwork : public LocalNetwork {
 public:
  bool LastLocalAddress(std::string& dotted) override;
};

// Resources of the running executable.
class Win32ModuleResources : public ModuleResources {
 public:
  bool Read(const std::string& name, const std::string& type, std::string& bytes) override;
};

class Win32FileDetails : public FileDetails {
 public:
  bool FileSize(const std::string& path, uint64_t& size) override;
  bool SetCreationAndWriteTime(const std::string& path, const LocalTime& time) override;
  bool CreateTemporaryFile(const std::string& path, const std::string& bytes) override;
};

class Win32MessageWaits : public MessageWaits {
 public:
  std::unique_ptr<SignalEvent> CreateManualEvent() override;
  void WaitPumping(SignalEvent& event, const std::function<bool()>& terminating) override;
};

class Win32Application : public Application {
 public:
  // The main window, closed by Terminate.
  void SetMainWindow(uintptr_t window) { mainWindow_ = window; }
  // The general error box; without it a plain error box shows the exception's text.
  std::function<void(std::exception_ptr)> onException;

  std::string FirstArgument() override;
  // Posts the close to the main window and ends the message loop after it, so that the
  // caller's work (which may belong to the main window) finishes first.
  void Terminate() override;
  bool Terminated() override { return terminated_; }
  void HandleException(std::exception_ptr error) override;

 private:
  uintptr_t mainWindow_ = 0;
  bool terminated_ = false;
};

}  // namespace platform
