// The navigation bar: groups that open and close, at most one open, items that click.
#include <gtest/gtest.h>

#include "ui/GroupBar.h"
#include "UiTestSupport.h"

namespace {

class GroupBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.Create(host.Handle(), 10, 10, 120, 209);
    options = &bar.AddGroup("Options", {"Paths & information", "Base settings", "Shader profiles", "Add. settings"});
    help = &bar.AddGroup("Help", {"Benchmark help", "Our Sponsor", "Update benchmark", "About...", "Homepage"});
  }
  static bool ItemsShown(ui::GroupBarGroup& group) {
    bool all = true;
    for (size_t i = 0; i < group.Count(); ++i) all = all && IsWindowVisible(group.Item(i).Handle());
    return all;
  }
  static bool ItemsHidden(ui::GroupBarGroup& group) {
    for (size_t i = 0; i < group.Count(); ++i)
      if (IsWindowVisible(group.Item(i).Handle())) return false;
    return true;
  }
  uitest::HostWindow host;
  ui::GroupBar bar;
  ui::GroupBarGroup* options = nullptr;
  ui::GroupBarGroup* help = nullptr;
};

TEST_F(GroupBarTest, StartsClosedAndKeepsAtMostOneGroupOpen) {
  EXPECT_EQ(bar.OpenGroup(), -1);
  EXPECT_TRUE(ItemsHidden(*options) && ItemsHidden(*help));

  uitest::ClickThroughParent(options->Handle());
  EXPECT_EQ(bar.OpenGroup(), 0);
  EXPECT_TRUE(ItemsShown(*options));

  // Opening "Help" closes "Options".
  uitest::ClickThroughParent(help->Handle());
  EXPECT_EQ(bar.OpenGroup(), 1);
  EXPECT_TRUE(ItemsHidden(*options));
  EXPECT_TRUE(ItemsShown(*help));

  // Its caption again closes it.
  SendMessageW(help->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(bar.OpenGroup(), -1);
  EXPECT_TRUE(ItemsHidden(*help));
}

TEST_F(GroupBarTest, TheOpenGroupPushesTheNextOneDown) {
  RECT closed;
  GetWindowRect(help->Handle(), &closed);
  bar.SetOpenGroup(0);
  RECT pushed;
  GetWindowRect(help->Handle(), &pushed);
  EXPECT_GE(pushed.top - closed.top, static_cast<LONG>(options->Count()) * ui::GroupBarGroup::kItemHeight);
  // Every item of the open group lies inside the bar.
  RECT barRect, last;
  GetWindowRect(bar.Handle(), &barRect);
  GetWindowRect(options->Item(options->Count() - 1).Handle(), &last);
  EXPECT_LE(last.bottom, barRect.bottom);
}

TEST_F(GroupBarTest, AMouseClickOnTheCaptionOpensTheGroup) {
  SendMessageW(options->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
  EXPECT_EQ(bar.OpenGroup(), 0);
}

TEST_F(GroupBarTest, ItemsReportTheirClicksHoweverTheyCome) {
  int clicked = -1, count = 0;
  for (size_t i = 0; i < help->Count(); ++i)
    help->Item(i).OnClick = [&, i] { clicked = static_cast<int>(i), ++count; };
  bar.SetOpenGroup(1);
  uitest::ClickThroughParent(help->Item(2).Handle());
  EXPECT_EQ(clicked, 2);
  SendMessageW(help->Item(4).Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicked, 4);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(uitest::TextOf(help->Item(2).Handle()), "Update benchmark");
  EXPECT_EQ(uitest::TextOf(help->Handle()), "Help");
}

TEST_F(GroupBarTest, AnOwnerThatDecidesGetsTheCaptionClicksInstead) {
  std::vector<size_t> asked;
  bar.OnCaptionClick = [&](size_t group) { asked.push_back(group); };
  uitest::ClickThroughParent(help->Handle());
  SendMessageW(options->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(asked, (std::vector<size_t>{1, 0}));
  EXPECT_EQ(bar.OpenGroup(), -1);  // the owner has not opened anything yet
  bar.SetOpenGroup(1);
  EXPECT_TRUE(ItemsShown(*help));
}

}  // namespace
