#pragma once
// Writes and signs the update information the launcher reads: the version (or date), the
// release's files as url1, url2, ... each with its SHA-256 and size, the method, the
// message, and last the signature over everything before it.
#include <cstdint>
#include <string>
#include <vector>

namespace publish {

struct ReleaseFile {
  std::string Name;   // installed under this name beside the launcher
  std::string Bytes;  // its content
};

struct Release {
  std::string BaseAddress;  // the files are at BaseAddress + "/" + Name
  std::string Version;      // 1 to 4 dot-separated decimal parts
  std::string Date;         // MM/DD/YYYY; empty: none
  std::string Message;      // shown in the upgrade question; may span lines
  int Method = -1;          // 0 self upgrade, 1 external setup, 2 web page; -1: no key
  std::vector<ReleaseFile> Files;
};

// The info file of `release`, with CR LF line breaks; false (with `error`) when a part of
// it would not read back as given.
bool MakeInfoFile(const Release& release, std::string& infoFile, std::string& error);

// `infoFile` with its signature line (a final one it already has is replaced), signed
// with `seed`.
std::string SignInfoFile(const std::string& infoFile, const std::string& seed);

}  // namespace publish
