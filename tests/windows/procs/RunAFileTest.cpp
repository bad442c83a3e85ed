#include "procs/RunAFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32System.h"

namespace {

struct Report {
  int tag;
  TRetType type;
  uint32_t value;
  DWORD thread;
};

class RunAFileWin32 : public ::testing::Test {
 protected:
  platform::Win32Processes processes;
  platform::Win32Clock clock;
  std::unique_ptr<TRunAFile> run = std::make_unique<TRunAFile>(processes, clock);
  std::vector<Report> reports;
  std::vector<std::pair<bool, DWORD>> launches;  // Launched, last error in the handler

  void SetUp() override {
    run->Params.WindowType = wtHide;
    run->OnProcCompleted = [this](TRunItem& item, TRetType type, uint32_t value) {
      reports.push_back({item.Params.UserTag, type, value, GetCurrentThreadId()});
    };
    run->OnAfterLaunch = [this](TRunItem&, bool launched) { launches.push_back({launched, GetLastError()}); };
  }
  bool WaitReports(size_t n, DWORD ms = 15000) {
    return PumpUntil([&] { return reports.size() >= n; }, ms);
  }
};

TEST_F(RunAFileWin32, TwoExecutesInARowReportTwoEnds) {
  run->Params.ProcFileName = ChildCommand("--sleep 300 --exit 11");
  run->Params.UserTag = 1;
  run->Execute();
  run->Params.ProcFileName = ChildCommand("--exit 22");
  run->Params.UserTag = 2;
  run->Execute();
  ASSERT_TRUE(WaitReports(2));
  PumpFor(300);
  ASSERT_EQ(reports.size(), 2u);
  for (const Report& r : reports) {
    EXPECT_EQ(r.type, rtNormal);
    EXPECT_EQ(r.value, r.tag == 1 ? 11u : 22u);
    EXPECT_EQ(r.thread, GetCurrentThreadId());
  }
  EXPECT_NE(reports[0].tag, reports[1].tag);
}

TEST_F(RunAFileWin32, TheEndComesThroughTheProgramsHiddenWindow) {
  run->Params.ProcFileName = ChildCommand("--exit 0");
  run->Execute();
  // This process's window: test programs running side by side have their own.
  HWND window = nullptr;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "RunAFileWndClass", "RunAFileWndClass")) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) window = w;
  }
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  ASSERT_TRUE(WaitReports(1));
}

TEST_F(RunAFileWin32, TimeOutOfOneSecondWithASleepingChildReportsTimeOut) {
  run->Params.ProcFileName = ChildCommand("--sleep 4000");
  run->Params.TimeOutSec = 1;
  DWORD start = GetTickCount();
  run->Execute();
  DWORD pid = run->Items(0).ProcessId();
  ASSERT_TRUE(WaitReports(1));
  DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(reports[0].type, rtTimeOut);
  EXPECT_EQ(reports[0].value, 1u);
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 3500u);
  EXPECT_TRUE(StillRunningAfter(pid, 0));  // left running, no longer watched
}

TEST_F(RunAFileWin32, ACommandLineOver512CharactersStartsWithTheFirst512) {
  std::string folder = ScratchFolder("long");
  std::string line = ChildCommand("--write \"" + folder + "line.txt\" --exit 0");
  while (line.size() < 600) line += " pad";
  ASSERT_LT(line.find("line.txt"), 512u);
  run->Params.ProcFileName = line;
  run->Execute();
  ASSERT_TRUE(WaitReports(1));
  std::string written = ReadText(folder + "line.txt");
  std::string first = written.substr(0, written.find('\n'));
  EXPECT_EQ(first, line.substr(0, 512));
}

TEST_F(RunAFileWin32, AProgramThatDoesNotExistGivesLaunchedFalseAndNoEnd) {
  std::string folder = ScratchFolder("nofile");
  run->Params.ProcFileName = folder + "no_such_program.exe";
  run->Execute();
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_FALSE(launches[0].first);
  EXPECT_EQ(launches[0].second, 2u);
  PumpFor(800);
  EXPECT_TRUE(reports.empty());
}

TEST_F(RunAFileWin32, ACommandInterpreterIsNotWaitedForAndReportsItsExitCode) {
  // WaitForInputIdle on a console program gives up at once; Execute must not take 5 s.
  run->Params.ProcFileName = "cmd.exe /c exit 4";
  DWORD start = GetTickCount();
  run->Execute();
  EXPECT_LT(GetTickCount() - start, 3000u);
  ASSERT_TRUE(WaitReports(1));
  EXPECT_EQ(reports[0].type, rtNormal);
  EXPECT_EQ(reports[0].value, 4u);
}

TEST_F(RunAFileWin32, DestroyingTheComponentWhileItsProcessRunsReportsNothing) {
  run->Params.ProcFileName = ChildCommand("--sleep 700 --exit 6");
  run->Execute();
  run->Params.ProcFileName = ChildCommand("--exit 0");  // ends at once: its report may be on its way
  run->Execute();
  DWORD pid = run->Items(0).ProcessId();
  Sleep(200);
  run.reset();
  EXPECT_TRUE(StillRunningAfter(pid, 0));
  EXPECT_FALSE(StillRunningAfter(pid, 10000));
  PumpFor(300);
  EXPECT_TRUE(reports.empty());
}

}  // namespace
