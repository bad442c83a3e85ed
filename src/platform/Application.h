#pragma once
// The application as a whole: its command line, its end, and its general error box.
#include <exception>
#include <string>

namespace platform {

class Application {
 public:
  virtual ~Application() = default;
  // The program's first command-line argument, without quotes; empty when there is none.
  virtual std::string FirstArgument() = 0;
  // Closes the main window and ends the message loop.
  virtual void Terminate() = 0;
  virtual bool Terminated() = 0;
  // The general error box for an exception nobody expected.
  virtual void HandleException(std::exception_ptr error) = 0;
};

}  // namespace platform
