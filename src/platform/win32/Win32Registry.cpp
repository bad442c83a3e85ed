#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#ifndef KEY_WOW64_32KEY
#define KEY_WOW64_32KEY 0x0200
#endif

namespace platform {
namespace {

HKEY RootHandle(RegRoot root) {
  switch (root) {
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    default: return HKEY_LOCAL_MACHINE;
  }
}

constexpr REGSAM kAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}
  ~Win32Key() override { RegCloseKey(key_); }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  bool Read(const std::string& name, RegValue& out) override {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return false;
    std::vector<BYTE> buffer(size + 2);
    DWORD got = size;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, buffer.data(), &got) != ERROR_SUCCESS)
      return false;
    out.type = static_cast<RegType>(type);
    out.data.assign(reinterpret_cast<const char*>(buffer.data()), got);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      // The stored size counts the terminating zero, when there is one.
      size_t zero = out.data.find('\0');
      if (zero != std::string::npos) out.data.resize(zero);
    }
    return true;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }

  std::vector<std::string> SubKeyNames() override {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD size = sizeof name;
      LONG r = RegEnumKeyExA(key_, i, name, &size, nullptr, nullptr, nullptr, nullptr);
      if (r == ERROR_NO_MORE_ITEMS) break;
      if (r == ERROR_SUCCESS) names.emplace_back(name, size);
      else if (r != ERROR_MORE_DATA) break;  // a name longer than a key name can be: skip it
    }
    return names;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(RegRoot root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(RootHandle(root), path.c_str(), 0, kAccess, &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32Key>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::Create(RegRoot root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(key);
}

}  // namespace platform
