#pragma once
// The one access path to the program's registry key, HKLM "SOFTWARE\Tavorin\Lumenrig".
// Every value is a string; on/off values are "1" and "0".
#include <memory>
#include <string>

#include "platform/Registry.h"

namespace settings {

class SettingsStore {
 public:
  static constexpr const char* kKeyPath = "SOFTWARE\\Tavorin\\Lumenrig";

  explicit SettingsStore(platform::Registry& registry);

  // Opens the key without creating it; true when it exists and may be opened.
  bool OpenExisting();
  // Opens the key, creating it (and "SOFTWARE\Tavorin") when missing; true on success.
  bool OpenCreating();
  // The value's text, "" when the value (or the key) is missing. A value of another type
  // than a string raises ERegistryException "Invalid data type for '<name>'".
  std::string ReadValue(const std::string& name);
  // Opens the key with creation and sets the value as REG_SZ. A write the registry
  // refuses raises ERegistryException "Failed to set data for '<name>'" and leaves the
  // stored value as it was.
  void WriteValue(const std::string& name, const std::string& text);
  // On unless the text is exactly "0" (a missing value is on).
  bool ReadFlagUnlessZero(const std::string& name);
  // On only if the text is exactly "1" (a missing value is off).
  bool ReadFlagIfOne(const std::string& name);
  // MIME Base64 with CR LF after every 76 output characters.
  static std::string EncodePassword(const std::string& password);
  // The matching decoder; characters outside the alphabet are skipped.
  static std::string DecodePassword(const std::string& encoded);
  void Close();

 private:
  platform::Registry& registry_;
  std::unique_ptr<platform::RegistryKey> key_;
};

// Reads a string value the way the store does; shared with the game detection, which
// reads the game's keys by the same rules.
std::string ReadStringValue(platform::RegistryKey& key, const std::string& name);

}  // namespace settings
