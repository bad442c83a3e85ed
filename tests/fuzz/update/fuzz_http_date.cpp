// Fuzzes the HTTP date parser and the address splitting with arbitrary bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/HttpDate.h"
#include "update/HttpUrl.h"
#include "update/UpdateInfoFile.h"

using namespace update;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);

  TimeZoneBias utc{};
  TimeZoneBias zone{-60, 0, -60, true};
  TDateTime a = ParseHTTPDate(text, utc);
  TDateTime b = ParseHTTPDate(text, zone);
  if (!std::isfinite(a) || !std::isfinite(b)) std::abort();
  // Readable or not does not depend on the zone; a readable date moves by the bias.
  if ((a == 0) != (b == 0)) std::abort();
  if (a != 0) {
    if (std::fabs((b - a) * 1440 - 120) > 1e-3) std::abort();
    DateTimeParts p = DecodeDateTime(a);
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > 31 || p.hour > 23 || p.minute > 59 || p.second > 59)
      std::abort();
  }

  TauURLParts parts;
  if (CrackURL(text, parts)) {
    if (parts.Scheme.empty() || parts.Scheme.size() > 32 || parts.Host.size() > 256 || parts.User.size() > 128 ||
        parts.Password.size() > 128 || parts.Path.size() > 2048 || parts.Extra.size() > 2048)
      std::abort();
    if (parts.Scheme != "file" && parts.Host.empty()) std::abort();
  }
  // A local name never leaves the program's folder and never names a stream.
  std::string name = AddressFileName(text);
  if (name.find_first_of("\\/:") != std::string::npos) std::abort();
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) std::abort();
  return 0;
}
