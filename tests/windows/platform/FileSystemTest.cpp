// The real file seam, in a scratch folder under the temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32FileSystem.h"

namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = folders.TempPath() + "lumenrig-fs-test\\";
    Clean();
  }
  void TearDown() override { Clean(); }
  void Clean() {
    for (const char* f : {"a\\b\\c\\file.txt", "a\\b\\c\\x.uTMP", "a\\b\\c\\y.utmp", "rel.txt", "log.csv", "moved.csv"})
      DeleteFileA((root + f).c_str());
    for (const char* d : {"a\\b\\c", "a\\b", "a", ""}) RemoveDirectoryA((root + d).c_str());
  }
  platform::Win32FileSystem fs;
  platform::Win32SystemFolders folders;
  std::string root;
};

}  // namespace

TEST_F(FileSystemTest, CreatesFoldersWritesReadsListsAndRemoves) {
  std::string folder = root + "a\\b\\c\\";
  EXPECT_FALSE(fs.WriteAll(folder + "file.txt", "x"));
  ASSERT_TRUE(fs.CreateDirectories(folder));
  EXPECT_TRUE(fs.DirectoryExists(root + "a\\b"));
  std::string bytes("line\r\n\xD7\0end", 11);
  ASSERT_TRUE(fs.WriteAll(folder + "file.txt", bytes));
  std::string back;
  ASSERT_TRUE(fs.ReadAll(folder + "FILE.TXT", back));
  EXPECT_EQ(back, bytes);
  fs.WriteAll(folder + "x.uTMP", "");
  fs.WriteAll(folder + "y.utmp", "");
  auto names = fs.ListFiles(folder, "*.uTMP");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"x.uTMP", "y.utmp"}));
  EXPECT_TRUE(fs.RemoveFile(folder + "file.txt"));
  EXPECT_FALSE(fs.FileExists(folder + "file.txt"));
  EXPECT_FALSE(fs.RemoveFile(folder + "file.txt"));
}

TEST_F(FileSystemTest, RelativePathsFollowTheCurrentDirectory) {
  ASSERT_TRUE(fs.CreateDirectories(root));
  std::string before = fs.CurrentDirectory();
  ASSERT_TRUE(fs.ChangeDirectory(root));
  EXPECT_EQ(fs.FullPath("rel.txt"), root + "rel.txt");
  EXPECT_TRUE(fs.WriteAll("rel.txt", "r"));
  fs.ChangeDirectory(before);
  EXPECT_TRUE(fs.FileExists(root + "rel.txt"));
}

TEST_F(FileSystemTest, AppendsInOnePieceAndTellsAFileHeldWithoutWriteSharing) {
  ASSERT_TRUE(fs.CreateDirectories(root));
  const std::string log = root + "log.csv";
  EXPECT_EQ(fs.Append(log, "one\r\n"), platform::AppendOutcome::Appended);  // created
  EXPECT_EQ(fs.Append(log, "two\r\n"), platform::AppendOutcome::Appended);
  std::string back;
  ASSERT_TRUE(fs.ReadAll(log, back));
  EXPECT_EQ(back, "one\r\ntwo\r\n");

  // As a spreadsheet program holds it: others may read, nobody else may write.
  HANDLE held = CreateFileA(log.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(fs.Append(log, "three\r\n"), platform::AppendOutcome::Locked);
  EXPECT_TRUE(fs.ReadAll(log, back));
  EXPECT_EQ(back, "one\r\ntwo\r\n");
  EXPECT_FALSE(fs.RenameFile(log, root + "moved.csv"));
  CloseHandle(held);

  EXPECT_EQ(fs.Append(root + "no-such-folder\\log.csv", "x"), platform::AppendOutcome::Failed);
  ASSERT_TRUE(fs.RenameFile(log, root + "moved.csv"));
  EXPECT_FALSE(fs.FileExists(log));
  ASSERT_TRUE(fs.ReadAll(root + "moved.csv", back));
  EXPECT_EQ(back, "one\r\ntwo\r\n");
  fs.WriteAll(log, "new");
  EXPECT_FALSE(fs.RenameFile(log, root + "moved.csv"));  // never over an existing file
}

TEST(SystemFolders, NameTheRunningProgramAndTheSystemFolders) {
  platform::Win32SystemFolders folders;
  std::string module = folders.ModuleFileName();
  EXPECT_NE(module.find("platform_win32_test"), std::string::npos) << module;
  EXPECT_FALSE(folders.CommonAppData().empty());
  EXPECT_NE(folders.CommonAppData().back(), '\\');
  EXPECT_EQ(folders.TempPath().back(), '\\');
  platform::Win32FileSystem fs;
  EXPECT_TRUE(fs.FileExists(folders.SystemDirectory() + "\\kernel32.dll"));
}
