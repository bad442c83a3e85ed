#include "procs/RunAFile.h"

#include <algorithm>

#include "platform/Text.h"

uint32_t TimeOutMilliseconds(uint32_t timeOutSec) {
  if (timeOutSec == 0) return platform::kInfinite;
  if (timeOutSec > 3600) return 3600u * 1000u;
  return timeOutSec * 1000u;
}

namespace {

uint16_t ShowCommandOf(TWindowType type) {
  switch (type) {
    case wtMinimize: return 2;     // SW_SHOWMINIMIZED
    case wtMaximize: return 3;     // SW_SHOWMAXIMIZED
    case wtHide: return 0;         // SW_HIDE
    case wtMinNoActive: return 7;  // SW_SHOWMINNOACTIVE
    case wtShowNA: return 8;       // SW_SHOWNA
    case wtNormal: break;
  }
  return 1;  // SW_SHOWNORMAL
}

uint32_t PriorityClassOf(TPriority priority) {
  switch (priority) {
    case prIdle: return platform::IdlePriorityClass;
    case prHigh: return platform::HighPriorityClass;
    case prRealTime: return platform::RealtimePriorityClass;
    case prNormal: break;
  }
  return platform::NormalPriorityClass;
}

constexpr uint32_t kInputIdleLimitMs = 5000;

}  // namespace

// --- TProcWait ---

TProcWait::TProcWait(TRunItem& item, platform::Processes& processes)
    : item_(item), processes_(processes), timeOutMs_(TimeOutMilliseconds(item.Params.TimeOutSec)) {
  platform::WatchRequest request;
  request.process = item.process_;
  request.waitForInputIdle = false;
  request.order = platform::WaitOrder::ProcessThenCancel;
  request.timeoutMs = timeOutMs_;
  request.priority = platform::WorkerPriority::Normal;
  request.readExitCode = false;
  request.channel = platform::HandOverChannel::RunAFileWindow;
  watch_ = processes_.Watch(request, [this](const platform::WatchOutcome& outcome,
                                            platform::HandOverReply& reply) {
    CompletionMessage(outcome, reply);
  });
}

TProcWait::~TProcWait() {
  if (watch_) watch_->Cancel();
}

void TProcWait::StopAndWait() {
  watch_->Cancel();
  watch_->Join();
}

// The hidden window's answer to the worker's message, on the UI thread.
void TProcWait::CompletionMessage(const platform::WatchOutcome& outcome,
                                  platform::HandOverReply& reply) {
  TRunItem& item = item_;
  item.inCallback_ = true;
  TProcCompletedEvent handler = item.OnProcCompleted;
  if (handler) {
    // Everything needed from the worker's result is taken before the worker is let go.
    TRet ret{outcome.waitResult, outcome.lastError};
    if (ret.WaitResult == platform::kWaitObject0) {
      uint32_t code = 0;
      if (!processes_.ExitCodeOf(item.process_, code)) code = 0;
      item.retType_ = rtNormal;
      item.retVal_ = code;
    } else if (ret.WaitResult == platform::kWaitTimeout) {
      item.retType_ = rtTimeOut;
      item.retVal_ = item.Params.TimeOutSec;
    } else {
      item.retType_ = rtError;
      item.retVal_ = ret.LastError;
    }
  }
  bool fromOtherThread = reply.Release();
  try {
    if (fromOtherThread && handler) handler(item, item.retType_, item.retVal_);
  } catch (...) {
    item.inCallback_ = false;
    throw;
  }
  item.inCallback_ = false;
}

// --- TRunItem ---

TRunItem::TRunItem(platform::Processes& processes, platform::Clock& clock, const TParams& params,
                   TProcCompletedEvent onProcCompleted, TAfterLaunchEvent onAfterLaunch)
    : Params(params),
      OnProcCompleted(std::move(onProcCompleted)),
      OnAfterLaunch(std::move(onAfterLaunch)),
      processes_(processes),
      clock_(clock) {}

TRunItem::~TRunItem() {
  if (worker_) {
    if (worker_->Alive()) worker_->StopAndWait();
    worker_.reset();
  }
  if (process_) processes_.Close(process_);
  process_ = 0;
}

bool TRunItem::ProcessActive() {
  if (!process_) return false;
  uint32_t code = 0;
  // A handle that no longer answers counts as not active.
  return processes_.ExitCodeOf(process_, code) && code == platform::kStillActive;
}

bool TRunItem::Busy() {
  return starting_ || (worker_ && worker_->Alive()) || inCallback_ || ProcessActive();
}

bool TRunItem::BuildCommandLine(std::string& line, uint32_t& error) {
  if (Params.UseAssociations) {
    std::string document = text::Trim(Params.ProcFileName);
    std::string program;
    if (!processes_.AssociatedProgram(document, text::Trim(Params.ProcCurrentDir), program, error)) return false;
    if (!text::EqualsNoCase(program, document)) {
      line = text::Trim("\"" + program + "\" \"" + document + "\" " + Params.ProcParameters);
      if (line.size() > kRunItemCommandLineMax) line.resize(kRunItemCommandLineMax);
      return true;
    }
  }
  line = text::Trim(Params.ProcFileName + " " + Params.ProcParameters);
  if (line.size() > kRunItemCommandLineMax) line.resize(kRunItemCommandLineMax);
  return true;
}

bool TRunItem::Launch(uint32_t& error) {
  platform::ProcessStartRequest request;
  request.commandLine = commandLine_;
  request.creationFlags = PriorityClassOf(Params.Priority) | platform::CreateNewConsole;
  request.currentDirectory = text::Trim(Params.ProcCurrentDir);
  request.startup.flags = platform::StartfUseShowWindow;
  request.startup.showWindow = ShowCommandOf(Params.WindowType);

  platform::ProcessInformation info;
  if (!processes_.Start(request, info, error)) return false;
  startTime_ = clock_.Now();
  processes_.WaitUntilIdle(info.process, kInputIdleLimitMs);
  processes_.Close(info.thread);
  process_ = info.process;
  processId_ = info.processId;
  threadId_ = info.threadId;
  lastError_ = 0;
  return true;
}

void TRunItem::Start() {
  if (Busy()) {
    lastError_ = platform::kErrorBusy;
    processes_.SetThreadError(lastError_);
    if (OnAfterLaunch) OnAfterLaunch(*this, false);
    return;
  }
  bool launched = false;
  {
    // An AutoClear inside OnAfterLaunch must not free the item that is being started.
    struct Starting {
      bool& flag;
      explicit Starting(bool& f) : flag(f) { flag = true; }
      ~Starting() { flag = false; }
    } starting(starting_);

    worker_.reset();
    if (process_) processes_.Close(process_);
    process_ = 0;
    processId_ = threadId_ = 0;
    std::string line;
    uint32_t error = 0;
    if (BuildCommandLine(line, error)) {
      commandLine_ = line;
      launched = Launch(error);
    }
    if (!launched) lastError_ = error;

    // The handler finds the outcome's code as the thread's last error, as callers expect.
    processes_.SetThreadError(lastError_);
    if (OnAfterLaunch) OnAfterLaunch(*this, launched);
  }
  if (launched && !Params.WaitUntilDone && OnProcCompleted) {
    retType_ = rtNone;
    retVal_ = 0;
    worker_ = std::make_unique<TProcWait>(*this, processes_);
  }
}

// --- TRunAFile ---

TRunAFile::TRunAFile(platform::Processes& processes, platform::Clock& clock)
    : processes_(processes), clock_(clock) {}

TRunAFile::~TRunAFile() {
  while (!items_.empty()) {
    // Out of the list before it goes: its join may run other items' hand-overs.
    std::unique_ptr<TRunItem> last = std::move(items_.back());
    items_.pop_back();
    last.reset();
  }
}

void TRunAFile::Execute() {
  if (AutoClear) {
    for (size_t i = items_.size(); i-- > 0;)
      if (i < items_.size() && !items_[i]->Busy()) FreeItem(*items_[i]);
  }
  items_.push_back(std::make_unique<TRunItem>(processes_, clock_, Params, OnProcCompleted, OnAfterLaunch));
  items_.back()->Start();
}

bool TRunAFile::FreeItem(TRunItem& item) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [&](const std::unique_ptr<TRunItem>& p) { return p.get() == &item; });
  if (it == items_.end() || item.InCallback()) return false;
  // Out of the list first: the join inside the item's destructor runs other hand-overs,
  // which may call Execute and walk the list.
  std::unique_ptr<TRunItem> doomed = std::move(*it);
  items_.erase(it);
  doomed.reset();
  return true;
}
