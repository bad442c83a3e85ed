#pragma once
// Splitting a resource address into the parts the transfer needs.
#include <cstdint>
#include <string>

namespace update {

struct TauURLParts {
  std::string Scheme;    // lower case as written: "http", "https", "file", ...
  std::string Host;
  uint16_t Port = 0;     // the scheme's default when the address names none
  std::string User;
  std::string Password;
  std::string Path;      // "/dir/file" (escapes kept); for "file" a local path ("C:\dir\file")
  std::string Extra;     // "?query" and/or "#fragment", or empty
};

// "http://" in front when the text has no "://".
std::string WithScheme(const std::string& url);

// False when the address cannot be split: no scheme, an invalid port, or a part longer
// than the system's limits (scheme 32, host 256, user and password 128, path and extra
// information 2048 characters).
bool CrackURL(const std::string& url, TauURLParts& parts);

// The host name of an address ("" when it cannot be split). The local file name of an
// address is AddressFileName (UpdateInfoFile.h).
std::string URLHostName(const std::string& url);

}  // namespace update
