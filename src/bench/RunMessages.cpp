#include "bench/RunMessages.h"

namespace bench {

std::string FillIn(const std::string& format, const std::string& value) {
  const size_t at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + value + format.substr(at + 2);
}

}  // namespace bench
