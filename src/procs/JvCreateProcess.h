#pragma once
// TJvCreateProcess: starts one program at a time, watches it on a waiting worker and
// reports its end through OnTerminate on the UI thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Processes.h"

enum TJvProcessPriority { ppIdle, ppNormal, ppHigh, ppRealTime };
enum TJvCPSShowWindow { swHide, swMinimize, swMaximize, swNormal };
enum TJvProcessState { psReady, psRunning };

// Placement and show mode of the child's first window.
struct TJvCPSStartupInfo {
  TJvCPSShowWindow ShowWindow = swNormal;
  bool DefaultWindowState = true;
  bool DefaultPosition = true;
  int Left = 0, Top = 0;
  bool DefaultSize = true;
  int Width = 0, Height = 0;

  // The STARTUPINFO fields these settings give.
  platform::StartupFields Fields() const;
};

class TJvCreateProcess;
using TJvCPSTerminateEvent = std::function<void(TJvCreateProcess& Sender, uint32_t ExitCode)>;

class TJvCreateProcess {
 public:
  explicit TJvCreateProcess(platform::Processes& processes);
  // While a process is watched: stops watching without a report; the process keeps running.
  ~TJvCreateProcess();
  TJvCreateProcess(const TJvCreateProcess&) = delete;
  TJvCreateProcess& operator=(const TJvCreateProcess&) = delete;

  std::string CommandLine;       // handed to process creation unchanged
  std::string ApplicationName;   // trimmed; empty: the program comes from the command line
  std::string CurrentDirectory;  // trimmed; empty: the caller's current directory
  TJvProcessPriority Priority = ppNormal;
  TJvCPSStartupInfo StartupInfo;
  // With False nothing watches the started process: its handles are closed at once and
  // no end is reported.
  bool WaitForTerminate = true;
  TJvCPSTerminateEvent OnTerminate;

  // Starts the process and returns once it exists; the end comes through OnTerminate.
  // Raises EJVCLException while a process is watched, EOSError when creation fails.
  void Run();

  TJvProcessState State() const { return state_; }
  const platform::ProcessInformation& ProcessInfo() const { return info_; }
  uint32_t ExitCode() const { return exitCode_; }

 private:
  void HandOver(const platform::WatchOutcome& outcome);
  void CloseProcessHandles();

  platform::Processes& processes_;
  TJvProcessState state_ = psReady;
  platform::ProcessInformation info_;
  std::unique_ptr<platform::ProcessWatch> worker_;  // the TJvWaitForProcessThread
  uint32_t exitCode_ = 0;
};

// The priority class of a TJvProcessPriority.
uint32_t PriorityClassOf(TJvProcessPriority priority);
