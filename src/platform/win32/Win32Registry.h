#pragma once
#include "platform/Registry.h"

namespace platform {

// The system registry, always in the 32-bit view with full access (KEY_ALL_ACCESS |
// KEY_WOW64_32KEY): the x86_64 build shares the game's keys and its own settings with
// the i686 build and the 32-bit game installer.
class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> Open(RegRoot root, const std::string& path) override;
  std::unique_ptr<RegistryKey> Create(RegRoot root, const std::string& path) override;
};

}  // namespace platform
