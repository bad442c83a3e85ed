#pragma once
// The publisher's Ed25519 public key this build trusts for update information. It is a
// build input (the CMake cache variable LUMENRIG_PUBLISHER_KEY, 64 hexadecimal digits);
// a build configured with an empty value carries no key and takes update information
// unsigned.
#include <string>

namespace update {

// The key's 32 bytes, or empty when the build carries none.
std::string BuiltInPublisherKey();

}  // namespace update
