#pragma once
// Resources embedded in the running executable.
#include <string>

namespace platform {

class ModuleResources {
 public:
  virtual ~ModuleResources() = default;
  // The bytes of the resource `name` of type `type`; false when there is none.
  virtual bool Read(const std::string& name, const std::string& type, std::string& bytes) = 0;
};

}  // namespace platform
