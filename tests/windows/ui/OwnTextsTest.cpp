// The main window on a system whose ANSI code page is not 1252: this program runs under a
// Russian locale (code page 1251, where byte 215 is a Cyrillic letter). The program's own
// texts still show the multiplication sign; the user's texts keep the system's code page.
#include <gtest/gtest.h>

#include <memory>

#include "bench/StepTable.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePlatform.h"
#include "launcher/mainf.h"
#include "ui/windows/ControlIds.h"
#include "ui/windows/MainWindow.h"
#include "UiTestSupport.h"

namespace {

namespace ids = ui::ids;

class OwnTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 1251u) << "run this program with LC_ALL=ru_RU.UTF-8";
    form = std::make_unique<TForm1>(os.Services(), dialogs, view);
    view.Create(*form);
    view.Bind(*form, os.messages);
  }
  void TearDown() override {
    if (IsWindow(view.Handle())) DestroyWindow(view.Handle());
    uitest::Pump();
  }
  std::wstring Shown(int id) { return ui::WindowText(uitest::FindById(view.Handle(), id)); }

  FakePlatform os;
  FakeFileDialogs dialogs;
  ui::MainWindow view{GetModuleHandleW(nullptr)};
  std::unique_ptr<TForm1> form;
};

TEST_F(OwnTextsTest, ResolutionsShowTheMultiplicationSign) {
  const wchar_t* const captions[] = {L"640 \u00D7 480",   L"800 \u00D7 600",   L"1024 \u00D7 768",
                                     L"1280 \u00D7 1024", L"1600 \u00D7 1200", L"2048 \u00D7 1536"};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(Shown(ids::ItemOf(ids::res, row)), captions[row]) << "row " << row;

  form->Label4.SetText(bench::ProgressText(bench::StepAt(2)));
  EXPECT_EQ(Shown(ids::Label4), L"Resolution: 1024\u00D7768");
  // The text the run wrote is what the label holds when it is read back.
  form->Label4.SetText("Preparing results... please wait.");
  form->Label4.SetText(bench::ProgressText(bench::StepAt(0)));
  EXPECT_EQ(Shown(ids::Label4), L"Resolution: 640\u00D7480");
}

TEST_F(OwnTextsTest, TheUsersTextsKeepTheSystemsCodePage) {
  form->NoteEdit.SetText("\xD7");  // a Cyrillic letter in code page 1251
  EXPECT_EQ(Shown(ids::NoteEdit), L"\u0427");
  SendMessageW(uitest::FindById(view.Handle(), ids::NoteEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u0436"));
  EXPECT_EQ(form->NoteEdit.Text(), "\xE6");
}

}  // namespace
