#pragma once
// Registry seam. Every key is opened in the 32-bit view (the game's 32-bit installer
// writes there) with full access, for reading as well as writing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class RegRoot { LocalMachine, CurrentUser, ClassesRoot };

// Registry value types, numbered as the system numbers them.
enum class RegType : uint32_t {
  None = 0, String = 1, ExpandString = 2, Binary = 3, Dword = 4, MultiString = 7
};

struct RegValue {
  RegType type = RegType::None;
  std::string data;  // strings without their terminating zero; other types as raw bytes
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // False when the value does not exist (or cannot be read at all).
  virtual bool Read(const std::string& name, RegValue& out) = 0;
  // Writes a REG_SZ. False when the registry refuses; the stored value is then unchanged.
  virtual bool WriteString(const std::string& name, const std::string& text) = 0;
  // Names of the key's direct sub-keys, in the order the registry enumerates them.
  virtual std::vector<std::string> SubKeyNames() = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key; nullptr when it is missing or access is refused.
  virtual std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path) = 0;
  // Opens a key, creating it and its parents when missing; nullptr when refused.
  virtual std::unique_ptr<RegistryKey> Create(RegRoot root, const std::string& path) = 0;
};

}  // namespace platform
