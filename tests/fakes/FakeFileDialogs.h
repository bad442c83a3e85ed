#pragma once
// Scripted folder and file dialogs: each shows the answer the test put in, or cancels.
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

class FakeFileDialogs : public platform::FileDialogs {
 public:
  // What the next dialog returns; nothing means the user cancels.
  std::optional<std::string> nextFolder;
  std::optional<std::string> nextFile;
  // Every dialog shown: "folder" or "file:" followed by the filter.
  std::vector<std::string> shown;

  bool SelectFolder(std::string& folder) override;
  bool ChooseFile(const std::string& filter, std::string& path) override;
};
