// The update check: every outcome of the info transfer with its messages switched on and
// off, parse and act with each method, the password request, the automatic check and the
// online test.
#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "update/UpdaterDesign.h"
#include "update/auAutoUpgrader.h"
#include "AutoUpgraderWorld.h"

using namespace update;
using namespace updatetest;
using Show = TauAutoUpgraderShowMessage;
using Strings = std::vector<std::string>;

namespace {

const TauAutoUpgraderShowMessages kAll{Show::mAskUpgrade,  Show::mConnLost,          Show::mHostUnreachable,
                                       Show::mLostFile,    Show::mNoInfoFile,        Show::mNoUpdateAvailable,
                                       Show::mPasswordRequest};

const char kRemoteAccess[] = "System\\CurrentControlSet\\Services\\RemoteAccess";

void RemoteConnection(FakeRegistry& registry, uint32_t value, size_t size = 4) {
  std::string data(reinterpret_cast<const char*>(&value), size);
  registry.SetValue(platform::RegRoot::LocalMachine, kRemoteAccess, "Remote Connection",
                    platform::RegValue{platform::RegType::Binary, data});
}

}  // namespace

TEST(AutoUpgraderCheck, EveryOutcomeRaisesItsEventAndShowsItsBoxOnlyWhenSwitchedOn) {
  struct Case {
    const char* name;
    std::function<void(UpgraderWorld&)> serve;
    Strings events;
    Strings boxWhenShown;  // the ui's log with every message switched on
  };
  const std::vector<Case> cases = {
      {"404", [](UpgraderWorld& w) { w.Status(kInfoObject, 404); }, {"no info file"}, {"box 25/16"}},
      {"no response", [](UpgraderWorld& w) { w.http.connectFails = true; },
       {std::string("unreachable ") + kInfoURL + " www.tavorin.example"},
       {"box 26/16: http://www.tavorin.example"}},
      {"connection lost",
       [](UpgraderWorld& w) {
         FakeHttpAnswer a = FakeHttpClient::Ok("#version=1.3");
         a.headers[FakeHttpClient::kContentLength] = "400";  // the body breaks off
         w.http.answers[kInfoObject] = {a};
       },
       {"connection lost"}, {"box 30/16"}},
      {"same version", [](UpgraderWorld& w) { w.Info("#version=1.2\r\n#url=http://h/x.exe"); }, {"no update"},
       {"box 24/64"}},
      {"info file over 1 MiB",
       [](UpgraderWorld& w) { w.Info("#version=1.3\r\n#url=http://h/x.exe\r\n" + std::string(1024 * 1024, ' ')); },
       {"no info file"}, {"box 25/16"}},
  };
  for (const Case& c : cases) {
    for (bool shown : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (shown ? " shown" : " silent"));
      UpgraderWorld w;
      w.u->ShowMessages = shown ? kAll : TauAutoUpgraderShowMessages{};
      c.serve(w);
      w.Check();
      EXPECT_EQ(w.events, c.events);
      EXPECT_EQ(w.ui.log, shown ? c.boxWhenShown : Strings{});
      EXPECT_TRUE(w.TempFiles().empty());
      EXPECT_TRUE(w.processes.attempts.empty());
    }
  }
}

TEST(AutoUpgraderCheck, ParseAndActWithEachMethod) {
  const std::string files = "#url=http://www.tavorin.example/lumenrig/lumenrig.exe\r\n";
  {
    SCOPED_TRACE("self upgrade: the question, then the wizard and the download");
    UpgraderWorld w;
    w.Info("#version=1.3\r\n#message={Faster loading}\r\n#method=0\r\n" + files);
    w.Serve("/lumenrig/lumenrig.exe", "new launcher");
    w.Check();
    EXPECT_EQ(w.events.front(), "begin Faster loading method 0 files 1");
    EXPECT_EQ(w.ui.log.front(), "ask: Faster loading");
    EXPECT_EQ(w.ui.log[1], "wizard");
    EXPECT_EQ(w.Program("lumenrig.exe.uTMP"), "new launcher");
  }
  {
    SCOPED_TRACE("external setup downloads too");
    UpgraderWorld w;
    w.Info("#version=1.3\r\n#method=1\r\n#url=http://www.tavorin.example/lumenrig/setup.exe");
    w.Serve("/lumenrig/setup.exe", "setup");
    w.u->Wizard.Enabled = false;
    w.Check();
    EXPECT_EQ(w.events.front(), "begin  method 1 files 1");
    EXPECT_EQ(w.Program("setup.exe.uTMP"), "setup");
  }
  {
    SCOPED_TRACE("redirect: the browser opens the first address, nothing is fetched");
    UpgraderWorld w;
    w.registry.SetString(platform::RegRoot::ClassesRoot, ".html", "", "BrowserHTML");
    w.registry.SetString(platform::RegRoot::ClassesRoot, "BrowserHTML\\shell\\open\\command", "",
                         "\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"");
    w.Info("#version=1.3\r\n#method=2\r\n#url=www.tavorin.example/download.html\r\n#url2=http://other/");
    w.Check();
    ASSERT_EQ(w.shell.opened.size(), 1u);
    EXPECT_EQ(w.shell.opened[0].verb, "open");
    EXPECT_EQ(w.shell.opened[0].file, "C:\\Program Files\\Browser\\browser.exe");
    EXPECT_EQ(w.shell.opened[0].parameters, "http://www.tavorin.example/download.html");
    EXPECT_EQ(w.shell.opened[0].showCommand, platform::SwShowNormal);
    EXPECT_EQ(w.ui.Lines("wizard"), Strings{});
    EXPECT_EQ(w.http.requests.size(), 1u);
    EXPECT_EQ(w.events, Strings{"begin  method 2 files 2"});
  }
}

TEST(AutoUpgraderCheck, DeclinedUpdatesRaiseOnLaterUpgrade) {
  const std::string info = "#version=1.3\r\n#url=http://www.tavorin.example/lumenrig/lumenrig.exe";
  {
    SCOPED_TRACE("Later on the question");
    UpgraderWorld w;
    w.ui.askAnswer = false;
    w.Info(info);
    w.Check();
    EXPECT_EQ(w.events.back(), "later");
    EXPECT_EQ(w.http.requests.size(), 1u);
  }
  {
    SCOPED_TRACE("the handler says no: no question at all");
    UpgraderWorld w;
    w.u->OnBeginUpgrade = [](TauAutoUpgrader*, const std::string&, TacUpgradeMethod, const Strings&,
                             bool& can) { can = false; };
    w.Info(info);
    w.Check();
    EXPECT_EQ(w.events, Strings{"later"});
    EXPECT_TRUE(w.ui.log.empty());
  }
  {
    SCOPED_TRACE("without mAskUpgrade the download starts unasked");
    UpgraderWorld w;
    w.u->ShowMessages.erase(Show::mAskUpgrade);
    w.u->Wizard.Enabled = false;
    w.Info(info);
    w.Serve("/lumenrig/lumenrig.exe", "new");
    w.Check();
    EXPECT_TRUE(w.ui.Lines("ask").empty());
    EXPECT_EQ(w.Program("lumenrig.exe.uTMP"), "new");
  }
}

TEST(AutoUpgraderCheck, MainWindowDesignAsksForANewerVersionAndKeepsA404Silent) {
  UpgraderWorld w;
  ApplyMainWindowUpdaterDesign(*w.u);
  w.u->VersionNumber = "1.2";
  EXPECT_EQ(w.u->InfoFileURL, "http://www.tavorin.example/lumenrig/update.txt");
  EXPECT_EQ(w.u->VersionDate, "11/01/2005");
  EXPECT_TRUE(w.u->Wizard.HideFileLocation);
  EXPECT_EQ(w.u->Wizard.Language(), TauAutoUpgraderLanguage::wlEnglish);
  EXPECT_EQ(w.ui.languages.back(), TauAutoUpgraderLanguage::wlEnglish);
  EXPECT_FALSE(w.u->AutoCheck());

  w.ui.askAnswer = false;
  w.Info("#version=1.3\r\n#url=http://www.tavorin.example/lumenrig/lumenrig.exe");
  w.Check();
  EXPECT_EQ(w.ui.log, Strings{"ask: "});
  EXPECT_EQ(w.events.back(), "later");

  w.events.clear();
  w.ui.log.clear();
  w.Info("#version=1.2\r\n#url=http://www.tavorin.example/lumenrig/lumenrig.exe");
  w.Check();
  EXPECT_EQ(w.ui.log, Strings{"box 24/64"});

  w.events.clear();
  w.ui.log.clear();
  w.Status(kInfoObject, 404);
  w.Check();
  EXPECT_EQ(w.events, Strings{"no info file"});
  EXPECT_TRUE(w.ui.log.empty());
}

TEST(AutoUpgraderCheck, ASecondCheckDuringTheTransferIsIgnoredAndEachCheckForcesAFreshCopy) {
  UpgraderWorld w;
  w.Info("#version=1.2");
  w.u->CheckUpdate();
  w.u->CheckUpdate();
  w.Settle();
  EXPECT_EQ(w.http.requests.size(), 1u);
  EXPECT_EQ(w.events, Strings{"no update"});
  EXPECT_TRUE(w.http.requests[0].flags & 0x100);  // INTERNET_FLAG_PRAGMA_NOCACHE
  EXPECT_TRUE(w.http.requests[0].flags & 0x400);  // the component's own cache options
}

TEST(AutoUpgraderCheck, PasswordRequestWithOkResendsWithTheTypedCredentials) {
  UpgraderWorld w;
  FakeHttpAnswer challenge;
  challenge.status = 401;
  challenge.headers[FakeHttpClient::kWwwAuthenticate] = "Basic realm=\"Lumenrig\"";
  w.http.answers[kInfoObject] = {challenge, FakeHttpClient::Ok("#version=1.2")};
  std::string realm;
  w.u->OnPasswordRequest = [&](TauCustomHTTP*, const std::string& r, bool&) { realm = r; };
  w.u->HTTPUsername = "known";
  w.Check();
  EXPECT_EQ(realm, "Lumenrig");
  EXPECT_EQ(w.ui.Lines("password"), Strings{"password: update.txt user=known"});
  EXPECT_EQ(w.u->HTTPUsername, "user");
  EXPECT_EQ(w.u->HTTPPassword, "secret");
  EXPECT_EQ(w.http.sends.load(), 2);
  EXPECT_EQ(w.events, Strings{"no update"});
}

TEST(AutoUpgraderCheck, PasswordRequestWithCancelAbortsTheUpdate) {
  UpgraderWorld w;
  FakeHttpAnswer challenge;
  challenge.status = 401;
  w.http.answers[kInfoObject] = {challenge, FakeHttpClient::Ok("#version=1.3")};
  w.ui.passwordAnswer = false;
  w.Check();
  EXPECT_EQ(w.http.sends.load(), 1);
  EXPECT_EQ(w.events, Strings{"aborted"});
  EXPECT_TRUE(w.u->Aborted());
  EXPECT_EQ(w.u->HTTPUsername, "");
}

TEST(AutoUpgraderCheck, PasswordHandlerThatRetriesItselfKeepsTheDialogAway) {
  UpgraderWorld w;
  FakeHttpAnswer challenge;
  challenge.status = 401;
  w.http.answers[kInfoObject] = {challenge, FakeHttpClient::Ok("#version=1.2")};
  w.u->OnPasswordRequest = [&](TauCustomHTTP* s, const std::string&, bool& again) {
    s->HTTPUsername = "scripted";
    again = true;
  };
  w.Check();
  EXPECT_TRUE(w.ui.Lines("password").empty());
  EXPECT_EQ(w.events, Strings{"no update"});
}

TEST(AutoUpgraderTimer, SilentCheckWhenOnlineShowsNothingWhileAUserCheckDoes) {
  UpgraderWorld w;
  w.u->ShowMessages = kAll;
  RemoteConnection(w.registry, 1);
  w.Info("#version=1.2");
  w.u->SetAutoCheck(true);
  EXPECT_EQ(w.timers.active, (std::map<uint32_t, uint32_t>{{1, 10000}}));

  ASSERT_TRUE(w.timers.Fire(1));
  EXPECT_TRUE(w.u->SilentCheck());
  EXPECT_TRUE(w.u->TimerDone());
  EXPECT_TRUE(w.timers.active.empty());  // checks once
  w.Settle();
  EXPECT_EQ(w.events, Strings{"no update"});
  EXPECT_TRUE(w.ui.log.empty());

  w.Check();
  EXPECT_FALSE(w.u->SilentCheck());
  EXPECT_EQ(w.ui.log, Strings{"box 24/64"});
}

TEST(AutoUpgraderTimer, OfflineTheTimerDoesNothingAndKeepsFiring) {
  UpgraderWorld w;
  RemoteConnection(w.registry, 0);
  w.u->AutoCheckDelay = 2500;
  w.u->SetAutoCheck(true);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(w.timers.Fire(1));
  EXPECT_TRUE(w.http.requests.empty());
  EXPECT_FALSE(w.u->TimerDone());
  EXPECT_EQ(w.timers.active, (std::map<uint32_t, uint32_t>{{1, 2500}}));
}

TEST(AutoUpgraderTimer, SilentHostUnreachableRearmsTheTimerWithoutABox) {
  UpgraderWorld w;
  w.u->ShowMessages = kAll;
  RemoteConnection(w.registry, 1);
  w.http.connectFails = true;
  w.u->SetAutoCheck(true);
  ASSERT_TRUE(w.timers.Fire(1));
  w.Settle();
  EXPECT_EQ(w.events.size(), 1u);  // the event is raised all the same
  EXPECT_TRUE(w.ui.log.empty());
  EXPECT_FALSE(w.u->TimerDone());
  EXPECT_EQ(w.timers.active, (std::map<uint32_t, uint32_t>{{1, 10000}}));
}

TEST(AutoUpgraderTimer, ArmingRules) {
  UpgraderWorld w;
  w.u->AutoCheckDelay = 0;
  w.u->SetAutoCheck(true);
  EXPECT_TRUE(w.timers.active.empty());

  w.u->AutoCheckDelay = 500;
  w.timers.refuse = true;
  try {
    w.u->SetAutoCheck(true);
    ADD_FAILURE() << "a refused timer must raise";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }

  w.timers.refuse = false;
  w.u->SetAutoCheck(true);
  w.u->SetAutoCheck(false);
  EXPECT_TRUE(w.timers.active.empty());

  w.u->SetAutoCheck(true);
  w.u.reset();  // the destructor stops the timer and frees the window
  EXPECT_TRUE(w.timers.active.empty());
  EXPECT_EQ(w.timers.windows, 0);
}

TEST(AutoUpgraderTimer, AnExceptionOfTheTimedCheckGoesToTheGeneralErrorBox) {
  UpgraderWorld w;
  w.network.failure = "Windows Sockets are not available";  // no registry value: the fallback runs
  w.u->SetAutoCheck(true);
  ASSERT_TRUE(w.timers.Fire(1));
  EXPECT_EQ(w.app.exceptions, Strings{"Windows Sockets are not available"});
  EXPECT_TRUE(w.http.requests.empty());
}

TEST(AutoUpgraderOnline, RegistryValueFirstThenTheLocalAddress) {
  struct Case {
    const char* name;
    int remoteConnection;  // -1: no key; -2: a value of the wrong size
    bool resolves;
    const char* address;
    bool online;
    int addressLookups;
  };
  const Case cases[] = {
      {"dial-up connected", 1, true, "127.0.0.1", true, 0},
      {"dial-up not connected", 0, true, "192.168.1.20", false, 0},
      {"no key, a real address", -1, true, "192.168.1.20", true, 1},
      {"no key, loopback only", -1, true, "127.0.0.1", false, 1},
      {"no key, empty address", -1, true, "", false, 1},
      {"no key, host name not resolved", -1, false, "", false, 1},
      {"value of the wrong size", -2, true, "10.1.2.3", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UpgraderWorld w;
    if (c.remoteConnection >= 0) RemoteConnection(w.registry, static_cast<uint32_t>(c.remoteConnection));
    if (c.remoteConnection == -2) RemoteConnection(w.registry, 1, 2);
    w.network.resolves = c.resolves;
    w.network.address = c.address;
    EXPECT_EQ(w.u->IsOnline(), c.online);
    EXPECT_EQ(w.network.calls, c.addressLookups);
  }
}

TEST(AutoUpgraderStart, AfterRestartOnlyWithTheRestartArgument) {
  for (const char* argument : {"/afterupgrade", "/other", ""}) {
    SCOPED_TRACE(argument);
    UpgraderWorld w;
    w.app.firstArgument = argument;
    int raised = 0;
    w.u->OnAfterRestart = [&](TauAutoUpgrader*) { ++raised; };
    w.u->Loaded();
    EXPECT_EQ(raised, std::string(argument) == "/afterupgrade" ? 1 : 0);
  }
}

TEST(AutoUpgraderStart, DefaultsAndTheLeftoverReplacementProgram) {
  UpgraderWorld w;
  w.files.AddFile("C:\\Temp\\Upgrader3.exe", "old");
  w.Make();
  EXPECT_FALSE(w.files.FileExists("C:\\Temp\\Upgrader3.exe"));
  EXPECT_EQ(w.u->UpgraderPath(), "C:\\Temp\\Upgrader3.exe");
  EXPECT_EQ(w.u->ProgramFolder(), kProgramFolder);
  EXPECT_EQ(w.u->VersionDate, "12/10/2026");
  EXPECT_TRUE(w.u->HideOutputFile);
  EXPECT_EQ(w.u->RestartParams(), "/afterupgrade");
  EXPECT_FALSE(w.u->StoresRestartParams());
  w.u->SetRestartParams("");
  EXPECT_EQ(w.u->RestartParams(), " ");
  EXPECT_TRUE(w.u->StoresRestartParams());
  EXPECT_EQ(w.ui.languages.front(), TauAutoUpgraderLanguage::wlAuto);

  UpgraderWorld noTemp;
  noTemp.folders.tempPath = "C:\\Missing\\";
  noTemp.Make();
  EXPECT_EQ(noTemp.u->UpgraderPath(), std::string(kProgramFolder) + "Upgrader3.exe");
}
