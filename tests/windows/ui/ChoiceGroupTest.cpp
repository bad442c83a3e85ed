// Check boxes, radio items and their groups: clicks however they come, the state as the
// system reports it, and the pointer leaving a group or a disabled box.
#include <gtest/gtest.h>

#include "ui/ChoiceGroup.h"
#include "ui/Panel.h"
#include "UiTestSupport.h"

namespace {

using uitest::ClickThroughParent;
using uitest::IsChecked;

class ChoiceGroupTest : public ::testing::Test {
 protected:
  uitest::HostWindow host;
};

TEST_F(ChoiceGroupTest, ARadioGroupKeepsOneChoiceAndReportsTheUsersChoice) {
  ui::RadioGroup group;
  group.Create(host.Handle(), 0, 0, 296, 72, " Shader Model Type ",
               {"Shader 1.1", "Shader 2.0 (Only on ATI)", "Shader 3.0 (Read the help)"}, {});
  std::vector<int> reported;
  group.OnSelectionChanged = [&](int i) { reported.push_back(i); };

  ClickThroughParent(group.Item(2).Handle());
  SendMessageW(group.Item(0).Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(reported, (std::vector<int>{2, 0}));
  EXPECT_EQ(group.SelectedIndex(), 0);
  EXPECT_TRUE(IsChecked(group.Item(0).Handle()));
  EXPECT_FALSE(IsChecked(group.Item(2).Handle()));

  // Showing a choice set by the program reports nothing; -1 clears it.
  group.SetSelectedIndex(1);
  group.SetSelectedIndex(-1);
  EXPECT_EQ(reported.size(), 2u);
  for (size_t i = 0; i < group.Count(); ++i) EXPECT_FALSE(IsChecked(group.Item(i).Handle()));
  EXPECT_EQ(uitest::TextOf(group.Handle()), " Shader Model Type ");
  EXPECT_EQ(uitest::TextOf(group.Item(1).Handle()), "Shader 2.0 (Only on ATI)");
}

TEST_F(ChoiceGroupTest, ACheckItemTogglesOnEveryKindOfClickButNotWhenDisabled) {
  ui::CheckGroup group;
  group.Create(host.Handle(), 0, 0, 296, 42, " Additional options for Shader 2.0/3.0 ",
               {"Parallax Mapping", "HQ Soft Shadows"}, {2});
  std::vector<std::pair<size_t, bool>> reported;
  group.OnItemCheckChanged = [&](size_t i) { reported.push_back({i, group.IsChecked(i)}); };

  SendMessageW(group.Item(1).Handle(), BM_CLICK, 0, 0);  // as a mouse click
  ClickThroughParent(group.Item(1).Handle());              // as automation's click
  ClickThroughParent(group.Item(0).Handle());
  EXPECT_EQ(reported, (std::vector<std::pair<size_t, bool>>{{1, true}, {1, false}, {0, true}}));

  group.SetItemEnabled(0, false);
  ClickThroughParent(group.Item(0).Handle());
  EXPECT_TRUE(group.IsChecked(0));
  EXPECT_EQ(reported.size(), 3u);
}

TEST_F(ChoiceGroupTest, LeavingTheGroupIsReportedAndLeavingAnItemInsideItIsNot) {
  ui::CheckGroup group;
  group.Create(host.Handle(), 10, 10, 296, 58, " Resolution ",
               {"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "1600 x 1200", "2048 x 1536"}, {4});
  int left = 0;
  group.OnMouseLeave = [&] { ++left; };

  SendMessageW(group.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, 1);

  // The pointer goes from an item to the group's own background: still inside.
  RECT rc;
  GetWindowRect(group.Handle(), &rc);
  SetCursorPos(rc.left + 3, rc.bottom - 3);
  SendMessageW(group.Item(0).Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, 1);

  // From an item straight out of the group.
  SetCursorPos(rc.right + 40, rc.bottom + 40);
  SendMessageW(group.Item(0).Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, 2);
}

TEST_F(ChoiceGroupTest, ADisabledBoxStillReportsThePointerLeavingIt) {
  // A disabled window gets no mouse messages; its parent gets them and speaks for it.
  ui::Panel frame;
  frame.Create(host.Handle(), 0, 0, 296, 56);
  ui::CheckBox box;
  box.Create(frame.Handle(), 28, 30, 250, 17, "Tone Mapping");
  int left = 0;
  box.OnMouseLeave = [&] { ++left; };
  box.SetEnabled(false);

  SendMessageW(frame.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 36));  // over the box
  SendMessageW(frame.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));   // off it, still in the frame
  EXPECT_EQ(left, 1);
  SendMessageW(frame.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 36));
  SendMessageW(frame.Handle(), WM_MOUSELEAVE, 0, 0);                  // out of the frame from the box
  EXPECT_EQ(left, 2);
  SendMessageW(frame.Handle(), WM_MOUSELEAVE, 0, 0);                  // not over the box any more
  EXPECT_EQ(left, 2);
}

TEST_F(ChoiceGroupTest, ItemsFlowDownTheColumns) {
  ui::CheckGroup group;
  group.Create(host.Handle(), 0, 0, 296, 58, " Resolution ",
               {"640", "800", "1024", "1280", "1600", "2048"}, {4});
  auto topLeft = [&](size_t i) {
    RECT rc;
    GetWindowRect(group.Item(i).Handle(), &rc);
    return POINT{rc.left, rc.top};
  };
  // Two rows: 640 over 800, 1024 over 1280, 1600 over 2048.
  EXPECT_EQ(topLeft(0).x, topLeft(1).x);
  EXPECT_LT(topLeft(0).y, topLeft(1).y);
  EXPECT_EQ(topLeft(0).y, topLeft(2).y);
  EXPECT_LT(topLeft(0).x, topLeft(2).x);
  EXPECT_LT(topLeft(2).x, topLeft(4).x);
  EXPECT_EQ(topLeft(1).y, topLeft(5).y);
}

}  // namespace
