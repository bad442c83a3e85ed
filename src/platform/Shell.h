#pragma once
// Opening documents and web pages with the user's default programs.
#include <string>

namespace platform {

enum ShowCommand : int {
  SwHide = 0, SwShowNormal = 1, SwShowMinimized = 2, SwShowMaximized = 3, SwShow = 5,
  SwShowMinNoActive = 7, SwShowNA = 8
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute with the given verb; the outcome is not reported to callers (they never
  // check it).
  virtual void Open(const std::string& verb, const std::string& file, const std::string& parameters,
                    const std::string& directory, int showCommand) = 0;
};

}  // namespace platform
