// The download phase and the restart: each file to its temporary file, skips, lost files,
// the end of the list with and without the wizard, the list of complete files, the
// replacement program's command line, and aborts that leave nothing behind.
#include <gtest/gtest.h>

#include "update/auAutoUpgrader.h"
#include "AutoUpgraderWorld.h"

using namespace update;
using namespace updatetest;
using Strings = std::vector<std::string>;

namespace {

const std::string kSite = "http://www.tavorin.example";

// An info file offering version 1.3 with these objects as url, url2, url3, ... (a list
// that starts with url goes on at url2).
std::string Release(const Strings& objects, const std::string& extra = "") {
  std::string text = "#version=1.3\r\n" + extra;
  for (size_t i = 0; i < objects.size(); ++i)
    text += "#url" + (i == 0 ? std::string() : std::to_string(i + 1)) + "=" + kSite + objects[i] + "\r\n";
  return text;
}

}  // namespace

class AutoUpgraderDownload : public ::testing::Test {
 protected:
  void SetUp() override { w.ui.onShow = [this](const std::string& kind) { OnShow(kind); }; }
  // The user closes the finished page with OK unless a test says otherwise.
  std::function<void()> atFinishedPage = [this] { w.ui.PressFinish(); };
  std::function<void(const std::string&)> onShowExtra;
  void OnShow(const std::string& kind) {
    if (onShowExtra) onShowExtra(kind);
  }
  void Run(const Strings& objects, const std::string& extra = "") {
    w.waits.duringWait = [this] { atFinishedPage(); };
    w.Info(Release(objects, extra));
    w.Check();
  }
  UpgraderWorld w;
};

TEST_F(AutoUpgraderDownload, ThreeFilesWithTheSecondLostAndSkippedInstallTheOtherTwo) {
  w.Serve("/r/lumenrig.exe", "new launcher");
  w.Status("/r/maps.dat", 404);
  w.Serve("/r/version.txt", "1.3");
  w.ui.lostFileAnswers = {true};
  Run({"/r/lumenrig.exe", "/r/maps.dat", "/r/version.txt"});

  EXPECT_EQ(w.ui.Lines("lost"), Strings{"lost: maps.dat Error #404 yes"});
  EXPECT_EQ(w.Program("lumenrig.exe.uTMP"), "new launcher");
  EXPECT_EQ(w.Program("version.txt.uTMP"), "1.3");
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "maps.dat.uTMP"));
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "lumenrig.exe.uTMP\r\nversion.txt.uTMP\r\n");
  EXPECT_TRUE(w.http.hidden.count(std::string(kProgramFolder) + "lumenrig.exe.uTMP"));
  EXPECT_EQ(w.ui.Lines("overall"), (Strings{"overall 1/3", "overall 2/3", "overall 3/3"}));
  EXPECT_EQ(w.ui.Lines("location").front(), "location " + kSite + "/r/lumenrig.exe");
  EXPECT_EQ(w.waits.endedBySignal, 1);
  EXPECT_EQ(w.waits.eventsAlive, 0);
  EXPECT_EQ(w.events.back(), "end");
  ASSERT_EQ(w.processes.started.size(), 1u);
  EXPECT_EQ(w.app.terminateCalls, 1);
  EXPECT_TRUE(w.u->RestartBegun());
}

TEST_F(AutoUpgraderDownload, LostFileAnsweredNoAbortsAndDeletesEverythingFetched) {
  w.Serve("/r/lumenrig.exe", "new launcher");
  w.Status("/r/maps.dat", 404);
  w.ui.lostFileAnswers = {false};
  Run({"/r/lumenrig.exe", "/r/maps.dat", "/r/version.txt"});
  EXPECT_EQ(w.events.back(), "aborted");
  EXPECT_TRUE(w.TempFiles().empty());
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "Upgrader3.uLST"));
  EXPECT_EQ(w.ui.log.back(), "close");  // the wizard is closed without a question
  EXPECT_TRUE(w.processes.attempts.empty());
  EXPECT_EQ(w.http.requests.size(), 3u);  // info, first, second; the third is never asked for
}

TEST_F(AutoUpgraderDownload, WithoutTheLostFileBoxTheHandlerDecides) {
  w.u->ShowMessages.erase(TauAutoUpgraderShowMessage::mLostFile);
  w.Status("/r/a.dat", 500);
  w.Serve("/r/b.dat", "b");
  w.u->OnLostFile = [this](TauAutoUpgrader*, const std::string& url, int code, bool& go) {
    w.events.push_back("lost " + url + " " + std::to_string(code));
    go = true;
  };
  Run({"/r/a.dat", "/r/b.dat"});
  EXPECT_TRUE(w.ui.Lines("lost").empty());
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "b.dat.uTMP\r\n");
}

TEST_F(AutoUpgraderDownload, UnchangedDataFilesAreSkippedByTheirSizeButTheProgramIsAlwaysFetched) {
  w.u->MiscFilesUpgrade = TacMiscFilesUpgradeBehavior::mfuOnlyIfSizeDifferent;
  w.files.AddFile(std::string(kProgramFolder) + "maps.dat", "same");
  w.files.AddFile(std::string(kProgramFolder) + "help.htm", "short");
  w.files.AddFile(kExe, "1234567890");
  w.Serve("/r/maps.dat", "SAME");
  w.Serve("/r/help.htm", "a longer help");
  w.Serve("/r/LUMENRIG.EXE", "0987654321");
  Run({"/r/maps.dat", "/r/help.htm", "/r/LUMENRIG.EXE"});
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "maps.dat.uTMP"));
  EXPECT_EQ(w.Program("help.htm.uTMP"), "a longer help");
  EXPECT_EQ(w.Program("LUMENRIG.EXE.uTMP"), "0987654321");
  EXPECT_EQ(w.Program("maps.dat"), "same");
  EXPECT_EQ(w.events[1], "file start " + kSite + "/r/maps.dat 4 (skip)");
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "help.htm.uTMP\r\nLUMENRIG.EXE.uTMP\r\n");
}

TEST_F(AutoUpgraderDownload, TheOnlyFileOfAListIsFetchedWhateverItsSize) {
  w.u->MiscFilesUpgrade = TacMiscFilesUpgradeBehavior::mfuOnlyIfSizeDifferent;
  w.files.AddFile(std::string(kProgramFolder) + "maps.dat", "same");
  w.Serve("/r/maps.dat", "SAME");
  Run({"/r/maps.dat"});
  EXPECT_EQ(w.Program("maps.dat.uTMP"), "SAME");
}

TEST_F(AutoUpgraderDownload, FileStartHandlerSkipsAFile) {
  w.Serve("/r/a.dat", "a");
  w.Serve("/r/b.dat", "b");
  w.u->OnFileStart = [](TauAutoUpgrader*, const std::string& url, int, TDateTime, bool& can) {
    if (url.find("a.dat") != std::string::npos) can = false;
  };
  Run({"/r/a.dat", "/r/b.dat"});
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "a.dat.uTMP"));
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "b.dat.uTMP\r\n");
}

TEST_F(AutoUpgraderDownload, TheSameFileNameTwiceKeepsTheSecondAndListsItOnce) {
  w.Serve("/one/data.bin", "first");
  w.Serve("/two/data.bin", "second");
  Run({"/one/data.bin", "/two/data.bin"});
  EXPECT_EQ(w.Program("data.bin.uTMP"), "second");
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "data.bin.uTMP\r\n");
}

TEST_F(AutoUpgraderDownload, NamesThatCannotBeFilesAndUncreatableFilesEndAsLostFiles) {
  w.Serve("/r/good.dat", "good");
  w.Serve("/r/held.dat", "held");
  w.http.uncreatable.insert(std::string(kProgramFolder) + "held.dat.uTMP");
  w.ui.lostFileAnswers = {true, true, true};
  Run({"/r/CON", "/r/held.dat", "/r/get.php?f=x", "/r/good.dat"});
  EXPECT_EQ(w.ui.Lines("lost"),
            (Strings{"lost: CON Error #-1 yes", "lost: held.dat Error #200 yes", "lost: get.php Error #-1 yes"}));
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "good.dat.uTMP\r\n");
  EXPECT_EQ(w.TempFiles(), Strings{"good.dat.uTMP"});
  EXPECT_EQ(w.http.requests.size(), 3u);  // info, held.dat, good.dat: the refused names never go out
}

TEST_F(AutoUpgraderDownload, ProgressFillsTheWizardAndCountsAllFiles) {
  w.u->Wizard.HideFileLocation = true;
  w.u->Wizard.Pic118x218 = "SIDE";
  FakeHttpAnswer big = FakeHttpClient::Ok(std::string(4096, 'x'));
  big.chunk = 2048;
  w.http.answers["/r/a.bin"] = {big};
  w.http.answers["/r/b.bin"] = {big};
  w.http.ticks = 1000;
  Run({"/r/a.bin", "/r/b.bin"});
  EXPECT_TRUE(w.ui.look.HideFileLocation);
  EXPECT_EQ(w.ui.look.Pic118x218, "SIDE");
  EXPECT_EQ(w.progress, (Strings{"50/25", "100/50", "50/75", "100/100"}));
  EXPECT_EQ(w.ui.Lines("bars"), (Strings{"bars 50/25", "bars 100/50", "bars 50/75", "bars 100/100"}));
  EXPECT_EQ(w.ui.Lines("size").front(), "size 4.0");
  EXPECT_EQ(w.ui.Lines("rate").front(), "rate 2.0");  // within the first second: the kilobytes so far
  EXPECT_EQ(w.ui.Lines("time").front(), "time 0:00:00");
}

TEST_F(AutoUpgraderDownload, CompleteFilesTakeTheServersTime) {
  w.Serve("/r/a.dat", "a", "Tue, 15 Nov 2005 08:12:31 GMT");
  w.Serve("/r/b.dat", "b");
  Run({"/r/a.dat", "/r/b.dat"});
  std::string a = std::string(kProgramFolder) + "a.dat.uTMP";
  ASSERT_EQ(w.details.times.count(a), 1u);
  const platform::LocalTime& t = w.details.times[a];
  EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
            (std::vector<int>{2005, 11, 15, 8, 12, 31}));
  EXPECT_EQ(w.details.times.count(std::string(kProgramFolder) + "b.dat.uTMP"), 0u);
  EXPECT_EQ(w.events[2], "file done " + a);
}

TEST_F(AutoUpgraderDownload, WithoutTheWizardTheRestartFollowsTheLastFileAtOnce) {
  w.u->Wizard.Enabled = false;
  w.Serve("/r/a.dat", "a");
  Run({"/r/a.dat"});
  EXPECT_EQ(w.waits.waits, 0);
  EXPECT_TRUE(w.ui.Lines("wizard").empty());
  EXPECT_TRUE(w.ui.Lines("finished").empty());
  EXPECT_EQ(w.events.back(), "end");
  EXPECT_EQ(w.processes.started.size(), 1u);
}

TEST_F(AutoUpgraderDownload, TheFinishedPageWaitsUntilTheWizardCloses) {
  w.Serve("/r/a.dat", "a");
  bool endedDuringWait = false;
  atFinishedPage = [&] {
    EXPECT_TRUE(w.ui.finishedPage);
    endedDuringWait = std::find(w.events.begin(), w.events.end(), "end") != w.events.end();
    w.ui.PressFinish();
  };
  Run({"/r/a.dat"});
  EXPECT_FALSE(endedDuringWait);
  EXPECT_EQ(w.waits.endedBySignal, 1);
  EXPECT_EQ(w.events.back(), "end");
  EXPECT_TRUE(w.u->DownloadsComplete());
}

TEST_F(AutoUpgraderDownload, AConfirmedCloseOnTheFinishedPageAbortsAndDeletesTheFiles) {
  w.Serve("/r/a.dat", "a");
  atFinishedPage = [&] { w.ui.ConfirmClose(); };
  Run({"/r/a.dat"});
  EXPECT_EQ(w.events.back(), "aborted");
  EXPECT_TRUE(w.TempFiles().empty());
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "Upgrader3.uLST"));
  EXPECT_TRUE(w.processes.attempts.empty());
  EXPECT_EQ(w.app.terminateCalls, 0);
}

TEST_F(AutoUpgraderDownload, AConfirmedCloseDuringATransferLeavesNoTemporaryFile) {
  FakeHttpAnswer big = FakeHttpClient::Ok(std::string(8192, 'x'));
  big.chunk = 1024;
  w.Serve("/r/a.dat", "a");
  w.http.answers["/r/b.dat"] = {big};
  w.files.AddFile(std::string(kProgramFolder) + "stale.dll.uTMP", "from an earlier update");
  onShowExtra = [&](const std::string& kind) {
    if (kind == "bars" && w.ui.wizardOpen && w.u->CurrentFile() == 1) w.ui.ConfirmClose();
  };
  Run({"/r/a.dat", "/r/b.dat"});
  ASSERT_TRUE(w.threads.PumpUntil([&] { return !w.u->Busy(); }));
  EXPECT_EQ(w.events.back(), "aborted");
  EXPECT_TRUE(w.TempFiles().empty()) << w.TempFiles().front();
  EXPECT_EQ(w.http.openFiles, 0);
  EXPECT_LT(w.http.reads.load(), 8);  // the transfer stopped early
  EXPECT_TRUE(w.processes.attempts.empty());
}

TEST_F(AutoUpgraderDownload, StartingDeletesLeftoversOfAnEarlierUpdate) {
  w.files.AddFile(std::string(kProgramFolder) + "stale.dll.uTMP", "old");
  w.files.AddFile(std::string(kProgramFolder) + "Upgrader3.uLST", "stale.dll.uTMP\r\n");
  w.Serve("/r/a.dat", "a");
  atFinishedPage = [&] {
    EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "stale.dll.uTMP"));
    EXPECT_EQ(w.Program("Upgrader3.uLST"), "a.dat.uTMP\r\n");
    w.ui.PressFinish();
  };
  Run({"/r/a.dat"});
  EXPECT_EQ(w.TempFiles(), Strings{"a.dat.uTMP"});
}

TEST_F(AutoUpgraderDownload, ConnectionLossEndsTheUpdateButKeepsTheFilesFetched) {
  w.Serve("/r/a.dat", "a");
  FakeHttpAnswer broken = FakeHttpClient::Ok("partial");
  broken.headers[FakeHttpClient::kContentLength] = "1000";
  w.http.answers["/r/b.dat"] = {broken};
  Run({"/r/a.dat", "/r/b.dat"});
  EXPECT_EQ(w.events.back(), "connection lost");
  EXPECT_EQ(w.ui.Lines("box"), Strings{"box 30/16"});
  EXPECT_EQ(w.ui.log.back(), "close");
  EXPECT_EQ(w.Program("a.dat.uTMP"), "a");
  // No list is written for an update that did not reach its end: nothing gets installed.
  EXPECT_FALSE(w.files.FileExists(std::string(kProgramFolder) + "Upgrader3.uLST"));
  EXPECT_TRUE(w.processes.attempts.empty());
}

TEST_F(AutoUpgraderDownload, NoResponseDuringTheDownloadShowsTheHostAndStops) {
  w.u->ShowMessages.insert(TauAutoUpgraderShowMessage::mHostUnreachable);
  w.Serve("/r/a.dat", "a");
  FakeHttpAnswer gone;
  gone.sendFails = true;
  w.http.answers["/r/b.dat"] = {gone};
  Run({"/r/a.dat", "/r/b.dat"});
  EXPECT_EQ(w.ui.Lines("box"), Strings{"box 26/16: http://www.tavorin.example"});
  EXPECT_EQ(w.ui.log.back(), "close");
  EXPECT_EQ(w.TempFiles(), Strings{"a.dat.uTMP"});
}

TEST_F(AutoUpgraderDownload, EndUpgradeCanKeepTheFilesForALaterRestart) {
  w.Serve("/r/a.dat", "a");
  w.u->OnEndUpgrade = [](TauAutoUpgrader*, bool& now) { now = false; };
  Run({"/r/a.dat"});
  EXPECT_EQ(w.TempFiles(), Strings{"a.dat.uTMP"});
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "a.dat.uTMP\r\n");
  EXPECT_TRUE(w.processes.attempts.empty());
  EXPECT_FALSE(w.app.terminated);

  w.u->RestartApplication();  // a later restart installs them
  EXPECT_EQ(w.TempFiles(), Strings{"a.dat.uTMP"});
  EXPECT_EQ(w.processes.started.size(), 1u);
}

TEST(AutoUpgraderRestart, CommandLineQuotesBothPathsAndEndsWithTheMethodDigit) {
  struct Case {
    const char* method;
    const char* expectedTail;
  };
  for (const Case& c : {Case{"0", "+/afterupgrade0"}, Case{"1", "+/afterupgrade1"}}) {
    SCOPED_TRACE(c.method);
    UpgraderWorld w;
    w.u->Wizard.Enabled = false;
    w.Info("#version=1.3\r\n#method=" + std::string(c.method) + "\r\n#url=" + kSite + "/r/setup.exe");
    w.Serve("/r/setup.exe", "setup");
    w.Check();
    ASSERT_EQ(w.processes.started.size(), 1u);
    const platform::ProcessStartRequest& r = w.processes.started[0].request;
    EXPECT_EQ(r.moduleName, "C:\\Temp\\Upgrader3.exe");
    EXPECT_EQ(r.commandLine, std::string("\"C:\\Temp\\Upgrader3.exe\" \"") + kExe + "\" " + c.expectedTail);
    EXPECT_EQ(r.startup.flags & platform::StartfUseShowWindow, platform::StartfUseShowWindow);
    EXPECT_EQ(r.startup.showWindow, platform::SwShowNormal);
    EXPECT_EQ(w.files.Content("C:\\Temp\\Upgrader3.exe"), "MZ replacement program");
    EXPECT_TRUE(w.details.temporary.count("C:\\Temp\\Upgrader3.exe"));
    EXPECT_EQ(w.processes.OpenHandleCount(), 0u);
    EXPECT_EQ(w.app.terminateCalls, 1);
  }
}

TEST(AutoUpgraderRestart, OwnCloseMethodReplacesTheApplicationsEndAndParamsAreOptional) {
  UpgraderWorld w;
  int ownClose = 0;
  w.u->OnDoOwnCloseAppMethod = [&](TauAutoUpgrader*) { ++ownClose; };
  w.files.AddFile(std::string(kProgramFolder) + "a.dat.uTMP", "unfinished");
  w.u->RestartApplication("/custom");
  EXPECT_EQ(ownClose, 1);
  EXPECT_EQ(w.app.terminateCalls, 0);
  ASSERT_EQ(w.processes.started.size(), 1u);
  EXPECT_EQ(w.processes.started[0].request.commandLine,
            std::string("\"C:\\Temp\\Upgrader3.exe\" \"") + kExe + "\" +/custom");
  // Without complete downloads nothing may be installed.
  EXPECT_TRUE(w.TempFiles().empty());
}

TEST(AutoUpgraderRestart, AnUnwritableReplacementProgramStillStartsAndCloses) {
  UpgraderWorld w;
  w.details.uncreatable.insert("C:\\Temp\\Upgrader3.exe");
  w.u->RestartApplication();
  EXPECT_FALSE(w.files.FileExists("C:\\Temp\\Upgrader3.exe"));
  EXPECT_EQ(w.processes.attempts.size(), 1u);
  EXPECT_EQ(w.app.terminateCalls, 1);
}
