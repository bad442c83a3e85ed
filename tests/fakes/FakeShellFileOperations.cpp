#include "fakes/FakeShellFileOperations.h"

#include <algorithm>

namespace {
constexpr int kFileNotFound = 2;
constexpr int kCannotWrite = 0x75;  // the shell's "cannot write" family
}  // namespace

std::vector<std::string> SplitZeroList(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < list.size() && list[start] != '\0') {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    out.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

platform::ShellFileResult FakeShellFileOperations::Perform(const platform::ShellFileRequest& request) {
  requests.push_back(request);
  if (failWithCode) return {failWithCode, false};
  auto sources = SplitZeroList(request.from);
  auto targets = SplitZeroList(request.to);
  for (size_t i = 0; i < sources.size(); ++i) {
    const std::string& source = sources[i];
    std::string bytes;
    if (!files_.ReadAll(source, bytes)) return {kFileNotFound, false};
    if (request.function == platform::FoDelete) {
      files_.RemoveFile(source);
      continue;
    }
    std::string target = targets.empty() ? files_.CurrentDirectory()
                                         : targets[std::min(i, targets.size() - 1)];
    std::string name = source.substr(source.find_last_of('\\') + 1);
    // A target that is a folder, or is written as one, receives the file under its name.
    if (files_.DirectoryExists(target) || target.back() == '\\') {
      if (!files_.CreateDirectories(target)) return {kCannotWrite, false};
      target = files_.Normalize(target) + "\\" + name;
    } else {
      std::string normalized = files_.Normalize(target);
      if (!files_.CreateDirectories(normalized.substr(0, normalized.find_last_of('\\') + 1)))
        return {kCannotWrite, false};
    }
    if (files_.Normalize(target) == files_.Normalize(source)) continue;
    if (!files_.WriteAll(target, bytes)) return {kCannotWrite, false};
    if (request.function == platform::FoMove || request.function == platform::FoRename)
      files_.RemoveFile(source);
  }
  return {0, false};
}
