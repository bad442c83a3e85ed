#include "procs/JvCreateProcess.h"

#include "platform/Exceptions.h"
#include "platform/Text.h"

platform::StartupFields TJvCPSStartupInfo::Fields() const {
  platform::StartupFields f;
  if (!DefaultPosition) {
    f.x = Left;
    f.y = Top;
    f.flags |= platform::StartfUsePosition;
  }
  if (!DefaultSize) {
    f.xSize = Width;
    f.ySize = Height;
    f.flags |= platform::StartfUseSize;
  }
  if (!DefaultWindowState) {
    static const uint16_t kShow[] = {0 /*SW_HIDE*/, 2 /*SW_SHOWMINIMIZED*/,
                                     3 /*SW_SHOWMAXIMIZED*/, 1 /*SW_SHOWNORMAL*/};
    f.showWindow = kShow[ShowWindow];
    f.flags |= platform::StartfUseShowWindow;
  }
  return f;
}

uint32_t PriorityClassOf(TJvProcessPriority priority) {
  switch (priority) {
    case ppIdle: return platform::IdlePriorityClass;
    case ppHigh: return platform::HighPriorityClass;
    case ppRealTime: return platform::RealtimePriorityClass;
    case ppNormal: break;
  }
  return platform::NormalPriorityClass;
}

TJvCreateProcess::TJvCreateProcess(platform::Processes& processes) : processes_(processes) {}

TJvCreateProcess::~TJvCreateProcess() {
  if (worker_) {
    // The worker may already be on its way to the UI thread: Cancel makes sure that
    // hand-over never reaches this (dead) component.
    worker_->Cancel();
    worker_.reset();
  }
  state_ = psReady;
  CloseProcessHandles();
}

void TJvCreateProcess::CloseProcessHandles() {
  if (info_.process) processes_.Close(info_.process);
  if (info_.thread) processes_.Close(info_.thread);
  info_.process = info_.thread = 0;
}

void TJvCreateProcess::Run() {
  if (state_ == psRunning)
    throw EJVCLException("Cannot perform this operation when process is running");
  state_ = psReady;
  info_ = platform::ProcessInformation{};

  platform::ProcessStartRequest request;
  request.creationFlags = PriorityClassOf(Priority);
  request.moduleName = text::Trim(ApplicationName);
  request.commandLine = CommandLine;
  request.currentDirectory = text::Trim(CurrentDirectory);
  request.startup = StartupInfo.Fields();

  uint32_t error = 0;
  if (!processes_.Start(request, info_, error)) {
    CloseProcessHandles();
    info_ = platform::ProcessInformation{};
    throw MakeOSError(error, error ? processes_.ErrorText(error) : std::string());
  }

  if (!WaitForTerminate) {
    CloseProcessHandles();
    return;
  }

  state_ = psRunning;
  platform::WatchRequest watch;
  watch.process = info_.process;
  watch.waitForInputIdle = true;
  watch.order = platform::WaitOrder::CancelThenProcess;
  watch.timeoutMs = platform::kInfinite;
  watch.priority = platform::WorkerPriority::BelowNormal;
  watch.readExitCode = true;
  watch.channel = platform::HandOverChannel::Queued;
  try {
    worker_ = processes_.Watch(watch, [this](const platform::WatchOutcome& outcome,
                                             platform::HandOverReply&) { HandOver(outcome); });
  } catch (...) {
    // Nothing watches the process: it runs on unreported, and the runner is free again.
    state_ = psReady;
    CloseProcessHandles();
    throw;
  }
}

// Runs on the UI thread while the worker waits for it to return.
void TJvCreateProcess::HandOver(const platform::WatchOutcome& outcome) {
  // The worker's exit code: the process's own when it ended the wait, $FFFFFFFF when the
  // cancellation event did, 0 when the wait failed.
  uint32_t code = 0;
  if (outcome.waitResult == platform::kWaitObject0 + 1) code = outcome.exitCode;
  else if (outcome.waitResult == platform::kWaitObject0) code = 0xFFFFFFFFu;

  worker_.reset();
  exitCode_ = code;
  state_ = psReady;
  CloseProcessHandles();
  // Nothing of this object is touched after the handler: it may Run again, or free us.
  TJvCPSTerminateEvent handler = OnTerminate;
  if (handler) handler(*this, code);
}
