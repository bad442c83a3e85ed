#pragma once
// An in-memory folder for the replacement program's logic: files with contents and attributes
// (names compare without regard to case, as on Windows), failures planted per operation and
// path, and a log of every change, wait, start and message in order.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "upgrader/UpgraderSystem.h"

namespace upgrader {

class FakeUpgraderSystem : public UpgraderSystem {
 public:
  struct File {
    std::string content;
    uint32_t attributes = kAttrArchive;
  };

  void Add(const std::string& path, const std::string& content, uint32_t attributes = kAttrArchive) {
    files_[Key(path)] = {path, {content, attributes}};
  }
  bool Has(const std::string& path) const { return files_.count(Key(path)) != 0; }
  const File& At(const std::string& path) const { return files_.at(Key(path)).second; }
  // The folder's files as "name=content" lines, sorted, for comparing before and after.
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> out;
    for (const auto& [key, entry] : files_) {
      out.push_back(entry.first + "=" + entry.second.content + " attr=" + std::to_string(entry.second.attributes));
    }
    return out;
  }
  // Makes `operation` ("move", "delete", "attributes", "start") fail for `path` (the source
  // of a move); `times` failures, then it works again.
  void FailOn(const std::string& operation, const std::string& path, int times = 1000) {
    failures_[operation + "|" + Key(path)] = times;
  }

  std::vector<std::string> log;
  std::vector<std::string> errors;
  std::vector<std::string> informations;

  bool Exists(const std::string& path) override { return Has(path); }
  std::optional<uint32_t> Attributes(const std::string& path) override {
    if (!Has(path)) return NoSuchFile();
    return At(path).attributes;
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    if (Fails("attributes", path) || !Has(path)) return Failure("access denied");
    files_[Key(path)].second.attributes = attributes;
    return true;
  }
  bool Move(const std::string& from, const std::string& to) override {
    if (Fails("move", from)) return Failure("in use");
    if (!Has(from) || Has(to)) return Failure("no such file or target exists");
    auto entry = files_[Key(from)];
    files_.erase(Key(from));
    entry.first = to;
    files_[Key(to)] = entry;
    log.push_back("move " + Name(from) + " > " + Name(to));
    return true;
  }
  bool Delete(const std::string& path) override {
    if (Fails("delete", path) || !Has(path)) return Failure("cannot delete");
    files_.erase(Key(path));
    log.push_back("delete " + Name(path));
    return true;
  }
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (!Has(path)) return std::nullopt;
    return At(path).content;
  }
  std::vector<std::string> TempFileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [key, entry] : files_) {
      const std::string& path = entry.first;
      if (Key(path).rfind(Key(folder), 0) == 0 && path.find('\\', folder.size()) == std::string::npos &&
          path.size() > 5 && Key(path.substr(path.size() - 5)) == ".utmp") {
        names.push_back(path.substr(folder.size()));
      }
    }
    return names;
  }
  std::string ErrorText() override { return lastError_; }
  void WaitUntilFree(const std::string& path) override { log.push_back("wait " + Name(path)); }
  bool Start(const std::string& programPath, const std::string& argument, const std::string& folder) override {
    if (Fails("start", programPath)) return Failure("cannot start");
    log.push_back("start " + Name(programPath) + " [" + argument + "] in " + folder);
    return true;
  }
  void ShowInformation(const std::string& text) override { informations.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }

 private:
  static std::string Key(const std::string& path) {
    std::string key = path;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return key;
  }
  static std::string Name(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
  bool Fails(const std::string& operation, const std::string& path) {
    auto it = failures_.find(operation + "|" + Key(path));
    if (it == failures_.end() || it->second == 0) return false;
    --it->second;
    return true;
  }
  bool Failure(const std::string& why) {
    lastError_ = why;
    return false;
  }
  std::nullopt_t NoSuchFile() {
    lastError_ = "no such file";
    return std::nullopt;
  }

  std::map<std::string, std::pair<std::string, File>> files_;
  std::map<std::string, int> failures_;
  std::string lastError_;
};

}  // namespace upgrader
