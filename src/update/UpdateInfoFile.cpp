#include "update/UpdateInfoFile.h"

#include <cstring>

#include "platform/Text.h"

namespace update {
namespace {

bool ReadDecimal(const std::string& s, int& out) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return text::TryParseInt(s, out);
}

std::vector<std::string> FourParts(const std::string& version) {
  std::vector<std::string> parts;
  std::string rest = version + ".";
  for (int i = 0; i < 4; ++i) {
    size_t dot = rest.find('.');
    if (dot == std::string::npos) {
      parts.push_back("0");
    } else {
      parts.push_back(rest.substr(0, dot));
      rest.erase(0, dot + 1);
    }
  }
  return parts;
}

}  // namespace

std::string FindInfoKey(const std::string& text, const std::string& key, bool braced) {
  std::string pattern = "#" + text::ToLowerAscii(key) + (braced ? "={" : "=");
  size_t at = text::ToLowerAscii(text).find(pattern);
  if (at == std::string::npos) return "";
  size_t begin = at + pattern.size();
  size_t end = begin;
  if (braced) {
    end = text.find('}', begin);
    if (end == std::string::npos) end = text.size();
  } else {
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 32) ++end;
  }
  return text.substr(begin, end - begin);
}

int CompareVersionNumbers(const std::string& server, const std::string& running) {
  std::vector<std::string> a = FourParts(server), b = FourParts(running);
  for (int i = 0; i < 4; ++i) {
    int x = 0, y = 0;
    if (!ReadDecimal(a[i], x) || !ReadDecimal(b[i], y)) {
      int c = server.compare(running);  // std::string compares bytes as unsigned char
      return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (x != y) return x > y ? 1 : -1;
  }
  return 0;
}

TDateTime ParseInfoDate(const std::string& text, TDateTime today) {
  size_t first = text.find('/');
  if (first == std::string::npos) return today;
  size_t second = text.find('/', first + 1);
  if (second == std::string::npos) return today;
  int month = 0, day = 0, year = 0;
  if (!ReadDecimal(text.substr(0, first), month) ||
      !ReadDecimal(text.substr(first + 1, second - first - 1), day) ||
      !ReadDecimal(text.substr(second + 1), year))
    return today;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) return today;
  return date;
}

std::vector<InfoFileEntry> InfoFileEntries(const std::string& text) {
  std::vector<InfoFileEntry> files;
  for (const char* key : {"url", "url0"}) {
    std::string v = FindInfoKey(text, key);
    if (!v.empty()) files.push_back({key, v});
  }
  for (size_t n = files.size() + 1;; ++n) {
    std::string key = "url" + std::to_string(n);
    std::string v = FindInfoKey(text, key);
    if (v.empty()) break;
    files.push_back({key, v});
  }
  return files;
}

std::vector<std::string> InfoFileList(const std::string& text) {
  std::vector<std::string> files;
  for (const InfoFileEntry& e : InfoFileEntries(text)) files.push_back(e.Address);
  return files;
}

TacUpgradeMethod InfoUpgradeMethod(const std::string& text) {
  std::string v = FindInfoKey(text, "method");
  if (!v.empty() && v[0] == '1') return TacUpgradeMethod::umUseExternalSetup;
  if (!v.empty() && v[0] == '2') return TacUpgradeMethod::umRedirectToURL;
  return TacUpgradeMethod::umSelfUpgrade;
}

InfoParseResult ParseInfoFile(const std::string& text, const RunningVersion& running, TDateTime today) {
  InfoParseResult r;
  r.FileList = InfoFileList(text);
  bool newer;
  if (running.VersionControl == TauAutoUpgraderVersionControl::byNumber) {
    newer = CompareVersionNumbers(FindInfoKey(text, "version"), running.VersionNumber) > 0;
  } else {
    newer = ParseInfoDate(FindInfoKey(text, "date"), today) > ParseInfoDate(running.VersionDate, today);
  }
  r.UpdateAvailable = newer && !r.FileList.empty();
  if (r.UpdateAvailable) {
    r.UpgradeMsg = FindInfoKey(text, "message", true);
    r.UpgradeMethod = InfoUpgradeMethod(text);
  }
  return r;
}

namespace {

bool IsDeviceName(const std::string& name) {
  // The part before the first dot, less trailing blanks, is what the system compares.
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = text::ToLowerAscii(base);
  for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"})
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '0' && base[3] <= '9';
}

}  // namespace

std::string AddressFileName(const std::string& address) {
  std::string s = address;
  for (char& c : s)
    if (c == '/') c = '\\';
  size_t last = s.rfind('\\');
  std::string name = last == std::string::npos ? s : s.substr(last + 1);
  if (name.empty() || name.back() == '.' || name.back() == ' ') return "";
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32 || std::strchr("?*:<>|\"", c) != nullptr) return "";
  if (IsDeviceName(name)) return "";
  return name;
}

}  // namespace update
