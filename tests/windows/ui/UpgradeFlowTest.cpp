// The update component talking to its real windows: over fakes of the network, the files
// and the processes, the user answers the question, watches the wizard and closes it the two
// ways that matter, with the component doing what follows from each.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "UiTestSupport.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeUpdateSystem.h"
#include "fakes/FakeWorkerThreads.h"
#include "platform/win32/Win32Languages.h"
#include "ui/SystemControls.h"
#include "ui/windows/update/TauAutoUpgraderUpgradeMessageForm.h"
#include "ui/windows/update/TauAutoUpgraderWizardForm.h"
#include "ui/windows/update/Win32UpgradeUI.h"
#include "update/auAutoUpgrader.h"
#include "update/auLanguages.h"

namespace {

constexpr const char* kProgramFolder = "C:\\Program Files\\Lumenrig\\";
constexpr const char* kExe = "C:\\Program Files\\Lumenrig\\lumenrig.exe";
const std::wstring kTitle = L"Tavorin Splinter Cell CT Benchmark";

// Runs `step` from a thread timer (so also inside modal loops) until it returns true.
class Driver {
 public:
  explicit Driver(std::function<bool()> step) {
    Step() = std::move(step);
    timer_ = SetTimer(nullptr, 0, 20, &Driver::Tick);
  }
  ~Driver() {
    KillTimer(nullptr, timer_);
    Step() = nullptr;
  }

 private:
  static std::function<bool()>& Step() {
    static std::function<bool()> step;
    return step;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    static bool running = false;
    if (running || !Step()) return;
    running = true;
    if (Step()()) {
      Step() = nullptr;
      KillTimer(nullptr, id);
    }
    running = false;
  }
  UINT_PTR timer_;
};

HWND FindShown(const std::wstring& caption, const wchar_t* className) {
  struct Search { const std::wstring* caption; const wchar_t* cls; HWND found; } s{&caption, className, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (IsWindowVisible(hwnd) && ui::WideText(hwnd) == *s->caption && (!s->cls || lstrcmpW(cls, s->cls) == 0)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    uitest::Pump();
  }
  return true;
}

class UpgradeFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    update::UseLanguageServices(table, user);
    files.AddFolder("C:\\Temp");
    files.AddFile(kExe, "old launcher");
    resources.resources[{"AUUPG", "AUUPG"}] = "MZ replacement program";
    u = std::make_unique<update::TauAutoUpgrader>(update::TauUpgraderServices{
        http, threads, registry, files, details, folders, shell, processes, timers, network, resources, waits, app,
        clock, windows});
    // A launcher built without a publisher key, unless a test gives it one.
    u->PublisherKey.clear();
    u->InfoFileURL = "http://www.tavorin.example/lumenrig/update.txt";
    u->VersionControl = update::TauAutoUpgraderVersionControl::byNumber;
    u->VersionNumber = "1.2";
    u->Wizard.SetLanguage(update::TauAutoUpgraderLanguage::wlEnglish);
    u->OnAborted = [this](update::TauAutoUpgrader*) { aborted = true; };
    http.answers["/lumenrig/update.txt"] = {
        FakeHttpClient::Ok("#version=1.3\r\n#url=http://www.tavorin.example/r/lumenrig.exe\r\n")};
    http.answers["/r/lumenrig.exe"] = {FakeHttpClient::Ok("new launcher", "application/octet-stream")};
  }

  // The user answers the question with Yes; `atFinishedPage` runs while the component waits
  // for the wizard to close.
  void Run(std::function<void()> atFinishedPage) {
    waits.duringWait = std::move(atFinishedPage);
    Driver yes([] {
      HWND q = FindShown(L"Application update wizard", nullptr);
      HWND button = q ? uitest::FindById(q, ui::TauAutoUpgraderUpgradeMessageForm::kYesBtnId) : nullptr;
      if (!button) return false;
      uitest::ClickThroughParent(button);
      return true;
    });
    u->CheckUpdate();
    ASSERT_TRUE(threads.PumpUntil([&] { return !u->Busy(); }));
  }

  HWND WizardButton(int id) { return uitest::FindById(windows.WizardWindow(), id); }

  platform::Win32StringTable table;
  platform::Win32UserLanguage user;
  FakeFileSystem files;
  FakeHttpClientOnFiles http{files};
  FakeWorkerThreads threads;
  FakeRegistry registry;
  FakeFileDetails details{files};
  FakeSystemFolders folders;
  FakeShell shell;
  FakeProcesses processes;
  FakeTimerWindows timers;
  FakeLocalNetwork network;
  FakeModuleResources resources;
  FakeMessageWaits waits;
  FakeApplication app;
  FakeClock clock;
  ui::Win32UpgradeUI windows{nullptr, "Tavorin Splinter Cell CT Benchmark"};
  std::unique_ptr<update::TauAutoUpgrader> u;
  bool aborted = false;
};

TEST_F(UpgradeFlow, OkOnTheFinishedPageRestartsTheProgram) {
  bool onFinishedPage = false;
  Run([&] {
    onFinishedPage = windows.Wizard() && windows.Wizard()->OnFinishedPage();
    uitest::ClickThroughParent(WizardButton(ui::TauAutoUpgraderWizardForm::kFinishBtnId));
  });
  EXPECT_TRUE(onFinishedPage);
  EXPECT_EQ(windows.WizardWindow(), nullptr);
  EXPECT_FALSE(aborted);
  EXPECT_EQ(files.Content(std::string(kProgramFolder) + "lumenrig.exe.uTMP"), "new launcher");
  EXPECT_EQ(processes.started.size(), 1u) << "the replacement program is started";
  EXPECT_EQ(app.terminateCalls, 1);
}

TEST_F(UpgradeFlow, AConfirmedCloseOfTheWizardAbortsTheUpdate) {
  Run([&] {
    HWND wizard = windows.WizardWindow();
    Driver answer([] {
      HWND box = FindShown(kTitle, L"#32770");
      if (!box) return false;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
      return true;
    });
    PostMessageW(wizard, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpUntil([&] { return !IsWindow(wizard); });
  });
  EXPECT_EQ(windows.WizardWindow(), nullptr);
  EXPECT_TRUE(aborted);
  EXPECT_TRUE(files.ListFiles(kProgramFolder, "*.uTMP").empty()) << "the fetched files are deleted";
  EXPECT_TRUE(processes.attempts.empty());
  EXPECT_EQ(app.terminateCalls, 0);
}

TEST_F(UpgradeFlow, AnUnsignedInfoFileIsRefusedWithOurBoxAndNothingElse) {
  u->PublisherKey = std::string(32, '\x01');
  bool noInfoFile = false;
  u->OnNoInfoFile = [&](update::TauAutoUpgrader*) { noInfoFile = true; };
  std::wstring text;
  int boxes = 0;
  HWND answered = nullptr;
  // Answers every box that comes up, so that a second one is counted rather than left open.
  Driver ok([&] {
    HWND box = FindShown(L"Application update wizard", L"#32770");
    if (!box || box == answered) return false;
    answered = box;
    ++boxes;
    text = ui::WideText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return false;
  });
  u->CheckUpdate();
  ASSERT_TRUE(threads.PumpUntil([&] { return !u->Busy(); }));
  EXPECT_TRUE(noInfoFile);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(text, L"The update information is not signed by the publisher of this program, so it was not used. "
                  L"Nothing was downloaded.");
  EXPECT_EQ(windows.WizardWindow(), nullptr);
  EXPECT_EQ(http.requests.size(), 1u);
}

}  // namespace
