#include "update/UpdateVerification.h"

#include <sodium.h>

#include "platform/Text.h"
#include "update/HexDigits.h"
#include "update/UpdateInfoFile.h"

namespace update {
namespace {

// libsodium picks its implementations once; until it has, nothing is verified.
bool SodiumReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

bool IsLineBreaks(const std::string& rest) { return rest.empty() || rest == "\r\n" || rest == "\n" || rest == "\r"; }

bool ReadSize(const std::string& digits, uint64_t& size) {
  if (digits.empty() || digits.size() > 19) return false;  // 19 digits always fit 64 bits
  uint64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  size = v;
  return true;
}

}  // namespace

InfoSignatureSplit SplitInfoSignature(const std::string& text) {
  InfoSignatureSplit split;
  const std::string entry = kSignatureEntry;
  const std::string lower = text::ToLowerAscii(text);
  size_t at = lower.rfind(entry);
  // Only an entry at the start of a line counts; an earlier one is signed text.
  while (at != std::string::npos && at != 0 && text[at - 1] != '\n' && text[at - 1] != '\r')
    at = lower.rfind(entry, at - 1);
  if (at == std::string::npos) return split;
  split.Found = true;
  split.SignedLength = at;
  size_t begin = at + entry.size(), end = begin;
  while (end < text.size() && static_cast<unsigned char>(text[end]) >= 32) ++end;
  split.SignatureHex = text.substr(begin, end - begin);
  split.Last = IsLineBreaks(text.substr(end));
  return split;
}

InfoSignatureState VerifyInfoSignature(const std::string& text, const std::string& publicKey,
                                       std::string& signedText) {
  InfoSignatureSplit split = SplitInfoSignature(text);
  if (!split.Found) return InfoSignatureState::Unsigned;
  if (!split.Last) return InfoSignatureState::NotLast;
  std::string signature;
  if (!DecodeHex(split.SignatureHex, kEd25519SignatureBytes, signature)) return InfoSignatureState::Malformed;
  if (publicKey.size() != kEd25519PublicKeyBytes || !SodiumReady()) return InfoSignatureState::BadSignature;
  const auto* message = reinterpret_cast<const unsigned char*>(text.data());
  if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.data()), message,
                                  split.SignedLength, reinterpret_cast<const unsigned char*>(publicKey.data())) != 0)
    return InfoSignatureState::BadSignature;
  signedText = text.substr(0, split.SignedLength);
  return InfoSignatureState::Verified;
}

std::string Sha256(const std::string& bytes) {
  std::string digest(kSha256Bytes, '\0');
  SodiumReady();  // SHA-256 needs no set-up, but picks the same implementations
  crypto_hash_sha256(reinterpret_cast<unsigned char*>(&digest[0]), reinterpret_cast<const unsigned char*>(bytes.data()),
                     bytes.size());
  return digest;
}

ExpectedFile ExpectedFileOf(const std::string& infoText, const std::string& listKey) {
  ExpectedFile e;
  std::string hash = FindInfoKey(infoText, listKey + ".sha256");
  std::string size = FindInfoKey(infoText, listKey + ".size");
  if (!hash.empty()) {
    e.HasHash = DecodeHex(hash, kSha256Bytes, e.Sha256);
    e.Malformed = !e.HasHash;
  }
  if (!size.empty()) {
    e.HasSize = ReadSize(size, e.Size);
    e.Malformed = e.Malformed || !e.HasSize;
  }
  return e;
}

bool ExpectationUsable(const ExpectedFile& expected, bool keyed) {
  if (expected.Malformed) return false;
  return !keyed || (expected.HasHash && expected.HasSize);
}

FetchedFileState CheckFetchedFile(platform::FileSystem& files, const std::string& path,
                                  const ExpectedFile& expected) {
  if (!expected.HasHash && !expected.HasSize) return FetchedFileState::Matches;
  std::string bytes;
  if (!files.ReadAll(path, bytes)) return FetchedFileState::Unreadable;
  if (expected.HasSize && bytes.size() != expected.Size) return FetchedFileState::SizeDiffers;
  if (expected.HasHash && Sha256(bytes) != expected.Sha256) return FetchedFileState::HashDiffers;
  return FetchedFileState::Matches;
}

}  // namespace update
