#pragma once
// What the replacement program asks of the operating system. The Win32 implementation is in
// win32/; tests use an in-memory one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace upgrader {

// File attribute bits, with the values Windows uses.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrNormal = 0x80;
inline constexpr uint32_t kAttrTemporary = 0x100;

class UpgraderSystem {
 public:
  virtual ~UpgraderSystem() = default;

  // Files. Every call that fails leaves the reason for ErrorText().
  virtual bool Exists(const std::string& path) = 0;
  virtual std::optional<uint32_t> Attributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // Renames within a folder; fails when `to` exists.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // The names (not paths) of the files matching folder + "*.uTMP".
  virtual std::vector<std::string> TempFileNames(const std::string& folder) = 0;
  // The text of the last failure, for the user.
  virtual std::string ErrorText() = 0;

  // Returns once the file can be opened for writing with no sharing, that is once no running
  // program holds it; also when it is gone. Keeps the program's messages moving meanwhile.
  virtual void WaitUntilFree(const std::string& path) = 0;

  // Starts the program by its full path with `argument` (maybe empty), in `folder`.
  virtual bool Start(const std::string& programPath, const std::string& argument, const std::string& folder) = 0;

  virtual void ShowInformation(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace upgrader
