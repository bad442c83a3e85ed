// Navigation, the help and web links, the update start and its messages, the window's
// buttons and its close handling.
#include <gmock/gmock.h>

#include "LauncherFixture.h"
#include "launcher/ProductInfo.h"
#include "platform/Exceptions.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class WindowTest : public LauncherTest {
 protected:
  void SetUp() override {
    InstallGame();
    Store({});
    Start();
    log.clear();
    TakeWrites();
  }
  TForm1& f() { return *form; }
};

TEST_F(WindowTest, AtMostOneNavigationGroupIsOpen) {
  EXPECT_EQ(f().RzGroupBar1.Value(), TForm1::NoGroup);
  f().RzGroup1CaptionClick();
  EXPECT_EQ(f().RzGroupBar1.Value(), TForm1::GroupOptions);
  f().RzGroup2CaptionClick();
  EXPECT_EQ(f().RzGroupBar1.Value(), TForm1::GroupHelp);
  f().RzGroup2CaptionClick();
  EXPECT_EQ(f().RzGroupBar1.Value(), TForm1::NoGroup);
}

TEST_F(WindowTest, NavigationItemsShowTheirPagesAndNothingElse) {
  struct Case {
    const char* item;
    void (TForm1::*click)();
    int page;
  };
  const Case cases[] = {
      {"Paths & information", &TForm1::RzGroup1Items0Click, 0},
      {"Base settings", &TForm1::RzGroup1Items1Click, 1},
      {"Shader profiles", &TForm1::RzGroup1Items2Click, 2},
      {"Add. settings", &TForm1::RzGroup1Items3Click, 6},
      {"Our Sponsor", &TForm1::RzGroup2Items1Click, 4},
      {"Update benchmark", &TForm1::RzGroup2Items2Click, 3},
      {"About...", &TForm1::RzGroup2Items3Click, 5},
      {"Update benchmark on page 0", &TForm1::RzToolButton2Click, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    f().ShowPage(c.page == 5 ? 0 : 5);
    (f().*c.click)();
    EXPECT_EQ(f().PageControl.Value(), c.page);
  }
  EXPECT_THAT(updates.http.requests, IsEmpty());
  EXPECT_THAT(os.shell.opened, IsEmpty());
  EXPECT_THAT(os.messages.shown, IsEmpty());
  EXPECT_THAT(TakeWrites(), IsEmpty());
}

TEST_F(WindowTest, HelpOpensTheHelpFileWhenItIsThere) {
  os.files.AddFile(std::string(kProgramFolder) + "help.htm", "<html>");
  f().RzGroup2Items0Click();
  ASSERT_EQ(os.shell.opened.size(), 1u);
  const auto& call = os.shell.opened[0];
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, std::string(kProgramFolder) + "help.htm");
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.showCommand, platform::SwShow);
  EXPECT_THAT(os.messages.shown, IsEmpty());
}

TEST_F(WindowTest, MissingHelpShowsTheMessageAndOpensNothing) {
  f().RzGroup2Items0Click();
  EXPECT_THAT(os.messages.Texts(),
              ElementsAre("Corrupt Help file, please reinstall the Tavorin Splinter Cell CT Benchmark."));
  EXPECT_EQ(os.messages.shown[0].buttons, platform::MsgButtons::Ok);
  EXPECT_THAT(os.shell.opened, IsEmpty());
}

TEST_F(WindowTest, HelpIsReachableEvenWhenTheGameIsTooOld) {
  LauncherWorld w;
  w.InstallGame("1.04.000");
  w.os.files.AddFile(std::string(kProgramFolder) + "help.htm", "<html>");
  TForm1& old = w.Start();
  old.RzGroup2Items0Click();
  EXPECT_EQ(w.os.shell.opened.size(), 1u);
}

TEST_F(WindowTest, HomePageAndSponsorOpenTheirAddresses) {
  f().RzGroup2Items4Click();
  f().SponsorLogo1Click();
  f().SponsorLogo2Click();
  ASSERT_EQ(os.shell.opened.size(), 3u);
  EXPECT_EQ(os.shell.opened[0].file, launcher::kHomePageUrl);
  EXPECT_EQ(os.shell.opened[1].file, launcher::kSponsorUrl);
  EXPECT_EQ(os.shell.opened[2].file, launcher::kSponsorUrl);
  for (const auto& call : os.shell.opened) {
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.showCommand, platform::SwShowNormal);
    // Placeholders stay under the reserved domain until the project has its own.
    EXPECT_NE(call.file.find(".example/"), std::string::npos);
  }
}

class UpdateStartTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    f().ProxyServerEdit.SetText("proxy.local");
    f().ProxyPortEdit.SetText("3128");
    f().ProxyUsernameEdit.SetText("me");
    f().ProxyPassEdit.SetText("secret");
  }
  update::TauHTTPProxy& proxy() { return f().Updater->Proxy; }
  // Lets the check that the button started run to its end.
  void Settle() { ASSERT_TRUE(updates.threads.PumpUntil([&] { return !f().Updater->Busy(); })); }
  size_t InfoRequests() const {
    size_t n = 0;
    for (const auto& r : updates.http.requests) n += r.object == "/lumenrig/update.txt";
    return n;
  }
};

TEST_F(UpdateStartTest, WithTheProxyOnTheFieldsAreHandedOverInClearAndTheCheckStarts) {
  f().UseProxyBox.SetChecked(true);
  f().RzToolButton3Click();
  EXPECT_EQ(proxy().AccessType, update::TauHTTPAccessType::atUseProxy);
  EXPECT_EQ(proxy().ProxyServer, "proxy.local");
  EXPECT_EQ(proxy().ProxyPort, 3128);
  EXPECT_EQ(proxy().ProxyUsername, "me");
  EXPECT_EQ(proxy().ProxyPassword, "secret");
  Settle();
  EXPECT_EQ(InfoRequests(), 1u);
  ASSERT_FALSE(updates.http.opens.empty());
  ASSERT_TRUE(updates.http.opens.back().proxy.has_value());
  EXPECT_NE(updates.http.opens.back().proxy->find("proxy.local"), std::string::npos);
}

TEST_F(UpdateStartTest, WithTheProxyOffOnlyTheAccessTypeChanges) {
  f().UseProxyBox.SetChecked(true);
  f().RzToolButton3Click();
  Settle();
  f().UseProxyBox.SetChecked(false);
  f().ProxyServerEdit.SetText("other");
  f().RzToolButton3Click();
  EXPECT_EQ(proxy().AccessType, update::TauHTTPAccessType::atDirect);
  EXPECT_EQ(proxy().ProxyServer, "proxy.local");
  EXPECT_EQ(proxy().ProxyPort, 3128);
  Settle();
  EXPECT_EQ(InfoRequests(), 2u);
}

TEST_F(UpdateStartTest, APortThatIsNoNumberStopsTheStartAfterTheServerWasHandedOver) {
  f().UseProxyBox.SetChecked(true);
  for (const char* port : {"31a8", "", "99999999999"}) {
    SCOPED_TRACE(port);
    os.messages.shown.clear();
    f().ProxyServerEdit.SetText(std::string("server-") + port);
    f().ProxyPortEdit.SetText(port);
    Event([&] { f().RzToolButton3Click(); });
    EXPECT_THAT(os.messages.Texts(), ElementsAre(std::string("'") + port + "' is not a valid integer value"));
    EXPECT_FALSE(f().Updater->Busy());
    EXPECT_EQ(proxy().ProxyServer, std::string("server-") + port);
    EXPECT_NE(proxy().AccessType, update::TauHTTPAccessType::atUseProxy);
  }
  EXPECT_THAT(updates.http.requests, IsEmpty());
}

TEST_F(UpdateStartTest, ASecondPressWhileTheCheckRunsDoesNothing) {
  f().RzToolButton3Click();
  f().RzToolButton3Click();
  Settle();
  EXPECT_EQ(InfoRequests(), 1u);
}

// The component as the window designs it, driven from the button, against the publisher's
// info file: what the user sees, in order (the window's boxes and the component's).
TEST_F(UpdateStartTest, WhatTheUserSeesForEachAnswerOfTheInfoFile) {
  struct Case {
    const char* name;
    std::function<void()> serve;
    bool later;  // the user answers the question with Later
    std::vector<std::string> seen;
  };
  auto info = [this](const std::string& text) {
    updates.http.answers["/lumenrig/update.txt"] = {FakeHttpClient::Ok(text)};
  };
  const std::string release = "#url=http://www.tavorin.example/lumenrig/lumenrig.exe\r\n";
  const std::vector<Case> cases = {
      {"a newer version, Later", [&] { info("#version=1.3\r\n#message={Faster}\r\n" + release); }, true,
       {"update ask: Faster", "box: Update aborted."}},
      {"the same version", [&] { info("#version=1.2\r\n" + release); }, false, {"update box 24/64"}},
      {"no info file (404)",
       [&] {
         FakeHttpAnswer a;
         a.status = 404;
         updates.http.answers["/lumenrig/update.txt"] = {a};
       },
       false, {}},
      {"no answer at all", [&] { updates.http.connectFails = true; }, false,
       {"box: No internet connection.", "update box 26/16: http://www.tavorin.example"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    updates.http.answers.clear();
    updates.http.connectFails = false;
    os.files.AddFile(std::string(kProgramFolder) + "version.txt", "1.2");
    Start();
    // As a build without the publisher's key reads it: the info files here are unsigned (the
    // signed ones are the update component's own tests).
    f().Updater->PublisherKey.clear();
    log.clear();
    c.serve();
    updates.windows.askAnswer = !c.later;
    f().RzToolButton3Click();
    Settle();
    EXPECT_EQ(log, c.seen);
  }
}

TEST_F(WindowTest, UpdateEventsAreAnsweredWithTheirMessages) {
  f().UpdaterAborted();
  f().UpdaterLaterUpgrade();
  f().UpdaterHostUnreachable("http://www.tavorin.example/lumenrig.inf", "www.tavorin.example");
  EXPECT_THAT(os.messages.Texts(), ElementsAre("Update aborted.", "Update aborted.", "No internet connection."));
  for (const auto& m : os.messages.shown) EXPECT_EQ(m.buttons, platform::MsgButtons::Ok);
}

TEST_F(WindowTest, PicturesAndTheInformationButtonAskTheWindow) {
  f().Image3Click();
  f().RzToolButton7Click();
  f().Image2Click();
  EXPECT_THAT(log, ElementsAre("minimise", "hardware dialog", "terminate"));
}

TEST_F(WindowTest, ExitLeavesTheBatchFileAndTheNextStartRemovesIt) {
  const std::string batch = std::string(kSystemFolder) + "lumenrig.bat";
  os.files.AddFile(batch, "cut short");
  f().Image2Click();
  EXPECT_TRUE(os.files.FileExists(batch));
  Start();
  EXPECT_FALSE(os.files.FileExists(batch));
}

TEST_F(WindowTest, CloseRemovesTheBatchFileAndWritesNothing) {
  const std::string batch = std::string(kSystemFolder) + "lumenrig.bat";
  os.files.AddFile(batch, "cut short");
  f().FormClose();
  EXPECT_FALSE(os.files.FileExists(batch));
  EXPECT_THAT(TakeWrites(), IsEmpty());
}

TEST(WindowWithoutGameTest, CloseWithoutAGameFolderTouchesNoFile) {
  LauncherWorld w;
  w.os.files.AddFile("C:\\lumenrig.bat", "someone else's");
  w.os.files.ChangeDirectory("C:\\");
  TForm1& f = w.Start();
  f.FormClose();
  EXPECT_TRUE(w.os.files.FileExists("C:\\lumenrig.bat"));
}

class RecordingRun : public bench::RunControl {
 public:
  std::vector<std::string> calls;
  void StartRun() override { calls.push_back("start"); }
  void OnBenchProcessEnd(uint32_t exitCode) override { calls.push_back("end " + std::to_string(exitCode)); }
};

TEST_F(WindowTest, TheRunButtonAndTheProcessEndReachTheRunWhenOneIsConnected) {
  f().BenchButtonClick();  // nothing connected yet: nothing happens
  RecordingRun run;
  f().Run = &run;
  f().BenchButtonClick();
  f().cpTerminate(3);
  EXPECT_THAT(run.calls, ElementsAre("start", "end 3"));
}

TEST(EventGuardTest, UnexpectedExceptionsEndInTheGeneralErrorBox) {
  FakeMessageBoxes messages;
  int after = 0;
  EXPECT_TRUE(launcher::Guarded(messages, [&] { ++after; }));
  EXPECT_FALSE(launcher::Guarded(messages, [&] {
    throw EOSError(5, "System Error.  Code: 5.\r\nAccess is denied");
    ++after;
  }));
  EXPECT_FALSE(launcher::Guarded(messages, [] { throw std::runtime_error("plain"); }));
  EXPECT_EQ(after, 1);
  EXPECT_THAT(messages.Texts(), ElementsAre("System Error.  Code: 5.\r\nAccess is denied", "plain"));
  EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Error);
}

}  // namespace
