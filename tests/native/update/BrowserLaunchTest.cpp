// Finding the program registered for ".html" pages and opening an address with it.
#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "fakes/FakeSystem.h"
#include "update/BrowserLaunch.h"

using namespace update;
using platform::RegRoot;

TEST(BrowserLaunch, CommandProgramDropsTheProgramsOwnArguments) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"", "C:\\Program Files\\Browser\\browser.exe"},
      {"C:\\Program Files\\Internet Explorer\\iexplore.exe -nohome", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"C:\\PROGRA~1\\web.EXE %1", "C:\\PROGRA~1\\web.EXE"},
      {"C:\\tools\\view.exedir\\view.exe", "C:\\tools\\view.exedir\\view.exe"},
      {"winebrowser %1", "winebrowser"},
      {"", ""},
  };
  for (const auto& [command, program] : cases) EXPECT_EQ(CommandProgram(command), program) << command;
}

TEST(BrowserLaunch, HandlerLookupFallsBackToOtherVerbs) {
  {
    SCOPED_TRACE("no open verb: the first verb containing open");
    FakeRegistry r;
    r.SetString(RegRoot::ClassesRoot, ".html", "", "Page");
    r.SetString(RegRoot::ClassesRoot, "Page\\shell\\edit\\command", "", "editor.exe %1");
    r.SetString(RegRoot::ClassesRoot, "Page\\shell\\OpenNew\\command", "", "browser.exe -new %1");
    EXPECT_EQ(HtmlHandlerCommand(r), "browser.exe -new %1");
  }
  {
    SCOPED_TRACE("no verb with open: the first readable verb");
    FakeRegistry r;
    r.SetString(RegRoot::ClassesRoot, ".html", "", "Page");
    r.AddKey(RegRoot::ClassesRoot, "Page\\shell\\aaa");
    r.SetString(RegRoot::ClassesRoot, "Page\\shell\\view\\command", "", "viewer.exe %1");
    EXPECT_EQ(HtmlHandlerCommand(r), "viewer.exe %1");
  }
}

TEST(BrowserLaunch, WithoutAHandlerTheAddressItselfIsOpened) {
  FakeRegistry r;
  FakeShell shell;
  OpenAddressInBrowser(r, shell, "www.tavorin.example/new");
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, "http://www.tavorin.example/new");
  EXPECT_EQ(shell.opened[0].parameters, "");
  EXPECT_EQ(shell.opened[0].verb, "open");
}
