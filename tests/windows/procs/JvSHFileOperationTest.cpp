#include "procs/JvSHFileOperation.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ShellFileOperations.h"

namespace {

class JvSHFileOperationWin32 : public ::testing::Test {
 protected:
  platform::Win32ShellFileOperations shell;
  platform::Win32FileSystem files;
  TJvSHFileOperation op{shell, files};
  std::string folder;

  void SetUp() override {
    op.Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress};
    folder = ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
};

TEST_F(JvSHFileOperationWin32, MoveOntoAnExistingFileReplacesIt) {
  WriteText(folder + "SplinterCell3.ini", "current");
  WriteText(folder + "SplinterCell3_old.ini", "saved");
  op.Operation = foMove;
  op.SourceFiles = {folder + "SplinterCell3_old.ini"};
  op.DestFiles = {folder + "SplinterCell3.ini"};
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(ReadText(folder + "SplinterCell3.ini"), "saved");
  EXPECT_FALSE(Exists(folder + "SplinterCell3_old.ini"));
}

TEST_F(JvSHFileOperationWin32, CopyIntoAFolderKeepsTheName) {
  CreateDirectoryA((folder + "System").c_str(), nullptr);
  WriteText(folder + "Lighthouse.dem", "demo");
  op.SourceFiles = {folder + "Lighthouse.dem"};
  op.DestFiles = {folder + "System"};
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(ReadText(folder + "System\\Lighthouse.dem"), "demo");
  EXPECT_TRUE(Exists(folder + "Lighthouse.dem"));
}

TEST_F(JvSHFileOperationWin32, CopyToAMissingFolderMakesIt) {
  WriteText(folder + "TimeDemoResult.xls", "42");
  op.SourceFiles = {folder + "TimeDemoResult.xls"};
  op.DestFiles = {folder + "New\\Deeper\\TimeDemoResult.txt"};
  EXPECT_TRUE(op.Execute());
  EXPECT_EQ(ReadText(folder + "New\\Deeper\\TimeDemoResult.txt"), "42");
}

TEST_F(JvSHFileOperationWin32, ARelativeSourceIsTakenFromTheCurrentDirectory) {
  WriteText(folder + "relative.txt", "r");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(folder.c_str());
  op.SourceFiles = {"relative.txt"};
  op.DestFiles = {folder + "copy.txt"};
  bool ok = op.Execute();
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ReadText(folder + "copy.txt"), "r");
}

TEST_F(JvSHFileOperationWin32, AMissingSourceGivesFalseAndLeavesTheTarget) {
  WriteText(folder + "SplinterCell3.ini", "current");
  for (TJvSHFileOpType type : {foMove, foCopy}) {
    op.Operation = type;
    op.SourceFiles = {folder + "SplinterCell3_old.ini"};
    op.DestFiles = {folder + "SplinterCell3.ini"};
    EXPECT_FALSE(op.Execute());
    EXPECT_EQ(ReadText(folder + "SplinterCell3.ini"), "current");
  }
}

TEST_F(JvSHFileOperationWin32, TheShellItselfReportsAFailedCopy) {
  // What the check before the shell cannot see: a target below a file, not a folder.
  WriteText(folder + "source.txt", "s");
  WriteText(folder + "blocker", "file in the way");
  op.Options.insert(fofNoErrorUI);
  op.SourceFiles = {folder + "source.txt"};
  op.DestFiles = {folder + "blocker\\target.txt"};
  EXPECT_FALSE(op.Execute());
}

}  // namespace
