// The update component's windows and boxes over real windows, driven the way automation
// drives them: found by caption or control id, read through their window texts, clicked with
// BN_CLICKED to the parent. Modal windows are driven from a thread timer, which fires inside
// whichever modal loop is running.
#include "ui/windows/update/Win32UpgradeUI.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "platform/win32/Win32Languages.h"
#include "ui/windows/ArtworkIds.h"
#include "ui/Dialog.h"
#include "ui/SystemControls.h"
#include "ui/windows/update/TauAutoUpgraderPasswordForm.h"
#include "ui/windows/update/TauAutoUpgraderUpgradeMessageForm.h"
#include "ui/windows/update/TauAutoUpgraderWizardForm.h"
#include "ui/windows/update/UpgradeTexts.h"
#include "update/UpdaterDesign.h"
#include "update/auLanguages.h"

namespace {

using Question = ui::TauAutoUpgraderUpgradeMessageForm;
using Wizard = ui::TauAutoUpgraderWizardForm;
using Password = ui::TauAutoUpgraderPasswordForm;
using L = update::TauAutoUpgraderLanguage;

const char* const kTitle = "Tavorin Splinter Cell CT Benchmark";
const std::wstring kWideTitle = L"Tavorin Splinter Cell CT Benchmark";

// ---- driving ---------------------------------------------------------------------------

// Runs `step` every few milliseconds from a thread timer until it returns true.
class Driver {
 public:
  explicit Driver(std::function<bool()> step) {
    Current() = std::move(step);
    timer_ = SetTimer(nullptr, 0, 20, &Driver::Tick);
  }
  ~Driver() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }

 private:
  static std::function<bool()>& Current() {
    static std::function<bool()> step;
    return step;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    static bool running = false;
    if (running || !Current()) return;  // a step's own message loop must not run it again
    running = true;
    if (Current()()) {
      Current() = nullptr;
      KillTimer(nullptr, id);
    }
    running = false;
  }
  UINT_PTR timer_;
};

// Pumps messages until `done` or two seconds have passed.
bool PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    uitest::Pump();
  }
  return true;
}

// A visible top-level window of this thread with this caption and (optionally) class.
HWND FindShown(const std::wstring& caption, const wchar_t* className = nullptr) {
  struct Search { const std::wstring* caption; const wchar_t* cls; HWND found; } s{&caption, className, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (IsWindowVisible(hwnd) && ui::WideText(hwnd) == *s->caption &&
            (!s->cls || lstrcmpW(cls, s->cls) == 0)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindBox(const std::wstring& caption) { return FindShown(caption, L"#32770"); }

// What a message box shows: its text and which answers it offers.
struct BoxSeen {
  bool shown = false;
  std::wstring text;
  bool ok = false, yes = false, no = false;
  HWND owner = nullptr;
};

BoxSeen Read(HWND box) {
  BoxSeen seen;
  seen.shown = true;
  seen.text = ui::WideText(GetDlgItem(box, 0xFFFF));
  seen.ok = GetDlgItem(box, IDOK) != nullptr;
  seen.yes = GetDlgItem(box, IDYES) != nullptr;
  seen.no = GetDlgItem(box, IDNO) != nullptr;
  seen.owner = GetWindow(box, GW_OWNER);
  return seen;
}

void Answer(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// Answers the next box with `caption` by `id` and records what it showed.
std::function<bool()> AnswerBox(const std::wstring& caption, int id, BoxSeen& seen) {
  return [caption, id, &seen] {
    HWND box = FindBox(caption);
    if (!box) return false;
    seen = Read(box);
    Answer(box, id);
    return true;
  };
}

RECT RectIn(HWND control) {
  RECT rc;
  GetWindowRect(control, &rc);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

RECT Client(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return rc;
}

void ExpectRect(HWND control, int x, int y, int width, int height) {
  const RECT rc = RectIn(control);
  EXPECT_EQ(rc.left, x);
  EXPECT_EQ(rc.top, y);
  if (width >= 0) {
    EXPECT_EQ(rc.right - rc.left, width);
  }
  if (height >= 0) {
    EXPECT_EQ(rc.bottom - rc.top, height);
  }
}

bool CentredOnScreen(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return std::abs((rc.left + rc.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
         std::abs((rc.top + rc.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
}

bool IsDefaultButton(HWND button) {
  return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

HWND Item(HWND root, int id) { return uitest::FindById(root, id); }
std::wstring TextAt(HWND root, int id) { return ui::WideText(Item(root, id)); }

// ---- fixture ---------------------------------------------------------------------------

class UpgradeWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    update::UseLanguageServices(table, user);
    update::SetCurrentLanguage(L::wlEnglish);
  }
  platform::Win32StringTable table;
  platform::Win32UserLanguage user;
  uitest::HostWindow owner;
  ui::Win32UpgradeUI upgradeUI{owner.Handle(), kTitle};
};

// The component's side of the wizard.
struct LinkLog : update::TauWizardLink {
  std::vector<std::string> events;
  void WizardClosed() override { events.push_back("closed"); }
  void WizardCloseConfirmed() override { events.push_back("confirmed"); }
};

// ---- the upgrade question --------------------------------------------------------------

TEST_F(UpgradeWindows, UpgradeQuestionShowsTheMessageBetweenEmptyLines) {
  struct Case {
    std::string message;
    std::wstring question;
  };
  const Case cases[] = {
      {"", L"A newer version of " + kWideTitle +
               L" was released.\n\nDo you want to update your version with the latest one?"},
      {"Faster results", L"A newer version of " + kWideTitle +
                             L" was released.\n\nFaster results\n\nDo you want to update your version with the latest one?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Question::QuestionText(kTitle, c.message), c.question);
  }
}

TEST_F(UpgradeWindows, UpgradeQuestionLayoutTextsAndTopmost) {
  struct Seen {
    std::wstring caption, label, yes, later;
    RECT client{}, label1{}, icon{}, panel{}, yesRect{}, laterRect{};
    int windowWidth = 0;
    bool topmost = false, centred = false, ownerDisabled = false, yesIsDefault = false;
  } seen;
  Driver driver([&] {
    HWND q = FindShown(L"Application update wizard");
    if (!q) return false;
    seen.caption = ui::WideText(q);
    seen.label = TextAt(q, Question::kLabel1Id);
    seen.yes = TextAt(q, Question::kYesBtnId);
    seen.later = TextAt(q, Question::kLaterBtnId);
    seen.client = Client(q);
    RECT window;
    GetWindowRect(q, &window);
    seen.windowWidth = window.right - window.left;
    seen.label1 = RectIn(Item(q, Question::kLabel1Id));
    seen.icon = RectIn(Item(q, Question::kIconId));
    seen.panel = RectIn(Item(q, Question::kBottomPanelId));
    seen.yesRect = RectIn(Item(q, Question::kYesBtnId));
    seen.laterRect = RectIn(Item(q, Question::kLaterBtnId));
    seen.topmost = (GetWindowLongW(q, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.centred = CentredOnScreen(q);
    seen.ownerDisabled = !IsWindowEnabled(owner.Handle());
    seen.yesIsDefault = IsDefaultButton(Item(q, Question::kYesBtnId));
    uitest::ClickThroughParent(Item(q, Question::kLaterBtnId));
    return true;
  });
  EXPECT_FALSE(upgradeUI.AskUpgrade("Faster results"));

  EXPECT_EQ(seen.caption, L"Application update wizard");
  EXPECT_EQ(seen.label, Question::QuestionText(kTitle, "Faster results"));
  EXPECT_EQ(seen.yes, L"&Yes");
  EXPECT_EQ(seen.later, L"&Later");
  EXPECT_EQ(seen.client.right, 318);
  EXPECT_EQ(seen.label1.left, 45);
  EXPECT_EQ(seen.label1.top, 5);
  EXPECT_EQ(seen.label1.right - seen.label1.left, seen.windowWidth - 45 - 11);
  EXPECT_EQ(seen.client.bottom, seen.label1.bottom + 45);
  EXPECT_EQ(seen.icon.left, 7);
  EXPECT_EQ(seen.icon.top, 5);
  EXPECT_EQ(seen.icon.right - seen.icon.left, 32);
  EXPECT_EQ(seen.panel.top, seen.client.bottom - 45);
  EXPECT_EQ(seen.panel.right - seen.panel.left, 318);
  EXPECT_EQ(seen.yesRect.left, 78);
  EXPECT_EQ(seen.yesRect.top, 13);
  EXPECT_EQ(seen.yesRect.right - seen.yesRect.left, 75);
  EXPECT_EQ(seen.yesRect.bottom - seen.yesRect.top, 23);
  EXPECT_EQ(seen.laterRect.left, 167);
  EXPECT_TRUE(seen.topmost);
  EXPECT_TRUE(seen.centred);
  EXPECT_TRUE(seen.ownerDisabled);
  EXPECT_TRUE(seen.yesIsDefault);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(FindShown(L"Application update wizard"), nullptr) << "the question is gone after its answer";
}

TEST_F(UpgradeWindows, LongUpgradeMessageGrowsTheQuestionDownwardsWithTheButtonsAtTheBottom) {
  std::string longMessage;
  for (int i = 0; i < 25; ++i) longMessage += "Line " + std::to_string(i) + " of what changed\n";
  int shortHeight = 0, longHeight = 0;
  bool panelAtBottom = false;
  for (const std::string& message : {std::string(), longMessage}) {
    Driver driver([&] {
      HWND q = FindShown(L"Application update wizard");
      if (!q) return false;
      const int height = Client(q).bottom;
      (message.empty() ? shortHeight : longHeight) = height;
      const RECT panel = RectIn(Item(q, Question::kBottomPanelId));
      const RECT label = RectIn(Item(q, Question::kLabel1Id));
      panelAtBottom = panel.bottom == height && panel.top == label.bottom;
      uitest::ClickThroughParent(Item(q, Question::kLaterBtnId));
      return true;
    });
    upgradeUI.AskUpgrade(message);
    EXPECT_TRUE(panelAtBottom);
  }
  EXPECT_GT(longHeight, shortHeight + 25 * 10);
}

TEST_F(UpgradeWindows, UpgradeQuestionAnswers) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    bool answer;
  };
  const Case cases[] = {
      {"Yes button", [](HWND q) { uitest::ClickThroughParent(Item(q, Question::kYesBtnId)); }, true},
      {"Yes by BM_CLICK", [](HWND q) { SendMessageW(Item(q, Question::kYesBtnId), BM_CLICK, 0, 0); }, true},
      {"Later button", [](HWND q) { uitest::ClickThroughParent(Item(q, Question::kLaterBtnId)); }, false},
      {"Enter", [](HWND q) { PostMessageW(GetFocus() ? GetFocus() : q, WM_KEYDOWN, VK_RETURN, 0); }, true},
      {"Escape", [](HWND q) { PostMessageW(GetFocus() ? GetFocus() : q, WM_KEYDOWN, VK_ESCAPE, 0); }, false},
      {"close box", [](HWND q) { PostMessageW(q, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Driver driver([&] {
      HWND q = FindShown(L"Application update wizard");
      if (!q) return false;
      c.act(q);
      return true;
    });
    EXPECT_EQ(upgradeUI.AskUpgrade("message"), c.answer);
  }
}

TEST_F(UpgradeWindows, TextsFollowTheProcessLanguageInCyrillicAndChinese) {
  struct Case {
    L language;
  };
  for (L language : {L::wlRussian, L::wlChineseSimplified}) {
    upgradeUI.SelectLanguage(language);
    const std::wstring caption = update::LanguageText(language, 0);
    std::wstring yes;
    Driver driver([&] {
      HWND q = FindShown(caption);
      if (!q) return false;
      yes = TextAt(q, Question::kYesBtnId);
      uitest::ClickThroughParent(Item(q, Question::kYesBtnId));
      return true;
    });
    EXPECT_TRUE(upgradeUI.AskUpgrade(""));
    EXPECT_EQ(yes, update::LanguageText(language, 14));
  }
  EXPECT_EQ(update::CurrentLanguage(), L::wlChineseSimplified);
}

// ---- the message boxes -----------------------------------------------------------------

TEST_F(UpgradeWindows, MessageBoxesHaveTheirTextsCaptionsAndButtons) {
  BoxSeen seen;
  {
    Driver driver(AnswerBox(L"Application update wizard", IDOK, seen));
    EXPECT_EQ(upgradeUI.ShowMessageBox(26, MB_ICONERROR, "http://www.tavorin.example"), IDOK);
  }
  EXPECT_EQ(seen.text, L"Host http://www.tavorin.example unreachable.\r\rPlease check your Internet connection and\r"
                       L"try to upgrade this software again later.");
  EXPECT_TRUE(seen.ok);
  EXPECT_FALSE(seen.yes);
  EXPECT_EQ(seen.owner, owner.Handle());

  {
    Driver driver(AnswerBox(L"Application update wizard", IDOK, seen));
    upgradeUI.ShowMessageBox(24, MB_ICONINFORMATION);
  }
  EXPECT_EQ(seen.text, L"Newer version not found. You actually are\rusing most recent version of this program.");

  for (const auto& [answer, expected] : {std::pair{IDYES, true}, std::pair{IDNO, false}}) {
    Driver driver(AnswerBox(L"Error #404", answer, seen));
    EXPECT_EQ(upgradeUI.AskSkipLostFile("data.pak", 404), expected);
    EXPECT_EQ(seen.text, L"File data.pak not found or inaccessible.\r\rTry to skip this file and continue upgrade?");
    EXPECT_TRUE(seen.yes && seen.no);
  }
}

TEST_F(UpgradeWindows, RefusedUpdatesAreToldInEnglishWhateverTheLanguageSet) {
  upgradeUI.SelectLanguage(L::wlRussian);
  BoxSeen seen;
  {
    Driver driver(AnswerBox(L"Application update wizard", IDOK, seen));
    upgradeUI.ShowVerificationFailure(update::TauVerificationFailure::FileHashDiffers, "\xC3\xA9t\xC3\xA9.dat");
  }
  EXPECT_EQ(seen.text, L"The update file \"\u00E9t\u00E9.dat\" does not match the checksum the publisher gave. It was "
                       L"deleted, the update was stopped and nothing was installed.");
  EXPECT_TRUE(seen.ok);
  EXPECT_FALSE(seen.yes);
  EXPECT_EQ(seen.owner, owner.Handle());
}

TEST_F(UpgradeWindows, PlaceholderValuesArriveAsUtf8AndAnsiBytesAreKept) {
  EXPECT_EQ(ui::FromUtf8("\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5"),
            L"\u041E\u0431\u043D\u043E\u0432\u043B\u0435\u043D\u0438\u0435");
  EXPECT_FALSE(ui::FromUtf8("caf\xE9").empty()) << "a byte that is not UTF-8 is read in the ANSI code page";
  EXPECT_EQ(ui::FillStrings(L"%s and %s and %s", {L"a", L"b"}), L"a and b and %s");
  EXPECT_EQ(ui::FillNumbers(L"Estimated time left: %d:%.2d:%.2d", 1, 2, 3), L"Estimated time left: 1:02:03");
  EXPECT_EQ(ui::FillNumbers(L"File size: %.1f Kb", 12.34), L"File size: 12.3 Kb");
}

// ---- the password dialog ---------------------------------------------------------------

TEST_F(UpgradeWindows, PasswordDialogLayoutAndTexts) {
  struct Seen {
    std::wstring caption, label, userLab, passLab, user, pass, ok, cancel;
    wchar_t mask = 0;
    RECT client{}, label1{}, image{}, panel{}, userEdit{}, passEdit{}, okRect{}, cancelRect{}, userLabRect{}, passLabRect{};
    bool okDefault = false;
  } s;
  Driver driver([&] {
    HWND p = FindShown(L"Enter password");
    if (!p) return false;
    s.caption = ui::WideText(p);
    s.label = TextAt(p, Password::kLabel1Id);
    s.userLab = TextAt(p, Password::kUsernameLabId);
    s.passLab = TextAt(p, Password::kPasswordLabId);
    s.user = TextAt(p, Password::kUsernameEditId);
    s.pass = TextAt(p, Password::kPasswordEditId);
    s.ok = TextAt(p, Password::kOKBtnId);
    s.cancel = TextAt(p, Password::kCancelBtnId);
    s.mask = static_cast<wchar_t>(SendMessageW(Item(p, Password::kPasswordEditId), EM_GETPASSWORDCHAR, 0, 0));
    s.client = Client(p);
    s.label1 = RectIn(Item(p, Password::kLabel1Id));
    s.image = RectIn(Item(p, Password::kImage1Id));
    s.panel = RectIn(Item(p, Password::kBottomPanelId));
    s.userEdit = RectIn(Item(p, Password::kUsernameEditId));
    s.passEdit = RectIn(Item(p, Password::kPasswordEditId));
    s.okRect = RectIn(Item(p, Password::kOKBtnId));
    s.cancelRect = RectIn(Item(p, Password::kCancelBtnId));
    s.userLabRect = RectIn(Item(p, Password::kUsernameLabId));
    s.passLabRect = RectIn(Item(p, Password::kPasswordLabId));
    s.okDefault = IsDefaultButton(Item(p, Password::kOKBtnId));
    // For a person to look at (build/wintest/artifacts).
    uitest::SaveWindowImage(p, std::string(LUMENRIG_TEST_ARTIFACTS) + "/password-dialog.bmp");
    uitest::ClickThroughParent(Item(p, Password::kCancelBtnId));
    return true;
  });
  std::string user = "alice", password = "old";
  EXPECT_FALSE(upgradeUI.PasswordDialog("update.zip", user, password));
  EXPECT_EQ(user, "alice");
  EXPECT_EQ(password, "old");

  EXPECT_EQ(s.caption, L"Enter password");
  EXPECT_EQ(s.label, L"Access to remote file \"update.zip\" is password protected.\n\nPlease enter your username and "
                     L"password (received after registration) to continue software upgrade.");
  EXPECT_EQ(s.userLab, L"User Name");
  EXPECT_EQ(s.passLab, L"Password");
  EXPECT_EQ(s.user, L"alice");
  EXPECT_EQ(s.pass, L"") << "the password box starts empty";
  EXPECT_EQ(s.mask, L'*');
  EXPECT_EQ(s.ok, L"&OK");
  EXPECT_EQ(s.cancel, L"&Cancel");
  EXPECT_TRUE(s.okDefault);
  EXPECT_EQ(s.client.right, 297);
  EXPECT_EQ(s.label1.left, 45);
  EXPECT_EQ(s.label1.top, 5);
  EXPECT_EQ(s.label1.right - s.label1.left, 246);
  EXPECT_GT(s.label1.bottom - s.label1.top, 13 * 3) << "the text wraps onto several lines";
  EXPECT_EQ(s.client.bottom, s.label1.bottom + 98);
  EXPECT_EQ(s.image.left, 7);
  EXPECT_EQ(s.image.top, 5);
  EXPECT_EQ(s.panel.top, s.client.bottom - 98);
  EXPECT_EQ(s.panel.bottom - s.panel.top, 98);
  EXPECT_EQ(s.userLabRect.left, 45);
  EXPECT_EQ(s.userLabRect.top, 14);
  EXPECT_EQ(s.passLabRect.top, 38);
  EXPECT_EQ(s.userEdit.left, 122);
  EXPECT_EQ(s.userEdit.top, 10);
  EXPECT_EQ(s.userEdit.right - s.userEdit.left, 157);
  EXPECT_EQ(s.userEdit.bottom - s.userEdit.top, 21);
  EXPECT_EQ(s.passEdit.top, 34);
  EXPECT_EQ(s.okRect.left, 114);
  EXPECT_EQ(s.okRect.top, 68);
  EXPECT_EQ(s.okRect.right - s.okRect.left, 75);
  EXPECT_EQ(s.cancelRect.left, 204);
}

TEST_F(UpgradeWindows, PasswordDialogAnswers) {
  struct Case {
    const char* name;
    std::function<void(HWND)> answer;
    bool ok;
  };
  const Case cases[] = {
      {"OK button", [](HWND p) { uitest::ClickThroughParent(Item(p, Password::kOKBtnId)); }, true},
      {"Enter in the password box", [](HWND p) { PostMessageW(Item(p, Password::kPasswordEditId), WM_KEYDOWN, VK_RETURN, 0); }, true},
      {"Cancel button", [](HWND p) { uitest::ClickThroughParent(Item(p, Password::kCancelBtnId)); }, false},
      {"Escape", [](HWND p) { PostMessageW(Item(p, Password::kUsernameEditId), WM_KEYDOWN, VK_ESCAPE, 0); }, false},
      {"close box", [](HWND p) { PostMessageW(p, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool focusInPassword = false;
    Driver driver([&] {
      HWND p = FindShown(L"Enter password");
      if (!p) return false;
      focusInPassword = GetFocus() == Item(p, Password::kPasswordEditId);
      SetWindowTextW(Item(p, Password::kUsernameEditId), L"bob");
      SetWindowTextW(Item(p, Password::kPasswordEditId), L"s3cret");
      c.answer(p);
      return true;
    });
    std::string user = "alice", password;
    EXPECT_EQ(upgradeUI.PasswordDialog("update.zip", user, password), c.ok);
    EXPECT_TRUE(focusInPassword) << "with a user name given, the password is what is typed next";
    EXPECT_EQ(user, c.ok ? "bob" : "alice");
    EXPECT_EQ(password, c.ok ? "s3cret" : "");
  }
}

// ---- the download wizard ---------------------------------------------------------------

update::TauWizardLook LookOf(bool hideFileLocation, bool stayOnTop = true, std::string picture = {}) {
  update::TauWizardLook look;
  look.HideFileLocation = hideFileLocation;
  look.StayOnTop = stayOnTop;
  look.Pic118x218 = std::move(picture);
  return look;
}

TEST_F(UpgradeWindows, WizardOpensWithoutBlockingOnItsDownloadingPage) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(false), link);
  HWND w = upgradeUI.WizardWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "the wizard is not modal";
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(CentredOnScreen(w));
  EXPECT_EQ(Client(w).right, 463);
  EXPECT_EQ(Client(w).bottom, 281);

  struct Text {
    int id;
    std::wstring text;
  };
  const Text texts[] = {
      {Wizard::kWizardTitleId, L"Downloading files..."},
      {Wizard::kAfterNoteId, L""},
      {Wizard::kLCurrentFileId, L" Current file "},
      {Wizard::kLAllFilesId, L" All files "},
      {Wizard::kLDownloadingFileFromId, L"Downloading file from"},
      {Wizard::kLEstimatedTimeId, L"Preparing. . ."},
      {Wizard::kFinishBtnId, L"&Next >"},
      {Wizard::kCancelBtnId, L"&Cancel"},
      {Wizard::kAboutLabelId, std::wstring(L" ") + Wizard::kBannerText + L" "},
      {Wizard::kAboutShadowId, std::wstring(L" ") + Wizard::kBannerText + L" "},
  };
  EXPECT_EQ(ui::WideText(w), L"Application update wizard");
  for (const Text& t : texts) EXPECT_EQ(TextAt(w, t.id), t.text) << "control " << t.id;

  struct Place {
    int id, x, y, width, height;  // -1: sized by the text
  };
  const Place places[] = {
      {Wizard::kPanel1Id, 10, 10, 120, 220},
      {Wizard::kImage1Id, 1, 1, 118, 218},
      {Wizard::kWizardTitleId, 136, 10, -1, -1},
      {Wizard::kAfterNoteId, 136, 44, 319, -1},
      {Wizard::kLCurrentFileId, 136, 34, 319, 125},
      {Wizard::kLDownloadingFileFromId, 6, 14, -1, -1},
      {Wizard::kFileURLId, 10, 28, 301, 13},
      {Wizard::kLFileSizeId, 6, 44, -1, -1},
      {Wizard::kLTransferRateId, 6, 60, -1, -1},
      {Wizard::kLEstimatedTimeId, 6, 76, -1, -1},
      {Wizard::kProgressCurrentFileId, 6, 96, 307, 22},
      {Wizard::kLAllFilesId, 136, 162, 319, 67},
      {Wizard::kAllDownloadingId, 6, 16, -1, -1},
      {Wizard::kProgressAllFilesId, 6, 38, 307, 22},
      {Wizard::kBevel1Id, 10, 238, 447, -1},
      {Wizard::kAboutShadowId, 31, 234, -1, -1},
      {Wizard::kAboutLabelId, 30, 233, -1, -1},
      {Wizard::kFinishBtnId, 296, 248, 75, 25},
      {Wizard::kCancelBtnId, 380, 248, 75, 25},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.id);
    ExpectRect(Item(w, p.id), p.x, p.y, p.width, p.height);
  }
  EXPECT_FALSE(IsWindowEnabled(Item(w, Wizard::kFinishBtnId)));
  EXPECT_TRUE(IsDefaultButton(Item(w, Wizard::kCancelBtnId)));
  EXPECT_TRUE(IsWindowVisible(Item(w, Wizard::kFileURLId)));
  HFONT titleFont = reinterpret_cast<HFONT>(SendMessageW(Item(w, Wizard::kWizardTitleId), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  GetObjectW(titleFont, sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Times New Roman");
  EXPECT_EQ(lf.lfHeight, -19);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_TRUE(link.events.empty());
  upgradeUI.CloseWizard();
}

TEST_F(UpgradeWindows, WizardLinesAndBarsShowTheDownload) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(false), link);
  HWND w = upgradeUI.WizardWindow();
  upgradeUI.WizardLocation("http://www.tavorin.example/lumenrig/lumenrig.exe");
  upgradeUI.WizardOverall(2, 3);
  upgradeUI.WizardFileSize(1536.04);
  upgradeUI.WizardTransferRate(48.25f);
  upgradeUI.WizardTimeLeft(1, 2, 3);
  upgradeUI.WizardBars(40, 70);
  EXPECT_EQ(TextAt(w, Wizard::kFileURLId), L"http://www.tavorin.example/lumenrig/lumenrig.exe");
  EXPECT_EQ(TextAt(w, Wizard::kAllDownloadingId), L"Downloading 2 of 3");
  EXPECT_EQ(TextAt(w, Wizard::kLFileSizeId), L"File size: 1536.0 Kb");
  EXPECT_EQ(TextAt(w, Wizard::kLTransferRateId), L"Transfer rate: 48.2 Kb/s");
  EXPECT_EQ(TextAt(w, Wizard::kLEstimatedTimeId), L"Estimated time left: 1:02:03");
  EXPECT_EQ(SendMessageW(Item(w, Wizard::kProgressCurrentFileId), PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(Item(w, Wizard::kProgressAllFilesId), PBM_GETPOS, 0, 0), 70);
  // A label grows with its text, so a longer line is not cut off.
  const RECT shortRect = RectIn(Item(w, Wizard::kAllDownloadingId));
  upgradeUI.WizardOverall(12, 345);
  EXPECT_GT(RectIn(Item(w, Wizard::kAllDownloadingId)).right, shortRect.right);

  // Typing into the address line changes nothing.
  HWND url = Item(w, Wizard::kFileURLId);
  SetFocus(url);
  PostMessageW(url, WM_CHAR, L'x', 0);
  PostMessageW(url, WM_KEYDOWN, VK_DELETE, 0);
  SendMessageW(url, WM_PASTE, 0, 0);
  uitest::Pump();
  EXPECT_EQ(TextAt(w, Wizard::kFileURLId), L"http://www.tavorin.example/lumenrig/lumenrig.exe");
  upgradeUI.CloseWizard();
}

TEST_F(UpgradeWindows, HideFileLocationMovesTheLinesUp) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(true, /*stayOnTop=*/false), link);
  HWND w = upgradeUI.WizardWindow();
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(Item(w, Wizard::kFileURLId)));
  EXPECT_FALSE(IsWindowVisible(Item(w, Wizard::kLDownloadingFileFromId)));
  ExpectRect(Item(w, Wizard::kLFileSizeId), 6, 14, -1, -1);
  ExpectRect(Item(w, Wizard::kLTransferRateId), 6, 30, -1, -1);
  ExpectRect(Item(w, Wizard::kLEstimatedTimeId), 6, 46, -1, -1);
  ExpectRect(Item(w, Wizard::kProgressCurrentFileId), 6, 66, 307, 22);
  ExpectRect(Item(w, Wizard::kLCurrentFileId), 136, 44, 319, 95);
  ExpectRect(Item(w, Wizard::kLAllFilesId), 136, 162, 319, 67);
  upgradeUI.CloseWizard();
}

// Compares two pictures by a few of their pixels.
bool SamePixels(const ui::Picture& a, const ui::Picture& b) {
  if (!a || !b || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  HDC da = CreateCompatibleDC(nullptr), db = CreateCompatibleDC(nullptr);
  HGDIOBJ oa = SelectObject(da, a.Bitmap()), ob = SelectObject(db, b.Bitmap());
  bool same = true;
  for (int y = 5; y < a.Height(); y += 37)
    for (int x = 3; x < a.Width(); x += 23) same = same && GetPixel(da, x, y) == GetPixel(db, x, y);
  SelectObject(da, oa);
  SelectObject(db, ob);
  DeleteDC(da);
  DeleteDC(db);
  return same;
}

TEST_F(UpgradeWindows, WizardShowsTheGivenSidePictureOrItsOwn) {
  const ui::Picture launcher = ui::LoadJpegResource(GetModuleHandleW(nullptr), IDJ_UPDATE_SIDE);
  const ui::Picture fallback = ui::LoadJpegResource(GetModuleHandleW(nullptr), IDJ_UPDATE_SIDE_DEFAULT);
  ASSERT_TRUE(launcher && fallback);
  ASSERT_FALSE(SamePixels(launcher, fallback));
  struct Case {
    std::string name;
    const ui::Picture* expected;
  };
  const Case cases[] = {
      {update::kUpdaterSidePicture, &launcher},  // what the main window hands over
      {"", &fallback},
      {"NOSUCHPICTURE", &fallback},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkLog link;
    upgradeUI.OpenWizard(LookOf(true, true, c.name), link);
    EXPECT_TRUE(SamePixels(upgradeUI.Wizard()->Image1.Current(), *c.expected));
    upgradeUI.CloseWizard();
  }
}

// Every close request of the system asks text 27 with Yes and No under the application's
// title; No leaves the wizard as it is, Yes closes it and aborts the update.
TEST_F(UpgradeWindows, EveryCloseRequestOfTheWizardAsksFirst) {
  struct Path {
    const char* name;
    std::function<void(HWND)> request;
  };
  const Path paths[] = {
      {"Cancel button", [](HWND w) { uitest::ClickThroughParent(Item(w, Wizard::kCancelBtnId)); }},
      {"close box", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4", [](HWND w) { PostMessageW(w, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)); }},
      {"Escape", [](HWND w) { PostMessageW(GetFocus() ? GetFocus() : w, WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
  };
  for (const Path& path : paths) {
    for (int answer : {IDNO, IDYES}) {
      SCOPED_TRACE(std::string(path.name) + (answer == IDYES ? ", Yes" : ", No"));
      LinkLog link;
      upgradeUI.OpenWizard(LookOf(true), link);
      HWND w = upgradeUI.WizardWindow();
      BoxSeen seen;
      Driver driver(AnswerBox(kWideTitle, answer, seen));
      path.request(w);
      ASSERT_TRUE(PumpUntil([&] { return seen.shown && !FindBox(kWideTitle); }));
      uitest::Pump();
      EXPECT_EQ(seen.text, L"The update is not completed.\rWould you like to abort upgrading?");
      EXPECT_TRUE(seen.yes && seen.no);
      EXPECT_EQ(seen.owner, w);
      if (answer == IDNO) {
        EXPECT_TRUE(link.events.empty());
        EXPECT_TRUE(IsWindow(w) && IsWindowVisible(w));
        EXPECT_EQ(upgradeUI.WizardWindow(), w);
        upgradeUI.CloseWizard();
      } else {
        EXPECT_EQ(link.events, (std::vector<std::string>{"closed", "confirmed"}));
        EXPECT_FALSE(IsWindow(w));
        EXPECT_EQ(upgradeUI.WizardWindow(), nullptr);
      }
    }
  }
}

TEST_F(UpgradeWindows, FinishedPageAndItsOkButton) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(true), link);
  HWND w = upgradeUI.WizardWindow();
  upgradeUI.WizardFinishedPage();
  EXPECT_EQ(TextAt(w, Wizard::kWizardTitleId), L"Upgrade completed!");
  EXPECT_EQ(TextAt(w, Wizard::kAfterNoteId), L"The update of " + kWideTitle +
                                                 L" has been successfully completed.\r\rPress the OK button to restart program.");
  EXPECT_GT(RectIn(Item(w, Wizard::kAfterNoteId)).bottom - RectIn(Item(w, Wizard::kAfterNoteId)).top, 13 * 2)
      << "the note sizes itself to its lines";
  EXPECT_FALSE(IsWindowVisible(Item(w, Wizard::kLCurrentFileId)));
  EXPECT_FALSE(IsWindowVisible(Item(w, Wizard::kLAllFilesId)));
  EXPECT_FALSE(IsWindowEnabled(Item(w, Wizard::kCancelBtnId)));
  EXPECT_EQ(TextAt(w, Wizard::kFinishBtnId), L"&OK");
  EXPECT_TRUE(IsWindowEnabled(Item(w, Wizard::kFinishBtnId)));
  EXPECT_EQ(GetFocus(), Item(w, Wizard::kFinishBtnId));

  uitest::ClickThroughParent(Item(w, Wizard::kFinishBtnId));
  uitest::Pump();
  EXPECT_EQ(link.events, std::vector<std::string>{"closed"}) << "OK closes without a question";
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(FindBox(kWideTitle), nullptr);
}

TEST_F(UpgradeWindows, ClosingTheFinishedPageFromItsTitleBarStillAsks) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(true), link);
  HWND w = upgradeUI.WizardWindow();
  upgradeUI.WizardFinishedPage();
  // Escape does nothing there: its Cancel button is out of use.
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  uitest::Pump();
  EXPECT_TRUE(IsWindowVisible(w));
  BoxSeen seen;
  Driver driver(AnswerBox(kWideTitle, IDYES, seen));
  PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !link.events.empty(); }));
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(link.events, (std::vector<std::string>{"closed", "confirmed"}));
}

TEST_F(UpgradeWindows, CloseWizardFreesItWithoutAQuestionOrTellingTheComponent) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(false), link);
  HWND w = upgradeUI.WizardWindow();
  upgradeUI.CloseWizard();
  uitest::Pump();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(FindBox(kWideTitle), nullptr);
  EXPECT_TRUE(link.events.empty());
  // The component may still report progress or close again: nothing happens.
  upgradeUI.WizardOverall(1, 1);
  upgradeUI.WizardFinishedPage();
  upgradeUI.CloseWizard();
  // And a new wizard opens afresh.
  upgradeUI.OpenWizard(LookOf(false), link);
  EXPECT_NE(upgradeUI.WizardWindow(), nullptr);
  EXPECT_EQ(TextAt(upgradeUI.WizardWindow(), Wizard::kWizardTitleId), L"Downloading files...");
  upgradeUI.CloseWizard();
}

TEST_F(UpgradeWindows, WizardClosedWhileItsQuestionIsUpIsNotAbortedTwice) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(true), link);
  HWND w = upgradeUI.WizardWindow();
  bool asked = false;
  Driver driver([&] {
    HWND box = FindBox(kWideTitle);
    if (!box) return false;
    asked = true;
    upgradeUI.CloseWizard();  // the connection was lost meanwhile
    if (IsWindow(box)) Answer(box, IDYES);
    return true;
  });
  PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return asked && !FindBox(kWideTitle); }));
  uitest::Pump();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(link.events.empty());
}

TEST_F(UpgradeWindows, BoxesDuringTheDownloadBelongToTheWizard) {
  LinkLog link;
  upgradeUI.OpenWizard(LookOf(true), link);
  BoxSeen seen;
  {
    Driver driver(AnswerBox(L"Application update wizard", IDOK, seen));
    upgradeUI.ShowMessageBox(30, MB_ICONERROR);
  }
  EXPECT_EQ(seen.owner, upgradeUI.WizardWindow()) << "a topmost wizard must not hide the box";
  upgradeUI.CloseWizard();
}

}  // namespace
