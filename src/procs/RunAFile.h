#pragma once
// TRunAFile: every Execute starts a run item (TRunItem) with a waiting worker of its own
// (TProcWait); each item's end is reported through OnProcCompleted on the UI thread, by
// way of the program's hidden "RunAFileWndClass" window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Processes.h"

enum TWindowType { wtNormal, wtMinimize, wtMaximize, wtHide, wtMinNoActive, wtShowNA };
enum TPriority { prNormal, prIdle, prHigh, prRealTime };
enum TRetType { rtNone = 0, rtNormal = 1, rtError = 2, rtTimeOut = 3 };

struct TParams {
  std::string ProcFileName;    // may carry the arguments as well
  std::string ProcParameters;  // appended after one blank
  std::string ProcCurrentDir;  // trimmed; empty: the caller's current directory
  uint32_t TimeOutSec = 0;     // 0: no limit; above 3600 the limit is one hour
  bool WaitUntilDone = false;  // a waiting worker is started only when False
  TWindowType WindowType = wtNormal;
  TPriority Priority = prNormal;
  // True: ProcFileName names a document; the program registered for it starts with the
  // document's path (quoted) and ProcParameters.
  bool UseAssociations = false;
  std::string UserString;
  int UserTag = 0;
};

// What a worker hands over: its wait's return code and the last error right after it.
struct TRet {
  uint32_t WaitResult = 0;
  uint32_t LastError = 0;
};

class TRunItem;
using TProcCompletedEvent = std::function<void(TRunItem& RunItem, TRetType RetType, uint32_t RetVal)>;
using TAfterLaunchEvent = std::function<void(TRunItem& RunItem, bool Launched)>;

// The longest wait of a worker for a TimeOutSec: 0 gives no limit, above 3600 one hour.
uint32_t TimeOutMilliseconds(uint32_t timeOutSec);

constexpr size_t kRunItemCommandLineMax = 512;

class TRunAFile;

// The waiting worker of one run item.
class TProcWait {
 public:
  // Starts at once. May raise Exception when the hidden window cannot be made.
  TProcWait(TRunItem& item, platform::Processes& processes);
  ~TProcWait();
  bool Alive() { return watch_->Alive(); }
  // Stops the worker and waits for it to end, keeping hand-overs flowing; nothing is reported.
  void StopAndWait();
  uint32_t TimeOutMs() const { return timeOutMs_; }

 private:
  void CompletionMessage(const platform::WatchOutcome& outcome, platform::HandOverReply& reply);

  TRunItem& item_;
  platform::Processes& processes_;
  uint32_t timeOutMs_;
  std::unique_ptr<platform::ProcessWatch> watch_;
};

class TRunItem {
 public:
  TRunItem(platform::Processes& processes, platform::Clock& clock, const TParams& params,
           TProcCompletedEvent onProcCompleted, TAfterLaunchEvent onAfterLaunch);
  // Stops its worker (waiting for it) and closes the process handle; nothing is reported
  // and the process keeps running.
  ~TRunItem();
  TRunItem(const TRunItem&) = delete;
  TRunItem& operator=(const TRunItem&) = delete;

  TParams Params;
  TProcCompletedEvent OnProcCompleted;
  TAfterLaunchEvent OnAfterLaunch;

  // One start attempt: OnAfterLaunch reports the outcome, then a worker watches the
  // process when OnProcCompleted is set. A busy item refuses with ERROR_BUSY.
  void Start();
  // Its worker is alive, its end report is running, or its process is still active.
  bool Busy();

  const std::string& CommandLine() const { return commandLine_; }
  platform::OsHandle ProcessHandle() const { return process_; }
  uint32_t ProcessId() const { return processId_; }
  uint32_t ThreadId() const { return threadId_; }
  const platform::LocalTime& StartTime() const { return startTime_; }
  bool InCallback() const { return inCallback_; }
  TRetType RetType() const { return retType_; }
  uint32_t RetVal() const { return retVal_; }
  // The system error code of the last start attempt (0 after a successful one).
  uint32_t LastError() const { return lastError_; }
  bool HasWorker() const { return worker_ != nullptr; }

 private:
  friend class TProcWait;
  bool ProcessActive();
  // The command line of a start; false with a system error code when none can be made.
  bool BuildCommandLine(std::string& line, uint32_t& error);
  // Creates the process from the command line; false with the system's error code.
  bool Launch(uint32_t& error);

  platform::Processes& processes_;
  platform::Clock& clock_;
  std::string commandLine_;
  platform::OsHandle process_ = 0;
  uint32_t processId_ = 0, threadId_ = 0;
  platform::LocalTime startTime_;
  std::unique_ptr<TProcWait> worker_;
  bool inCallback_ = false;
  bool starting_ = false;
  TRetType retType_ = rtNone;
  uint32_t retVal_ = 0;
  uint32_t lastError_ = 0;
};

class TRunAFile {
 public:
  TRunAFile(platform::Processes& processes, platform::Clock& clock);
  // Frees every run item, the last first; nothing is reported, processes keep running.
  ~TRunAFile();
  TRunAFile(const TRunAFile&) = delete;
  TRunAFile& operator=(const TRunAFile&) = delete;

  TParams Params;
  bool AutoClear = true;
  TProcCompletedEvent OnProcCompleted;
  TAfterLaunchEvent OnAfterLaunch;

  std::string Version() const { return "2.08"; }
  void SetVersion(const std::string&) {}  // read-only: assignments are ignored

  // Creates a run item from Params and the handlers and starts it. Blocks up to 5000 ms
  // while the new process gets ready for input. No result: OnAfterLaunch tells.
  void Execute();

  size_t Count() const { return items_.size(); }
  TRunItem& Items(size_t index) { return *items_[index]; }
  // Frees one item (see ~TRunItem). An item whose end report is running cannot go
  // (the report is still using it): false, and it stays for AutoClear or the component's end.
  bool FreeItem(TRunItem& item);

 private:
  platform::Processes& processes_;
  platform::Clock& clock_;
  std::vector<std::unique_ptr<TRunItem>> items_;
};
