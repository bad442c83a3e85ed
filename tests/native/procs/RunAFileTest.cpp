#include "procs/RunAFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeProcesses.h"
#include "fakes/FakeSystem.h"
#include "platform/Exceptions.h"

namespace {

using State = FakeWatchRecord::State;

struct Report {
  TRunItem* item;
  TRetType type;
  uint32_t value;
};

class RunAFileTest : public ::testing::Test {
 protected:
  FakeProcesses processes;
  FakeClock clock;
  TRunAFile run{processes, clock};
  std::vector<Report> reports;
  std::vector<std::pair<TRunItem*, bool>> launches;

  void SetUp() override {
    run.OnProcCompleted = [this](TRunItem& item, TRetType type, uint32_t value) {
      reports.push_back({&item, type, value});
    };
    run.OnAfterLaunch = [this](TRunItem& item, bool launched) { launches.push_back({&item, launched}); };
  }
};

TEST(RunAFileTimeOut, SecondsBecomeTheWorkersLimit) {
  struct Case {
    uint32_t seconds, ms;
  } cases[] = {{0, platform::kInfinite}, {1, 1000},          {59, 59000},
               {3600, 3600000},          {3601, 3600000},    {5000, 3600000},
               {0xFFFFFFFFu, 3600000}};
  for (const Case& c : cases) EXPECT_EQ(TimeOutMilliseconds(c.seconds), c.ms) << c.seconds;
}

TEST_F(RunAFileTest, ATimeOutReportsTheSecondsAsGivenAndLeavesTheProcessRunning) {
  for (uint32_t seconds : {1u, 3600u, 5000u}) {
    reports.clear();
    run.Params.TimeOutSec = seconds;
    run.Execute();
    size_t index = processes.started.size() - 1;
    EXPECT_EQ(processes.watches.back().request.timeoutMs, TimeOutMilliseconds(seconds));
    processes.TimeOut(index);
    processes.RunPending();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].type, rtTimeOut);
    EXPECT_EQ(reports[0].value, seconds);
    EXPECT_TRUE(processes.started[index].running);
  }
}

TEST_F(RunAFileTest, NoLimitMeansTheWaitNeverTimesOut) {
  run.Execute();
  EXPECT_EQ(processes.watches[0].request.timeoutMs, platform::kInfinite);
  EXPECT_THROW(processes.TimeOut(0), std::logic_error);
}

TEST_F(RunAFileTest, CommandLineIsFileAndParametersTrimmedAndCutAt512) {
  std::string long600(600, 'x');
  std::string exact512(512, 'y');
  struct Case {
    std::string file, parameters, expected;
  } cases[] = {
      {"C:\\windows\\system32\\dxdiag.exe /whql:on /t C:\\L\\dxinfo.txt", "",
       "C:\\windows\\system32\\dxdiag.exe /whql:on /t C:\\L\\dxinfo.txt"},
      {"  prog.exe\t", " -a  -b \r\n", "prog.exe\t  -a  -b"},
      {"", "-only", "-only"},
      {long600, "", long600.substr(0, 512)},
      {exact512, "tail", exact512},
      {"p", long600, "p " + long600.substr(0, 510)},
  };
  for (const Case& c : cases) {
    run.Params.ProcFileName = c.file;
    run.Params.ProcParameters = c.parameters;
    run.Execute();
    EXPECT_EQ(processes.started.back().request.commandLine, c.expected);
    EXPECT_EQ(run.Items(run.Count() - 1).CommandLine(), c.expected);
  }
}

TEST_F(RunAFileTest, StartUsesANewConsoleTheShowModeAndThePriorityClass) {
  struct Case {
    TWindowType window;
    uint16_t show;
    TPriority priority;
    uint32_t flags;
  } cases[] = {{wtNormal, 1, prNormal, 0x30},   {wtMinimize, 2, prIdle, 0x50},
               {wtMaximize, 3, prHigh, 0x90},   {wtHide, 0, prRealTime, 0x110},
               {wtMinNoActive, 7, prNormal, 0x30}, {wtShowNA, 8, prNormal, 0x30}};
  run.Params.ProcCurrentDir = "  C:\\Tools ";
  for (const Case& c : cases) {
    run.Params.WindowType = c.window;
    run.Params.Priority = c.priority;
    run.Execute();
    const platform::ProcessStartRequest& r = processes.started.back().request;
    EXPECT_EQ(r.startup.flags, platform::StartfUseShowWindow);
    EXPECT_EQ(r.startup.showWindow, c.show);
    EXPECT_EQ(r.creationFlags, c.flags);
    EXPECT_EQ(r.moduleName, "");
    EXPECT_EQ(r.currentDirectory, "C:\\Tools");
  }
}

TEST_F(RunAFileTest, AStartWaitsForIdleKeepsTheProcessHandleAndClosesTheThreadHandle) {
  clock.now = platform::LocalTime{2026, 12, 10, 6, 30, 15, 0, 4};
  run.Execute();
  ASSERT_EQ(run.Count(), 1u);
  TRunItem& item = run.Items(0);
  const FakeProcess& p = processes.started[0];
  ASSERT_EQ(processes.idleWaits.size(), 1u);
  EXPECT_EQ(processes.idleWaits[0].first, p.info.process);
  EXPECT_EQ(processes.idleWaits[0].second, 5000u);
  EXPECT_FALSE(processes.IsOpen(p.info.thread));
  EXPECT_TRUE(processes.IsOpen(p.info.process));
  EXPECT_EQ(item.ProcessHandle(), p.info.process);
  EXPECT_EQ(item.ProcessId(), p.info.processId);
  EXPECT_EQ(item.ThreadId(), p.info.threadId);
  EXPECT_EQ(item.StartTime().minute, 30);
  EXPECT_EQ(item.LastError(), 0u);
  EXPECT_EQ(processes.threadError, 0u);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].first, &item);
  EXPECT_TRUE(launches[0].second);
  const platform::WatchRequest& w = processes.watches[0].request;
  EXPECT_EQ(w.order, platform::WaitOrder::ProcessThenCancel);
  EXPECT_EQ(w.channel, platform::HandOverChannel::RunAFileWindow);
  EXPECT_FALSE(w.waitForInputIdle);
}

TEST_F(RunAFileTest, TheWorkerIsReleasedBeforeTheHandlerWhichSeesItsResult) {
  run.Execute();
  TRunItem& item = run.Items(0);
  bool checked = false;
  item.OnProcCompleted = [&](TRunItem& it, TRetType type, uint32_t value) {
    EXPECT_TRUE(it.InCallback());
    EXPECT_EQ(type, rtNormal);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(it.RetType(), rtNormal);
    EXPECT_EQ(it.RetVal(), 7u);
    checked = true;
  };
  processes.End(0, 7);
  EXPECT_EQ(processes.RunPending(), 1u);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(processes.watches[0].releasedEarly);
  EXPECT_FALSE(item.InCallback());
}

TEST_F(RunAFileTest, AFailedWaitReportsTheSystemErrorCode) {
  run.Execute();
  processes.FailWait(0, 6);
  processes.RunPending();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].type, rtError);
  EXPECT_EQ(reports[0].value, 6u);
}

TEST_F(RunAFileTest, TwoExecutesInARowReportTwoEndsEachForItsOwnItem) {
  run.Params.ProcFileName = "one.exe";
  run.Execute();
  run.Params.ProcFileName = "two.exe";
  run.Execute();
  ASSERT_EQ(run.Count(), 2u);
  TRunItem* first = &run.Items(0);
  TRunItem* second = &run.Items(1);
  processes.End(1, 22);
  processes.RunPending();
  processes.End(0, 11);
  processes.RunPending();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].item, second);
  EXPECT_EQ(reports[0].value, 22u);
  EXPECT_EQ(reports[0].item->Params.ProcFileName, "two.exe");
  EXPECT_EQ(reports[1].item, first);
  EXPECT_EQ(reports[1].value, 11u);
}

TEST_F(RunAFileTest, AFailedStartReportsLaunchedFalseWithTheCodeAndNoEnd) {
  processes.startErrors.push_back(2);
  run.Params.ProcFileName = "C:\\nowhere\\missing.exe";
  uint32_t errorInHandler = 0;
  run.OnAfterLaunch = [&](TRunItem& item, bool launched) {
    launches.push_back({&item, launched});
    errorInHandler = processes.ThreadError();
  };
  run.Execute();
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_FALSE(launches[0].second);
  EXPECT_EQ(errorInHandler, 2u);
  EXPECT_EQ(run.Items(0).LastError(), 2u);
  EXPECT_TRUE(processes.watches.empty());
  EXPECT_FALSE(run.Items(0).HasWorker());
  processes.RunPending();
  EXPECT_TRUE(reports.empty());
  // Idle at once: the next Execute clears it.
  run.Execute();
  EXPECT_EQ(run.Count(), 1u);
}

TEST_F(RunAFileTest, NoWorkerWithoutAnEndHandlerOrWhenTheCallerWaitsItself) {
  run.OnProcCompleted = nullptr;
  run.Execute();
  run.OnProcCompleted = [this](TRunItem& item, TRetType type, uint32_t value) {
    reports.push_back({&item, type, value});
  };
  run.Params.WaitUntilDone = true;
  run.Execute();
  EXPECT_EQ(processes.started.size(), 2u);
  EXPECT_TRUE(processes.watches.empty());
  EXPECT_EQ(launches.size(), 2u);
}

TEST_F(RunAFileTest, ItemsKeepTheHandlersAndParamsTheyWereCreatedWith) {
  run.Params.UserTag = 5;
  run.Params.UserString = "first";
  run.Execute();
  int laterCalls = 0;
  run.OnProcCompleted = [&](TRunItem&, TRetType, uint32_t) { ++laterCalls; };
  run.Params.UserTag = 9;
  processes.End(0, 0);
  processes.RunPending();
  EXPECT_EQ(laterCalls, 0);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].item->Params.UserTag, 5);
  EXPECT_EQ(reports[0].item->Params.UserString, "first");
}

TEST_F(RunAFileTest, AutoClearFreesOnlyIdleItems) {
  run.Execute();  // 0: reported and idle
  run.Execute();  // 1: still running
  run.Execute();  // 2: ended, but its report has not been delivered yet (worker alive)
  run.OnProcCompleted = nullptr;
  run.Execute();  // 3: no worker, process still active
  processes.End(0, 0);
  processes.RunPending();
  processes.End(2, 0);
  platform::OsHandle idleHandle = processes.started[0].info.process;

  run.OnProcCompleted = [this](TRunItem& item, TRetType type, uint32_t value) {
    reports.push_back({&item, type, value});
  };
  run.Execute();
  ASSERT_EQ(run.Count(), 4u);
  EXPECT_EQ(run.Items(0).ProcessHandle(), processes.started[1].info.process);
  EXPECT_EQ(run.Items(1).ProcessHandle(), processes.started[2].info.process);
  EXPECT_EQ(run.Items(2).ProcessHandle(), processes.started[3].info.process);
  EXPECT_FALSE(processes.IsOpen(idleHandle));

  // Without AutoClear nothing is freed.
  run.AutoClear = false;
  processes.RunPending();
  run.Execute();
  EXPECT_EQ(run.Count(), 5u);
}

TEST_F(RunAFileTest, ExecuteFromInsideTheHandlerKeepsTheItemThatIsReporting) {
  run.Execute();
  TRunItem* reporting = &run.Items(0);
  bool stillThere = false;
  run.Items(0).OnProcCompleted = [&](TRunItem& item, TRetType, uint32_t) {
    run.Execute();
    stillThere = run.Count() == 2 && &run.Items(0) == &item;
  };
  processes.End(0, 0);
  processes.RunPending();
  EXPECT_TRUE(stillThere);
  EXPECT_EQ(&run.Items(0), reporting);
}

TEST_F(RunAFileTest, StartingABusyItemAgainFailsWithErrorBusy) {
  run.Execute();
  TRunItem& item = run.Items(0);
  item.Start();
  ASSERT_EQ(launches.size(), 2u);
  EXPECT_FALSE(launches[1].second);
  EXPECT_EQ(item.LastError(), platform::kErrorBusy);
  EXPECT_EQ(processes.threadError, platform::kErrorBusy);
  EXPECT_EQ(processes.attempts.size(), 1u);
  // Once reported and ended, the same item starts again and closes its old handle.
  platform::OsHandle old = item.ProcessHandle();
  processes.End(0, 0);
  processes.RunPending();
  item.Start();
  EXPECT_EQ(processes.attempts.size(), 2u);
  EXPECT_FALSE(processes.IsOpen(old));
}

TEST_F(RunAFileTest, FreeingItemsWhileTheirWorkersWaitReportsNothing) {
  bool reported = false;
  {
    TRunAFile local(processes, clock);
    local.OnProcCompleted = [&](TRunItem&, TRetType, uint32_t) { reported = true; };
    local.Execute();  // still running when freed
    local.Execute();  // ended; its hand-over waits for the UI thread
    processes.End(1, 0);
  }
  processes.RunPending();
  EXPECT_FALSE(reported);
  EXPECT_TRUE(processes.watches[0].cancelled);
  EXPECT_EQ(processes.watches[0].state, State::Ended);
  EXPECT_EQ(processes.watches[1].state, State::Ended);
  EXPECT_FALSE(processes.watches[1].handedOver);
  EXPECT_TRUE(processes.started[0].running);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
  EXPECT_EQ(processes.badCloses, 0);
}

TEST_F(RunAFileTest, AHiddenWindowThatCannotBeMadeRaisesAfterTheStart) {
  processes.hiddenWindowFailure = "RegisterClass: 1410";
  try {
    run.Execute();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "RegisterClass: 1410");
  }
  EXPECT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(launches.size(), 1u);
  processes.End(0, 0);
  processes.RunPending();
  EXPECT_TRUE(reports.empty());
}

TEST_F(RunAFileTest, AHandlerThatRaisesStillClearsInCallback) {
  run.Execute();
  run.Items(0).OnProcCompleted = [](TRunItem&, TRetType, uint32_t) { throw Exception("boom"); };
  processes.End(0, 0);
  EXPECT_THROW(processes.RunPending(), Exception);
  EXPECT_FALSE(run.Items(0).InCallback());
}

TEST_F(RunAFileTest, WithAssociationsADocumentStartsWithItsProgram) {
  processes.associations[".htm"] = "C:\\Browser\\browser.exe";
  run.Params.UseAssociations = true;
  struct Case {
    std::string file, parameters, expected;
  } cases[] = {
      {" C:\\Docs\\Result.HTM ", "-new", "\"C:\\Browser\\browser.exe\" \"C:\\Docs\\Result.HTM\" -new"},
      {"C:\\Tools\\tool.exe", "/q", "C:\\Tools\\tool.exe /q"},
  };
  for (const Case& c : cases) {
    run.Params.ProcFileName = c.file;
    run.Params.ProcParameters = c.parameters;
    run.Execute();
    EXPECT_EQ(processes.started.back().request.commandLine, c.expected);
  }
  // Nothing to open it with: the start fails like a missing program.
  run.Params.ProcFileName = "C:\\Docs\\notes.xyz";
  run.Execute();
  EXPECT_EQ(processes.attempts.size(), 2u);
  ASSERT_EQ(launches.size(), 3u);
  EXPECT_FALSE(launches[2].second);
  EXPECT_EQ(run.Items(run.Count() - 1).LastError(), 1155u);
}

TEST_F(RunAFileTest, AnItemCannotBeFreedFromInsideItsOwnReport) {
  run.Execute();
  bool freed = true;
  run.Items(0).OnProcCompleted = [&](TRunItem& item, TRetType, uint32_t) { freed = run.FreeItem(item); };
  processes.End(0, 0);
  processes.RunPending();
  EXPECT_FALSE(freed);
  ASSERT_EQ(run.Count(), 1u);
  EXPECT_TRUE(run.FreeItem(run.Items(0)));
  EXPECT_EQ(run.Count(), 0u);
  EXPECT_EQ(processes.OpenHandleCount(), 0u);
}

TEST_F(RunAFileTest, VersionIsFixed) {
  run.SetVersion("3.00");
  EXPECT_EQ(run.Version(), "2.08");
  EXPECT_TRUE(run.AutoClear);
}

}  // namespace
