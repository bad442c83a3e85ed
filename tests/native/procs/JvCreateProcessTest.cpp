#include "procs/JvCreateProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeProcesses.h"
#include "platform/Exceptions.h"

namespace {

using State = FakeWatchRecord::State;

struct Ended {
  uint32_t exitCode;
  TJvProcessState stateInHandler;
};

class JvCreateProcessTest : public ::testing::Test {
 protected:
  FakeProcesses processes;
  TJvCreateProcess cp{processes};
  std::vector<Ended> ends;

  void SetUp() override {
    cp.OnTerminate = [this](TJvCreateProcess& sender, uint32_t code) {
      ends.push_back({code, sender.State()});
    };
  }
};

// The main window's runner: hidden, placed at (0, 0) with size (0, 0).
void MakeMainWindowRunner(TJvCreateProcess& cp) {
  cp.StartupInfo.ShowWindow = swHide;
  cp.StartupInfo.DefaultPosition = false;
  cp.StartupInfo.DefaultSize = false;
  cp.StartupInfo.DefaultWindowState = false;
}

TEST_F(JvCreateProcessTest, MainWindowRunnerStartsTheBatchHiddenWithTheCommandLineUnchanged) {
  MakeMainWindowRunner(cp);
  cp.CommandLine = "  \"C:\\Game\\System\\lumenrig.bat\"  ";
  cp.CurrentDirectory = "  C:\\Game\\System\\ ";
  cp.Run();

  ASSERT_EQ(processes.started.size(), 1u);
  const platform::ProcessStartRequest& r = processes.started[0].request;
  EXPECT_EQ(r.commandLine, "  \"C:\\Game\\System\\lumenrig.bat\"  ");
  EXPECT_EQ(r.moduleName, "");
  EXPECT_EQ(r.currentDirectory, "C:\\Game\\System\\");
  EXPECT_EQ(r.creationFlags, 0x20u);
  EXPECT_EQ(r.startup.flags, 7u);
  EXPECT_EQ(r.startup.showWindow, 0u);
  EXPECT_EQ(r.startup.x, 0);
  EXPECT_EQ(r.startup.y, 0);
  EXPECT_EQ(r.startup.xSize, 0);
  EXPECT_EQ(r.startup.ySize, 0);
  EXPECT_EQ(cp.State(), psRunning);
}

TEST(JvCPSStartupInfo, EachDefaultThatIsOffAddsItsFieldsAndFlag) {
  struct Case {
    bool defPos, defSize, defState;
    TJvCPSShowWindow show;
    uint32_t flags;
    uint16_t showWindow;
    int x, y, w, h;
  } cases[] = {
      {true, true, true, swHide, 0, 0, 0, 0, 0, 0},  // all default: nothing set, not even the show mode
      {false, true, true, swNormal, 4, 0, 10, 20, 0, 0},
      {true, false, true, swNormal, 2, 0, 0, 0, 300, 400},
      {true, true, false, swHide, 1, 0, 0, 0, 0, 0},
      {true, true, false, swMinimize, 1, 2, 0, 0, 0, 0},
      {true, true, false, swMaximize, 1, 3, 0, 0, 0, 0},
      {true, true, false, swNormal, 1, 1, 0, 0, 0, 0},
      {false, false, false, swMaximize, 7, 3, 10, 20, 300, 400},
  };
  for (const Case& c : cases) {
    TJvCPSStartupInfo info;
    info.DefaultPosition = c.defPos;
    info.DefaultSize = c.defSize;
    info.DefaultWindowState = c.defState;
    info.ShowWindow = c.show;
    info.Left = 10;
    info.Top = 20;
    info.Width = 300;
    info.Height = 400;
    platform::StartupFields f = info.Fields();
    SCOPED_TRACE(testing::Message() << "flags " << c.flags << " show " << c.showWindow);
    EXPECT_EQ(f.flags, c.flags);
    EXPECT_EQ(f.showWindow, c.showWindow);
    EXPECT_EQ(f.x, c.x);
    EXPECT_EQ(f.y, c.y);
    EXPECT_EQ(f.xSize, c.w);
    EXPECT_EQ(f.ySize, c.h);
  }
}

TEST_F(JvCreateProcessTest, PriorityAndApplicationNameReachTheStart) {
  struct Case {
    TJvProcessPriority priority;
    uint32_t flags;
  } cases[] = {{ppIdle, 0x40}, {ppNormal, 0x20}, {ppHigh, 0x80}, {ppRealTime, 0x100}};
  cp.ApplicationName = " C:\\Windows\\system32\\cmd.exe ";
  for (const Case& c : cases) {
    cp.Priority = c.priority;
    cp.Run();
    processes.End(processes.started.size() - 1, 0);
    processes.RunPending();
    EXPECT_EQ(processes.started.back().request.creationFlags, c.flags);
    EXPECT_EQ(processes.started.back().request.moduleName, "C:\\Windows\\system32\\cmd.exe");
  }
}

TEST_F(JvCreateProcessTest, TheWorkerWaitsForIdleThenForTheProcessAtBelowNormalPriority) {
  cp.Run();
  ASSERT_EQ(processes.watches.size(), 1u);
  const platform::WatchRequest& w = processes.watches[0].request;
  EXPECT_EQ(w.process, cp.ProcessInfo().process);
  EXPECT_TRUE(w.waitForInputIdle);
  EXPECT_EQ(w.order, platform::WaitOrder::CancelThenProcess);
  EXPECT_EQ(w.timeoutMs, platform::kInfinite);
  EXPECT_EQ(w.priority, platform::WorkerPriority::BelowNormal);
  EXPECT_EQ(w.channel, platform::HandOverChannel::Queued);
}

TEST_F(JvCreateProcessTest, TheEndArrivesOnlyWhenTheUiThreadRunsItsHandOvers) {
  cp.Run();
  processes.End(0, 3);
  EXPECT_TRUE(ends.empty());
  EXPECT_EQ(cp.State(), psRunning);
  EXPECT_EQ(processes.RunPending(), 1u);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].exitCode, 3u);
  EXPECT_EQ(cp.ExitCode(), 3u);
}

TEST_F(JvCreateProcessTest, HandOverIsReadyWithHandlesClosedWhileTheWorkerStillWaitsForTheHandler) {
  cp.Run();
  platform::ProcessInformation info = cp.ProcessInfo();
  bool checked = false;
  cp.OnTerminate = [&](TJvCreateProcess& sender, uint32_t code) {
    EXPECT_EQ(&sender, &cp);
    EXPECT_EQ(code, 0xC0000005u);  // exit codes pass as unsigned 32-bit values
    EXPECT_EQ(sender.State(), psReady);
    EXPECT_EQ(sender.ExitCode(), 0xC0000005u);
    EXPECT_FALSE(processes.IsOpen(info.process));
    EXPECT_FALSE(processes.IsOpen(info.thread));
    // The worker is released only after the handler has returned.
    EXPECT_EQ(processes.watches[0].state, State::Delivering);
    checked = true;
  };
  processes.End(0, 0xC0000005u);
  processes.RunPending();
  EXPECT_TRUE(checked);
  EXPECT_FALSE(processes.watches[0].releasedEarly);
  EXPECT_EQ(processes.watches[0].state, State::Ended);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
  EXPECT_EQ(processes.badCloses, 0);
}

TEST_F(JvCreateProcessTest, RunFromInsideOnTerminateStartsTheNextProcess) {
  std::vector<std::string> lines = {"first.bat", "second.bat", "third.bat"};
  size_t next = 1;
  cp.OnTerminate = [&](TJvCreateProcess& sender, uint32_t code) {
    ends.push_back({code, sender.State()});
    if (next < lines.size()) {
      sender.CommandLine = lines[next++];
      sender.Run();
    }
  };
  cp.CommandLine = lines[0];
  cp.Run();
  for (size_t i = 0; i < lines.size(); ++i) {
    processes.End(i, static_cast<uint32_t>(10 + i));
    EXPECT_EQ(processes.RunPending(), 1u);
  }
  ASSERT_EQ(processes.started.size(), 3u);
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(processes.started[i].request.commandLine, lines[i]);
  ASSERT_EQ(ends.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(ends[i].exitCode, 10 + i);
    EXPECT_EQ(ends[i].stateInHandler, psReady);
  }
  EXPECT_EQ(cp.State(), psReady);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
}

TEST_F(JvCreateProcessTest, RunWhileRunningRaisesAndTheFirstStillReportsOnce) {
  cp.CommandLine = "first.bat";
  cp.Run();
  platform::ProcessInformation first = cp.ProcessInfo();
  cp.CommandLine = "second.bat";
  try {
    cp.Run();
    FAIL() << "Run while running must raise";
  } catch (const EJVCLException& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation when process is running");
  }
  EXPECT_EQ(processes.attempts.size(), 1u);
  EXPECT_EQ(cp.State(), psRunning);
  EXPECT_EQ(cp.ProcessInfo().process, first.process);
  processes.End(0, 1);
  processes.RunPending();
  processes.RunPending();
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].exitCode, 1u);
}

TEST_F(JvCreateProcessTest, DestroyingWhileRunningReportsNothingAndLeavesTheProcessAlone) {
  for (bool endedBeforeDestruction : {false, true}) {
    SCOPED_TRACE(endedBeforeDestruction ? "end already on its way" : "process still running");
    FakeProcesses local;
    bool reported = false;
    {
      TJvCreateProcess runner(local);
      runner.OnTerminate = [&](TJvCreateProcess&, uint32_t) { reported = true; };
      runner.Run();
      if (endedBeforeDestruction) local.End(0, 0);
    }
    EXPECT_TRUE(local.watches[0].cancelled);
    local.RunPending();
    EXPECT_FALSE(reported);
    EXPECT_EQ(local.OpenHandleCount(), 0u);
    EXPECT_EQ(local.badCloses, 0);
    if (!endedBeforeDestruction) {
      EXPECT_TRUE(local.started[0].running);
    }
  }
}

TEST_F(JvCreateProcessTest, FailedCreationRaisesEOSErrorWithTheSystemsTextAndStaysReady) {
  processes.errorTexts[1234] = "";
  processes.errorTexts[87] = "The parameter is incorrect.  \r\n";
  struct Case {
    uint32_t code;
    const char* message;
  } cases[] = {
      {2, "System Error.  Code: 2.\r\nThe system cannot find the file specified"},
      {87, "System Error.  Code: 87.\r\nThe parameter is incorrect"},
      {1234, "System Error.  Code: 1234.\r\n"},
      {0, "A call to an OS function failed"},
  };
  for (const Case& c : cases) {
    processes.startErrors.push_back(c.code);
    try {
      cp.Run();
      ADD_FAILURE() << "no error for code " << c.code;
    } catch (const EOSError& e) {
      EXPECT_EQ(e.ErrorCode, c.code);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(cp.State(), psReady);
    EXPECT_EQ(cp.ProcessInfo().process, 0u);
  }
  EXPECT_TRUE(processes.watches.empty());
  cp.Run();  // the runner is usable afterwards
  EXPECT_EQ(cp.State(), psRunning);
}

TEST_F(JvCreateProcessTest, FailedWaitStillHandsOverWithExitCodeZero) {
  cp.Run();
  processes.FailWait(0, 6);
  processes.RunPending();
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].exitCode, 0u);
  EXPECT_EQ(cp.State(), psReady);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
}

TEST_F(JvCreateProcessTest, WithoutWaitForTerminateNothingWatchesAndNoHandleIsKept) {
  cp.WaitForTerminate = false;
  cp.Run();
  EXPECT_EQ(cp.State(), psReady);
  EXPECT_TRUE(processes.watches.empty());
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
  cp.Run();  // free for the next one at once
  EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(JvCreateProcessTest, AHandlerThatFreesTheRunnerIsSafe) {
  auto* runner = new TJvCreateProcess(processes);
  bool called = false;
  runner->OnTerminate = [&](TJvCreateProcess& sender, uint32_t) {
    called = true;
    delete &sender;
  };
  runner->Run();
  processes.End(0, 0);
  processes.RunPending();
  EXPECT_TRUE(called);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
  EXPECT_EQ(processes.badCloses, 0);
}

}  // namespace
