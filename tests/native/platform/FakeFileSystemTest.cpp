// The fake file system must behave like Windows wherever our code could tell the
// difference; otherwise native tests would pass on behaviour the product never sees.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakeFileSystem.h"

TEST(FakeFileSystem, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  FakeFileSystem fs;
  fs.AddFile("C:\\Games\\SC3\\System\\SplinterCell3.ini", "a");
  EXPECT_TRUE(fs.FileExists("c:\\games\\sc3\\system\\splintercell3.INI"));
  EXPECT_TRUE(fs.DirectoryExists("C:\\GAMES\\sc3"));
  ASSERT_TRUE(fs.WriteAll("c:\\games\\sc3\\system\\SPLINTERCELL3.INI", "b"));
  EXPECT_EQ(fs.AllFiles(), std::vector<std::string>{"C:\\Games\\SC3\\System\\SplinterCell3.ini"});
  EXPECT_EQ(fs.Content("C:\\Games\\SC3\\System\\SplinterCell3.ini"), "b");
}

TEST(FakeFileSystem, RelativePathsFollowTheCurrentDirectory) {
  FakeFileSystem fs;
  fs.AddFolder("D:\\demos\\mine");
  ASSERT_TRUE(fs.ChangeDirectory("d:\\DEMOS"));
  EXPECT_EQ(fs.FullPath("mine\\a.dem"), "D:\\demos\\mine\\a.dem");
  EXPECT_EQ(fs.FullPath("..\\x\\.\\y.dem"), "D:\\x\\y.dem");
  EXPECT_EQ(fs.FullPath("\\root.txt"), "D:\\root.txt");
  EXPECT_EQ(fs.FullPath("C:/Windows/"), "C:\\Windows\\");
  ASSERT_TRUE(fs.WriteAll("mine\\a.dem", "demo"));
  EXPECT_TRUE(fs.FileExists("D:\\demos\\mine\\a.dem"));
  EXPECT_FALSE(fs.ChangeDirectory("D:\\nowhere"));
  EXPECT_EQ(fs.CurrentDirectory(), "D:\\demos");
}

TEST(FakeFileSystem, WritesNeedAnExistingFolderAndHonourFailureSwitches) {
  FakeFileSystem fs;
  EXPECT_FALSE(fs.WriteAll("C:\\missing\\file.txt", "x"));
  fs.AddFile("C:\\a\\locked.txt", "old");
  fs.MakeUnwritable("C:\\A\\LOCKED.TXT");
  EXPECT_FALSE(fs.WriteAll("C:\\a\\locked.txt", "new"));
  EXPECT_FALSE(fs.RemoveFile("C:\\a\\locked.txt"));
  EXPECT_EQ(fs.Content("C:\\a\\locked.txt"), "old");
  fs.MakeUnreadable("C:\\a\\locked.txt");
  std::string bytes;
  EXPECT_FALSE(fs.ReadAll("C:\\a\\locked.txt", bytes));
  // A file stands where a folder would have to be made.
  EXPECT_FALSE(fs.CreateDirectories("C:\\a\\locked.txt\\sub"));
  EXPECT_TRUE(fs.CreateDirectories("C:\\a\\b\\c\\"));
  EXPECT_TRUE(fs.DirectoryExists("C:\\a\\b"));
}

TEST(FakeFileSystem, ListsFilesOfOneFolderByWildcard) {
  FakeFileSystem fs;
  fs.AddFiles("C:\\app", {{"lumenrig.exe", ""}, {"a.uTMP", ""}, {"B.UTMP", ""}, {"sub\\c.uTMP", ""}});
  auto names = fs.ListFiles("C:\\APP\\", "*.utmp");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"B.UTMP", "a.uTMP"}));
}
