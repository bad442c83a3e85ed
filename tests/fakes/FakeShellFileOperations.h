#pragma once
// The shell's file operation over a FakeFileSystem: copies and moves one or more files
// the way the shell does with FOF_NOCONFIRMATION and FOF_NOCONFIRMMKDIR.
#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "platform/ShellFileOperations.h"

class FakeShellFileOperations : public platform::ShellFileOperations {
 public:
  explicit FakeShellFileOperations(FakeFileSystem& files) : files_(files) {}

  // Every request, in order.
  std::vector<platform::ShellFileRequest> requests;
  // When set, every operation reports this code without touching a file.
  int failWithCode = 0;

  platform::ShellFileResult Perform(const platform::ShellFileRequest& request) override;

 private:
  FakeFileSystem& files_;
};

// The entries of a zero-separated list ("a\0b\0\0").
std::vector<std::string> SplitZeroList(const std::string& list);
