#pragma once
// Files and folders seam. Paths are Windows paths in the ANSI code page, "\" separated;
// relative paths are taken against the process's current directory, names compare
// without regard to case.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class AppendOutcome {
  Appended,  // every byte is at the end of the file
  Locked,    // another program holds the file open without letting others write
  Failed,    // any other failure (no folder, no rights, disk full)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Whole file as bytes; false when it is missing or cannot be read.
  virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
  // Creates or replaces the file; false when it cannot be written (the parent folder
  // must exist).
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Adds `bytes` at the end of the file, creating it when missing, in one write: a reader
  // sees either none or all of them (short of a power cut). Nothing is written unless
  // the outcome is Appended.
  virtual AppendOutcome Append(const std::string& path, const std::string& bytes) = 0;
  // Gives the file a new name in the same or another folder; false when `to` exists
  // already or the file cannot be moved (for instance while another program has it open).
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Creates the folder and every missing parent; true when the folder exists afterwards.
  virtual bool CreateDirectories(const std::string& path) = 0;
  // Names (not paths) of the files in `folder` that match `pattern` ("*.uTMP").
  virtual std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) = 0;
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& path) = 0;
  // The absolute form of `path`, a relative one taken against the current directory.
  virtual std::string FullPath(const std::string& path) = 0;
};

// Fixed folders of the system and of this program.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // Full path of the running executable.
  virtual std::string ModuleFileName() = 0;
  // The all-users application-data folder, without a trailing "\"; empty when the shell
  // cannot name it.
  virtual std::string CommonAppData() = 0;
  // The system folder (system32), without a trailing "\".
  virtual std::string SystemDirectory() = 0;
  // The temporary folder, ending in "\".
  virtual std::string TempPath() = 0;
};

}  // namespace platform
