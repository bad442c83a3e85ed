// The fake shell operation carries out copies and moves like the shell does with the
// launcher's flags (no prompts, missing folders made), so callers are tested on real effects.
#include <gtest/gtest.h>

#include "fakes/FakeShellFileOperations.h"

namespace {

platform::ShellFileRequest Request(uint32_t function, const std::string& from, const std::string& to) {
  platform::ShellFileRequest r;
  r.function = function;
  r.from = from + std::string(2, '\0');
  r.to = to + std::string(2, '\0');
  r.flags = 0x390;
  return r;
}

}  // namespace

TEST(FakeShellFileOperations, CopiesAndMoves) {
  struct Case {
    const char* name;
    uint32_t function;
    std::string target;
    std::string expectedFile;
    bool sourceRemains;
  };
  const Case cases[] = {
      {"copy into an existing folder", platform::FoCopy, "C:\\game\\system", "C:\\game\\system\\demo.dem", true},
      {"copy into a missing folder", platform::FoCopy, "C:\\new\\place\\", "C:\\new\\place\\demo.dem", true},
      {"copy to a file name", platform::FoCopy, "C:\\game\\system\\other.dem", "C:\\game\\system\\other.dem", true},
      {"move onto an existing file", platform::FoMove, "C:\\game\\system\\old.dem", "C:\\game\\system\\old.dem", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    fs.AddFile("C:\\src\\demo.dem", "fresh");
    fs.AddFile("C:\\game\\system\\old.dem", "stale");
    FakeShellFileOperations shell(fs);
    auto result = shell.Perform(Request(c.function, "C:\\src\\demo.dem", c.target));
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fs.Content(c.expectedFile), "fresh");
    EXPECT_EQ(fs.FileExists("C:\\src\\demo.dem"), c.sourceRemains);
  }
}

TEST(FakeShellFileOperations, MissingSourceFailsAndChangesNothing) {
  FakeFileSystem fs;
  fs.AddFile("C:\\cfg\\SplinterCell3.ini", "user");
  FakeShellFileOperations shell(fs);
  auto result =
      shell.Perform(Request(platform::FoMove, "C:\\cfg\\SplinterCell3_old.ini", "C:\\cfg\\SplinterCell3.ini"));
  EXPECT_NE(result.code, 0);
  EXPECT_EQ(fs.Content("C:\\cfg\\SplinterCell3.ini"), "user");
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].flags, 0x390);
}

TEST(FakeShellFileOperations, SplitsZeroSeparatedLists) {
  EXPECT_EQ(SplitZeroList(std::string("a\0bc\0\0", 6)), (std::vector<std::string>{"a", "bc"}));
  EXPECT_TRUE(SplitZeroList(std::string("\0", 1)).empty());
}
