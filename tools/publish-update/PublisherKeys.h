#pragma once
// The publisher's Ed25519 key pair and its key files. A key file holds one line of
// hexadecimal digits: the public key's 32 bytes (".public"), or the secret 32-byte seed
// the pair is made from (".secret", the private key in the sense of RFC 8032).
#include <string>

namespace publish {

struct KeyPair {
  std::string Seed;       // 32 bytes, secret
  std::string PublicKey;  // 32 bytes
};

// A fresh pair from the system's random source.
KeyPair NewKeyPair();
// The public key that belongs to `seed`; false for a seed of the wrong size.
bool PublicKeyOfSeed(const std::string& seed, std::string& publicKey);
// The 64-byte Ed25519 signature of `message` by the pair of `seed`.
std::string Sign(const std::string& message, const std::string& seed);

// Reads a key file of `byteCount` bytes; false (with `error`) when it is missing or
// does not hold exactly that many bytes as digits.
bool ReadKeyFile(const std::string& path, size_t byteCount, std::string& key, std::string& error);
// The text of a key file.
std::string KeyFileText(const std::string& key);

}  // namespace publish
