#pragma once
// The shell's folder browser and the common open-file dialog, owned by a window.
#include <cstdint>

#include "platform/FileDialogs.h"

namespace platform {

class Win32FileDialogs : public FileDialogs {
 public:
  // The dialogs are modal to `owner` (an HWND); 0 until the main window exists.
  void SetOwner(uintptr_t owner) { owner_ = owner; }
  bool SelectFolder(std::string& folder) override;
  bool ChooseFile(const std::string& filter, std::string& path) override;

 private:
  uintptr_t owner_ = 0;
};

}  // namespace platform
