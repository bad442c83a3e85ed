#pragma once
// The computer's own network address, as Windows Sockets 1.1 resolves the local host name.
#include <string>

namespace platform {

class LocalNetwork {
 public:
  virtual ~LocalNetwork() = default;
  // Starts Windows Sockets 1.1, takes the local host name (up to 64 bytes) and resolves
  // it. False when any of that gives no result; otherwise `dotted` is the last address of
  // the host's address list in dotted form.
  virtual bool LastLocalAddress(std::string& dotted) = 0;
};

}  // namespace platform
