#include "fakes/FakeUpdateSystem.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

class FakeTimerWindow : public platform::TimerWindow {
 public:
  explicit FakeTimerWindow(FakeTimerWindows& owner) : owner_(owner) { ++owner_.windows; }
  ~FakeTimerWindow() override {
    owner_.active.clear();
    --owner_.windows;
  }
  bool SetTimer(uint32_t id, uint32_t ms) override {
    owner_.log.push_back("set " + std::to_string(id) + " " + std::to_string(ms));
    if (owner_.refuse) return false;
    owner_.active[id] = ms;
    return true;
  }
  void KillTimer(uint32_t id) override {
    owner_.log.push_back("kill " + std::to_string(id));
    owner_.active.erase(id);
  }
  uintptr_t Handle() override { return 0; }

 private:
  FakeTimerWindows& owner_;
};

std::unique_ptr<platform::TimerWindow> FakeTimerWindows::Create(std::function<void(uint32_t)> onTimer) {
  onTimer_ = std::move(onTimer);
  return std::make_unique<FakeTimerWindow>(*this);
}

bool FakeTimerWindows::Fire(uint32_t id) {
  if (!active.count(id) || !onTimer_) return false;
  onTimer_(id);
  return true;
}

bool FakeFileDetails::FileSize(const std::string& path, uint64_t& size) {
  std::string bytes;
  if (sizeUnreadable.count(path) || !files_.ReadAll(path, bytes)) return false;
  size = bytes.size();
  return true;
}

bool FakeFileDetails::SetCreationAndWriteTime(const std::string& path, const platform::LocalTime& time) {
  if (!files_.FileExists(path)) return false;
  times[path] = time;
  return true;
}

bool FakeFileDetails::CreateTemporaryFile(const std::string& path, const std::string& bytes) {
  if (uncreatable.count(path) || !files_.WriteAll(path, bytes)) return false;
  temporary.insert(path);
  return true;
}

void FakeApplication::HandleException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    exceptions.push_back(e.what());
  } catch (...) {
    exceptions.push_back("<unknown>");
  }
}

platform::FileHandle FakeHttpClientOnFiles::FileOpenRead(const std::string& path, uint64_t& size) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string bytes;
  if (!fs_.ReadAll(path, bytes)) return nullptr;
  size = bytes.size();
  open_.push_back(std::make_unique<OpenFile>(OpenFile{path, 0}));
  ++openFiles;
  return open_.back().get();
}

platform::FileHandle FakeHttpClientOnFiles::FileCreate(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (uncreatable.count(path) || !fs_.WriteAll(path, "")) return nullptr;
  fs_.HoldOpen(path, true);
  open_.push_back(std::make_unique<OpenFile>(OpenFile{path, 0}));
  ++openFiles;
  return open_.back().get();
}

platform::FileHandle FakeHttpClientOnFiles::FileOpenAppend(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string bytes;
  if (!fs_.ReadAll(path, bytes)) return nullptr;
  fs_.HoldOpen(path, true);
  open_.push_back(std::make_unique<OpenFile>(OpenFile{path, bytes.size()}));
  ++openFiles;
  return open_.back().get();
}

bool FakeHttpClientOnFiles::FileRead(platform::FileHandle f, void* buffer, uint32_t size, uint32_t& read) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto* file = static_cast<OpenFile*>(f);
  std::string bytes;
  if (!fs_.ReadAll(file->path, bytes)) return false;
  read = static_cast<uint32_t>(std::min<size_t>(size, bytes.size() - std::min(file->position, bytes.size())));
  std::memcpy(buffer, bytes.data() + file->position, read);
  file->position += read;
  return true;
}

bool FakeHttpClientOnFiles::FileWrite(platform::FileHandle f, const void* data, uint32_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto* file = static_cast<OpenFile*>(f);
  std::string bytes;
  fs_.ReadAll(file->path, bytes);
  bytes.resize(file->position);
  bytes.append(static_cast<const char*>(data), size);
  if (!fs_.WriteAll(file->path, bytes)) return false;
  file->position += size;
  return true;
}

void FakeHttpClientOnFiles::FileClose(platform::FileHandle f) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find_if(open_.begin(), open_.end(), [f](const auto& p) { return p.get() == f; });
  if (it == open_.end()) throw std::logic_error("FileClose of a file that is not open");
  fs_.HoldOpen((*it)->path, false);
  open_.erase(it);
  --openFiles;
}

bool FakeHttpClientOnFiles::FileSetHiddenTemporary(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  hidden.insert(path);
  return fs_.FileExists(path);
}

bool FakeHttpClientOnFiles::FileRemove(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return fs_.RemoveFile(path);
}
