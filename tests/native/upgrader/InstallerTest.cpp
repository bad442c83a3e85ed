#include "upgrader/Installer.h"

#include <gtest/gtest.h>

#include "FakeUpgraderSystem.h"

namespace upgrader {
namespace {

const std::string kFolder = R"(C:\Program Files\Bench\)";
const uint32_t kDownloaded = kAttrHidden | kAttrTemporary;

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Add(kFolder + "lumenrig.exe", "old launcher", kAttrArchive | kAttrReadOnly);
    fs.Add(kFolder + "data.bin", "old data");
    fs.Add(kFolder + "lumenrig.exe.uTMP", "new launcher", kDownloaded);
    fs.Add(kFolder + "data.bin.uTMP", "new data", kDownloaded);
    fs.Add(kFolder + "help.htm.uTMP", "new help", kDownloaded);  // a file new to the folder
    plan.entries = {{"lumenrig.exe.uTMP", "lumenrig.exe"}, {"data.bin.uTMP", "data.bin"}, {"help.htm.uTMP", "help.htm"}};
    before = fs.Snapshot();
  }

  FakeUpgraderSystem fs;
  InstallPlan plan;
  std::vector<std::string> before;
};

TEST_F(InstallerTest, PutsTheWholeSetInPlaceAndThenRemovesTheBackups) {
  const InstallResult result = Install(kFolder, plan, fs);
  ASSERT_TRUE(result.installed) << result.failedFile << ": " << result.error;
  EXPECT_EQ(fs.Snapshot(), (std::vector<std::string>{
                               kFolder + "data.bin=new data attr=32",
                               kFolder + "help.htm=new help attr=32",
                               kFolder + "lumenrig.exe=new launcher attr=32",
                           }));
  // Every old file is aside before the first new one moves in; backups go only at the end.
  EXPECT_EQ(fs.log, (std::vector<std::string>{
                        "move lumenrig.exe > lumenrig.exe.uOLD",
                        "move data.bin > data.bin.uOLD",
                        "move lumenrig.exe.uTMP > lumenrig.exe",
                        "move data.bin.uTMP > data.bin",
                        "move help.htm.uTMP > help.htm",
                        "delete lumenrig.exe.uOLD",
                        "delete data.bin.uOLD",
                    }));
}

TEST_F(InstallerTest, AnyFailingStepPutsEveryFileBackAsItWas) {
  struct Case {
    const char* operation;
    std::string path;
    std::string failedFile;
  } cases[] = {
      {"move", kFolder + "data.bin", kFolder + "data.bin"},            // an old file held open
      {"move", kFolder + "help.htm.uTMP", kFolder + "help.htm"},       // a new file cannot move in
      {"attributes", kFolder + "data.bin", kFolder + "data.bin"},      // nor take its attributes
  };
  for (const Case& c : cases) {
    FakeUpgraderSystem fresh = fs;
    fresh.FailOn(c.operation, c.path, 1);
    const InstallResult result = Install(kFolder, plan, fresh);
    EXPECT_FALSE(result.installed) << c.operation << " " << c.path;
    EXPECT_EQ(result.failedFile, c.failedFile);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(result.notRestored.empty());
    EXPECT_EQ(fresh.Snapshot(), before) << c.operation << " " << c.path;
  }
}

TEST_F(InstallerTest, ReportsWhatCouldNotBePutBack) {
  fs.FailOn("move", kFolder + "help.htm.uTMP", 1);
  fs.FailOn("move", kFolder + "data.bin.uOLD");  // the backup stays where it is
  const InstallResult result = Install(kFolder, plan, fs);
  EXPECT_FALSE(result.installed);
  EXPECT_EQ(result.notRestored, (std::vector<std::string>{kFolder + "data.bin (" + kFolder + "data.bin.uOLD)"}));
  // The rest is back; the old data is still there under its backup name.
  EXPECT_EQ(fs.At(kFolder + "lumenrig.exe").content, "old launcher");
  EXPECT_EQ(fs.At(kFolder + "data.bin.uOLD").content, "old data");
  EXPECT_EQ(fs.At(kFolder + "data.bin.uTMP").content, "new data");
}

TEST_F(InstallerTest, NeverOverwritesAFileUnderABackupName) {
  fs.Add(kFolder + "lumenrig.exe.uOLD", "somebody's file");
  ASSERT_TRUE(Install(kFolder, plan, fs).installed);
  EXPECT_EQ(fs.At(kFolder + "lumenrig.exe.uOLD").content, "somebody's file");
  EXPECT_FALSE(fs.Has(kFolder + "lumenrig.exe.uOLD2"));  // used, then removed
  EXPECT_EQ(fs.log[0], "move lumenrig.exe > lumenrig.exe.uOLD2");
}

TEST_F(InstallerTest, HidesTheSetupProgram) {
  fs.Add(kFolder + "setup.exe.uTMP", "setup", kDownloaded);
  plan.entries = {{"data.bin.uTMP", "data.bin"}, {"setup.exe.uTMP", "setup.exe"}};
  plan.setup = 1;
  ASSERT_TRUE(Install(kFolder, plan, fs).installed);
  EXPECT_EQ(fs.At(kFolder + "setup.exe").attributes, kAttrHidden | kAttrArchive);
  EXPECT_EQ(fs.At(kFolder + "data.bin").attributes, kAttrArchive);
}

}  // namespace
}  // namespace upgrader
