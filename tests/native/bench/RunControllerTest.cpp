#include <functional>
#include <map>

#include "RunControllerFixture.h"
#include "bench/RunMessages.h"
#include "launcher/EventGuard.h"
#include "platform/Exceptions.h"

using namespace bench;

namespace {

const std::string kTimes = "\xD7";

std::string Command(const std::string& map, const std::string& demo, const std::string& size,
                    const std::string& shader = "shader=1",
                    const std::string& effects = "ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0 ") {
  return "@Splintercell3.exe " + map + " -playtimedemo=" + demo + " " + size + " -nosound " + shader + " " + effects;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// A whole run

TEST_F(RunControllerTest, TwoResolutionsRunInTableOrderAndEndWithReportAndRestore) {
  Check({4, 0});  // checked out of order: 640 x 480 still comes first
  Click();

  // The first game: the panel shows its size, the flag is up, the user's file is aside.
  ASSERT_EQ(Started(), 1u);
  EXPECT_FALSE(form->BenchButton.Enabled());
  EXPECT_TRUE(form->Panel1.Visible());
  EXPECT_EQ(form->Label4.Text(), "Resolution: 640" + kTimes + "480");
  EXPECT_EQ(form->Label4Left.Value(), 94);
  EXPECT_EQ(Flag(), "1");
  EXPECT_EQ(os.files.Content(Backup()), kUserIni);
  EXPECT_NE(os.files.Content(Ini()).find("\r\nFullscreenViewportX=640\r\nFullscreenViewportY=480\r\n"),
            std::string::npos);
  EXPECT_EQ(os.files.Content(std::string(kSystem) + "01_Lighthouse.dem"), "demo 01_Lighthouse.dem");
  EXPECT_EQ(os.files.Content(Batch()), Command("01_Lighthouse", "01_Lighthouse.dem", "640 480") + "\r\n");

  // Started hidden, in the System folder, through the batch file's full path.
  const auto& start = os.processes.started[0].request;
  EXPECT_EQ(start.commandLine, Batch());
  EXPECT_EQ(start.currentDirectory, kSystem);
  EXPECT_EQ(start.moduleName, "");
  EXPECT_EQ(start.startup.flags, 7u);
  EXPECT_EQ(start.startup.showWindow, 0u);
  EXPECT_EQ(start.startup.x + start.startup.y + start.startup.xSize + start.startup.ySize, 0);
  EXPECT_EQ(start.creationFlags, 0x20u);

  GameEnds("61.73");
  ASSERT_EQ(Started(), 2u);
  EXPECT_EQ(form->Label4.Text(), "Resolution: 1600" + kTimes + "1200");
  EXPECT_EQ(form->Label4Left.Value(), 90);
  EXPECT_EQ(os.files.Content(Batch()), Command("01_Lighthouse", "01_Lighthouse.dem", "1600 1200") + "\r\n");
  EXPECT_FALSE(os.files.FileExists(Result()));
  EXPECT_FALSE(os.files.FileExists(ResultCopy()));
  EXPECT_EQ(os.files.Content(Backup()), kUserIni) << "later writes leave the backup alone";

  GameEnds("33.10");
  const std::string report = std::string(kResults) + "\\result_12_10_2026_2_05_09_PM.htm";
  const std::string html = os.files.Content(report);
  ASSERT_NE(html, "<missing>");
  const size_t first = html.find("Resolution: 640" + kTimes + "480");
  const size_t second = html.find("Resolution: 1600" + kTimes + "1200");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_NE(html.find("Score = 61.73 FPS"), std::string::npos);
  EXPECT_NE(html.find("Score = 33.10 FPS"), std::string::npos);
  ASSERT_EQ(os.shell.opened.size(), 1u);
  EXPECT_EQ(os.shell.opened[0].verb, "open");
  EXPECT_EQ(os.shell.opened[0].file, report);
  EXPECT_EQ(os.shell.opened[0].showCommand, platform::SwShowNormal);

  // Back to how it was: the user's file in place, the flag down, the button usable.
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_FALSE(os.files.FileExists(Backup()));
  EXPECT_FALSE(os.files.FileExists(Batch()));
  EXPECT_EQ(Flag(), "0");
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_FALSE(form->Panel1.Visible());
  EXPECT_EQ(run->Run().State, RunState::Idle);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(os.registry.writes, (std::vector<std::string>{"NoErrorWarning=1", "NoErrorWarning=0"}));
  // Painted before each game and each collection; the fixed waits in their places.
  EXPECT_EQ(log, (std::vector<std::string>{"repaint", "wait 2000", "repaint", "wait 500", "repaint", "wait 2000",
                                           "repaint", "wait 500", "wait 1000", "wait 500"}));
}

TEST_F(RunControllerTest, OnlyCheckedRowsRunInTableOrderOneGameEach) {
  const std::vector<std::pair<std::vector<int>, std::vector<std::string>>> cases = {
      {{5}, {"2048 1536"}},
      {{4, 0}, {"640 480", "1600 1200"}},
      {{5, 3, 1}, {"800 600", "1280 1024", "2048 1536"}},
      {{0, 1, 2, 3, 4, 5}, {"640 480", "800 600", "1024 768", "1280 1024", "1600 1200", "2048 1536"}},
  };
  for (const auto& [rows, sizes] : cases) {
    RunWorld w;
    for (int row : rows) w.form->res.SetChecked(static_cast<size_t>(row), true);
    w.Click();
    std::vector<std::string> expected;
    for (const auto& size : sizes) expected.push_back(Command("01_Lighthouse", "01_Lighthouse.dem", size));
    EXPECT_EQ(w.RunToTheEnd(), expected) << rows.size() << " rows";
    EXPECT_EQ(w.Started(), sizes.size());
    EXPECT_EQ(w.run->Run().DoneCount, static_cast<int>(sizes.size()));
    EXPECT_TRUE(w.form->BenchButton.Enabled());
    EXPECT_EQ(w.os.shell.opened.size(), 1u);
    EXPECT_EQ(Count(w.os.files.Content(w.os.shell.opened.at(0).file), "<br><HR>"), sizes.size());
  }
}

TEST_F(RunControllerTest, TheReportOfARunIsTheSampleByteForByte) {
  os.clock.now = {2005, 11, 21, 14, 5, 33, 0, 1};
  for (const auto& [name, value] : std::map<std::string, std::string>{{"OS", "Windows XP Professional"},
                                                                      {"CPU", "AMD Athlon 64 3200+"},
                                                                      {"Memory", "1024MB RAM"},
                                                                      {"VGA", "RADEON X800 XT"},
                                                                      {"VGA Memory", "256.0 MB"},
                                                                      {"VGA Driver", "6.14.10.6575"}})
    os.registry.SetString(HKLM, settings::SettingsStore::kKeyPath, name, value);
  form->AddInfoBox.SetChecked(true);
  form->NoteEdit.SetText("Stock clocks");
  form->Shader.SetItemIndex(2);
  form->AddSM3.SetChecked(0, true);
  form->EnableHDR.SetChecked(true);
  form->HSMapping.SetChecked(true);
  form->ResultsFolder = "C:\\";
  Check({0, 3});

  Click();
  EXPECT_EQ(run->Run().Command, Command("01_Lighthouse", "01_Lighthouse.dem", "640 480", "shader=3",
                                        "ParallaxMapping=1 HQSoftShadows=0 HDR=1 ToneMapping=0 "));
  EXPECT_NE(os.files.Content(Ini()).find("\r\nUseHWShadowMapping=True\r\n"), std::string::npos);
  GameEnds("88.42");
  GameEnds("31.07");

  EXPECT_EQ(os.files.Content("C:\\result_11_21_2005_2_05_33_PM.htm"), BenchFixtureFile("two_resolutions.htm"));
}

TEST_F(RunControllerTest, TheExitCodeIsIgnoredAndOnlyTheLastResultDecidesTheReport) {
  struct Case {
    std::vector<std::string> scores;  // per game, "" = no result file
    uint32_t exitCode;
    int sections;                     // -1: no report saved
  };
  const std::vector<Case> cases = {
      {{"40.00", "50.00"}, 3, 2},
      {{"40.00", ""}, 0, -1},           // earlier scores do not make a report
      {{"", "40.00"}, 0xC0000005u, 1},  // only the last one's section
      {{"", "", "12.50"}, 1, 1},
  };
  for (const auto& c : cases) {
    RunWorld w;
    for (size_t i = 0; i < c.scores.size(); ++i) w.form->res.SetChecked(i, true);
    w.Click();
    for (const auto& score : c.scores) w.GameEnds(score, c.exitCode);
    EXPECT_EQ(w.Started(), c.scores.size());
    if (c.sections < 0) {
      EXPECT_TRUE(w.os.shell.opened.empty());
      EXPECT_EQ(w.os.files.ListFiles(kResults, "*.htm").size(), 0u);
    } else {
      ASSERT_EQ(w.os.shell.opened.size(), 1u);
      EXPECT_EQ(Count(w.os.files.Content(w.os.shell.opened[0].file), "<br><HR>"), static_cast<size_t>(c.sections));
    }
    // Finished normally either way.
    EXPECT_EQ(w.os.files.Content(Ini()), kUserIni);
    EXPECT_EQ(w.Flag(), "0");
    EXPECT_TRUE(w.form->BenchButton.Enabled());
    EXPECT_FALSE(w.form->Panel1.Visible());
    EXPECT_TRUE(w.Boxes().empty());
  }
}

TEST_F(RunControllerTest, LeftoverResultCopyGoesButALeftoverResultCountsForTheFirstGame) {
  os.files.AddFile(ResultCopy(), "old copy");
  os.files.AddFile(Result(), "Demo\r\nFPS\r\n77.77\r\n");
  Check({2});
  Click();
  EXPECT_FALSE(os.files.FileExists(ResultCopy()));
  EXPECT_TRUE(os.files.FileExists(Result()));
  GameEnds("");  // the game wrote nothing this time
  ASSERT_EQ(os.shell.opened.size(), 1u);
  EXPECT_NE(os.files.Content(os.shell.opened[0].file).find("Score = 77.77 FPS"), std::string::npos);
}

TEST_F(RunControllerTest, AClickDuringARunAndAStrayProcessEndChangeNothing) {
  Check({0, 1});
  Click();
  Click();  // the button is disabled; a click that gets here anyway is not a second run
  EXPECT_EQ(Started(), 1u);
  GameEnds();
  GameEnds();
  ASSERT_EQ(run->Run().State, RunState::Idle);
  form->cpTerminate(0);  // an end with no game of ours running
  EXPECT_EQ(Started(), 2u);
  EXPECT_EQ(os.clock.waits.back(), 500u);
  EXPECT_EQ(os.shell.opened.size(), 1u);
}

// ---------------------------------------------------------------------------------------
// Refused runs

TEST_F(RunControllerTest, ARefusedRunShowsWhyAndChangesNothing) {
  struct Case {
    const char* what;
    std::function<void(RunWorld&)> setUp;
    std::string message;
  };
  auto userDemo = [](const std::string& file, int mapIndex, const std::string& mapText) {
    return [=](RunWorld& w) {
      w.os.files.AddFile("C:\\My Demos\\" + file, "demo");
      w.os.files.ChangeDirectory("C:\\My Demos\\");
      w.form->demo.SetItemIndex(kUserDemoItem);
      w.form->DemoEdit.SetText(file);
      if (mapIndex >= 0) w.form->MapnameBox.SetItemIndex(mapIndex);
      else w.form->MapnameBox.SetText(mapText);
    };
  };
  const std::vector<Case> cases = {
      {"no game", [](RunWorld& w) { w.form->GameInstall.SystemFolder.clear(); }, kNotReadyToBench},
      {"game folder gone", [](RunWorld& w) { w.form->GameInstall.SystemFolder = "D:\\Gone\\system\\"; },
       kNotReadyToBench},
      {"no resolution", [](RunWorld& w) { w.form->res.SetChecked(0, false); }, kChooseResolution},
      {"no demo", [](RunWorld& w) { w.form->demo.SetItemIndex(-1); }, kChooseDemo},
      {"no shader", [](RunWorld& w) { w.form->Shader.SetItemIndex(-1); }, kChooseShaderProfile},
      {"demo file missing",
       [](RunWorld& w) {
         w.form->demo.SetItemIndex(kUserDemoItem);
         w.form->DemoEdit.SetText("absent.dem");
         w.form->MapnameBox.SetItemIndex(3);
       },
       kCheckCustomDemo},
      {"map prompt", userDemo("mine.dem", 0, ""), kCheckCustomDemo},
      {"map &", userDemo("mine.dem", -1, "01_Lighthouse & del C:\\x"), kCheckCustomDemo},
      {"map |", userDemo("mine.dem", -1, "a|b"), kCheckCustomDemo},
      {"map <", userDemo("mine.dem", -1, "a<b"), kCheckCustomDemo},
      {"map >", userDemo("mine.dem", -1, "a>b"), kCheckCustomDemo},
      {"map ^", userDemo("mine.dem", -1, "a^b"), kCheckCustomDemo},
      {"map %", userDemo("mine.dem", -1, "%COMSPEC%"), kCheckCustomDemo},
      {"map quote", userDemo("mine.dem", -1, "a\"b"), kCheckCustomDemo},
      {"map control", userDemo("mine.dem", -1, "a\r\nb"), kCheckCustomDemo},
      {"demo name &", userDemo("x&calc.dem", 2, ""), kCheckCustomDemo},
  };
  for (const auto& c : cases) {
    RunWorld w;
    w.form->res.SetChecked(0, true);
    w.SetFlag("0");
    c.setUp(w);
    w.os.registry.writes.clear();
    const std::vector<std::string> filesBefore = w.os.files.AllFiles();
    w.Click();
    EXPECT_EQ(w.Boxes(), std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(w.Started(), 0u) << c.what;
    EXPECT_EQ(w.os.files.AllFiles(), filesBefore) << c.what;
    EXPECT_EQ(w.os.files.Content(Ini()), kUserIni) << c.what;
    EXPECT_TRUE(w.os.registry.writes.empty()) << c.what;
    EXPECT_TRUE(w.form->BenchButton.Enabled()) << c.what;
    EXPECT_FALSE(w.form->Panel1.Visible()) << c.what;
  }
}

TEST_F(RunControllerTest, AUserDemoWithATypedMapNameRunsUnderThatName) {
  os.files.AddFile("C:\\My Demos\\mine.dem", "demo");
  os.files.ChangeDirectory("C:\\My Demos\\");
  form->demo.SetItemIndex(kUserDemoItem);
  form->DemoEdit.SetText("mine.dem");
  form->MapnameBox.SetText("12_MyOwnMap");
  Check({1});
  Click();
  ASSERT_EQ(Started(), 1u);
  EXPECT_EQ(run->Run().Command, Command("12_MyOwnMap", "mine.dem", "800 600"));
  EXPECT_FALSE(os.files.FileExists(std::string(kSystem) + "01_Lighthouse.dem")) << "no built-in demo copied";
}

// ---------------------------------------------------------------------------------------
// The user's configuration through faults

TEST_F(RunControllerTest, ABackupLeftByAnUnfinishedRunIsKeptAndPutBack) {
  struct Case {
    const char* flagBefore;
    const char* backupBefore;
    const char* iniBefore;
    const char* backupDuringRun;  // what lies aside while the game runs
    const char* iniAfter;
  };
  const std::vector<Case> cases = {
      // The flag says a run never finished: the file aside is the user's own.
      {"1", "USER'S OWN", "GENERATED BY THE UNFINISHED RUN", "USER'S OWN", "USER'S OWN"},
      // The flag is down: an old file aside is stale, the user's file in place is set aside.
      {"0", "STALE", "USER'S OWN", "USER'S OWN", "USER'S OWN"},
      {"", "STALE", "USER'S OWN", "USER'S OWN", "USER'S OWN"},
  };
  for (const auto& c : cases) {
    RunWorld w;
    if (*c.flagBefore) w.SetFlag(c.flagBefore);
    w.os.files.WriteAll(Backup(), c.backupBefore);
    w.os.files.WriteAll(Ini(), c.iniBefore);
    w.form->res.SetChecked(0, true);
    w.form->res.SetChecked(5, true);
    w.Click();
    EXPECT_EQ(w.os.files.Content(Backup()), c.backupDuringRun) << c.flagBefore;
    w.GameEnds();
    EXPECT_EQ(w.os.files.Content(Backup()), c.backupDuringRun) << c.flagBefore;
    w.GameEnds();
    EXPECT_EQ(w.os.files.Content(Ini()), c.iniAfter) << c.flagBefore;
    EXPECT_FALSE(w.os.files.FileExists(Backup())) << c.flagBefore;
    EXPECT_EQ(w.Flag(), "0");
  }
}

TEST_F(RunControllerTest, AStopBeforeTheFirstWriteLeavesTheUsersFileAndAnOldFileAsideAlone) {
  // An old file lies aside while the flag is down; the run stops before anything of the
  // user's is moved (a stored hardware value of the wrong type).
  os.files.WriteAll(Backup(), "STALE");
  SetFlag("0");
  form->AddInfoBox.SetChecked(true);
  os.registry.SetValue(HKLM, settings::SettingsStore::kKeyPath, "CPU", {platform::RegType::Dword, "\x01\0\0\0"});
  Check({0});
  EXPECT_THROW(Click(), ERegistryException);
  EXPECT_EQ(Started(), 0u);
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_EQ(os.files.Content(Backup()), "STALE");
  EXPECT_EQ(Flag(), "0");
  EXPECT_FALSE(form->Panel1.Visible());
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_EQ(run->Run().State, RunState::Idle);
}

TEST_F(RunControllerTest, ABackupThatCannotBeMadeStopsTheRunBeforeAnythingIsWritten) {
  os.shellFiles.failWithCode = 0x20;  // the user's file is locked
  Check({0});
  Click();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find("SplinterCell3.ini"), std::string::npos);
  EXPECT_NE(Boxes()[0].find("was not changed"), std::string::npos);
  EXPECT_NE(Boxes()[0].find(kConfig), std::string::npos);
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_FALSE(os.files.FileExists(Backup()));
  EXPECT_FALSE(os.files.FileExists(Batch()));
  EXPECT_EQ(Started(), 0u);
  EXPECT_EQ(Flag(), "0");
  EXPECT_FALSE(form->Panel1.Visible());
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_EQ(run->Run().State, RunState::Idle);
}

TEST_F(RunControllerTest, AStopForAFileOrAGameThatCannotStartPutsEverythingBack) {
  struct Case {
    const char* what;
    int failingGame;                      // 0 = the first start, 1 = the second
    std::function<void(RunWorld&)> fail;  // done just before that start
    std::vector<std::string> inMessage;
  };
  const std::vector<Case> cases = {
      {"batch file", 0, [](RunWorld& w) { w.os.files.MakeUnwritable(Batch()); }, {Batch(), "could not be written"}},
      {"batch file later", 1, [](RunWorld& w) { w.os.files.MakeUnwritable(Batch()); }, {Batch()}},
      {"game start", 0,
       [](RunWorld& w) {
         w.os.processes.startErrors.push_back(2u);
         w.os.processes.errorTexts[2] = "The system cannot find the file specified.\r\n";
       },
       {"could not be started", "System Error.  Code: 2.", "The system cannot find the file specified"}},
      {"game start later", 1,
       [](RunWorld& w) {
         w.os.processes.startErrors.push_back(5u);
         w.os.processes.errorTexts[5] = "Access is denied.\r\n";
       },
       {"System Error.  Code: 5.", "Access is denied"}},
  };
  for (const auto& c : cases) {
    RunWorld w;
    w.form->res.SetChecked(1, true);
    w.form->res.SetChecked(2, true);
    if (c.failingGame == 0) c.fail(w);
    w.Click();
    if (c.failingGame == 1) {
      c.fail(w);
      w.GameEnds();
    }
    EXPECT_EQ(w.Started(), static_cast<size_t>(c.failingGame)) << c.what;
    ASSERT_EQ(w.Boxes().size(), 1u) << c.what;
    for (const auto& part : c.inMessage) EXPECT_NE(w.Boxes()[0].find(part), std::string::npos) << c.what << ": " << part;
    EXPECT_NE(w.Boxes()[0].find("has been put back"), std::string::npos) << c.what;
    EXPECT_EQ(w.os.files.Content(Ini()), kUserIni) << c.what;
    EXPECT_FALSE(w.os.files.FileExists(Backup())) << c.what;
    // (A read-only leftover of the first game cannot be removed either.)
    if (std::string(c.what) != "batch file later") EXPECT_FALSE(w.os.files.FileExists(Batch())) << c.what;
    EXPECT_EQ(w.Flag(), "0") << c.what;
    EXPECT_FALSE(w.form->Panel1.Visible()) << c.what;
    EXPECT_TRUE(w.form->BenchButton.Enabled()) << c.what;
    EXPECT_TRUE(w.os.shell.opened.empty()) << c.what << ": a stopped run opens no report";
    EXPECT_EQ(w.run->Run().State, RunState::Idle) << c.what;
  }
}

TEST_F(RunControllerTest, AfterAFailedStartTheNextClickIsAFreshRun) {
  os.processes.startErrors.push_back(2u);
  Check({0});
  Click();
  ASSERT_EQ(Started(), 0u);
  const std::string firstStamp = run->Run().Stamp.StampText;

  os.clock.now.minute += 3;
  Click();
  ASSERT_EQ(Started(), 1u);
  EXPECT_NE(run->Run().Stamp.StampText, firstStamp);
  EXPECT_EQ(os.files.Content(Backup()), kUserIni);
  GameEnds();
  ASSERT_EQ(os.shell.opened.size(), 1u);
  EXPECT_NE(os.shell.opened[0].file.find("2_08_09_PM"), std::string::npos);
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
}

TEST_F(RunControllerTest, AConfigurationThatCannotBeWrittenOrPutBackKeepsTheFlagForTheNextStart) {
  Check({0, 1});
  Click();
  // SplinterCell3.ini turns read-only under the run: the next generated file cannot be
  // saved, and the user's own cannot be moved back over that name either.
  os.files.MakeUnwritable(Ini());
  GameEnds();
  EXPECT_EQ(Started(), 1u);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find(Ini()), std::string::npos);
  EXPECT_NE(Boxes()[0].find("could not be put back"), std::string::npos);
  EXPECT_EQ(Boxes()[0].find("has been put back"), std::string::npos);
  EXPECT_EQ(os.files.Content(Backup()), kUserIni) << "the user's file stays safe aside";
  EXPECT_EQ(Flag(), "1") << "the next start offers the restore";
  EXPECT_FALSE(form->Panel1.Visible());
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_TRUE(os.shell.opened.empty());
}

TEST_F(RunControllerTest, AnUnusableResultGivesNoSectionAndTheRunGoesOn) {
  struct Case {
    const char* what;
    std::function<void(RunWorld&)> spoil;  // before the first game ends
    std::function<void(RunWorld&)> mend;   // after it ended
  };
  const std::vector<Case> cases = {
      {"two lines", [](RunWorld&) {}, [](RunWorld&) {}},
      {"unreadable copy", [](RunWorld& w) { w.os.files.MakeUnreadable(ResultCopy()); }, [](RunWorld&) {}},
      {"copy missing", [](RunWorld& w) { w.os.shellFiles.failWithCode = 0x75; },
       [](RunWorld& w) { w.os.shellFiles.failWithCode = 0; }},
  };
  for (const auto& c : cases) {
    RunWorld w;
    w.form->res.SetChecked(0, true);
    w.form->res.SetChecked(1, true);
    w.Click();
    c.spoil(w);
    if (std::string(c.what) == "two lines") {
      w.os.files.WriteAll(Result(), "Demo\r\nFPS\r\n");
      w.GameEnds("");
    } else {
      w.GameEnds("45.00");
    }
    c.mend(w);
    EXPECT_EQ(w.run->Run().LastScore, "") << c.what;
    ASSERT_EQ(w.Started(), 2u) << c.what;
    w.GameEnds("55.00");
    EXPECT_TRUE(w.Boxes().empty()) << c.what;
    EXPECT_EQ(w.os.files.Content(Ini()), kUserIni) << c.what;
    EXPECT_EQ(w.Flag(), "0") << c.what;
    if (std::string(c.what) == "unreadable copy") {
      // Still unreadable for the last game: no last score, so no report.
      EXPECT_TRUE(w.os.shell.opened.empty());
      continue;
    }
    ASSERT_EQ(w.os.shell.opened.size(), 1u) << c.what;
    const std::string html = w.os.files.Content(w.os.shell.opened[0].file);
    EXPECT_EQ(html.find("Resolution: 640"), std::string::npos) << c.what;
    EXPECT_EQ(Count(html, "<br><HR>"), 1u) << c.what;
    EXPECT_NE(html.find("Score = 55.00 FPS"), std::string::npos) << c.what;
  }
}

TEST_F(RunControllerTest, AMissingResultsFolderIsMadeForTheReport) {
  form->ResultsFolder = "D:\\Results\\2026\\";
  Check({0});
  Click();
  GameEnds();
  const std::string report = "D:\\Results\\2026\\\\result_12_10_2026_2_05_09_PM.htm";
  EXPECT_TRUE(os.files.FileExists(report));
  ASSERT_EQ(os.shell.opened.size(), 1u);
  EXPECT_EQ(os.shell.opened[0].file, report);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(RunControllerTest, AReportThatCannotBeSavedIsNamedAfterTheConfigurationIsBack) {
  const std::string report = std::string(kResults) + "\\result_12_10_2026_2_05_09_PM.htm";
  os.files.MakeUnwritable(report);
  Check({0});
  Click();
  GameEnds();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find(report), std::string::npos);
  EXPECT_TRUE(os.shell.opened.empty());
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_FALSE(os.files.FileExists(Backup()));
  EXPECT_EQ(Flag(), "0");
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_FALSE(form->Panel1.Visible());
  // The box comes last, once the user's file is back.
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "wait 500");
  EXPECT_EQ(log.back(), "box: " + Boxes()[0]);
}

TEST_F(RunControllerTest, ACrashFlagThatCannotBeSetLeavesTheButtonUsable) {
  os.registry.RefuseWrites(HKLM, settings::SettingsStore::kKeyPath, "NoErrorWarning");
  Check({0});
  launcher::Guarded(os.messages, [&] { Click(); });
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Failed to set data for 'NoErrorWarning'"});
  EXPECT_EQ(Started(), 0u);
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_FALSE(os.files.FileExists(Backup()));
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_FALSE(form->Panel1.Visible());
}

TEST_F(RunControllerTest, ARunWhoseRemainingRowsWereUncheckedEndsInsteadOfWaiting) {
  Check({0, 3});
  Click();
  form->res.SetChecked(3, false);  // changed under the panel while the first game ran
  GameEnds("70.00");
  EXPECT_EQ(Started(), 1u);
  EXPECT_EQ(run->Run().State, RunState::Idle);
  EXPECT_TRUE(form->BenchButton.Enabled());
  EXPECT_FALSE(form->Panel1.Visible());
  EXPECT_EQ(os.files.Content(Ini()), kUserIni);
  EXPECT_EQ(Flag(), "0");
  ASSERT_EQ(os.shell.opened.size(), 1u);
  EXPECT_EQ(Count(os.files.Content(os.shell.opened[0].file), "<br><HR>"), 1u);
}
