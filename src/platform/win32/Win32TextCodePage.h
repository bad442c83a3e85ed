#pragma once
#include "platform/TextCodePage.h"

namespace platform {

// Through UTF-16, with the code page the system uses for the "A" functions.
class Win32TextCodePage : public TextCodePage {
 public:
  std::string AnsiToUtf8(const std::string& ansi) override;
};

}  // namespace platform
