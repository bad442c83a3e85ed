#pragma once
// The folder and file dialogs of the main window. Both are modal; both answer false when
// the user cancels.
#include <string>

namespace platform {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;

  // A folder tree in which the user may also create and delete folders (buttons, folder
  // icons and context menus for both) and which shows hidden folders. `folder` receives the
  // chosen folder's full path as the system gives it: without a final "\" except for a
  // drive root ("D:\").
  virtual bool SelectFolder(std::string& folder) = 0;

  // An open-file dialog for one existing file. `filter` is "description|pattern" pairs
  // separated by "|" ("Splinter Cell CT demo file (*.dem)|*.dem"). `path` receives the
  // chosen file's full path. The implementation does not change the process's current
  // directory; callers that rely on it being the chosen file's folder set it themselves.
  virtual bool ChooseFile(const std::string& filter, std::string& path) = 0;
};

}  // namespace platform
