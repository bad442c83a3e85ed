#include "platform/Exceptions.h"

#include <cstdio>

EOSError MakeOSError(uint32_t code, const std::string& systemText) {
  if (code == 0) return EOSError(0, "A call to an OS function failed");
  std::string text = systemText.substr(0, 255);
  // The system's texts end in ".\r\n"; the message keeps only the sentence itself.
  while (!text.empty()) {
    unsigned char c = static_cast<unsigned char>(text.back());
    if (c <= ' ' || c == '.') text.pop_back();
    else break;
  }
  char head[64];
  std::snprintf(head, sizeof head, "System Error.  Code: %u.\r\n", static_cast<unsigned>(code));
  return EOSError(code, head + text);
}
