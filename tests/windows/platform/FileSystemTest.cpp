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
    for (const char* f : {"a\\b\\c\\file.txt", "a\\b\\c\\x.uTMP", "a\\b\\c\\y.utmp", "rel.txt"})
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
