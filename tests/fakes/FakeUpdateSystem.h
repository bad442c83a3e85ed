#pragma once
// Fakes of the services the update component needs beyond the common ones: its timer
// window, the local address, the embedded resources, file sizes and times, the
// message-pumping wait, the application, and WinInet whose files live in a FakeFileSystem.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeHttpClient.h"
#include "platform/Application.h"
#include "platform/FileDetails.h"
#include "platform/LocalNetwork.h"
#include "platform/MessageWaits.h"
#include "platform/ModuleResources.h"
#include "platform/TimerWindows.h"

// The timers of the windows made through it. A test fires a timer with Fire().
class FakeTimerWindows : public platform::TimerWindows {
 public:
  std::map<uint32_t, uint32_t> active;  // timer id -> milliseconds
  std::vector<std::string> log;         // "set 1 10000", "kill 1"
  bool refuse = false;                  // SetTimer fails
  int windows = 0;                      // windows alive

  std::unique_ptr<platform::TimerWindow> Create(std::function<void(uint32_t)> onTimer) override;
  // Runs the timer's handler as the window would; false when the timer is not set.
  bool Fire(uint32_t id);

 private:
  std::function<void(uint32_t)> onTimer_;
  friend class FakeTimerWindow;
};

class FakeLocalNetwork : public platform::LocalNetwork {
 public:
  bool resolves = true;
  std::string address = "192.168.1.20";
  int calls = 0;
  std::string failure;  // when set, the lookup throws std::runtime_error with this text
  bool LastLocalAddress(std::string& dotted) override {
    ++calls;
    if (!failure.empty()) throw std::runtime_error(failure);
    if (!resolves) return false;
    dotted = address;
    return true;
  }
};

class FakeModuleResources : public platform::ModuleResources {
 public:
  std::map<std::pair<std::string, std::string>, std::string> resources;  // (name, type) -> bytes
  bool Read(const std::string& name, const std::string& type, std::string& bytes) override {
    auto it = resources.find({name, type});
    if (it == resources.end()) return false;
    bytes = it->second;
    return true;
  }
};

// Sizes and contents from a FakeFileSystem; times and temporary attributes recorded.
class FakeFileDetails : public platform::FileDetails {
 public:
  explicit FakeFileDetails(FakeFileSystem& files) : files_(files) {}
  std::map<std::string, platform::LocalTime> times;  // path -> creation and last-write time
  std::set<std::string> temporary;                   // created through CreateTemporaryFile
  std::set<std::string> uncreatable;
  std::set<std::string> sizeUnreadable;

  bool FileSize(const std::string& path, uint64_t& size) override;
  bool SetCreationAndWriteTime(const std::string& path, const platform::LocalTime& time) override;
  bool CreateTemporaryFile(const std::string& path, const std::string& bytes) override;

 private:
  FakeFileSystem& files_;
};

class FakeSignalEvent : public platform::SignalEvent {
 public:
  explicit FakeSignalEvent(int& alive) : alive_(alive) { ++alive_; }
  ~FakeSignalEvent() override { --alive_; }
  void Set() override { set_ = true; }
  bool IsSet() override { return set_; }

 private:
  int& alive_;
  bool set_ = false;
};

// The wait runs `duringWait` (what the user and the system do meanwhile) once, then
// returns; it records whether the event had been signalled by then, or the application
// said it was terminating.
class FakeMessageWaits : public platform::MessageWaits {
 public:
  std::function<void()> duringWait;
  int waits = 0;
  int endedBySignal = 0;
  int endedByTermination = 0;
  int unended = 0;      // neither: the real wait would still be waiting
  int eventsAlive = 0;  // events not yet closed

  std::unique_ptr<platform::SignalEvent> CreateManualEvent() override {
    return std::make_unique<FakeSignalEvent>(eventsAlive);
  }
  void WaitPumping(platform::SignalEvent& event, const std::function<bool()>& terminating) override {
    ++waits;
    if (!event.IsSet() && duringWait) duringWait();
    if (event.IsSet())
      ++endedBySignal;
    else if (terminating())
      ++endedByTermination;
    else
      ++unended;
  }
};

class FakeApplication : public platform::Application {
 public:
  std::string firstArgument;
  bool terminated = false;
  int terminateCalls = 0;
  std::vector<std::string> exceptions;  // messages shown in the general error box

  std::string FirstArgument() override { return firstArgument; }
  void Terminate() override {
    ++terminateCalls;
    terminated = true;
  }
  bool Terminated() override { return terminated; }
  void HandleException(std::exception_ptr error) override;
};

// WinInet as FakeHttpClient scripts it, with the transfer's files in a FakeFileSystem, so
// that the files the transfer writes are the files the component lists and deletes.
class FakeHttpClientOnFiles : public FakeHttpClient {
 public:
  explicit FakeHttpClientOnFiles(FakeFileSystem& files) : fs_(files) {}

  platform::FileHandle FileOpenRead(const std::string& path, uint64_t& size) override;
  platform::FileHandle FileCreate(const std::string& path) override;
  platform::FileHandle FileOpenAppend(const std::string& path) override;
  bool FileRead(platform::FileHandle f, void* buffer, uint32_t size, uint32_t& read) override;
  bool FileWrite(platform::FileHandle f, const void* data, uint32_t size) override;
  void FileClose(platform::FileHandle f) override;
  bool FileSetHiddenTemporary(const std::string& path) override;
  bool FileRemove(const std::string& path) override;

  int openFiles = 0;

 private:
  struct OpenFile {
    std::string path;
    size_t position = 0;
  };
  FakeFileSystem& fs_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<OpenFile>> open_;
};
