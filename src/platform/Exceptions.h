#pragma once
// The exception family of the launcher. Every exception carries the text that the
// general error box shows; callers catch only the kinds they expect.
#include <cstdint>
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A failed system call: "System Error.  Code: %d.\r\n%s", or
// "A call to an OS function failed" when the system gave no code.
class EOSError : public Exception {
 public:
  EOSError(uint32_t code, const std::string& message) : Exception(message), ErrorCode(code) {}
  uint32_t ErrorCode;
};

// Misuse of a component ("Cannot perform this operation when process is running").
class EJVCLException : public Exception {
 public:
  using Exception::Exception;
};

// A registry value that could not be written or read ("Failed to set data for '%s'",
// "Invalid data type for '%s'").
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// A text that is not a number ("'%s' is not a valid integer value").
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Builds the EOSError for a system error code, with the system's own text for it.
// `systemText` is the raw text the system gave for the code (may be empty).
EOSError MakeOSError(uint32_t code, const std::string& systemText);

// The system has run out of a resource ("Not enough timers available").
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};
