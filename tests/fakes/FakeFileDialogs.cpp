#include "fakes/FakeFileDialogs.h"

bool FakeFileDialogs::SelectFolder(std::string& folder) {
  shown.push_back("folder");
  if (!nextFolder) return false;
  folder = *nextFolder;
  return true;
}

bool FakeFileDialogs::ChooseFile(const std::string& filter, std::string& path) {
  shown.push_back("file:" + filter);
  if (!nextFile) return false;
  path = *nextFile;
  return true;
}
