#include "fakes/FakeProcesses.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Exceptions.h"

using platform::OsHandle;
using State = FakeWatchRecord::State;

class FakeProcessWatch : public platform::ProcessWatch {
 public:
  FakeProcessWatch(FakeProcesses& owner, size_t index) : owner_(owner), index_(index) {}
  bool Alive() override { return owner_.watches[index_].state != State::Ended; }
  void Cancel() override { owner_.Cancel(index_); }
  void Join() override { owner_.Join(index_); }

 private:
  FakeProcesses& owner_;
  size_t index_;
};

namespace {

class FakeReply : public platform::HandOverReply {
 public:
  explicit FakeReply(platform::WatchOutcome& outcome) : outcome_(outcome) {}
  bool Release() override {
    if (!released) {
      released = true;
      // The worker goes on and its result is gone: a reader after the release sees rubbish.
      outcome_.waitResult = 0xBAADF00D;
      outcome_.lastError = 0xBAADF00D;
      outcome_.exitCode = 0xBAADF00D;
    }
    return true;
  }
  bool released = false;

 private:
  platform::WatchOutcome& outcome_;
};

}  // namespace

FakeProcesses::FakeProcesses() {
  errorTexts[2] = "The system cannot find the file specified.\r\n";
  errorTexts[3] = "The system cannot find the path specified.\r\n";
  errorTexts[5] = "Access is denied.\r\n";
  errorTexts[6] = "The handle is invalid.\r\n";
  errorTexts[170] = "The requested resource is in use.\r\n";
}

OsHandle FakeProcesses::NewHandle() {
  OsHandle h = nextHandle_;
  nextHandle_ += 4;
  open_.insert(h);
  return h;
}

bool FakeProcesses::Start(const platform::ProcessStartRequest& request,
                          platform::ProcessInformation& out, uint32_t& error) {
  attempts.push_back(request);
  std::optional<uint32_t> failure;
  if (!startErrors.empty()) {
    failure = startErrors.front();
    startErrors.pop_front();
  }
  if (failure) {
    error = *failure;
    threadError = *failure;
    return false;
  }
  FakeProcess p;
  p.request = request;
  p.info.process = NewHandle();
  p.info.thread = NewHandle();
  p.info.processId = nextId_++;
  p.info.threadId = nextId_++;
  processByHandle_[p.info.process] = started.size();
  started.push_back(p);
  out = p.info;
  error = 0;
  return true;
}

uint32_t FakeProcesses::WaitUntilIdle(OsHandle process, uint32_t milliseconds) {
  idleWaits.emplace_back(process, milliseconds);
  return idleResult;
}

bool FakeProcesses::ExitCodeOf(OsHandle process, uint32_t& code) {
  auto it = processByHandle_.find(process);
  if (it == processByHandle_.end() || !IsOpen(process)) {
    threadError = 6;
    return false;
  }
  const FakeProcess& p = started[it->second];
  code = p.running ? platform::kStillActive : p.exitCode;
  return true;
}

void FakeProcesses::Close(OsHandle handle) {
  if (!open_.erase(handle)) ++badCloses;
}

std::string FakeProcesses::ErrorText(uint32_t code) {
  auto it = errorTexts.find(code);
  return it == errorTexts.end() ? std::string() : it->second;
}

bool FakeProcesses::AssociatedProgram(const std::string& file, const std::string&, std::string& program,
                                      uint32_t& error) {
  size_t dot = file.find_last_of('.');
  std::string extension;
  if (dot != std::string::npos && file.find('\\', dot) == std::string::npos) {
    extension = file.substr(dot);
    for (char& c : extension)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (extension == ".exe") {
    program = file;
    return true;
  }
  auto it = associations.find(extension);
  if (it == associations.end()) {
    error = 1155;  // ERROR_NO_ASSOCIATION
    return false;
  }
  program = it->second;
  return true;
}

void FakeProcesses::SetThreadError(uint32_t code) {
  threadError = code;
  threadErrorsSet.push_back(code);
}

std::unique_ptr<platform::ProcessWatch> FakeProcesses::Watch(const platform::WatchRequest& request,
                                                             platform::HandOverFunction handOver) {
  if (request.channel == platform::HandOverChannel::RunAFileWindow && !hiddenWindowFailure.empty())
    throw Exception(hiddenWindowFailure);
  auto it = processByHandle_.find(request.process);
  if (it == processByHandle_.end() || !IsOpen(request.process))
    throw std::logic_error("FakeProcesses: watch of a handle that is not an open process");
  FakeWatchRecord record;
  record.request = request;
  record.processIndex = it->second;
  record.handOver = std::move(handOver);
  watches.push_back(std::move(record));
  size_t index = watches.size() - 1;
  const FakeProcess& p = started[it->second];
  if (!p.running) {
    // Already gone: the wait returns at once.
    FakeWatchRecord& w = watches[index];
    w.outcome.waitResult = request.order == platform::WaitOrder::ProcessThenCancel ? 0 : 1;
    if (request.readExitCode) w.outcome.exitCode = p.exitCode;
    w.state = State::Queued;
    queue_.push_back(index);
  }
  return std::make_unique<FakeProcessWatch>(*this, index);
}

void FakeProcesses::FinishWait(size_t processIndex, uint32_t waitResult, uint32_t lastError,
                               bool onlyTimed) {
  for (size_t i = 0; i < watches.size(); ++i) {
    FakeWatchRecord& w = watches[i];
    if (w.processIndex != processIndex || w.state != State::Waiting) continue;
    if (onlyTimed && w.request.timeoutMs == platform::kInfinite) continue;
    w.outcome.waitResult = waitResult;
    w.outcome.lastError = lastError;
    w.state = State::Queued;
    queue_.push_back(i);
  }
}

void FakeProcesses::End(size_t index, uint32_t exitCode) {
  if (index >= started.size()) throw std::logic_error("FakeProcesses::End: no such process");
  FakeProcess& p = started[index];
  if (!p.running) throw std::logic_error("FakeProcesses::End: the process has already ended");
  p.running = false;
  p.exitCode = exitCode;
  for (size_t i = 0; i < watches.size(); ++i) {
    FakeWatchRecord& w = watches[i];
    if (w.processIndex != index || w.state != State::Waiting) continue;
    w.outcome.waitResult = w.request.order == platform::WaitOrder::ProcessThenCancel ? 0 : 1;
    if (w.request.readExitCode) w.outcome.exitCode = exitCode;
    w.state = State::Queued;
    queue_.push_back(i);
  }
}

void FakeProcesses::TimeOut(size_t index) {
  size_t before = queue_.size();
  FinishWait(index, platform::kWaitTimeout, 0, true);
  if (queue_.size() == before)
    throw std::logic_error("FakeProcesses::TimeOut: no worker of that process waits with a limit");
}

void FakeProcesses::FailWait(size_t index, uint32_t error) {
  FinishWait(index, platform::kWaitFailed, error, false);
}

bool FakeProcesses::Deliver(size_t watchIndex) {
  FakeWatchRecord& w = watches[watchIndex];
  if (w.cancelled) {
    w.state = State::Ended;
    return false;
  }
  w.state = State::Delivering;
  w.handedOver = true;
  platform::WatchOutcome outcome = w.outcome;
  FakeReply reply(outcome);
  // The hand-over may start new workers (watches grows): index, never hold a reference.
  platform::HandOverFunction fn = w.handOver;
  try {
    fn(outcome, reply);
  } catch (...) {
    watches[watchIndex].releasedEarly = reply.released;
    watches[watchIndex].state = State::Ended;
    throw;
  }
  watches[watchIndex].releasedEarly = reply.released;
  watches[watchIndex].state = State::Ended;
  return true;
}

size_t FakeProcesses::RunPending() {
  size_t reached = 0;
  while (!queue_.empty()) {
    size_t index = queue_.front();
    queue_.pop_front();
    if (Deliver(index)) ++reached;
  }
  return reached;
}

void FakeProcesses::Cancel(size_t watchIndex) {
  FakeWatchRecord& w = watches[watchIndex];
  w.cancelled = true;
  if (w.state == State::Waiting) {
    w.outcome.waitResult = w.request.order == platform::WaitOrder::CancelThenProcess ? 0 : 1;
    w.outcome.cancelled = true;
    w.state = State::Ended;
  }
}

void FakeProcesses::Join(size_t watchIndex) {
  FakeWatchRecord& w = watches[watchIndex];
  if (w.state == State::Ended) return;
  if (w.state == State::Waiting)
    throw std::logic_error("FakeProcesses: Join on a worker that still waits (it would never end)");
  if (w.state == State::Delivering)
    throw std::logic_error("FakeProcesses: Join on a worker from inside its own hand-over");
  // Queued: the join keeps the UI side running, so this hand-over runs now.
  queue_.erase(std::find(queue_.begin(), queue_.end(), watchIndex));
  Deliver(watchIndex);
}
