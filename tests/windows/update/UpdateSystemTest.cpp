// The update component's Win32 services where the behaviour is the system's: the timer
// window, the message-pumping wait, resources, file sizes and times, the local address
// and the registry's sub-key list.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "UpdateTestSupport.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32UpdateSystem.h"

using namespace platform;

namespace {

std::string TempFile(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

}  // namespace

TEST(Win32TimerWindow, TimerFiresWithItsIdAndStopsWhenKilled) {
  Win32TimerWindows windows;
  int fired = 0;
  uint32_t lastId = 0;
  auto window = windows.Create([&](uint32_t id) {
    ++fired;
    lastId = id;
  });
  ASSERT_TRUE(window->SetTimer(1, 20));
  ASSERT_TRUE(updatetest::PumpUntil([&] { return fired >= 2; }, 5000));
  EXPECT_EQ(lastId, 1u);
  window->KillTimer(1);
  int after = fired;
  updatetest::PumpUntil([] { return false; }, 150);
  EXPECT_EQ(fired, after);
}

TEST(Win32TimerWindow, AnswersQueryEndSessionAndIsAHiddenTopLevelWindow) {
  Win32TimerWindows windows;
  auto window = windows.Create([](uint32_t) {});
  HWND hwnd = reinterpret_cast<HWND>(window->Handle());
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(GetAncestor(hwnd, GA_PARENT), GetDesktopWindow());  // WM_QUERYENDSESSION reaches it
  char cls[64];
  GetClassNameA(hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "TauAutoUpgraderTimerWindow");
  window.reset();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Win32MessageWaits, ReturnsWhenAMessageHandlerSignalsTheEvent) {
  Win32MessageWaits waits;
  Win32TimerWindows windows;
  auto event = waits.CreateManualEvent();
  int ticks = 0;
  auto window = windows.Create([&](uint32_t) {
    if (++ticks == 3) event->Set();  // runs only because the wait dispatches messages
  });
  window->SetTimer(7, 10);
  waits.WaitPumping(*event, [] { return false; });
  EXPECT_EQ(ticks, 3);
  EXPECT_TRUE(event->IsSet());
}

TEST(Win32MessageWaits, ReturnsWhenAnotherThreadSignalsAndOnQuitWhichItPostsAgain) {
  Win32MessageWaits waits;
  auto event = waits.CreateManualEvent();
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](void* e) -> DWORD {
        Sleep(50);
        static_cast<SignalEvent*>(e)->Set();
        return 0;
      },
      event.get(), 0, nullptr);
  waits.WaitPumping(*event, [] { return false; });
  EXPECT_TRUE(event->IsSet());
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);

  auto never = waits.CreateManualEvent();
  PostQuitMessage(5);
  waits.WaitPumping(*never, [] { return false; });
  EXPECT_FALSE(never->IsSet());
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 5u);

  bool terminating = true;
  waits.WaitPumping(*never, [&] { return terminating; });  // returns at once
}

TEST(Win32ModuleResources, ReadsTheEmbeddedBytesExactly) {
  Win32ModuleResources resources;
  std::string bytes;
  ASSERT_TRUE(resources.Read("AUUPG", "AUUPG", bytes));
  EXPECT_EQ(bytes, std::string("MZ\x90\x00" "fixture of the replacement program\r\n", 40));
  EXPECT_FALSE(resources.Read("NOSUCH", "AUUPG", bytes));
}

TEST(Win32FileDetails, SizeTimesAndTheTemporaryFile) {
  Win32FileDetails details;
  std::string path = TempFile("lumenrig_details_test.uTMP");
  ASSERT_TRUE(details.CreateTemporaryFile(path, "twelve bytes"));
  // (Wine does not keep the temporary attribute, so it is not checked here.)
  uint64_t size = 0;
  ASSERT_TRUE(details.FileSize(path, size));
  EXPECT_EQ(size, 12u);
  ASSERT_TRUE(details.CreateTemporaryFile(path, "abc"));  // created anew
  ASSERT_TRUE(details.FileSize(path, size));
  EXPECT_EQ(size, 3u);

  LocalTime t;
  t.year = 2005;
  t.month = 11;
  t.day = 15;
  t.hour = 8;
  t.minute = 12;
  t.second = 31;
  ASSERT_TRUE(details.SetCreationAndWriteTime(path, t));
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  FILETIME created, accessed, written, local;
  GetFileTime(f, &created, &accessed, &written);
  CloseHandle(f);
  for (FILETIME* ft : {&created, &written}) {
    SYSTEMTIME st;
    FileTimeToLocalFileTime(ft, &local);
    FileTimeToSystemTime(&local, &st);
    EXPECT_EQ((std::vector<int>{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}),
              (std::vector<int>{2005, 11, 15, 8, 12, 31}));
  }
  SYSTEMTIME accessedSt;
  FileTimeToSystemTime(&accessed, &accessedSt);
  EXPECT_GT(accessedSt.wYear, 2005);  // left alone

  DeleteFileA(path.c_str());
  EXPECT_FALSE(details.FileSize(path, size));
  EXPECT_FALSE(details.SetCreationAndWriteTime(path, t));
  EXPECT_FALSE(details.CreateTemporaryFile(TempFile("no such folder\\x.exe"), "x"));
}

TEST(Win32LocalNetwork, GivesTheLastAddressOfTheLocalHostInDottedForm) {
  Win32LocalNetwork network;
  std::string dotted;
  ASSERT_TRUE(network.LastLocalAddress(dotted));
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
  char name[64];
  ASSERT_EQ(gethostname(name, sizeof name), 0);
  hostent* host = gethostbyname(name);
  ASSERT_NE(host, nullptr);
  int count = 0;
  while (host->h_addr_list[count]) ++count;
  in_addr last;
  memcpy(&last, host->h_addr_list[count - 1], sizeof last);
  EXPECT_EQ(dotted, inet_ntoa(last));
  WSACleanup();
}

TEST(Win32Registry, SubKeyNamesListsTheDirectChildren) {
  Win32Registry registry;
  const std::string root = "Software\\LumenrigUpdateSystemTest";
  ASSERT_TRUE(registry.Create(RegRoot::CurrentUser, root + "\\shell\\open\\command"));
  ASSERT_TRUE(registry.Create(RegRoot::CurrentUser, root + "\\shell\\edit"));
  auto shell = registry.Open(RegRoot::CurrentUser, root + "\\shell");
  ASSERT_TRUE(shell);
  EXPECT_EQ(shell->SubKeyNames(), (std::vector<std::string>{"edit", "open"}));
  shell.reset();
  for (const char* k : {"\\shell\\open\\command", "\\shell\\open", "\\shell\\edit", "\\shell", ""})
    RegDeleteKeyA(HKEY_CURRENT_USER, (root + k).c_str());
}
