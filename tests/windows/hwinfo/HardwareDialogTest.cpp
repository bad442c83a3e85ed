// The dialog as a user and a screen reader meet it, over real processes and files: the
// stand-in dxdiag.exe (a Windows report with a display section) and the system's own
// tool (under Wine: no display section).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "ui/windows/HardwareDialog.h"

namespace {

using ui::HardwareDialog;

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return done();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// What WM_GETTEXT gives: the text automation and screen readers read.
std::string WindowText(HWND hwnd) {
  int length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::wstring w(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(hwnd, WM_GETTEXT, w.size(), reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<size_t>(length));
  return Narrow(w);
}

std::string ExeFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ScratchFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "lumenrig hwinfo " + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

class HardwareDialogTest : public ::testing::Test {
 protected:
  FakePlatform fake;  // registry, message boxes, clock and folders stay in memory
  platform::Win32FileSystem files;
  platform::Win32Processes processes;
  settings::SettingsStore store{fake.registry};
  std::string programFolder = ScratchFolder();
  std::unique_ptr<HardwareDialog> dialog;

  void Create() {
    platform::Services services{fake.registry, files, fake.folders, fake.shellFiles,
                                fake.clock, fake.messages, fake.shell, fake.display, fake.codePage};
    dialog = std::make_unique<HardwareDialog>(services, processes, store, programFolder);
    dialog->Create(nullptr);
    ASSERT_NE(dialog->Handle(), nullptr);
  }
  void TearDown() override {
    dialog.reset();
    DeleteFileA((programFolder + "dxinfo.txt").c_str());
    RemoveDirectoryA(programFolder.c_str());
  }
  HWND Control(int id) { return GetDlgItem(dialog->Handle(), id); }
  std::string Status() { return WindowText(Control(HardwareDialog::kStatusBarId)); }
  std::string Memo() { return WindowText(Control(HardwareDialog::kMemoId)); }
  void Click(int id) {
    SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
  // Presses "Get info" and waits until the tool's end has been handled.
  void GetInfo() {
    Click(HardwareDialog::kGetInfoId);
    EXPECT_TRUE(PumpUntil([&] { return Status() != TForm2::kCollectingStatus; }, 60000))
        << "the tool's end was not reported";
  }
};

TEST_F(HardwareDialogTest, FirstStartShowsItsControlsAndTexts) {
  Create();
  HWND hwnd = dialog->Handle();
  EXPECT_EQ(WindowText(hwnd), "Information");
  EXPECT_FALSE(IsWindowVisible(hwnd));
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 469);
  EXPECT_EQ(client.bottom, 233);

  HWND getInfo = Control(HardwareDialog::kGetInfoId), save = Control(HardwareDialog::kSaveCloseId);
  EXPECT_EQ(WindowText(getInfo), "Get info");
  EXPECT_EQ(WindowText(save), "Save && Close");
  RECT r;
  GetWindowRect(getInfo, &r);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 35);
  EXPECT_EQ(r.top, 172);
  EXPECT_EQ(r.right - r.left, 159);
  GetWindowRect(save, &r);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 275);

  HWND memo = Control(HardwareDialog::kMemoId);
  EXPECT_TRUE(GetWindowLongW(memo, GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongW(memo, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(Memo(), "Currently there are no stored information.");
  EXPECT_EQ(Status(), "Click to Get Info button to get more exact hardware information.");
  EXPECT_TRUE(IsWindowEnabled(getInfo));
  EXPECT_TRUE(IsWindowEnabled(save));
}

TEST_F(HardwareDialogTest, StandInToolGivesAllSixLinesThenSaveAndCloseStoresThem) {
  fake.folders.systemDirectory = ExeFolder() + "fakesystem32";
  Create();
  GetInfo();
  EXPECT_EQ(SplitCrLf(Memo()),
            (std::vector<std::string>{
                "Operating System: Windows 10 Pro 64-bit (10.0, Build 19045) (19041.vb_release.191206-1406)",
                "Processor: AMD Ryzen 5 3600 6-Core Processor              (12 CPUs), ~3.6GHz",
                "Memory: 16384MB RAM", "Card name: NVIDIA GeForce GTX 1060 6GB",
                "Display Memory: 14212 MB", "Driver Version: 31.0.15.3623"}));
  EXPECT_EQ(Status(), TForm2::kCollectedStatus);
  EXPECT_TRUE(IsWindowEnabled(Control(HardwareDialog::kGetInfoId)));
  EXPECT_TRUE(IsWindowEnabled(Control(HardwareDialog::kSaveCloseId)));
  EXPECT_FALSE(Exists(programFolder + "dxinfo.txt")) << "the report is removed once read";
  EXPECT_TRUE(fake.messages.shown.empty());

  // Save & Close, pressed while the dialog is shown modally, stores and ends the showing.
  PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(HardwareDialog::kSaveCloseId, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(HardwareDialog::kSaveCloseId)));
  dialog->ShowModal();
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
  EXPECT_EQ(fake.registry.Text(platform::RegRoot::LocalMachine, settings::SettingsStore::kKeyPath, "VGA"),
            "Card name: NVIDIA GeForce GTX 1060 6GB");
  EXPECT_EQ(fake.registry.Text(platform::RegRoot::LocalMachine, settings::SettingsStore::kKeyPath, "Save Info"), "1");
}

TEST_F(HardwareDialogTest, SystemsOwnToolGivesAtLeastTheSystemLines) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  fake.folders.systemDirectory = system;
  Create();
  GetInfo();
  std::vector<std::string> lines = SplitCrLf(Memo());
  ASSERT_EQ(lines.size(), 6u) << Memo();
  EXPECT_EQ(lines[0].rfind("Operating System:", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("Processor:", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("Memory:", 0), 0u) << lines[2];
  // Wine's tool has no display section: its three lines stay empty. Windows fills them.
  if (lines[3].empty()) {
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
  }
  EXPECT_EQ(Status(), TForm2::kCollectedStatus);
  EXPECT_TRUE(IsWindowEnabled(Control(HardwareDialog::kSaveCloseId)));
}

TEST_F(HardwareDialogTest, ToolThatCannotBeStartedIsReportedAndTheDialogComesBack) {
  fake.folders.systemDirectory = programFolder + "no such folder";
  Create();
  Click(HardwareDialog::kGetInfoId);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text.rfind(TForm2::kNotCollected, 0), 0u) << fake.messages.shown[0].text;
  EXPECT_EQ(Memo(), "Currently there are no stored information.");
  EXPECT_EQ(Status(), TForm2::kIdleStatus);
  EXPECT_TRUE(IsWindowEnabled(Control(HardwareDialog::kGetInfoId)));
  EXPECT_TRUE(IsWindowEnabled(Control(HardwareDialog::kSaveCloseId)));
}

TEST_F(HardwareDialogTest, ClosingEndsTheShowingAndRemovesALeftoverReport) {
  Create();
  HANDLE f = CreateFileA((programFolder + "dxinfo.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, 0, nullptr);
  CloseHandle(f);
  PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
  dialog->ShowModal();
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
  EXPECT_NE(dialog->Handle(), nullptr) << "closing hides the dialog; it is not destroyed";
  EXPECT_FALSE(Exists(programFolder + "dxinfo.txt"));
  EXPECT_TRUE(fake.registry.writes.empty());
}

}  // namespace
