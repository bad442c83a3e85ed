#include "InfoFileWriter.h"

#include <cctype>

#include "PublisherKeys.h"
#include "update/HexDigits.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVerification.h"

namespace publish {
namespace {

bool HasControl(const std::string& s) {
  for (unsigned char c : s)
    if (c < 32) return true;
  return false;
}

bool IsVersionNumber(const std::string& v) {
  int parts = 1;
  bool digitSeen = false;
  for (char c : v) {
    if (c == '.') {
      if (!digitSeen) return false;
      ++parts;
      digitSeen = false;
    } else if (c >= '0' && c <= '9') {
      digitSeen = true;
    } else {
      return false;
    }
  }
  return digitSeen && parts <= 4;
}

bool IsDate(const std::string& d) {
  if (d.size() != 10 || d[2] != '/' || d[5] != '/') return false;
  for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(d[i]))) return false;
  return true;
}

// A "#name=" inside the message would be read as an entry of the file.
bool HoldsAnEntry(const std::string& message) {
  for (size_t at = message.find('#'); at != std::string::npos; at = message.find('#', at + 1)) {
    size_t end = at + 1;
    while (end < message.size() && (std::isalnum(static_cast<unsigned char>(message[end])) || message[end] == '.'))
      ++end;
    if (end > at + 1 && end < message.size() && message[end] == '=') return true;
  }
  return false;
}

// The name must reach the launcher's folder unchanged: it is the address's last part as
// written, and nothing in it may read as more than a name.
bool PublishableName(const std::string& name) {
  if (update::AddressFileName(name) != name) return false;
  return name.find_first_of(" %#?\\/") == std::string::npos;
}

}  // namespace

bool MakeInfoFile(const Release& release, std::string& infoFile, std::string& error) {
  std::string base = release.BaseAddress;
  while (!base.empty() && base.back() == '/') base.pop_back();
  if (base.empty() || HasControl(base) || base.find(' ') != std::string::npos) {
    error = "the base address must be a non-empty address without blanks";
    return false;
  }
  if (!IsVersionNumber(release.Version)) {
    error = "the version must be 1 to 4 dot-separated numbers, such as 1.3 or 2.0.1.15";
    return false;
  }
  if (!release.Date.empty() && !IsDate(release.Date)) {
    error = "the date must be written MM/DD/YYYY";
    return false;
  }
  if (release.Method < -1 || release.Method > 2) {
    error = "the method must be 0, 1 or 2";
    return false;
  }
  if (release.Message.find('}') != std::string::npos || HoldsAnEntry(release.Message)) {
    error = "the message may hold neither \"}\" nor \"#name=\"";
    return false;
  }
  if (release.Files.empty()) {
    error = "there is no file to publish";
    return false;
  }
  std::string text = "#version=" + release.Version + "\r\n";
  if (!release.Date.empty()) text += "#date=" + release.Date + "\r\n";
  if (release.Method >= 0) text += "#method=" + std::to_string(release.Method) + "\r\n";
  for (size_t i = 0; i < release.Files.size(); ++i) {
    const ReleaseFile& f = release.Files[i];
    if (!PublishableName(f.Name)) {
      error = "the file name \"" + f.Name + "\" cannot be published as written; rename it";
      return false;
    }
    const std::string key = "#url" + std::to_string(i + 1);
    text += key + "=" + base + "/" + f.Name + "\r\n";
    text += key + ".sha256=" + update::EncodeHex(update::Sha256(f.Bytes)) + "\r\n";
    text += key + ".size=" + std::to_string(f.Bytes.size()) + "\r\n";
  }
  // Last, so that nothing in it can come before an entry of the file.
  if (!release.Message.empty()) text += "#message={" + release.Message + "}\r\n";
  infoFile = text;
  return true;
}

std::string SignInfoFile(const std::string& infoFile, const std::string& seed) {
  std::string text = infoFile;
  update::InfoSignatureSplit split = update::SplitInfoSignature(text);
  if (split.Found && split.Last) text.resize(split.SignedLength);
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
  return text + update::kSignatureEntry + update::EncodeHex(Sign(text, seed)) + "\r\n";
}

}  // namespace publish
