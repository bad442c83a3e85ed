#pragma once
#include "platform/FileSystem.h"

namespace platform {

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
  bool RemoveFile(const std::string& path) override;
  AppendOutcome Append(const std::string& path, const std::string& bytes) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool CreateDirectories(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) override;
  std::string CurrentDirectory() override;
  bool ChangeDirectory(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
};

class Win32SystemFolders : public SystemFolders {
 public:
  std::string ModuleFileName() override;
  std::string CommonAppData() override;
  std::string SystemDirectory() override;
  std::string TempPath() override;
};

}  // namespace platform
