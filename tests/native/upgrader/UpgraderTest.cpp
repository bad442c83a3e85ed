#include "upgrader/Upgrader.h"

#include <gtest/gtest.h>

#include "FakeUpgraderSystem.h"

namespace upgrader {
namespace {

const std::string kFolder = R"(C:\Program Files\Bench\)";
const std::string kLauncher = kFolder + "lumenrig.exe";
const std::string kList = kFolder + "Upgrader3.uLST";

std::vector<std::string> Args(const std::string& digit) {
  // The old unquoted form: the path comes in pieces.
  return {R"(C:\Program)", R"(Files\Bench\lumenrig.exe)", "+/afterupgrade" + digit};
}

std::vector<std::string> Starts(const FakeUpgraderSystem& fs) {
  std::vector<std::string> out;
  for (const std::string& line : fs.log) {
    if (line.rfind("start ", 0) == 0) out.push_back(line);
  }
  return out;
}

class UpgraderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Add(kLauncher, "old launcher");
    fs.Add(kFolder + "data.bin", "old data");
    fs.Add(kFolder + "lumenrig.exe.uTMP", "new launcher", kAttrHidden);
    fs.Add(kFolder + "data.bin.uTMP", "new data", kAttrHidden);
  }
  FakeUpgraderSystem fs;
};

TEST_F(UpgraderTest, WithoutARequestShowsWhatItIsAndTouchesNothing) {
  const auto before = fs.Snapshot();
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"/?"}}) {
    FakeUpgraderSystem fresh = fs;
    EXPECT_EQ(RunUpgrader(arguments, fresh), 0);
    ASSERT_EQ(fresh.informations.size(), 1u);
    EXPECT_NE(fresh.informations[0].find("Upgrader3"), std::string::npos);
    EXPECT_TRUE(fresh.log.empty());
    EXPECT_EQ(fresh.Snapshot(), before);
  }
}

TEST_F(UpgraderTest, InstallsTheListedFilesAfterTheLauncherExitedAndRestartsIt) {
  fs.Add(kFolder + "half.dll.uTMP", "unfinished", kAttrHidden);
  fs.Add(kList, "lumenrig.exe.uTMP\r\ndata.bin.uTMP\r\n");
  EXPECT_EQ(RunUpgrader(Args("0"), fs), 0);
  EXPECT_EQ(fs.log.front(), "wait lumenrig.exe");
  EXPECT_EQ(fs.At(kLauncher).content, "new launcher");
  EXPECT_EQ(fs.At(kFolder + "data.bin").content, "new data");
  EXPECT_FALSE(fs.Has(kList));
  EXPECT_EQ(fs.At(kFolder + "half.dll.uTMP").content, "unfinished");  // not listed: left alone
  EXPECT_FALSE(fs.Has(kFolder + "half.dll"));
  EXPECT_EQ(fs.log.back(), "start lumenrig.exe [/afterupgrade] in " + kFolder);
  EXPECT_TRUE(fs.errors.empty());
}

TEST_F(UpgraderTest, WithoutTheListInstallsNothingAndRestarts) {
  const auto before = fs.Snapshot();
  EXPECT_EQ(RunUpgrader(Args("0"), fs), 0);
  EXPECT_EQ(fs.Snapshot(), before);
  EXPECT_EQ(fs.log, (std::vector<std::string>{"wait lumenrig.exe", "start lumenrig.exe [/afterupgrade] in " + kFolder}));
  EXPECT_TRUE(fs.errors.empty());
}

TEST_F(UpgraderTest, AFailedInstallationKeepsThePreviousVersionAndSaysSoOnce) {
  fs.Add(kList, "lumenrig.exe.uTMP\r\ndata.bin.uTMP\r\n");
  fs.FailOn("move", kFolder + "data.bin");
  auto before = fs.Snapshot();
  EXPECT_EQ(RunUpgrader(Args("0"), fs), 1);
  before.erase(std::find(before.begin(), before.end(), kList + "=lumenrig.exe.uTMP\r\ndata.bin.uTMP\r\n attr=32"));
  EXPECT_EQ(fs.Snapshot(), before);  // all as it was, less the list
  // The previous launcher did not go through an update: no restart argument.
  EXPECT_EQ(Starts(fs), (std::vector<std::string>{"start lumenrig.exe [] in " + kFolder}));
  ASSERT_EQ(fs.errors.size(), 1u);
  EXPECT_NE(fs.errors[0].find("not installed"), std::string::npos);
  EXPECT_NE(fs.errors[0].find(kFolder + "data.bin"), std::string::npos);
}

TEST_F(UpgraderTest, SetupModeRunsTheSetupThenRemovesItAndStartsTheLauncher) {
  fs.Add(kFolder + "setup.exe.uTMP", "setup", kAttrHidden);
  fs.Add(kList, "data.bin.uTMP\r\nsetup.exe.uTMP\r\n");
  EXPECT_EQ(RunUpgrader(Args("1"), fs), 0);
  EXPECT_EQ(fs.At(kFolder + "data.bin").content, "new data");
  EXPECT_FALSE(fs.Has(kFolder + "setup.exe"));
  const std::vector<std::string> tail(fs.log.end() - 4, fs.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"start setup.exe [/afterupgrade] in " + kFolder, "wait setup.exe",
                                            "delete setup.exe", "start lumenrig.exe [/afterupgrade] in " + kFolder}));
}

TEST_F(UpgraderTest, ALauncherOrSetupThatCannotStartIsToldInOneMessage) {
  fs.Add(kFolder + "setup.exe.uTMP", "setup", kAttrHidden);
  fs.Add(kList, "setup.exe.uTMP\r\n");
  fs.FailOn("start", kFolder + "setup.exe");
  fs.FailOn("start", kLauncher);
  EXPECT_EQ(RunUpgrader(Args("1"), fs), 1);
  EXPECT_FALSE(fs.Has(kFolder + "setup.exe"));
  ASSERT_EQ(fs.errors.size(), 1u);
  EXPECT_NE(fs.errors[0].find(kFolder + "setup.exe could not be started"), std::string::npos);
  EXPECT_NE(fs.errors[0].find(kLauncher + " could not be started"), std::string::npos);
}

}  // namespace
}  // namespace upgrader
