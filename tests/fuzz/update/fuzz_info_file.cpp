// Fuzzes the info-file parser, the version comparison and the reading of the signature,
// checksum and size entries with arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Text.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVerification.h"

using namespace update;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TDateTime today = 46000;

  for (const char* key : {"version", "date", "url", "url0", "url1", "method"}) {
    std::string v = FindInfoKey(text, key);
    if (!v.empty() && text.find(v) == std::string::npos) std::abort();
    for (char c : v)
      if (static_cast<unsigned char>(c) < 32) std::abort();  // a plain value stops at control characters
  }
  std::string msg = FindInfoKey(text, "message", true);
  if (msg.find('}') != std::string::npos) std::abort();

  for (const std::string& f : InfoFileList(text))
    if (f.empty()) std::abort();

  // The signature entry found is one that starts a line, and it covers only what is before it.
  InfoSignatureSplit split = SplitInfoSignature(text);
  if (split.Found) {
    if (split.SignedLength >= text.size()) std::abort();
    if (text::ToLowerAscii(text.substr(split.SignedLength, 11)) != kSignatureEntry) std::abort();
    if (split.SignedLength != 0 && text[split.SignedLength - 1] != '\n' && text[split.SignedLength - 1] != '\r')
      std::abort();
  }
  // Nothing made up verifies against a fixed key.
  std::string signedText;
  if (VerifyInfoSignature(text, std::string(32, '\x5a'), signedText) == InfoSignatureState::Verified) std::abort();
  if (!signedText.empty()) std::abort();
  for (const InfoFileEntry& e : InfoFileEntries(text)) {
    ExpectedFile x = ExpectedFileOf(text, e.Key);
    if (x.HasHash && x.Sha256.size() != kSha256Bytes) std::abort();
    if (x.Malformed && ExpectationUsable(x, false)) std::abort();
  }

  RunningVersion byNumber{TauAutoUpgraderVersionControl::byNumber, "1.2.3.4", ""};
  RunningVersion byDate{TauAutoUpgraderVersionControl::byDate, "", "11/01/2005"};
  for (const RunningVersion& running : {byNumber, byDate}) {
    InfoParseResult r = ParseInfoFile(text, running, today);
    if (r.UpdateAvailable && r.FileList.empty()) std::abort();
    if (!r.UpdateAvailable && !r.UpgradeMsg.empty()) std::abort();
  }

  // The comparison is antisymmetric and reflexive for any two texts.
  size_t cut = text.find('\n');
  std::string a = text.substr(0, cut), b = cut == std::string::npos ? std::string() : text.substr(cut + 1);
  if (CompareVersionNumbers(a, b) != -CompareVersionNumbers(b, a)) std::abort();
  if (CompareVersionNumbers(a, a) != 0) std::abort();
  TDateTime d = ParseInfoDate(a, today);
  if (d != today && (d < -693593 || d > 2958466)) std::abort();  // years 1..9999
  return 0;
}
