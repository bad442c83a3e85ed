#pragma once
// An in-memory file system that behaves like Windows where our code can tell: names
// compare without case, "\" separates (a "/" is taken as "\"), relative paths are
// taken against a current directory, a file needs an existing folder.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

class FakeFileSystem : public platform::FileSystem {
 public:
  FakeFileSystem();

  // Test set-up: adds a file (creating its folders) or a folder.
  void AddFile(const std::string& path, const std::string& bytes = {});
  void AddFolder(const std::string& path);
  // Fills a tree from a name-to-contents map, each name taken below `root`.
  void AddFiles(const std::string& root, const std::map<std::string, std::string>& files);
  // Failure switches: reads or writes of this exact file fail.
  void MakeUnreadable(const std::string& path);
  void MakeUnwritable(const std::string& path);
  // A file another handle holds open without delete sharing: it cannot be removed.
  void HoldOpen(const std::string& path, bool held);
  // A file another program holds open without write sharing (a spreadsheet program): it
  // reads, but appends report Locked and writes, removes and renames fail.
  void Lock(const std::string& path, bool locked);
  // The next append to this file stops after `bytes` bytes and fails, as a power cut
  // in the middle of the write would leave it.
  void CutAppendAfter(const std::string& path, size_t bytes);
  // Content of a file, or "<missing>" when it does not exist.
  std::string Content(const std::string& path);
  // Every file's full path, in its stored spelling, sorted.
  std::vector<std::string> AllFiles() const;

  // Normalised absolute spelling of a path (".." and "." resolved, no doubled "\").
  std::string Normalize(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
  bool RemoveFile(const std::string& path) override;
  platform::AppendOutcome Append(const std::string& path, const std::string& bytes) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool CreateDirectories(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;
  std::string CurrentDirectory() override;
  bool ChangeDirectory(const std::string& path) override;
  std::string FullPath(const std::string& path) override;

 private:
  static std::string Key(const std::string& normalized);
  static std::string Parent(const std::string& normalized);

  struct File {
    std::string path;  // as first written
    std::string bytes;
  };
  std::map<std::string, File> files_;       // by lower-case normalised path
  std::map<std::string, std::string> dirs_; // lower-case -> stored spelling
  std::set<std::string> unreadable_, unwritable_, held_, locked_;
  std::map<std::string, size_t> cutAppends_;
  std::string current_ = "C:\\";
};
