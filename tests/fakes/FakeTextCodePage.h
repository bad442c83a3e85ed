#pragma once
// The Western European code page (1252) to UTF-8, as a system set to it converts.
#include <string>

#include "platform/TextCodePage.h"

class FakeTextCodePage : public platform::TextCodePage {
 public:
  std::string AnsiToUtf8(const std::string& ansi) override;
};
