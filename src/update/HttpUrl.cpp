#include "update/HttpUrl.h"

#include "platform/Text.h"
#include "update/HexDigits.h"

namespace update {
namespace {

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexDigitValue(s[i + 1]) >= 0 && HexDigitValue(s[i + 2]) >= 0) {
      out += static_cast<char>(HexDigitValue(s[i + 1]) * 16 + HexDigitValue(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

uint16_t DefaultPort(const std::string& scheme) {
  if (scheme == "http") return 80;
  if (scheme == "https") return 443;
  if (scheme == "ftp") return 21;
  return 0;
}

}  // namespace

std::string WithScheme(const std::string& url) {
  return url.find("://") == std::string::npos ? "http://" + url : url;
}

bool CrackURL(const std::string& input, TauURLParts& parts) {
  parts = TauURLParts();
  std::string url = WithScheme(input);
  size_t colon = url.find("://");
  if (colon == 0 || colon > 32) return false;
  parts.Scheme = text::ToLowerAscii(url.substr(0, colon));
  for (char c : parts.Scheme)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
  std::string rest = url.substr(colon + 3);

  if (parts.Scheme == "file") {
    // file:///C:/dir/x, file://C:/dir/x, file://server/share/x: a local or UNC path
    std::string path = Unescape(rest);
    for (char& c : path)
      if (c == '/') c = '\\';
    while (!path.empty() && path[0] == '\\' && path.size() > 2 && path[2] == ':') path.erase(0, 1);
    if (path.size() >= 2 && path[1] == ':') {
      parts.Path = path;
    } else {
      size_t slash = path.find('\\');
      parts.Host = path.substr(0, slash);
      parts.Path = parts.Host.empty() ? path : "\\\\" + path;
    }
    return parts.Host.size() <= 256 && parts.Path.size() <= 2048;
  }

  size_t authorityEnd = rest.find_first_of("/?#");
  std::string authority = rest.substr(0, authorityEnd);
  std::string tail = authorityEnd == std::string::npos ? std::string() : rest.substr(authorityEnd);
  size_t extraAt = tail.find_first_of("?#");
  parts.Path = tail.substr(0, extraAt);
  parts.Extra = extraAt == std::string::npos ? std::string() : tail.substr(extraAt);

  size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    std::string login = authority.substr(0, at);
    authority.erase(0, at + 1);
    size_t sep = login.find(':');
    parts.User = login.substr(0, sep);
    if (sep != std::string::npos) parts.Password = login.substr(sep + 1);
  }
  size_t portAt = authority.rfind(':');
  size_t bracket = authority.rfind(']');
  parts.Port = DefaultPort(parts.Scheme);
  if (portAt != std::string::npos && (bracket == std::string::npos || portAt > bracket)) {
    std::string port = authority.substr(portAt + 1);
    authority.erase(portAt);
    if (!port.empty()) {
      int value = 0;
      if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
          !text::TryParseInt(port, value) || value < 1 || value > 65535)
        return false;
      parts.Port = static_cast<uint16_t>(value);
    }
  }
  parts.Host = authority;
  return !parts.Host.empty() && parts.Host.size() <= 256 && parts.User.size() <= 128 &&
         parts.Password.size() <= 128 && parts.Path.size() <= 2048 && parts.Extra.size() <= 2048;
}

std::string URLHostName(const std::string& url) {
  TauURLParts parts;
  return CrackURL(url, parts) ? parts.Host : std::string();
}

}  // namespace update
