#include "upgrader/UpgraderCommandLine.h"

#include <gtest/gtest.h>

namespace upgrader {
namespace {

using Args = std::vector<std::string>;

TEST(SplitArguments, FollowsTheRuntimeRules) {
  struct Case {
    const char* line;
    Args expected;
  } cases[] = {
      {R"(C:\Temp\Upgrader3.exe C:\Program Files\x.exe +/afterupgrade0)",
       {R"(C:\Program)", R"(Files\x.exe)", "+/afterupgrade0"}},
      {R"("C:\Documents and Settings\Temp\Upgrader3.exe" "C:\Program Files\x.exe" +/afterupgrade0)",
       {R"(C:\Program Files\x.exe)", "+/afterupgrade0"}},
      {"prog.exe", {}},
      {"prog.exe   \t  ", {}},
      {"\"my prog.exe\"a b", {"b"}},  // the program name ends at the first blank after its quotes
      {R"(p "a  b"c "" d)", {"a  bc", "", "d"}},
      {R"(p a\\b "c\\" "d\"e" f\\\"g)", {R"(a\\b)", R"(c\)", R"(d"e)", R"(f\"g)"}},
      {R"(p "say ""hi""" x)", {R"(say "hi")", "x"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitArguments(c.line), c.expected) << c.line;
}

TEST(ParseUpgradeRequest, ReadsTheQuotedAndTheOldUnquotedForm) {
  struct Case {
    Args arguments;
    std::string launcher, folder, restart;
    bool setup;
  } cases[] = {
      {{R"(C:\Program Files\Tavorin Bench\lumenrig.exe)", "+/afterupgrade0"},
       R"(C:\Program Files\Tavorin Bench\lumenrig.exe)", R"(C:\Program Files\Tavorin Bench\)", "/afterupgrade", false},
      // Unquoted: the path arrives in pieces and is joined again.
      {{R"(C:\Program)", R"(Files\Tavorin)", R"(Bench\lumenrig.exe)", "+/afterupgrade1"},
       R"(C:\Program Files\Tavorin Bench\lumenrig.exe)", R"(C:\Program Files\Tavorin Bench\)", "/afterupgrade", true},
      // A "+" inside the path does not end it.
      {{R"(D:\C++ Tools\a+b\lumenrig.exe)", "+/afterupgrade0"},
       R"(D:\C++ Tools\a+b\lumenrig.exe)", R"(D:\C++ Tools\a+b\)", "/afterupgrade", false},
      {{R"(D:\Games +Mods\lumenrig.exe)", "+/afterupgrade1"},
       R"(D:\Games +Mods\lumenrig.exe)", R"(D:\Games +Mods\)", "/afterupgrade", true},
      // Without a method digit the argument is passed on whole; an empty one stays empty.
      {{R"(C:\B\lumenrig.exe)", "+/afterupgrade"}, R"(C:\B\lumenrig.exe)", R"(C:\B\)", "/afterupgrade", false},
      {{R"(C:\B\lumenrig.exe)", "+"}, R"(C:\B\lumenrig.exe)", R"(C:\B\)", "", false},
      {{R"(C:\B\lumenrig.exe)", "+1"}, R"(C:\B\lumenrig.exe)", R"(C:\B\)", "", true},
      {{R"(C:\B\lumenrig.exe)", "+/restart", "now0"}, R"(C:\B\lumenrig.exe)", R"(C:\B\)", "/restart now", false},
  };
  for (const Case& c : cases) {
    const auto request = ParseUpgradeRequest(c.arguments);
    ASSERT_TRUE(request) << c.launcher;
    EXPECT_EQ(request->launcherPath, c.launcher);
    EXPECT_EQ(request->folder, c.folder);
    EXPECT_EQ(request->restartArgument, c.restart) << c.launcher;
    EXPECT_EQ(request->setupMode, c.setup) << c.launcher;
  }
}

TEST(ParseUpgradeRequest, RefusesWhatTheLauncherDoesNotWrite) {
  const Args refused[] = {
      {},
      {R"(C:\B\lumenrig.exe)"},                       // no restart argument at all
      {R"(C:\B\lumenrig.exe+/afterupgrade0)"},        // no blank before "+"
      {"+/afterupgrade0"},                            // no launcher path
      {"lumenrig.exe", "+/afterupgrade0"},           // not a full path
      {R"(C:\B\)", "+/afterupgrade0"},               // a folder, not a file
  };
  for (const Args& arguments : refused) {
    EXPECT_FALSE(ParseUpgradeRequest(arguments)) << (arguments.empty() ? "(none)" : arguments[0]);
  }
}

TEST(ProgramCommandLine, QuotesThePathAndAddsTheArgument) {
  EXPECT_EQ(ProgramCommandLine(R"(C:\Program Files\lumenrig.exe)", "/afterupgrade"),
            R"("C:\Program Files\lumenrig.exe" /afterupgrade)");
  EXPECT_EQ(ProgramCommandLine(R"(C:\Program Files\lumenrig.exe)", ""), R"("C:\Program Files\lumenrig.exe")");
}

}  // namespace
}  // namespace upgrader
