#pragma once
// The replacement program's operating-system services on Win32.
#include "upgrader/UpgraderSystem.h"

namespace upgrader {

class Win32UpgraderSystem : public UpgraderSystem {
 public:
  bool Exists(const std::string& path) override;
  std::optional<uint32_t> Attributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  std::vector<std::string> TempFileNames(const std::string& folder) override;
  std::string ErrorText() override;
  void WaitUntilFree(const std::string& path) override;
  bool Start(const std::string& programPath, const std::string& argument, const std::string& folder) override;
  void ShowInformation(const std::string& text) override;
  void ShowError(const std::string& text) override;

 private:
  bool Failed();  // keeps GetLastError for ErrorText; returns false
  unsigned long lastError_ = 0;
};

}  // namespace upgrader
