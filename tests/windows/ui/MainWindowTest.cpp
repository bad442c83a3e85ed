// The main window over real windows, bound to TForm1 over the fakes: its named controls,
// navigation, the events that save, the pictures that end or move the program, the splash.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUpdatePlatform.h"
#include "launcher/mainf.h"
#include "ui/windows/ControlIds.h"
#include "ui/windows/MainWindow.h"
#include "UiTestSupport.h"

namespace {

namespace ids = ui::ids;
using platform::RegRoot;
using uitest::ClickThroughParent;
using uitest::TextOf;

constexpr const char* kKey = "SOFTWARE\\Tavorin\\Lumenrig";

bool HasVisibleStyle(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(os.Services(), dialogs, view);
    view.Create(*form);
    view.Bind(*form, os.messages);
    view.OnDestroyed = [this] { ++destroyed; };
  }
  void TearDown() override {
    if (IsWindow(view.Handle())) DestroyWindow(view.Handle());
    uitest::Pump();
  }
  HWND Control(int id) { return uitest::FindById(view.Handle(), id); }
  int VisiblePage() {
    int shown = -1, count = 0;
    for (int i = 0; i < 7; ++i)
      if (HasVisibleStyle(Control(ids::TabSheet + i))) shown = i, ++count;
    return count == 1 ? shown : -2;
  }
  std::vector<std::string> WritesOf(const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& w : os.registry.writes)
      if (w.rfind(prefix, 0) == 0) found.push_back(w);
    return found;
  }

  FakePlatform os;
  FakeFileDialogs dialogs;
  // What an update component works through, for the tests that give the form one.
  FakeUpdatePlatform updates{os};
  ui::MainWindow view{GetModuleHandleW(nullptr)};
  std::unique_ptr<TForm1> form;
  int destroyed = 0;
};

TEST_F(MainWindowTest, IsABorderless503By488WindowWithTheApplicationsTitle) {
  RECT client;
  GetClientRect(view.Handle(), &client);
  EXPECT_EQ(client.right, 503);
  EXPECT_EQ(client.bottom, 488);
  const LONG style = GetWindowLongW(view.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_EQ(TextOf(view.Handle()), "Tavorin Splinter Cell CT Benchmark");
}

TEST_F(MainWindowTest, EveryNamedControlIsAWindowOfItsOwnWithItsText) {
  struct Case { int id; const char* text; };
  const Case cases[] = {
      {ids::Image2, "Exit"},
      {ids::Image3, "Minimize"},
      {ids::BenchButton, "Run benchmark"},
      {ids::RzGroup1, "Options"},
      {ids::RzGroup1Items0 + 0, "Paths & information"},
      {ids::RzGroup1Items0 + 3, "Add. settings"},
      {ids::RzGroup2, "Help"},
      {ids::RzGroup2Items0 + 0, "Benchmark help"},
      {ids::RzGroup2Items0 + 1, "Our Sponsor"},
      {ids::RzGroup2Items0 + 2, "Update benchmark"},
      {ids::RzGroup2Items0 + 3, "About..."},
      {ids::RzGroup2Items0 + 4, "Homepage"},
      {ids::Label3, "Benchmarking in progress..."},
      {ids::Label4, "Preparing results... please wait"},
      {ids::RzToolButton1, "Browse..."},
      {ids::InformationGroup, " Information "},
      {ids::Label21, "version"},
      {ids::RzToolButton2, "Update benchmark"},
      {ids::RzToolButton5, "Contact us (email)"},
      {ids::res, " Resolution "},
      {ids::ItemOf(ids::res, 0), "640 \xD7 480"},
      {ids::ItemOf(ids::res, 5), "2048 \xD7 1536"},
      {ids::demo, " Choose a demo "},
      {ids::ItemOf(ids::demo, 3), "User defined demo"},
      {ids::FilteringGroup, " Antialiasing and Anisotrophic filtering "},
      {ids::Shader, " Shader Model Type "},
      {ids::ItemOf(ids::Shader, 2), "Shader 3.0 (Read the help)"},
      {ids::AddSM3, " Additional options for Shader 2.0/3.0 "},
      {ids::ItemOf(ids::AddSM3, 1), "HQ Soft Shadows"},
      {ids::EnableHDR, "Enable HDR (Pixel Shader 3 only)"},
      {ids::EnableToneMapping, "Tone Mapping"},
      {ids::UpdateHeading, "Update"},
      {ids::ProxyGroup, " Proxy Settings "},
      {ids::UseProxyBox, "Use Proxy  Server"},
      {ids::RzToolButton3, "Update benchmark"},
      {ids::SponsorLogo1, "http://www.halvard.example/"},
      {ids::SponsorLogo2, "http://www.halvard.example/"},
      {ids::HardwareFrame, " Hardware specific setting "},
      {ids::HSMapping, "Hardware Shadow Mapping"},
      {ids::AddInfoBox, "Add additional information"},
      {ids::RzToolButton7, "View additional information"},
  };
  for (const Case& c : cases) {
    HWND control = Control(c.id);
    ASSERT_NE(control, nullptr) << c.text;
    EXPECT_EQ(TextOf(control), c.text) << "id " << c.id;
  }
  EXPECT_NE(TextOf(Control(ids::FilteringGroup + 0)).size(), 0u);
  // Text boxes carry their content.
  form->NoteEdit.SetText("fresh drivers");
  EXPECT_EQ(TextOf(Control(ids::NoteEdit)), "fresh drivers");
}

// The skin is one fixed picture: every window-level control sits on its own spot of it.
TEST_F(MainWindowTest, WindowLevelControlsSitAtTheirPlacesOnTheBackground) {
  struct Case { int id; int left, top, width, height; };
  const Case cases[] = {
      {ids::Image1, 0, 0, 503, 488},       {ids::Image3, 450, 16, 16, 13},
      {ids::Image2, 470, 8, 17, 19},       {ids::BenchButton, 40, 440, 101, 29},
      {ids::RzGroupBar1, 26, 224, 120, 209}, {ids::PageControl, 178, 150, 300, 320},
      {ids::Panel1, 174, 152, 307, 321},
  };
  for (const Case& c : cases) {
    HWND control = Control(c.id);
    ASSERT_NE(control, nullptr) << "id " << c.id;
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(HWND_DESKTOP, view.Handle(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, c.left) << "id " << c.id;
    EXPECT_EQ(rc.top, c.top) << "id " << c.id;
    EXPECT_EQ(rc.right - rc.left, c.width) << "id " << c.id;
    EXPECT_EQ(rc.bottom - rc.top, c.height) << "id " << c.id;
  }
  // The pictures on the pages keep their sizes too.
  const Case pictures[] = {
      {ids::AboutPicture, 0, 0, 218, 98}, {ids::SponsorLogo1, 0, 0, 84, 93}, {ids::SponsorLogo2, 0, 0, 84, 93}};
  for (const Case& c : pictures) {
    RECT rc;
    GetWindowRect(Control(c.id), &rc);
    EXPECT_EQ(rc.right - rc.left, c.width) << "id " << c.id;
    EXPECT_EQ(rc.bottom - rc.top, c.height) << "id " << c.id;
  }
}

// The pages' fixed texts are found by what they say, so they must say it to the byte
// (the doubled space before "reliable" included).
TEST_F(MainWindowTest, ThePagesFixedTextsStandAsWritten) {
  std::vector<std::string> texts;
  EnumChildWindows(
      view.Handle(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(lp)->push_back(TextOf(hwnd));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  const char* const expected[] = {
      "Splinter Cell 3 path",
      "Results folder",
      "Benchmark notes (50 chars at most!)",
      "Benchmark version:",
      "Map name:",
      "The program don't handle the filtering. You can be defined at the Display Properties of the OS. "
      "Please use this method for the  reliable benchmarking.",
      "IMPORTANT! Minimum requirements of the Shader\r\n"
      "model 3.0: DirectX 9.0c, and the latest NVIDIA/ATI\r\n"
      "video card drivers. For the moment the Pixel Shader 3.0\r\n"
      "only works on NVIDIA 6xxx/7xxx and ATI X1x00 video\r\n"
      "cards.",
      "Proxy Server",
      "Proxy Port",
      "Username",
      "Password",
      "Additional information about other settings\r\n"
      "\r\n"
      "- The trilinear filtering always ON.\r\n"
      "- The shadow resolution always HIGH.\r\n"
      "- The specular lighting always ON.\r\n"
      "- The high quality textures always ON.\r\n"
      "- The vertical synchronization always OFF.\r\n"
      "- The sounds and music always OFF.\r\n"
      "- The textures depth always 32 bit.",
  };
  for (const char* text : expected)
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
}

TEST_F(MainWindowTest, OptionsThenHelpLeavesOnlyHelpOpenAndItemsShowTheirPages) {
  ClickThroughParent(Control(ids::RzGroup1));
  EXPECT_EQ(form->RzGroupBar1.Value(), TForm1::GroupOptions);
  ClickThroughParent(Control(ids::RzGroup2));
  EXPECT_EQ(form->RzGroupBar1.Value(), TForm1::GroupHelp);
  EXPECT_FALSE(HasVisibleStyle(Control(ids::RzGroup1Items0)));
  EXPECT_TRUE(HasVisibleStyle(Control(ids::RzGroup2Items0)));

  struct Case { int item; int page; };
  for (Case c : {Case{ids::RzGroup1Items0 + 0, 0}, Case{ids::RzGroup1Items0 + 1, 1},
                 Case{ids::RzGroup1Items0 + 2, 2}, Case{ids::RzGroup1Items0 + 3, 6},
                 Case{ids::RzGroup2Items0 + 1, 4}, Case{ids::RzGroup2Items0 + 2, 3},
                 Case{ids::RzGroup2Items0 + 3, 5}, Case{ids::RzToolButton2, 3}}) {
    form->ShowPage(-1);
    ClickThroughParent(Control(c.item));
    EXPECT_EQ(VisiblePage(), c.page) << TextOf(Control(c.item));
  }
}

TEST_F(MainWindowTest, OnlyTheButtonOnTheUpdatePageStartsTheCheck) {
  form->CreateUpdater(updates.Services());
  ClickThroughParent(Control(ids::RzToolButton2));
  ClickThroughParent(Control(ids::RzGroup2Items0 + 2));
  EXPECT_FALSE(form->Updater->Busy());
  EXPECT_EQ(VisiblePage(), 3);
  SendMessageW(Control(ids::RzToolButton3), BM_CLICK, 0, 0);
  EXPECT_TRUE(form->Updater->Busy());
  ASSERT_TRUE(updates.threads.PumpUntil([&] { return !form->Updater->Busy(); }));
  ASSERT_EQ(updates.http.requests.size(), 1u);
  EXPECT_EQ(updates.http.requests[0].object, "/lumenrig/update.txt");
}

TEST_F(MainWindowTest, LeavingAControlSavesItsValue) {
  SetWindowTextW(Control(ids::NoteEdit), L"quiet run");
  SendMessageW(Control(ids::NoteEdit), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(os.registry.Text(RegRoot::LocalMachine, kKey, "Note"), "quiet run");

  ClickThroughParent(Control(ids::ItemOf(ids::res, 2)));
  SendMessageW(Control(ids::res), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(os.registry.Text(RegRoot::LocalMachine, kKey, "1024"), "1");
  EXPECT_EQ(os.registry.Text(RegRoot::LocalMachine, kKey, "2048"), "0");
}

TEST_F(MainWindowTest, ATextSetFromOutsideReachesTheModel) {
  // Automation and accessibility tools set texts with WM_SETTEXT, on the control or on the
  // edit part of the map box; a run must use what the box shows.
  HWND map = Control(ids::MapnameBox);
  HWND mapEdit = FindWindowExW(map, nullptr, L"EDIT", nullptr);
  ASSERT_NE(mapEdit, nullptr);
  struct Case { HWND target; const wchar_t* text; const models::TextBoxModel* edit; };
  const Case edits[] = {
      {Control(ids::NoteEdit), L"set by a tool", &form->NoteEdit},
      {Control(ids::ProxyServerEdit), L"proxy.example", &form->ProxyServerEdit},
  };
  for (const Case& c : edits) {
    SendMessageW(c.target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
    EXPECT_EQ(c.edit->Text(), platform::Narrow(c.text));
  }

  form->MapnameBox.SetItemIndex(2);
  SendMessageW(map, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"my&map"));
  EXPECT_EQ(TextOf(map), "my&map");
  EXPECT_EQ(form->MapnameBox.ItemIndex(), -1);
  EXPECT_EQ(form->MapnameBox.Text(), "my&map");

  SendMessageW(mapEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"other|map"));
  EXPECT_EQ(form->MapnameBox.Text(), "other|map");

  // An item picked from outside counts as the user's pick.
  SendMessageW(map, CB_SETCURSEL, 3, 0);
  EXPECT_EQ(form->MapnameBox.ItemIndex(), 3);
  EXPECT_EQ(form->MapnameBox.Text(), "03_Bank");
}

TEST_F(MainWindowTest, ToneMappingClearedByHdrStoresZeroWhenThePointerLeavesItDisabled) {
  ClickThroughParent(Control(ids::ItemOf(ids::Shader, 2)));
  ClickThroughParent(Control(ids::EnableHDR));
  ClickThroughParent(Control(ids::EnableToneMapping));
  EXPECT_TRUE(uitest::IsChecked(Control(ids::EnableToneMapping)));
  ClickThroughParent(Control(ids::EnableHDR));  // unchecks HDR: Tone Mapping off and disabled
  HWND tone = Control(ids::EnableToneMapping);
  EXPECT_FALSE(IsWindowEnabled(tone));
  EXPECT_FALSE(uitest::IsChecked(tone));

  // The disabled box gets no mouse messages; its frame does and reports the leaving.
  HWND frame = GetParent(tone);
  RECT rc;
  GetWindowRect(tone, &rc);
  MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&rc), 2);
  SendMessageW(frame, WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 5, rc.top + 5));
  SendMessageW(frame, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(os.registry.Text(RegRoot::LocalMachine, kKey, "ToneMapping"), "0");
}

TEST_F(MainWindowTest, AnEventThatFailsShowsTheErrorBoxAndTheProgramGoesOn) {
  os.registry.AddKey(RegRoot::LocalMachine, kKey);
  os.registry.RefuseWrites(RegRoot::LocalMachine, kKey, "Note");
  SetWindowTextW(Control(ids::NoteEdit), L"x");
  SendMessageW(Control(ids::NoteEdit), WM_MOUSELEAVE, 0, 0);
  ASSERT_EQ(os.messages.shown.size(), 1u);
  EXPECT_NE(os.messages.Texts()[0].find("Note"), std::string::npos);
  EXPECT_EQ(TextOf(Control(ids::NoteEdit)), "x");  // the control keeps the user's value
  ClickThroughParent(Control(ids::RzGroup1));
  EXPECT_EQ(form->RzGroupBar1.Value(), TForm1::GroupOptions);
}

TEST_F(MainWindowTest, TheRunsStateShowsInTheButtonAndTheProgressPanel) {
  form->BenchButton.SetEnabled(false);
  form->Panel1.SetVisible(true);
  form->Label4.SetText("Resolution: 1024\xD7" "768");
  form->Label4Left.SetValue(92);
  EXPECT_FALSE(IsWindowEnabled(Control(ids::BenchButton)));
  HWND panel = Control(ids::Panel1);
  EXPECT_TRUE(HasVisibleStyle(panel));
  // The panel lies over the page area.
  bool pageAreaBelow = false;
  for (HWND w = GetWindow(panel, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    pageAreaBelow = pageAreaBelow || w == Control(ids::PageControl);
  EXPECT_TRUE(pageAreaBelow);
  HWND label4 = Control(ids::Label4);
  EXPECT_EQ(TextOf(label4), "Resolution: 1024\xD7" "768");
  RECT rc;
  GetWindowRect(label4, &rc);
  MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, 92);
}

// Records the system commands that reach the main window instead of running them (a real
// move would wait for the mouse button to come up).
WNDPROC g_previous = nullptr;
std::vector<WPARAM> g_commands;
LRESULT CALLBACK RecordSysCommand(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MOVE) {
    g_commands.push_back(wp);
    return 0;
  }
  return CallWindowProcW(g_previous, hwnd, msg, wp, lp);
}

TEST_F(MainWindowTest, OnlyTheLeftButtonOnTheBackgroundMovesTheWindow) {
  g_commands.clear();
  g_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(view.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordSysCommand)));
  SendMessageW(Control(ids::Image1), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageW(Control(ids::PageControl), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(Control(ids::RzGroupBar1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 200));
  EXPECT_TRUE(g_commands.empty());
  SendMessageW(Control(ids::Image1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(g_commands, (std::vector<WPARAM>{0xF012}));
  SetWindowLongPtrW(view.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
}

TEST_F(MainWindowTest, ExitEndsTheProgramWithoutTheCloseHandling) {
  uitest::Pump();
  ClickThroughParent(Control(ids::Image2));
  MSG msg;
  bool quit = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) quit = true;
  EXPECT_TRUE(quit);
  EXPECT_TRUE(IsWindow(view.Handle()));
  EXPECT_EQ(destroyed, 0);
}

TEST_F(MainWindowTest, TheSystemsCloseCommandRunsTheCloseHandlingAndDestroysTheWindow) {
  os.files.AddFile("C:\\Game\\system\\lumenrig.bat", "@echo off");
  form->GameInstall.SystemFolder = "C:\\Game\\system\\";
  HWND hwnd = view.Handle();
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(os.files.FileExists("C:\\Game\\system\\lumenrig.bat"));
}

TEST_F(MainWindowTest, StartUpShowsTheSplashForFourSecondsThenTheAboutPage) {
  HWND splashSeen = nullptr;
  RECT splashRect{};
  LONG splashEx = 0;
  os.clock.onWait = [&](uint32_t ms) {
    if (ms != 4000) return;
    splashSeen = FindWindowW(nullptr, L"Starting Tavorin Splinter Cell CT Benchmark");
    if (splashSeen) {
      GetClientRect(splashSeen, &splashRect);
      splashEx = GetWindowLongW(splashSeen, GWL_EXSTYLE);
    }
  };
  form->FormCreate();
  ASSERT_NE(splashSeen, nullptr);
  EXPECT_TRUE(IsWindowVisible(splashSeen) || !IsWindow(splashSeen));
  EXPECT_EQ(splashRect.right, 640);
  EXPECT_EQ(splashRect.bottom, 480);
  EXPECT_NE(splashEx & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(IsWindow(splashSeen));  // closed and destroyed after the wait
  EXPECT_EQ(VisiblePage(), 5);
  EXPECT_EQ(form->RzGroupBar1.Value(), TForm1::NoGroup);
}

TEST_F(MainWindowTest, TheSplashIsCentredOnTheScreen) {
  view.ShowSplash();
  HWND splash = FindWindowW(nullptr, L"Starting Tavorin Splinter Cell CT Benchmark");
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(IsWindowVisible(splash));
  RECT rc;
  GetWindowRect(splash, &rc);
  EXPECT_LE(std::abs((rc.left + rc.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs((rc.top + rc.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
  view.CloseSplash();
  EXPECT_FALSE(IsWindow(splash));
}

}  // namespace
