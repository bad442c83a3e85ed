#pragma once
// Processes without processes. Every start is recorded and gets handles of its own; a test
// ends a process (or lets a worker's wait time out or fail) and then pumps the UI thread
// with RunPending(), which runs the queued hand-overs exactly as the real UI thread does.
//
//   FakeProcesses processes;
//   TJvCreateProcess cp(processes);
//   cp.CommandLine = "cmd /c x.bat"; cp.Run();
//   processes.End(0, 3);        // the first started process exits with code 3
//   processes.RunPending();     // OnTerminate runs here
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Processes.h"

struct FakeProcess {
  platform::ProcessStartRequest request;
  platform::ProcessInformation info;
  bool running = true;
  uint32_t exitCode = 0;
};

// One waiting worker, as the fake sees it.
struct FakeWatchRecord {
  enum class State {
    Waiting,     // blocked in its wait
    Queued,      // its hand-over waits for the UI thread
    Delivering,  // the UI thread runs its hand-over; the worker is blocked
    Ended
  };
  platform::WatchRequest request;
  size_t processIndex = 0;
  State state = State::Waiting;
  bool cancelled = false;
  bool handedOver = false;       // the hand-over function ran
  bool releasedEarly = false;    // Release() was called before the function returned
  platform::WatchOutcome outcome;
  platform::HandOverFunction handOver;
};

class FakeProcesses : public platform::Processes {
 public:
  FakeProcesses();

  // --- what the code under test did ---
  std::deque<FakeProcess> started;                        // successful starts, in order
  std::vector<platform::ProcessStartRequest> attempts;    // every Start call, failed ones too
  std::deque<FakeWatchRecord> watches;                    // every worker, in order
  std::vector<std::pair<platform::OsHandle, uint32_t>> idleWaits;  // WaitUntilIdle calls
  std::vector<uint32_t> threadErrorsSet;                  // every SetThreadError, in order
  int badCloses = 0;  // Close of a handle that is not open

  // --- knobs ---
  // The next Start calls fail with these codes (0 included), one per call, in order;
  // std::nullopt lets that call succeed.
  std::deque<std::optional<uint32_t>> startErrors;
  std::map<uint32_t, std::string> errorTexts;  // the system's texts, with their line breaks
  uint32_t idleResult = platform::kWaitObject0;
  // File associations by file extension (".htm" -> "C:\\Browser\\browser.exe"); a file
  // with ".exe" opens with itself; anything else has no association (error 1155).
  std::map<std::string, std::string> associations;
  // When set, a watch through the hidden window raises Exception with this message.
  std::string hiddenWindowFailure;

  // --- the outside world ---
  // Process `index` (in `started`) exits with `exitCode`; its waiting workers finish
  // their waits and queue their hand-overs.
  void End(size_t index, uint32_t exitCode);
  // The waits of process `index`'s workers time out (only workers with a time limit).
  void TimeOut(size_t index);
  // The waits of process `index`'s workers fail with `error`.
  void FailWait(size_t index, uint32_t error);

  // --- the UI thread ---
  // Runs the queued hand-overs in order, also those queued meanwhile; returns how many
  // reached their owner.
  size_t RunPending();
  size_t PendingCount() const { return queue_.size(); }

  bool IsOpen(platform::OsHandle handle) const { return open_.count(handle) != 0; }
  size_t OpenHandleCount() const { return open_.size(); }
  uint32_t threadError = 0;

  // platform::Processes
  bool Start(const platform::ProcessStartRequest& request, platform::ProcessInformation& out,
             uint32_t& error) override;
  uint32_t WaitUntilIdle(platform::OsHandle process, uint32_t milliseconds) override;
  bool ExitCodeOf(platform::OsHandle process, uint32_t& code) override;
  void Close(platform::OsHandle handle) override;
  std::string ErrorText(uint32_t code) override;
  bool AssociatedProgram(const std::string& file, const std::string& directory, std::string& program,
                         uint32_t& error) override;
  void SetThreadError(uint32_t code) override;
  uint32_t ThreadError() override { return threadError; }
  std::unique_ptr<platform::ProcessWatch> Watch(const platform::WatchRequest& request,
                                                platform::HandOverFunction handOver) override;

 private:
  friend class FakeProcessWatch;
  void FinishWait(size_t processIndex, uint32_t waitResult, uint32_t lastError, bool onlyTimed);
  // Runs one queued hand-over; true when it reached the owner.
  bool Deliver(size_t watchIndex);
  void Cancel(size_t watchIndex);
  void Join(size_t watchIndex);

  platform::OsHandle NewHandle();
  platform::OsHandle nextHandle_ = 0x100;
  std::set<platform::OsHandle> open_;
  std::map<platform::OsHandle, size_t> processByHandle_;
  uint32_t nextId_ = 1000;
  std::deque<size_t> queue_;  // watch indexes
};
