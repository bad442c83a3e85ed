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
  // The code is shown as a signed number, as the system's own error texts number them.
  std::snprintf(head, sizeof head, "System Error.  Code: %d.\r\n", static_cast<int32_t>(code));
  return EOSError(code, head + text);
}
