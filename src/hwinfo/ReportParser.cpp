#include "hwinfo/ReportParser.h"

#include <cstdint>

#include "platform/Text.h"

namespace hwinfo {

namespace {

// Code points of Latin-1 map onto the same ANSI bytes in the Western code page, which is
// what the tool's labels and the usual values need; anything beyond becomes "?".
void AppendAnsi(std::string& out, uint32_t codePoint) {
  out += codePoint < 0x100 ? static_cast<char>(codePoint) : '?';
}

std::string FromUtf16Le(const std::string& bytes, size_t start) {
  std::string out;
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    uint32_t unit = static_cast<unsigned char>(bytes[i]) |
                    (static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    // A surrogate pair is one character beyond the code page: one "?".
    if (unit >= 0xDC00 && unit <= 0xDFFF) continue;
    AppendAnsi(out, unit >= 0xD800 && unit <= 0xDBFF ? 0x10000 : unit);
  }
  return out;
}

std::string FromUtf8(const std::string& bytes, size_t start) {
  std::string out;
  size_t i = start;
  while (i < bytes.size()) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                    : (lead >> 3) == 0x1E ? 4 : 1;
    uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    size_t k = 1;
    for (; k < length && i + k < bytes.size(); ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) break;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // A broken sequence is one unknown character.
    if (k < length || (length == 1 && lead >= 0x80)) codePoint = 0xFFFD;
    AppendAnsi(out, codePoint);
    i += k;
  }
  return out;
}

bool ContainsNoCase(const std::string& text, const std::string& label) {
  return text::ToLowerAscii(text).find(text::ToLowerAscii(label)) != std::string::npos;
}

}  // namespace

std::vector<std::string> ReportLines(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
    return text::SplitLines(FromUtf16Le(bytes, 2));
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    return text::SplitLines(FromUtf8(bytes, 3));
  return text::SplitLines(bytes);
}

std::string LineValue(const std::string& line) {
  size_t equals = line.find('=');
  std::string value = equals == std::string::npos ? line : line.substr(equals + 1);
  size_t first = value.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : value.substr(first);
}

HardwareInfo ParseReport(const std::vector<std::string>& lines) {
  HardwareInfo info;
  size_t head = 0;  // the line of the last label found; the next search starts here
  for (size_t field = 0; field < kHardwareFields.size(); ++field) {
    for (size_t i = head; i < lines.size(); ++i) {
      std::string value = LineValue(lines[i]);
      if (ContainsNoCase(value, kHardwareFields[field].label)) {
        info.Lines[field] = std::move(value);
        head = i;
        break;
      }
    }
  }
  return info;
}

}  // namespace hwinfo
