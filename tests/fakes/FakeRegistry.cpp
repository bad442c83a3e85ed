#include "fakes/FakeRegistry.h"

#include "platform/Text.h"

using platform::RegType;
using platform::RegValue;

std::string FakeRegistry::KeyId(Root root, const std::string& path) {
  std::string p = text::ToLowerAscii(path);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return std::to_string(static_cast<int>(root)) + ":" + p;
}

class FakeRegistry::Key : public platform::RegistryKey {
 public:
  Key(FakeRegistry& owner, std::string id) : owner_(owner), id_(std::move(id)) {}
  bool Read(const std::string& name, RegValue& out) override {
    auto& values = owner_.keys_[id_];
    auto it = values.find(text::ToLowerAscii(name));
    if (it == values.end()) return false;
    out = it->second.value;
    return true;
  }
  bool WriteString(const std::string& name, const std::string& text) override {
    std::string lower = text::ToLowerAscii(name);
    if (owner_.refusedWrites_.count(id_ + "\\" + lower)) return false;
    auto& stored = owner_.keys_[id_][lower];
    if (stored.name.empty()) stored.name = name;
    stored.value = RegValue{RegType::String, text};
    owner_.writes.push_back(name + "=" + text);
    return true;
  }

  std::vector<std::string> SubKeyNames() override {
    std::vector<std::string> names;
    std::string prefix = id_ + "\\";
    for (const auto& [id, values] : owner_.keys_) {
      if (id.compare(0, prefix.size(), prefix) != 0) continue;
      std::string rest = id.substr(prefix.size());
      if (!rest.empty() && rest.find('\\') == std::string::npos) names.push_back(rest);
    }
    return names;
  }

 private:
  FakeRegistry& owner_;
  std::string id_;
};

void FakeRegistry::AddKey(Root root, const std::string& key) {
  // Parents exist too, as in the system.
  std::string path = key;
  while (true) {
    keys_[KeyId(root, path)];
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) break;
    path = path.substr(0, slash);
  }
}

void FakeRegistry::SetValue(Root root, const std::string& key, const std::string& name, RegValue value) {
  AddKey(root, key);
  auto& stored = keys_[KeyId(root, key)][text::ToLowerAscii(name)];
  stored.name = name;
  stored.value = std::move(value);
}

void FakeRegistry::SetString(Root root, const std::string& key, const std::string& name, const std::string& text) {
  SetValue(root, key, name, RegValue{RegType::String, text});
}

bool FakeRegistry::KeyExists(Root root, const std::string& key) const {
  return keys_.count(KeyId(root, key)) > 0;
}

std::optional<RegValue> FakeRegistry::Value(Root root, const std::string& key, const std::string& name) const {
  auto k = keys_.find(KeyId(root, key));
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.find(text::ToLowerAscii(name));
  if (v == k->second.end()) return std::nullopt;
  return v->second.value;
}

std::string FakeRegistry::Text(Root root, const std::string& key, const std::string& name) const {
  auto v = Value(root, key, name);
  return v ? v->data : "<missing>";
}

void FakeRegistry::DenyAccess(Root root, const std::string& key) { denied_.insert(KeyId(root, key)); }

void FakeRegistry::RefuseWrites(Root root, const std::string& key, const std::string& name) {
  refusedWrites_.insert(KeyId(root, key) + "\\" + text::ToLowerAscii(name));
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::Open(Root root, const std::string& path) {
  std::string id = KeyId(root, path);
  if (denied_.count(id) || !keys_.count(id)) return nullptr;
  return std::make_unique<Key>(*this, id);
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::Create(Root root, const std::string& path) {
  std::string id = KeyId(root, path);
  if (denied_.count(id)) return nullptr;
  AddKey(root, path);
  return std::make_unique<Key>(*this, id);
}
