// The toolkit dialog over real windows: modal and modeless runs, the dialog keys whatever
// loop pumps the messages, the one path of every close command, and its geometry.
#include "ui/Dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "UiTestSupport.h"

namespace {

// A system push button, as the dialogs of the program use them.
class PushButton : public ui::Wnd {
 public:
  void Create(HWND parent, int id, int x, const wchar_t* text) {
    CreateArgs a;
    a.className = L"BUTTON";
    a.parent = parent;
    a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    a.x = x, a.y = 10, a.width = 75, a.height = 23, a.id = id;
    a.text = text;
    CreateWnd(a);
  }
  std::function<void()> OnClick;

 protected:
  void OnCommand(int code) override {
    if (code == BN_CLICKED && OnClick) OnClick();
  }
};

class PlainEdit : public ui::Wnd {
 public:
  void Create(HWND parent) {
    CreateArgs a;
    a.className = L"EDIT";
    a.parent = parent;
    a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    a.x = 10, a.y = 50, a.width = 100, a.height = 21, a.id = 30;
    CreateWnd(a);
  }
};

// A question with Yes (default) and No (cancel) and an edit; every click ends it with its
// result.
struct Question {
  explicit Question(HWND owner, bool withCancel = true, ui::Dialog::Options options = {}) {
    dialog.Create(owner, L"Question", 240, 90, options);
    yes.Create(dialog.Handle(), 10, 10, L"&Yes");
    no.Create(dialog.Handle(), 11, 100, L"&No");
    edit.Create(dialog.Handle());
    yes.OnClick = [this] {
      ownerEnabledDuringRun = IsWindowEnabled(GetWindow(dialog.Handle(), GW_OWNER)) != 0;
      dialog.EndDialog(ui::kResultYes);
    };
    no.OnClick = [this] { dialog.EndDialog(ui::kResultNo); };
    dialog.SetDefaultButton(&yes);
    if (withCancel) dialog.SetCancelButton(&no);
    dialog.OnClosed = [this](int result) { closed.push_back(result); };
  }
  ui::Dialog dialog;
  PushButton yes, no;
  PlainEdit edit;
  bool ownerEnabledDuringRun = true;
  std::vector<int> closed;
};

RECT WindowRect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return rc;
}

TEST(DialogTest, ModalRunDisablesTheOwnerAndReturnsTheResultOfTheClick) {
  uitest::HostWindow owner;
  Question q(owner.Handle());
  PostMessageW(q.dialog.Handle(), WM_COMMAND, MAKEWPARAM(10, BN_CLICKED),
               reinterpret_cast<LPARAM>(q.yes.Handle()));

  EXPECT_EQ(q.dialog.ShowModal(), ui::kResultYes);

  EXPECT_FALSE(q.ownerEnabledDuringRun);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(q.dialog.Handle()));
  EXPECT_TRUE(q.closed.empty()) << "OnClosed belongs to modeless runs";
  // The window stays for another run.
  PostMessageW(q.dialog.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(q.dialog.ShowModal(), ui::kResultNo);
}

TEST(DialogTest, DefaultButtonHasTheDefaultFrameAndAnswersDmGetDefId) {
  Question q(nullptr);
  EXPECT_EQ(GetWindowLongW(q.yes.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageW(q.dialog.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(10, DC_HASDEFID));
  q.dialog.SetDefaultButton(&q.no);
  EXPECT_EQ(GetWindowLongW(q.yes.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLongW(q.no.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

// Keys reach a modeless dialog through the loop of whoever pumps messages (here the test's
// own PeekMessage loop), sent to the control that has the focus.
TEST(DialogTest, DialogKeysWorkInAModelessDialogUnderAnyMessageLoop) {
  struct Case {
    const char* name;
    int focusId;  // 0: the dialog's own first focus (the default button)
    UINT message;
    WPARAM key;
    bool disableNo;
    std::vector<int> closed;
  };
  const Case cases[] = {
      {"Enter clicks the default button", 0, WM_KEYDOWN, VK_RETURN, false, {ui::kResultYes}},
      {"Enter in an edit clicks the default button", 30, WM_KEYDOWN, VK_RETURN, false, {ui::kResultYes}},
      {"Enter on a focused push button clicks that one", 11, WM_KEYDOWN, VK_RETURN, false, {ui::kResultNo}},
      {"Escape clicks the cancel button", 30, WM_KEYDOWN, VK_ESCAPE, false, {ui::kResultNo}},
      {"Escape does nothing while the cancel button is disabled", 0, WM_KEYDOWN, VK_ESCAPE, true, {}},
      {"Alt+N clicks the button of that mnemonic", 30, WM_SYSCHAR, L'n', false, {ui::kResultNo}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::HostWindow owner;
    Question q(owner.Handle());
    q.dialog.ShowModeless();
    EXPECT_TRUE(IsWindowVisible(q.dialog.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << "a modeless dialog leaves its owner alone";
    if (c.disableNo) q.no.SetEnabled(false);
    if (c.focusId) SetFocus(GetDlgItem(q.dialog.Handle(), c.focusId));
    PostMessageW(GetFocus(), c.message, c.key, 0);
    uitest::Pump();
    uitest::Pump();
    EXPECT_EQ(q.closed, c.closed);
    EXPECT_EQ(IsWindowVisible(q.dialog.Handle()) != 0, c.closed.empty());
  }
}

TEST(DialogTest, TabMovesTheFocusThroughTheControlsAndShiftTabBack) {
  Question q(nullptr);
  q.dialog.ShowModeless();
  ASSERT_EQ(GetFocus(), q.yes.Handle());
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  uitest::Pump();
  EXPECT_EQ(GetFocus(), q.no.Handle());
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  uitest::Pump();
  EXPECT_EQ(GetFocus(), q.edit.Handle());
  EXPECT_TRUE(q.closed.empty());
}

// Every close command goes through OnCloseRequest, which may refuse it; the first of two is
// refused here, the second accepted, and the dialog ends with its close result.
TEST(DialogTest, EveryCloseCommandAsksOnCloseRequestWhichMayRefuseIt) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wp;
    LPARAM lp;
  };
  const Case cases[] = {
      {"close box (SC_CLOSE)", WM_SYSCOMMAND, SC_CLOSE, 0},
      {"WM_CLOSE", WM_CLOSE, 0, 0},
      {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)},
      {"Escape without a cancel button", WM_KEYDOWN, VK_ESCAPE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::HostWindow owner;
    ui::Dialog::Options options;
    options.closeResult = ui::kResultNo;
    Question q(owner.Handle(), /*withCancel=*/false, options);
    int asked = 0;
    bool visibleWhenAskedAgain = false;
    q.dialog.OnCloseRequest = [&] {
      ++asked;
      if (asked == 2) visibleWhenAskedAgain = IsWindowVisible(q.dialog.Handle()) != 0;
      return asked == 2;
    };
    PostMessageW(q.dialog.Handle(), c.message, c.wp, c.lp);
    PostMessageW(q.dialog.Handle(), c.message, c.wp, c.lp);
    EXPECT_EQ(q.dialog.ShowModal(), ui::kResultNo);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(visibleWhenAskedAgain) << "the refused close left the dialog open";
  }
}

TEST(DialogTest, OtherSystemCommandsPassThrough) {
  Question q(nullptr);
  int asked = 0;
  q.dialog.OnCloseRequest = [&] { return ++asked, true; };
  q.dialog.ShowModeless();
  SendMessageW(q.dialog.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  uitest::Pump();
  EXPECT_TRUE(IsIconic(q.dialog.Handle()));
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(q.closed.empty());
}

TEST(DialogTest, EndingAModelessDialogHidesItAndTellsOnClosedOnce) {
  Question q(nullptr);
  q.dialog.ShowModeless();
  q.dialog.EndDialog(ui::kResultOk);
  q.dialog.EndDialog(ui::kResultCancel);  // already ended
  EXPECT_EQ(q.closed, std::vector<int>{ui::kResultOk});
  EXPECT_FALSE(IsWindowVisible(q.dialog.Handle()));
  EXPECT_EQ(q.dialog.Result(), ui::kResultOk);
}

TEST(DialogTest, DestroyingAModelessDialogDoesNotTellOnClosed) {
  Question q(nullptr);
  q.dialog.ShowModeless();
  q.dialog.Destroy();
  EXPECT_EQ(q.dialog.Handle(), nullptr);
  EXPECT_TRUE(q.closed.empty());
  // The keyboard hook let go of it: keys of other windows go on as before.
  uitest::HostWindow other;
  PostMessageW(other.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  uitest::Pump();
}

TEST(DialogTest, ModalRunEndsWhenTheWindowIsDestroyedOrTheProgramQuits) {
  {
    uitest::HostWindow owner;
    Question q(owner.Handle());
    q.yes.OnClick = [&] { q.dialog.Destroy(); };
    PostMessageW(q.dialog.Handle(), WM_COMMAND, MAKEWPARAM(10, BN_CLICKED),
                 reinterpret_cast<LPARAM>(q.yes.Handle()));
    EXPECT_EQ(q.dialog.ShowModal(), ui::kResultCancel);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  }
  {
    uitest::HostWindow owner;
    Question q(owner.Handle());
    PostQuitMessage(3);
    EXPECT_EQ(q.dialog.ShowModal(), ui::kResultCancel);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is passed on";
    EXPECT_EQ(msg.wParam, 3u);
  }
}

TEST(DialogTest, ClientSizeCentringAndTopmost) {
  uitest::HostWindow owner;  // 400 x 400 at (100, 100)
  ui::Dialog::Options options;
  options.topmost = true;
  ui::Dialog dialog;
  dialog.Create(owner.Handle(), L"Geometry", 318, 119, options);
  RECT client;
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right, 318);
  EXPECT_EQ(client.bottom, 119);
  EXPECT_TRUE(GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), owner.Handle());

  dialog.CenterOnOwner();
  RECT rc = WindowRect(dialog.Handle());
  EXPECT_NEAR((rc.left + rc.right) / 2, 300, 1);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, 300, 1);

  // Growing keeps the top edge: the window grows downwards.
  dialog.SetClientSize(318, 200);
  const RECT grown = WindowRect(dialog.Handle());
  EXPECT_EQ(grown.top, rc.top);
  EXPECT_EQ(grown.left, rc.left);
  EXPECT_EQ(dialog.ClientSize().cy, 200);

  dialog.CenterOnScreen();
  rc = WindowRect(dialog.Handle());
  EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((rc.top + rc.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  ui::Dialog later;
  later.Create(owner.Handle(), L"Made topmost later", 100, 50);
  EXPECT_FALSE(GetWindowLongW(later.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  later.SetTopmost(true);
  EXPECT_TRUE(GetWindowLongW(later.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(DialogTest, WithoutAVisibleOwnerItCentresOnTheScreen) {
  ui::Dialog dialog;
  dialog.Create(nullptr, L"Alone", 200, 100);
  dialog.CenterOnOwner();
  const RECT rc = WindowRect(dialog.Handle());
  EXPECT_NEAR((rc.left + rc.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
}

TEST(DialogTest, CaptionsAreUnicodeWhateverTheCodePage) {
  const std::wstring cyrillic = L"\u041C\u0430\u0441\u0442\u0435\u0440 \u043E\u0431\u043D\u043E\u0432\u043B\u0435\u043D\u0438\u044F";
  const std::wstring chinese = L"\u5E94\u7528\u7A0B\u5E8F\u66F4\u65B0\u5411\u5BFC";
  ui::Dialog dialog;
  dialog.Create(nullptr, cyrillic, 200, 100);
  EXPECT_TRUE(IsWindowUnicode(dialog.Handle()));
  EXPECT_EQ(dialog.Caption(), cyrillic);
  dialog.SetCaption(chinese);
  wchar_t text[64] = {};
  GetWindowTextW(dialog.Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), chinese);
}

}  // namespace
