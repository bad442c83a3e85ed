#include "settings/SettingsStore.h"

#include "platform/Exceptions.h"

namespace settings {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;

int AlphabetIndex(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string ReadStringValue(platform::RegistryKey& key, const std::string& name) {
  platform::RegValue value;
  if (!key.Read(name, value)) return {};
  if (value.type != platform::RegType::String && value.type != platform::RegType::ExpandString)
    throw ERegistryException("Invalid data type for '" + name + "'");
  std::string text = value.data;
  // A string stored by another program may carry its terminating zero(s).
  size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}

SettingsStore::SettingsStore(platform::Registry& registry) : registry_(registry) {}

bool SettingsStore::OpenExisting() {
  key_ = registry_.Open(platform::RegRoot::LocalMachine, kKeyPath);
  return key_ != nullptr;
}

bool SettingsStore::OpenCreating() {
  key_ = registry_.Create(platform::RegRoot::LocalMachine, kKeyPath);
  return key_ != nullptr;
}

std::string SettingsStore::ReadValue(const std::string& name) {
  if (!key_) key_ = registry_.Open(platform::RegRoot::LocalMachine, kKeyPath);
  if (!key_) return {};
  return ReadStringValue(*key_, name);
}

void SettingsStore::WriteValue(const std::string& name, const std::string& text) {
  auto key = registry_.Create(platform::RegRoot::LocalMachine, kKeyPath);
  if (!key || !key->WriteString(name, text))
    throw ERegistryException("Failed to set data for '" + name + "'");
  key_ = std::move(key);
}

bool SettingsStore::ReadFlagUnlessZero(const std::string& name) { return ReadValue(name) != "0"; }

bool SettingsStore::ReadFlagIfOne(const std::string& name) { return ReadValue(name) == "1"; }

std::string SettingsStore::EncodePassword(const std::string& password) {
  std::string out;
  size_t lineChars = 0;
  auto put = [&](char c) {
    // The line break goes before the 77th character, so a text that fills its last line
    // exactly ends without one.
    if (lineChars == kLineLength) {
      out += "\r\n";
      lineChars = 0;
    }
    out += c;
    ++lineChars;
  };
  size_t i = 0;
  const size_t n = password.size();
  for (; i + 3 <= n; i += 3) {
    uint32_t group = (uint32_t(uint8_t(password[i])) << 16) | (uint32_t(uint8_t(password[i + 1])) << 8) |
                     uint32_t(uint8_t(password[i + 2]));
    put(kAlphabet[(group >> 18) & 63]);
    put(kAlphabet[(group >> 12) & 63]);
    put(kAlphabet[(group >> 6) & 63]);
    put(kAlphabet[group & 63]);
  }
  if (n - i == 1) {
    uint32_t group = uint32_t(uint8_t(password[i])) << 16;
    put(kAlphabet[(group >> 18) & 63]);
    put(kAlphabet[(group >> 12) & 63]);
    put('=');
    put('=');
  } else if (n - i == 2) {
    uint32_t group = (uint32_t(uint8_t(password[i])) << 16) | (uint32_t(uint8_t(password[i + 1])) << 8);
    put(kAlphabet[(group >> 18) & 63]);
    put(kAlphabet[(group >> 12) & 63]);
    put(kAlphabet[(group >> 6) & 63]);
    put('=');
  }
  return out;
}

std::string SettingsStore::DecodePassword(const std::string& encoded) {
  std::string out;
  uint32_t group = 0;
  int count = 0;
  for (char ch : encoded) {
    int v = AlphabetIndex(static_cast<unsigned char>(ch));
    if (v < 0) continue;
    group = (group << 6) | uint32_t(v);
    if (++count == 4) {
      out += char((group >> 16) & 0xFF);
      out += char((group >> 8) & 0xFF);
      out += char(group & 0xFF);
      group = 0;
      count = 0;
    }
  }
  if (count == 3) {
    group <<= 6;
    out += char((group >> 16) & 0xFF);
    out += char((group >> 8) & 0xFF);
  } else if (count == 2) {
    group <<= 12;
    out += char((group >> 16) & 0xFF);
  }
  return out;
}

void SettingsStore::Close() { key_.reset(); }

}  // namespace settings
