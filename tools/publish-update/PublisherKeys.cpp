#include "PublisherKeys.h"

#include <sodium.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "update/HexDigits.h"
#include "update/UpdateVerification.h"

namespace publish {
namespace {

void RequireSodium() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
}

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

}  // namespace

KeyPair NewKeyPair() {
  RequireSodium();
  KeyPair pair;
  pair.Seed.resize(update::kEd25519SeedBytes);
  randombytes_buf(&pair.Seed[0], pair.Seed.size());
  PublicKeyOfSeed(pair.Seed, pair.PublicKey);
  return pair;
}

bool PublicKeyOfSeed(const std::string& seed, std::string& publicKey) {
  if (seed.size() != update::kEd25519SeedBytes) return false;
  RequireSodium();
  unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
  crypto_sign_seed_keypair(pk, sk, Bytes(seed));
  sodium_memzero(sk, sizeof sk);
  publicKey.assign(reinterpret_cast<const char*>(pk), sizeof pk);
  return true;
}

std::string Sign(const std::string& message, const std::string& seed) {
  if (seed.size() != update::kEd25519SeedBytes) throw std::invalid_argument("a secret key is 32 bytes");
  RequireSodium();
  unsigned char pk[crypto_sign_PUBLICKEYBYTES], sk[crypto_sign_SECRETKEYBYTES];
  crypto_sign_seed_keypair(pk, sk, Bytes(seed));
  std::string signature(crypto_sign_BYTES, '\0');
  crypto_sign_detached(reinterpret_cast<unsigned char*>(&signature[0]), nullptr, Bytes(message), message.size(), sk);
  sodium_memzero(sk, sizeof sk);
  return signature;
}

bool ReadKeyFile(const std::string& path, size_t byteCount, std::string& key, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the key file " + path;
    return false;
  }
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
  if (!update::DecodeHex(line, byteCount, key)) {
    error = path + " does not hold a key of " + std::to_string(byteCount * 2) + " hexadecimal digits";
    return false;
  }
  return true;
}

std::string KeyFileText(const std::string& key) { return update::EncodeHex(key) + "\n"; }

}  // namespace publish
