#pragma once
// Conversion of the program's texts, which are in the system's ANSI code page, to UTF-8
// for the files that other programs read as UTF-8 (the results history).
#include <string>

namespace platform {

class TextCodePage {
 public:
  virtual ~TextCodePage() = default;
  // The ANSI text as UTF-8; a byte the code page does not define becomes U+FFFD.
  virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
};

}  // namespace platform
