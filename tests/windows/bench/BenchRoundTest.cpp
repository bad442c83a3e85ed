#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "bench/BatchCommand.h"
#include "bench/BenchErrors.h"
#include "bench/DemoChoice.h"
#include "bench/GameConfigWriter.h"
#include "bench/GameInterface.h"
#include "bench/Report.h"
#include "platform/Text.h"
#include "platform/win32/Win32DateTimeText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ShellFileOperations.h"
#include "platform/win32/Win32System.h"
#include "procs/JvCreateProcess.h"
#include "procs/JvSHFileOperation.h"

using namespace bench;

namespace {

std::string Windows(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Runs this thread's message loop (the end of a process arrives through it) until `done`.
bool PumpUntil(const bool& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done && GetTickCount() - start < timeoutMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return done;
}

class RecordingShell : public platform::Shell {
 public:
  std::vector<std::string> opened;
  void Open(const std::string& verb, const std::string& file, const std::string&, const std::string&, int) override {
    opened.push_back(verb + " " + file);
  }
};

class BenchRound : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "lumenrig-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    systemFolder = root + "Game\\system\\";
    configFolder = root + "Config\\";
    programFolder = root + "Lumenrig\\";
    for (const std::string& f : {systemFolder, configFolder, programFolder + "Demos\\"})
      ASSERT_TRUE(files.CreateDirectories(f)) << f;
    ASSERT_TRUE(CopyFileA(Windows(STANDIN_EXE).c_str(), (systemFolder + "Splintercell3.exe").c_str(), FALSE));
    for (const char* demo : {"01_Lighthouse.dem", "02_voru3v.dem", "03_voru3v.dem"})
      ASSERT_TRUE(CopyFileA((Windows(DEMOS_DIR) + "\\" + demo).c_str(), (programFolder + "Demos\\" + demo).c_str(),
                            FALSE));
    ASSERT_TRUE(files.WriteAll(configFolder + kGameConfigFile, "[users own]\r\nFullscreenViewportX=1920\r\n"));
    const std::string control = "config=" + configFolder + kGameConfigFile + ";log=" + root + "standin.log";
    SetEnvironmentVariableA("LUMENRIG_STANDIN", control.c_str());
    fileOp.Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress};
  }
  void TearDown() override {
    SetEnvironmentVariableA("LUMENRIG_STANDIN", nullptr);
    std::string from = root;
    from.pop_back();
    from += std::string(2, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
  }

  // One resolution as the run does it: configuration, batch file, hidden start, the end
  // on this thread, collection, clean-up. Returns the score.
  std::string Measure(int stepIndex, const RunOptions& options, const DemoChoice& demo, bool first) {
    const BenchStep& step = StepAt(stepIndex);
    memo5.Reset();
    writer.WriteGameConfig(memo5, configFolder, options, step, false,
                           first ? BackupMode::TakeBackup : BackupMode::LaterWrite);
    WriteBenchBatch(files, systemFolder, BuildBenchCommand(demo, options, step));

    bool ended = false;
    cp.CurrentDirectory = systemFolder;
    cp.CommandLine = systemFolder + kBenchBatchFile;
    cp.StartupInfo.ShowWindow = swHide;
    cp.StartupInfo.DefaultWindowState = false;
    cp.OnTerminate = [&](TJvCreateProcess&, uint32_t) { ended = true; };
    cp.Run();
    EXPECT_TRUE(PumpUntil(ended, 30000)) << "the game did not end";

    const std::string score =
        AddResolutionResult(report, step, options, demo, systemFolder, files, fileOp, clock);
    for (const char* name : {kResultFile, kResultCopyFile, kBenchBatchFile})
      if (files.FileExists(systemFolder + name)) files.RemoveFile(systemFolder + name);
    return score;
  }

  platform::Win32FileSystem files;
  platform::Win32ShellFileOperations shell;
  platform::Win32Clock clock;
  platform::Win32Processes processes;
  TJvSHFileOperation fileOp{shell, files};
  TJvCreateProcess cp{processes};
  GameConfigWriter writer{files, fileOp, clock};
  TemplateCopy memo5;
  std::vector<std::string> report;
  std::string root, systemFolder, configFolder, programFolder;
};

}  // namespace

TEST_F(BenchRound, TwoResolutionsGiveAReportAndLeaveTheUsersFileAsItWas) {
  const RunOptions options = CaptureRunOptions(RunOptionControls{1, true, false, false, false, false});
  const DemoChoice demo =
      PlaceDemo(DemoControls{0, "", ""}, DemoChoice{}, programFolder, systemFolder, files, fileOp);
  ASSERT_TRUE(files.FileExists(systemFolder + "01_Lighthouse.dem"));

  BeginReport(report, "11/21/2005 2:05:33 PM", false, HardwareValues{}, "under wine");
  const std::string small = Measure(0, options, demo, true);
  EXPECT_EQ(files.FileExists(configFolder + kGameConfigBackupFile), true);
  const std::string large = Measure(5, options, demo, false);
  ASSERT_FALSE(small.empty());
  ASSERT_FALSE(large.empty());
  EXPECT_GT(std::stod(small), std::stod(large));

  RecordingShell browser;
  const std::string results = root + "Results\\Nested\\";
  ASSERT_TRUE(EndReport(report, "11_21_2005_2_05_33_PM", results, large, files, browser));
  std::string html;
  ASSERT_TRUE(files.ReadAll(results + "\\result_11_21_2005_2_05_33_PM.htm", html));
  EXPECT_NE(html.find("Resolution: 640\xD7" "480</FONT>"), std::string::npos);
  EXPECT_NE(html.find("Resolution: 2048\xD7" "1536</FONT>"), std::string::npos);
  EXPECT_NE(html.find("<b>Score = " + small + " FPS</b>"), std::string::npos);
  ASSERT_EQ(browser.opened.size(), 1u);

  EXPECT_TRUE(writer.RestoreGameConfig(configFolder));
  std::string ini;
  ASSERT_TRUE(files.ReadAll(configFolder + kGameConfigFile, ini));
  EXPECT_EQ(ini, "[users own]\r\nFullscreenViewportX=1920\r\n");
  EXPECT_FALSE(files.FileExists(configFolder + kGameConfigBackupFile));

  // The stand-in saw the two command lines as the batch file carried them.
  std::string log;
  ASSERT_TRUE(files.ReadAll(root + "standin.log", log));
  EXPECT_NE(log.find("01_Lighthouse -playtimedemo=01_Lighthouse.dem 640 480 -nosound shader=2 ParallaxMapping=1 "
                     "HQSoftShadows=0 HDR=0 ToneMapping=0"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(" 2048 1536 -nosound "), std::string::npos) << log;
}

TEST_F(BenchRound, AGameThatLeavesNoResultOrCrashesGivesNoSection) {
  const RunOptions options = CaptureRunOptions(RunOptionControls{0});
  const DemoChoice demo =
      PlaceDemo(DemoControls{2, "", ""}, DemoChoice{}, programFolder, systemFolder, files, fileOp);
  const std::string control = "config=" + configFolder + kGameConfigFile + ";result.640=none;exitcode.640=3;" +
                              "result.800=short;crash.1024=1";
  SetEnvironmentVariableA("LUMENRIG_STANDIN", control.c_str());
  EXPECT_EQ(Measure(0, options, demo, true), "");  // no result, and an error code that changes nothing
  EXPECT_EQ(Measure(1, options, demo, false), "");
  EXPECT_EQ(Measure(2, options, demo, false), "");
  EXPECT_EQ(report.size(), 0u);
  EXPECT_FALSE(Measure(3, options, demo, false).empty());  // 1280 has no switch: a result
  EXPECT_EQ(report.size(), 10u);
}

TEST_F(BenchRound, AConfigurationInUseIsNeitherMovedNorOverwritten) {
  const std::string ini = configFolder + kGameConfigFile;
  HANDLE locked = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  memo5.Reset();
  try {
    writer.WriteGameConfig(memo5, configFolder, CaptureRunOptions(RunOptionControls{0}), StepAt(0), false,
                           BackupMode::TakeBackup);
    ADD_FAILURE() << "no error";
  } catch (const EBenchFileError& e) {
    EXPECT_EQ(e.kind, EBenchFileError::Kind::ConfigBackup);
  }
  CloseHandle(locked);
  std::string content;
  ASSERT_TRUE(files.ReadAll(ini, content));
  EXPECT_EQ(content, "[users own]\r\nFullscreenViewportX=1920\r\n");
}

TEST(DateTimeText, FormatsTheStampInTheUsersFormat) {
  platform::Win32DateTimeText format;
  const std::string text = format.ShortDateLongTime(platform::LocalTime{2005, 11, 21, 14, 5, 33, 0, 1});
  EXPECT_NE(text.find("2005"), std::string::npos) << text;
  EXPECT_NE(text.find("33"), std::string::npos) << text;
  EXPECT_NE(text.find(' '), std::string::npos) << text;
  const std::string file = StampFileText(text);
  EXPECT_EQ(file.find_first_of(":./-\\ "), std::string::npos) << file;
}
