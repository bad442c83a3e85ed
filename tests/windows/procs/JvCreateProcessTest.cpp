#include "procs/JvCreateProcess.h"

#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Exceptions.h"
#include "platform/win32/Win32Processes.h"

namespace {

struct End {
  uint32_t code;
  DWORD thread;
  TJvProcessState state;
};

class JvCreateProcessWin32 : public ::testing::Test {
 protected:
  platform::Win32Processes processes;
  std::unique_ptr<TJvCreateProcess> cp = std::make_unique<TJvCreateProcess>(processes);
  std::vector<End> ends;

  void SetUp() override {
    // As the main window sets up its runner: hidden, at (0, 0), size (0, 0).
    cp->StartupInfo.ShowWindow = swHide;
    cp->StartupInfo.DefaultPosition = false;
    cp->StartupInfo.DefaultSize = false;
    cp->StartupInfo.DefaultWindowState = false;
    cp->OnTerminate = [this](TJvCreateProcess& sender, uint32_t code) {
      ends.push_back({code, GetCurrentThreadId(), sender.State()});
    };
  }
  bool WaitEnds(size_t n, DWORD ms = 15000) {
    return PumpUntil([&] { return ends.size() >= n; }, ms);
  }
};

// Like the launcher, which is a windowed program, the test must own no console: else the
// children share the test's console and never open a window of their own.
void LoseConsole() { FreeConsole(); }

TEST_F(JvCreateProcessWin32, ABatchWhoseLastCommandExits3ReportsThreeOnTheUiThreadWithNoVisibleConsole) {
  LoseConsole();
  std::string folder = ScratchFolder("batch3");
  WriteText(folder + "lumenrig.bat",
            "@echo off\r\n" + ChildCommand("--write \"" + folder + "info.txt\" --exit 3") + "\r\n");
  cp->CurrentDirectory = folder;
  cp->CommandLine = folder + "lumenrig.bat";
  cp->Run();
  EXPECT_EQ(cp->State(), psRunning);
  ASSERT_TRUE(WaitEnds(1));
  EXPECT_EQ(ends[0].code, 3u);
  EXPECT_EQ(ends[0].thread, GetCurrentThreadId());
  EXPECT_EQ(ends[0].state, psReady);
  EXPECT_EQ(cp->State(), psReady);
  std::string info = ReadText(folder + "info.txt");
  EXPECT_NE(info.find("console=hidden"), std::string::npos) << info;
  EXPECT_NE(info.find("dir=" + folder.substr(0, folder.size() - 1)), std::string::npos) << info;
}

TEST_F(JvCreateProcessWin32, TheChildGetsTheHiddenStartupInfoAndItsExitCodeUnsigned) {
  LoseConsole();
  std::string folder = ScratchFolder("startup");
  // The check can see a console: with the default window state the child's one shows.
  TJvCreateProcess shown(processes);
  bool shownEnded = false;
  shown.OnTerminate = [&](TJvCreateProcess&, uint32_t) { shownEnded = true; };
  shown.CommandLine = ChildCommand("--write \"" + folder + "shown.txt\"");
  shown.Run();
  ASSERT_TRUE(PumpUntil([&] { return shownEnded; }, 15000));
  EXPECT_NE(ReadText(folder + "shown.txt").find("console=visible"), std::string::npos);

  cp->CommandLine = ChildCommand("--write \"" + folder + "info.txt\" --exit 3221225477");
  cp->Run();
  ASSERT_TRUE(WaitEnds(1));
  EXPECT_EQ(ends[0].code, 0xC0000005u);
  std::string info = ReadText(folder + "info.txt");
  EXPECT_NE(info.find("flags=7 show=0 x=0 y=0 w=0 h=0"), std::string::npos) << info;
  EXPECT_NE(info.find("console=hidden"), std::string::npos) << info;
}

TEST_F(JvCreateProcessWin32, RunFromInsideOnTerminateStartsTheNextProcess) {
  std::vector<uint32_t> codes = {5, 6, 7};
  size_t next = 1;
  cp->OnTerminate = [&](TJvCreateProcess& sender, uint32_t code) {
    ends.push_back({code, GetCurrentThreadId(), sender.State()});
    if (next < codes.size()) {
      sender.CommandLine = ChildCommand("--exit " + std::to_string(codes[next++]));
      sender.Run();
    }
  };
  cp->CommandLine = ChildCommand("--exit 5");
  cp->Run();
  ASSERT_TRUE(WaitEnds(3));
  PumpFor(300);
  ASSERT_EQ(ends.size(), 3u);
  for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(ends[i].code, codes[i]);
  EXPECT_EQ(cp->State(), psReady);
}

TEST_F(JvCreateProcessWin32, RunWhileRunningRaisesAndTheFirstProcessStillReportsOnce) {
  cp->CommandLine = ChildCommand("--sleep 400 --exit 9");
  cp->Run();
  cp->CommandLine = ChildCommand("--exit 1");
  EXPECT_THROW(
      {
        try {
          cp->Run();
        } catch (const EJVCLException& e) {
          EXPECT_STREQ(e.what(), "Cannot perform this operation when process is running");
          throw;
        }
      },
      EJVCLException);
  ASSERT_TRUE(WaitEnds(1));
  PumpFor(500);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].code, 9u);
}

TEST_F(JvCreateProcessWin32, DestroyingWhileTheProcessRunsReportsNothingAndLeavesItRunning) {
  cp->CommandLine = ChildCommand("--sleep 800 --exit 4");
  cp->Run();
  DWORD pid = cp->ProcessInfo().processId;
  HANDLE watch = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  ASSERT_NE(watch, nullptr);
  cp.reset();
  EXPECT_TRUE(StillRunningAfter(pid, 0));
  // It ends by itself, with its own exit code: nobody stopped it.
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(watch, 0) == WAIT_OBJECT_0; }, 10000));
  DWORD code = 0;
  GetExitCodeProcess(watch, &code);
  CloseHandle(watch);
  EXPECT_EQ(code, 4u);
  PumpFor(300);
  EXPECT_TRUE(ends.empty());
}

TEST_F(JvCreateProcessWin32, AProgramThatDoesNotExistRaisesEOSErrorWithTheSystemsText) {
  std::string folder = ScratchFolder("missing");
  cp->CommandLine = "\"" + folder + "no_such_program.exe\"";
  try {
    cp->Run();
    FAIL() << "no exception";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, 2u);
    std::string message = e.what();
    const std::string head = "System Error.  Code: 2.\r\n";
    ASSERT_GT(message.size(), head.size()) << message;
    EXPECT_EQ(message.substr(0, head.size()), head);
    char last = message.back();
    EXPECT_TRUE(last != '.' && last != '\n' && last != ' ') << message;
  }
  EXPECT_EQ(cp->State(), psReady);
}

// Threads of this process that run at below-normal priority.
int BelowNormalThreads() {
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId()) continue;
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    if (GetThreadPriority(thread) == THREAD_PRIORITY_BELOW_NORMAL) ++count;
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return count;
}

TEST_F(JvCreateProcessWin32, TheWorkerWaitsAtBelowNormalPriorityUntilTheHandlerReturns) {
  int before = BelowNormalThreads();
  int during = -1;
  cp->OnTerminate = [&](TJvCreateProcess& sender, uint32_t code) {
    during = BelowNormalThreads();
    ends.push_back({code, GetCurrentThreadId(), sender.State()});
  };
  cp->CommandLine = ChildCommand("--exit 0");
  cp->Run();
  ASSERT_TRUE(WaitEnds(1));
  EXPECT_EQ(during, before + 1);
  EXPECT_TRUE(PumpUntil([&] { return BelowNormalThreads() == before; }, 5000));
}

TEST_F(JvCreateProcessWin32, AnErrorInTheHandlerGoesToTheErrorSinkAndTheRunnerStaysUsable) {
  std::vector<std::string> errors;
  processes.onHandOverError = [&](const std::exception& e) { errors.push_back(e.what()); };
  cp->OnTerminate = [&](TJvCreateProcess& sender, uint32_t code) {
    ends.push_back({code, GetCurrentThreadId(), sender.State()});
    if (ends.size() == 1) throw EOSError(5, "Failed to set data for 'NoErrorWarning'");
  };
  cp->CommandLine = ChildCommand("--exit 1");
  cp->Run();
  ASSERT_TRUE(PumpUntil([&] { return !errors.empty(); }, 15000));
  EXPECT_EQ(errors[0], "Failed to set data for 'NoErrorWarning'");
  EXPECT_EQ(cp->State(), psReady);
  cp->Run();
  ASSERT_TRUE(WaitEnds(2));
  EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
