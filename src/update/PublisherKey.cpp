#include "update/PublisherKey.h"

#include "update/HexDigits.h"
#include "update/UpdateVerification.h"

#ifndef LUMENRIG_PUBLISHER_KEY_HEX
#error "LUMENRIG_PUBLISHER_KEY_HEX must be defined by the build (empty for a build without a key)"
#endif

namespace update {

std::string BuiltInPublisherKey() {
  std::string key;
  // CMake checks the digits when it configures; a key that still does not read is none.
  if (!DecodeHex(LUMENRIG_PUBLISHER_KEY_HEX, kEd25519PublicKeyBytes, key)) return "";
  return key;
}

}  // namespace update
