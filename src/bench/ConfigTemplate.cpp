#include "bench/ConfigTemplate.h"

#include <cstddef>

#include "platform/Text.h"

namespace bench {

// Built from resources/bench/SplinterCell3Template.ini.
extern const unsigned char kConfigTemplateBytes[];
extern const std::size_t kConfigTemplateSize;

const std::vector<std::string>& PristineTemplate() {
  static const std::vector<std::string> lines = text::SplitLines(
      std::string(reinterpret_cast<const char*>(kConfigTemplateBytes), kConfigTemplateSize));
  return lines;
}

TemplateCopy::TemplateCopy() : lines_(PristineTemplate()) {}

void TemplateCopy::Reset() { lines_ = PristineTemplate(); }

bool TemplateCopy::Replace(const std::string& find, const std::string& with) {
  for (auto& line : lines_) {
    if (text::EqualsNoCase(line, find)) {
      line = with;
      return true;
    }
  }
  return false;
}

std::string TemplateCopy::FileBytes() const {
  std::string bytes;
  for (const auto& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace bench
