#pragma once
// An in-memory registry. Key paths and value names compare without case, as in the
// system. Tests can refuse access to a key or refuse writes of single values.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

class FakeRegistry : public platform::Registry {
 public:
  using Root = platform::RegRoot;

  // Test set-up and inspection.
  void SetString(Root root, const std::string& key, const std::string& name, const std::string& text);
  void SetValue(Root root, const std::string& key, const std::string& name, platform::RegValue value);
  void AddKey(Root root, const std::string& key);
  bool KeyExists(Root root, const std::string& key) const;
  // The stored value, or nothing when it is missing.
  std::optional<platform::RegValue> Value(Root root, const std::string& key, const std::string& name) const;
  // The stored text of a value, or "<missing>".
  std::string Text(Root root, const std::string& key, const std::string& name) const;
  void DenyAccess(Root root, const std::string& key);
  void RefuseWrites(Root root, const std::string& key, const std::string& name);
  // Every successful write, as "name=text", in order.
  std::vector<std::string> writes;

  std::unique_ptr<platform::RegistryKey> Open(Root root, const std::string& path) override;
  std::unique_ptr<platform::RegistryKey> Create(Root root, const std::string& path) override;

 private:
  class Key;
  static std::string KeyId(Root root, const std::string& path);

  struct Stored {
    std::string name;
    platform::RegValue value;
  };
  std::map<std::string, std::map<std::string, Stored>> keys_;
  std::set<std::string> denied_;
  std::set<std::string> refusedWrites_;  // key id + "\\" + lower-case name
};
