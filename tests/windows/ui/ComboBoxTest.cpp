// The map list: what the user types reaches the owner, completed with the first item that
// begins with it; a picked item reports its index; what the program shows reports nothing.
#include <gtest/gtest.h>

#include "ui/ComboBox.h"
#include "ui/Panel.h"
#include "UiTestSupport.h"

namespace {

const std::vector<std::string> kMaps = {"Please select your demo's map", "01_Lighthouse", "02_Cargoship",
                                        "03_Bank", "04_Penthouse", "11_Kokubososho"};

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Notifications reach a toolkit control through a toolkit parent, as on the pages.
    page.Create(host.Handle(), 0, 0, 300, 300);
    box.Create(page.Handle(), 10, 10, 200, 21, kMaps);
    box.OnChanged = [this](int index, const std::string& text) { reported.push_back({index, text}); };
    edit = FindWindowExW(box.Handle(), nullptr, L"EDIT", nullptr);
    ASSERT_NE(edit, nullptr);
  }
  void Type(const wchar_t* keys) {
    for (const wchar_t* k = keys; *k; ++k) SendMessageW(edit, WM_CHAR, *k, 1);
    uitest::Pump();
  }
  uitest::HostWindow host;
  ui::Panel page;
  ui::ComboBox box;
  HWND edit = nullptr;
  std::vector<std::pair<int, std::string>> reported;
};

}  // namespace

TEST_F(ComboBoxTest, TypedTextIsCompletedAndReported) {
  Type(L"04_p");
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), (std::pair<int, std::string>{4, "04_Penthouse"}));
  EXPECT_EQ(box.SelectedIndex(), 4);
}

TEST_F(ComboBoxTest, TextThatIsNoItemIsReportedWithoutASelection) {
  Type(L"my_map");
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), (std::pair<int, std::string>{-1, "my_map"}));
  EXPECT_EQ(box.SelectedIndex(), -1);
}

TEST_F(ComboBoxTest, APickedItemReportsItsIndexAndShownValuesReportNothing) {
  SendMessageW(box.Handle(), CB_SETCURSEL, 5, 0);
  SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], (std::pair<int, std::string>{5, "11_Kokubososho"}));

  box.Show(2, "");
  box.Show(-1, "typed by start-up");
  uitest::Pump();
  EXPECT_EQ(reported.size(), 1u);
  EXPECT_EQ(box.SelectedIndex(), -1);
  EXPECT_EQ(uitest::TextOf(box.Handle()), "typed by start-up");
}
