#include "upgrader/InstallPlan.h"

#include <gtest/gtest.h>

namespace upgrader {
namespace {

TEST(ParseCompleteList, KeepsBareTemporaryNamesOnceInOrder) {
  const std::string text =
      "lumenrig.exe.uTMP\r\n"
      "\r\n"
      "version.txt.uTMP\n"
      "LUMENRIG.EXE.utmp\r\n"      // the same file again
      "..\\evil.exe.uTMP\r\n"      // a path
      "C:evil.exe.uTMP\r\n"        // a drive
      "sub/evil.exe.uTMP\r\n"
      ".uTMP\r\n"                  // nothing before the ending
      "help.htm\r\n"               // not a temporary file
      "data.bin.uTMP";             // no line break after the last
  EXPECT_EQ(ParseCompleteList(text),
            (std::vector<std::string>{"lumenrig.exe.uTMP", "version.txt.uTMP", "data.bin.uTMP"}));
  EXPECT_TRUE(ParseCompleteList("").empty());
}

UpgradeRequest Request(bool setupMode) {
  return {R"(C:\Bench\lumenrig.exe)", R"(C:\Bench\)", "/afterupgrade", setupMode};
}

std::vector<std::string> Targets(const InstallPlan& plan) {
  std::vector<std::string> out;
  for (const InstallEntry& e : plan.entries) out.push_back(e.tempName + ">" + e.targetName);
  return out;
}

TEST(MakeInstallPlan, InstallsOnlyListedFilesThatArePresent) {
  const InstallPlan plan = MakeInstallPlan(Request(false), {"lumenrig.exe.uTMP", "gone.dll.uTMP", "help.htm.uTMP"},
                                           {"HELP.HTM.uTMP", "half.dat.uTMP", "lumenrig.exe.uTMP"});
  EXPECT_EQ(Targets(plan), (std::vector<std::string>{"lumenrig.exe.uTMP>lumenrig.exe", "help.htm.uTMP>help.htm"}));
  EXPECT_FALSE(plan.setup);
  EXPECT_EQ(plan.programToStart, R"(C:\Bench\lumenrig.exe)");
}

TEST(MakeInstallPlan, ChoosesTheFirstListedProgramAsSetupInSetupModeOnly) {
  const std::vector<std::string> files = {"readme.txt.uTMP", "Setup.EXE.uTMP", "other.exe.uTMP"};
  const InstallPlan setup = MakeInstallPlan(Request(true), files, files);
  ASSERT_TRUE(setup.setup);
  EXPECT_EQ(*setup.setup, 1u);
  EXPECT_EQ(setup.programToStart, R"(C:\Bench\Setup.EXE)");

  const InstallPlan normal = MakeInstallPlan(Request(false), files, files);
  EXPECT_FALSE(normal.setup);
  EXPECT_EQ(normal.programToStart, R"(C:\Bench\lumenrig.exe)");

  // The launcher's own update makes it a plain self-update.
  const std::vector<std::string> withLauncher = {"setup.exe.uTMP", "LumenRig.exe.uTMP"};
  const InstallPlan self = MakeInstallPlan(Request(true), withLauncher, withLauncher);
  EXPECT_FALSE(self.setup);
  EXPECT_EQ(self.programToStart, R"(C:\Bench\lumenrig.exe)");
}

}  // namespace
}  // namespace upgrader
