#include "hwinfo/Unit2.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FixtureFiles.h"
#include "fakes/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "platform/Exceptions.h"

namespace {

using platform::RegRoot;

constexpr const char* kKey = "SOFTWARE\\Tavorin\\Lumenrig";
const std::string kFolder = "C:\\Program Files\\Lumenrig\\";
const std::string kReport = kFolder + "dxinfo.txt";
const std::string kCommandLine =
    "C:\\windows\\system32\\dxdiag.exe /whql:on /t C:\\Program Files\\Lumenrig\\dxinfo.txt";

const std::vector<std::string> kStored = {"Operating System: Windows 98 SE", "Processor: Pentium III",
                                          "Memory: 256MB RAM", "Card name: Voodoo3",
                                          "Display Memory: 16.0 MB", "Driver Version: 4.12.01.0532"};

struct RecordingHost : TForm2Host {
  std::vector<Form2Colours> colours;
  int closes = 0;
  // The status text at each repaint, and how many processes had been started by then.
  std::vector<std::pair<std::string, size_t>> repaints;
  std::function<void()> onRepaint;

  void ApplyColours(const Form2Colours& c) override { colours.push_back(c); }
  void RepaintNow() override {
    if (onRepaint) onRepaint();
  }
  void CloseDialog() override { ++closes; }
};

class Form2Test : public ::testing::Test {
 public:
  FakePlatform os;
  settings::SettingsStore store{os.registry};
  RecordingHost host;
  std::unique_ptr<TForm2> form;

  void Create() {
    form = std::make_unique<TForm2>(os.Services(), os.processes, store, kFolder, host);
    host.onRepaint = [this] {
      host.repaints.emplace_back(form->StatusBar.Text(), os.processes.attempts.size());
    };
    form->FormCreate();
  }
  void StoreDescription(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i)
      os.registry.SetString(RegRoot::LocalMachine, kKey, hwinfo::kHardwareFields[i].valueName, lines[i]);
    os.registry.SetString(RegRoot::LocalMachine, kKey, "Save Info", "1");
  }
  std::string Stored(const std::string& name) {
    return os.registry.Text(RegRoot::LocalMachine, kKey, name);
  }
  // The tool started last ends; `report` is what it left in the program's folder.
  void ToolEnds(const std::string* report, uint32_t exitCode = 0) {
    if (report) os.files.AddFile(kReport, *report);
    os.processes.End(os.processes.started.size() - 1, exitCode);
    os.processes.RunPending();
  }
  void ExpectIdle(const std::vector<std::string>& memo) {
    EXPECT_EQ(form->infomemo.Lines(), memo);
    EXPECT_EQ(form->StatusBar.Text(), TForm2::kIdleStatus);
    EXPECT_TRUE(form->RzButton1.Enabled());
    EXPECT_TRUE(form->RzButton3.Enabled());
  }
  void ExpectCollected(const std::vector<std::string>& memo) {
    EXPECT_EQ(form->infomemo.Lines(), memo);
    EXPECT_EQ(form->StatusBar.Text(), TForm2::kCollectedStatus);
    EXPECT_TRUE(form->RzButton1.Enabled());
    EXPECT_TRUE(form->RzButton3.Enabled());
    EXPECT_FALSE(os.files.FileExists(kReport));
  }
  static std::vector<std::string> Lines(const char* const (&lines)[6]) {
    return {std::begin(lines), std::end(lines)};
  }
};

TEST_F(Form2Test, FirstStartShowsThatNothingIsStoredAndCreatesTheProgramKey) {
  Create();
  EXPECT_TRUE(os.registry.KeyExists(RegRoot::LocalMachine, kKey));
  ExpectIdle({"Currently there are no stored information."});
  EXPECT_EQ(form->Info(), hwinfo::HardwareInfo{});
  EXPECT_TRUE(os.registry.writes.empty());
  ASSERT_EQ(host.colours.size(), 1u);
  EXPECT_EQ(host.colours[0].StatusBarColor, 0xC0DCC0u);   // RGB(192, 220, 192)
  EXPECT_EQ(host.colours[0].ButtonFontColor, 0x85A3FAu);  // RGB(133, 163, 250)
  EXPECT_FALSE(form->Collecting());
}

TEST_F(Form2Test, StoredDescriptionIsShownOnlyWhenSaveInfoIsExactlyOne) {
  for (const char* flag : {"0", "", "1 ", "yes"}) {
    StoreDescription(kStored);
    os.registry.SetString(RegRoot::LocalMachine, kKey, "Save Info", flag);
    Create();
    EXPECT_EQ(form->infomemo.Lines(), std::vector<std::string>{TForm2::kNoStoredInfo}) << flag;
    EXPECT_EQ(form->Info(), hwinfo::HardwareInfo{}) << flag;
  }

  StoreDescription(kStored);
  os.registry.SetString(RegRoot::LocalMachine, kKey, "VGA", "");
  Create();
  std::vector<std::string> expected = kStored;
  expected[3] = "";
  ExpectIdle(expected);
  EXPECT_EQ(form->Info().CPU(), "Processor: Pentium III");
  EXPECT_EQ(form->Info().VGA(), "");
}

TEST_F(Form2Test, GetInfoPaintsTheCollectingTextThenStartsTheToolWithTheReportPath) {
  Create();
  os.files.AddFile(kReport, "stale report of an earlier run");
  form->RzButton1Click();

  EXPECT_FALSE(form->RzButton1.Enabled());
  EXPECT_FALSE(form->RzButton3.Enabled());
  EXPECT_TRUE(form->infomemo.Lines().empty());
  EXPECT_TRUE(form->Collecting());
  EXPECT_EQ(form->StatusBar.Text(), "Collecting hardware information, please wait...");
  ASSERT_EQ(host.repaints.size(), 1u);
  EXPECT_EQ(host.repaints[0].first, TForm2::kCollectingStatus);
  EXPECT_EQ(host.repaints[0].second, 0u) << "painted before the start blocks";

  ASSERT_EQ(os.processes.started.size(), 1u);
  const platform::ProcessStartRequest& start = os.processes.started[0].request;
  EXPECT_EQ(start.commandLine, kCommandLine);
  EXPECT_EQ(start.startup.showWindow, 1);  // shown normally
  EXPECT_TRUE(start.creationFlags & platform::CreateNewConsole);
  EXPECT_EQ(form->RunHLFile.Params.ProcFileName, kCommandLine);
  EXPECT_FALSE(form->RunHLFile.Params.UseAssociations);
  EXPECT_EQ(form->RunHLFile.Params.UserTag, 0);
  EXPECT_FALSE(os.files.FileExists(kReport)) << "an old report must not pass for the new one";
}

TEST_F(Form2Test, WindowsReportIsShownThenStoredAndTheNextStartShowsIt) {
  Create();
  form->RzButton1Click();
  std::string report = FixtureBytes("dxdiag/windows-dxdiag.txt");
  ToolEnds(&report);

  std::vector<std::string> six = Lines(expected::kWindowsLines);
  ExpectCollected(six);
  EXPECT_TRUE(form->Collecting());
  EXPECT_TRUE(os.registry.writes.empty()) << "nothing is stored before Save & Close";

  form->RzButton3Click();
  EXPECT_EQ(os.registry.writes,
            (std::vector<std::string>{"CPU=" + six[1], "Memory=" + six[2], "OS=" + six[0],
                                      "VGA=" + six[3], "VGA Driver=" + six[5],
                                      "VGA Memory=" + six[4], "Save Info=1"}));
  EXPECT_EQ(host.closes, 1);
  form->FormClose();

  Create();  // the next program start
  ExpectIdle(six);
}

TEST_F(Form2Test, WinesReportGivesThreeLinesAndThreeEmptyOnesThatAreStoredAsSuch) {
  Create();
  form->RzButton1Click();
  std::string report = FixtureBytes("dxdiag/wine-dxdiag.txt");
  ToolEnds(&report);
  ExpectCollected(Lines(expected::kWineLines));
  EXPECT_EQ(os.processes.badCloses, 0);

  form->RzButton3Click();
  EXPECT_EQ(Stored("OS"), expected::kWineLines[0]);
  EXPECT_EQ(Stored("Memory"), expected::kWineLines[2]);
  EXPECT_EQ(Stored("VGA"), "");
  EXPECT_EQ(Stored("VGA Driver"), "");
  EXPECT_EQ(Stored("Save Info"), "1");
}

struct FailureCase {
  const char* name;
  std::function<void(Form2Test&)> arrange;  // before "Get info"
  std::function<void(Form2Test&)> finish;   // after it
  std::string message;
};

class Form2FailureTest : public Form2Test, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Form2FailureTest, SaysSoRestoresTheDialogAndKeepsTheStoredDescription) {
  const FailureCase& c = GetParam();
  StoreDescription(kStored);
  Create();
  os.registry.writes.clear();
  c.arrange(*this);
  form->RzButton1Click();
  c.finish(*this);

  EXPECT_EQ(os.messages.Texts(), std::vector<std::string>{c.message});
  ExpectIdle(kStored);
  EXPECT_FALSE(form->Collecting());
  EXPECT_EQ(form->Info().OS(), kStored[0]);
  EXPECT_TRUE(os.registry.writes.empty());
  // Save & Close after the failure writes back what was stored; it does not clear it.
  form->RzButton3Click();
  EXPECT_EQ(Stored("OS"), kStored[0]);
  EXPECT_EQ(Stored("VGA Driver"), kStored[5]);
  EXPECT_EQ(Stored("Save Info"), "1");
}

const std::string kNotCollected = "The hardware information could not be collected.\r\n";
const std::string kNoReport =
    kNotCollected + "The DirectX diagnostic tool left no readable report in " + kReport + ".";

INSTANTIATE_TEST_SUITE_P(
    Collection, Form2FailureTest,
    ::testing::Values(
        FailureCase{"ToolCannotBeStarted",
                    [](Form2Test& t) { t.os.processes.startErrors.push_back(2); },
                    [](Form2Test&) {},
                    kNotCollected + kCommandLine + ": The system cannot find the file specified 2"},
        FailureCase{"NoReport", [](Form2Test&) {}, [](Form2Test& t) { t.ToolEnds(nullptr); },
                    kNoReport},
        FailureCase{"UnreadableReport", [](Form2Test& t) { t.os.files.MakeUnreadable(kReport); },
                    [](Form2Test& t) {
                      std::string report = "   Processor: x";
                      t.ToolEnds(&report);
                    },
                    kNoReport},
        FailureCase{"WaitFailed", [](Form2Test&) {},
                    [](Form2Test& t) {
                      t.os.processes.FailWait(0, 6);
                      t.os.processes.RunPending();
                    },
                    kCommandLine + ": The handle is invalid 6"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(Form2Test, ReportOfARunThatOutlivedAShowingIsNotParsedButTheButtonsComeBack) {
  Create();
  form->FormShow();
  form->RzButton1Click();
  form->FormClose();
  form->FormShow();  // shown again while the tool still runs
  EXPECT_FALSE(form->Collecting());
  EXPECT_FALSE(form->RzButton1.Enabled());

  std::string report = FixtureBytes("dxdiag/windows-dxdiag.txt");
  ToolEnds(&report);
  ExpectIdle({TForm2::kNoStoredInfo});
  EXPECT_EQ(form->Info(), hwinfo::HardwareInfo{});
  EXPECT_FALSE(os.files.FileExists(kReport));
  EXPECT_TRUE(os.messages.shown.empty());

  // And a new collection works as ever.
  form->RzButton1Click();
  ToolEnds(&report);
  ExpectCollected(Lines(expected::kWindowsLines));
}

TEST_F(Form2Test, ReportThatArrivesWhileTheDialogIsClosedIsReadyForTheNextShowing) {
  Create();
  form->FormShow();
  form->RzButton1Click();
  // The tool has written its report but not yet ended when the dialog is closed: closing
  // leaves the running tool's report alone.
  std::string report = FixtureBytes("dxdiag/windows-dxdiag.txt");
  os.files.AddFile(kReport, report);
  form->FormClose();  // closed, not shown again: still collecting
  EXPECT_TRUE(os.files.FileExists(kReport));

  ToolEnds(nullptr);
  form->FormShow();
  ExpectCollected(Lines(expected::kWindowsLines));
}

TEST_F(Form2Test, SaveWithNothingCollectedClearsTheStoredDescription) {
  Create();  // nothing stored: the memo holds the single "no stored information" line
  form->RzButton3Click();
  EXPECT_EQ(os.registry.writes,
            (std::vector<std::string>{"CPU=", "Memory=", "OS=", "VGA=", "VGA Driver=",
                                      "VGA Memory=", "Save Info=0"}));
  EXPECT_EQ(form->infomemo.Lines(), std::vector<std::string>{TForm2::kNoStoredInfo});
  EXPECT_EQ(host.closes, 1);
}

TEST_F(Form2Test, SaveRightAfterStartWritesTheStoredDescriptionBackUnchanged) {
  StoreDescription(kStored);
  Create();
  form->RzButton3Click();
  EXPECT_EQ(os.registry.writes,
            (std::vector<std::string>{"CPU=" + kStored[1], "Memory=" + kStored[2],
                                      "OS=" + kStored[0], "VGA=" + kStored[3],
                                      "VGA Driver=" + kStored[5], "VGA Memory=" + kStored[4],
                                      "Save Info=1"}));
  EXPECT_EQ(form->infomemo.Lines(), kStored);
}

TEST_F(Form2Test, RefusedWriteStopsTheSaveBeforeTheFlagAndKeepsTheDialogOpen) {
  Create();
  form->RzButton1Click();
  std::string report = FixtureBytes("dxdiag/windows-dxdiag.txt");
  ToolEnds(&report);
  os.registry.RefuseWrites(RegRoot::LocalMachine, kKey, "OS");

  EXPECT_THROW(form->RzButton3Click(), ERegistryException);
  EXPECT_EQ(os.registry.writes, (std::vector<std::string>{"CPU=" + std::string(expected::kWindowsLines[1]),
                                                          "Memory=" + std::string(expected::kWindowsLines[2])}));
  EXPECT_EQ(Stored("Save Info"), "<missing>");
  EXPECT_EQ(host.closes, 0);
}

TEST_F(Form2Test, ToolWhoseEndCannotBeWatchedLeavesTheDialogUsable) {
  StoreDescription(kStored);
  Create();
  os.processes.hiddenWindowFailure = "CreateWindowEx: 8";
  EXPECT_THROW(form->RzButton1Click(), Exception);
  ExpectIdle(kStored);
  EXPECT_FALSE(form->Collecting());
}

TEST_F(Form2Test, ClosingRemovesALeftoverReport) {
  Create();
  os.files.AddFile(kReport, "left over");
  form->FormClose();
  EXPECT_FALSE(os.files.FileExists(kReport));
  form->FormClose();  // and without one nothing happens
  EXPECT_FALSE(os.files.FileExists(kReport));
}

}  // namespace
