#pragma once
// What makes fetched update data trustworthy: the publisher's Ed25519 signature over the
// info file, and the SHA-256 and size the info file gives for each of the release's files.
//
// The signature is the entry "#signature=" followed by 128 hexadecimal digits (the 64
// bytes of the Ed25519 signature), on a line of its own and last in the file: only one
// line break (CR LF, LF or CR) may follow its digits. It covers every byte of the file
// before the "#" of that entry, so the line break that ends the line before it is signed
// too. When the file holds the entry more than once, the last one counts.
//
// For a file named by the list key K ("url", "url0", "url1", ...), "#K.sha256=" gives its
// SHA-256 as 64 hexadecimal digits and "#K.size=" its size in bytes, in decimal.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace update {

constexpr size_t kEd25519PublicKeyBytes = 32;
constexpr size_t kEd25519SignatureBytes = 64;
constexpr size_t kEd25519SeedBytes = 32;
constexpr size_t kSha256Bytes = 32;
constexpr const char* kSignatureEntry = "#signature=";

// Where the signature entry of an info file is.
struct InfoSignatureSplit {
  bool Found = false;        // a "#signature=" entry (any case) starts a line
  bool Last = false;         // at most one line break follows its value
  size_t SignedLength = 0;   // bytes it covers: all before its "#"
  std::string SignatureHex;  // its value as written
};
InfoSignatureSplit SplitInfoSignature(const std::string& text);

enum class InfoSignatureState { Verified, Unsigned, NotLast, Malformed, BadSignature };

// Checks the info file's signature with the publisher's 32-byte public key. Verified
// fills `signedText` with the bytes the signature covers, the only ones to be read.
InfoSignatureState VerifyInfoSignature(const std::string& text, const std::string& publicKey,
                                       std::string& signedText);

// The raw 32 bytes of the SHA-256 of `bytes`.
std::string Sha256(const std::string& bytes);

// What the info file says about the file of list key `listKey`.
struct ExpectedFile {
  bool HasHash = false;
  bool HasSize = false;
  bool Malformed = false;  // a hash or size that is given but cannot be read
  std::string Sha256;      // raw 32 bytes
  uint64_t Size = 0;
};
ExpectedFile ExpectedFileOf(const std::string& infoText, const std::string& listKey);

// Whether a file may be fetched at all: a build that trusts a key needs both a hash and a
// size for it; any build refuses a hash or size it cannot read.
bool ExpectationUsable(const ExpectedFile& expected, bool keyed);

enum class FetchedFileState { Matches, SizeDiffers, HashDiffers, Unreadable };
// Compares a fetched file with what the info file gave (only the parts it gave).
FetchedFileState CheckFetchedFile(platform::FileSystem& files, const std::string& path,
                                  const ExpectedFile& expected);

}  // namespace update
