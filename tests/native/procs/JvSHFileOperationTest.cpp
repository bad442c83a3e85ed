#include "procs/JvSHFileOperation.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeShellFileOperations.h"
#include "platform/Exceptions.h"

namespace {

using namespace std::string_literals;

class JvSHFileOperationTest : public ::testing::Test {
 protected:
  FakeFileSystem files;
  FakeShellFileOperations shell{files};
  TJvSHFileOperation op{shell, files};

  void SetUp() override {
    // The main window's FileOp.
    op.Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress};
    op.OwnerWindow = 0x1234;
  }
};

TEST_F(JvSHFileOperationTest, NoSourcesIsAnErrorAndTheShellIsNotAsked) {
  op.DestFiles.push_back("C:\\x");
  try {
    op.Execute();
    FAIL() << "no exception";
  } catch (const EJVCLException& e) {
    EXPECT_STREQ(e.what(), "No files specified to TJvSHFileOperation Execute function");
  }
  EXPECT_TRUE(shell.requests.empty());
}

TEST(JvSHFileOptions, FlagsOfTheOptions) {
  EXPECT_EQ(ShellFlagsOf({fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress}), 0x390);
  EXPECT_EQ(ShellFlagsOf({}), 0);
  EXPECT_EQ(ShellFlagsOf({fofAllowUndo, fofConfirmMouse, fofMultiDestFiles, fofRenameOnCollision, fofSilent,
                          fofWantMappingHandle, fofNoErrorUI}),
            0x40 | 0x2 | 0x1 | 0x8 | 0x4 | 0x20 | 0x400);
}

TEST_F(JvSHFileOperationTest, TheRequestCarriesFullPathsInDoubleZeroListsAndTheSettings) {
  files.AddFile("C:\\Game\\Work\\a.ini", "A");
  files.AddFile("C:\\Game\\b.ini", "B");
  files.AddFolder("C:\\Game\\Out");
  files.ChangeDirectory("C:\\Game\\Work");
  struct Case {
    TJvSHFileOpType type;
    uint32_t function;
  } cases[] = {{foCopy, 2}, {foMove, 1}, {foRename, 4}, {foDelete, 3}};
  for (const Case& c : cases) {
    files.AddFile("C:\\Game\\Work\\a.ini", "A");
    files.AddFile("C:\\Game\\b.ini", "B");
    shell.requests.clear();
    op.Operation = c.type;
    op.Title = "Copying";
    op.SourceFiles = {"a.ini", "..\\b.ini"};
    op.DestFiles = {"..\\Out"};
    op.Execute();
    ASSERT_EQ(shell.requests.size(), 1u);
    const platform::ShellFileRequest& r = shell.requests[0];
    EXPECT_EQ(r.function, c.function);
    EXPECT_EQ(r.from, "C:\\Game\\Work\\a.ini\0C:\\Game\\b.ini\0\0"s);
    EXPECT_EQ(r.to, "C:\\Game\\Out\0\0"s);
    EXPECT_EQ(r.flags, 0x390);
    EXPECT_EQ(r.title, "Copying");
    EXPECT_EQ(r.ownerWindow, 0x1234u);
  }
}

TEST_F(JvSHFileOperationTest, NoTargetsGiveAnEmptyList) {
  files.AddFile("C:\\f.txt");
  op.Operation = foDelete;
  op.SourceFiles = {"C:\\f.txt"};
  op.Execute();
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].to, "\0"s);
}

TEST_F(JvSHFileOperationTest, ARelativeSourceIsTakenFromTheCurrentDirectoryAtTheCall) {
  files.AddFile("C:\\One\\demo.dem", "one");
  files.AddFile("C:\\Two\\demo.dem", "two");
  files.AddFolder("C:\\Target");
  op.SourceFiles = {"demo.dem"};
  op.DestFiles = {"C:\\Target"};
  files.ChangeDirectory("C:\\One");
  files.ChangeDirectory("C:\\Two");
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(files.Content("C:\\Target\\demo.dem"), "two");
}

TEST_F(JvSHFileOperationTest, AMissingSourceGivesFalseWithoutAskingTheShell) {
  files.AddFile("C:\\Cfg\\SplinterCell3.ini", "mine");
  op.Operation = foMove;
  op.SourceFiles = {"C:\\Cfg\\SplinterCell3_old.ini"};
  op.DestFiles = {"C:\\Cfg\\SplinterCell3.ini"};
  EXPECT_FALSE(op.Execute());
  EXPECT_TRUE(shell.requests.empty());
  EXPECT_EQ(files.Content("C:\\Cfg\\SplinterCell3.ini"), "mine");
}

TEST_F(JvSHFileOperationTest, ResultFollowsTheShellsAnswer) {
  struct Case {
    int code;
    bool aborted;
    bool expected;
  } cases[] = {{0, false, true}, {0x75, false, false}, {2, false, false}};
  files.AddFile("C:\\s.txt", "s");
  for (const Case& c : cases) {
    shell.failWithCode = c.code;
    op.SourceFiles = {"C:\\s.txt"};
    op.DestFiles = {"C:\\d.txt"};
    EXPECT_EQ(op.Execute(), c.expected) << c.code;
  }
}

// The shell says it did it, but someone pressed Cancel on a part of it.
class AbortingShell : public platform::ShellFileOperations {
 public:
  platform::ShellFileResult Perform(const platform::ShellFileRequest&) override { return {0, true}; }
};

TEST(JvSHFileOperationAbort, AnAbortedPartGivesFalse) {
  FakeFileSystem files;
  files.AddFile("C:\\s.txt");
  AbortingShell shell;
  TJvSHFileOperation op(shell, files);
  op.SourceFiles = {"C:\\s.txt"};
  op.DestFiles = {"C:\\d.txt"};
  EXPECT_FALSE(op.Execute());
}

TEST_F(JvSHFileOperationTest, MoveOntoAnExistingFileReplacesItAndCopyIntoAFolderKeepsTheName) {
  files.AddFile("C:\\Cfg\\SplinterCell3.ini", "mine");
  files.AddFile("C:\\Cfg\\SplinterCell3_old.ini", "old");
  op.Operation = foMove;
  op.SourceFiles = {"C:\\Cfg\\SplinterCell3_old.ini"};
  op.DestFiles = {"C:\\Cfg\\SplinterCell3.ini"};
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(files.Content("C:\\Cfg\\SplinterCell3.ini"), "old");
  EXPECT_FALSE(files.FileExists("C:\\Cfg\\SplinterCell3_old.ini"));

  files.AddFile("C:\\L\\Demos\\Lighthouse\\Lighthouse.dem", "demo");
  files.AddFolder("C:\\Game\\System");
  op.Operation = foCopy;
  op.SourceFiles = {"C:\\L\\Demos\\Lighthouse\\Lighthouse.dem"};
  op.DestFiles = {"C:\\Game\\System"};
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(files.Content("C:\\Game\\System\\Lighthouse.dem"), "demo");
}

}  // namespace
