// The option rules and save events of the option pages, after a start-up that loaded a
// known state.
#include <gmock/gmock.h>

#include "LauncherFixture.h"
#include "platform/Exceptions.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class OptionRulesTest : public LauncherTest {
 protected:
  void SetUp() override {
    InstallGame();
    Store({{"ShaderProfile", "3"}, {"Demo", "1"}});
    Start();
    TakeWrites();
  }
  TForm1& f() { return *form; }
};

TEST_F(OptionRulesTest, Shader11AndBackTo30LeavesTheExtrasCleared) {
  ASSERT_TRUE(f().EnableHDR.Checked() && f().EnableToneMapping.Checked());
  f().Shader.SetItemIndex(0);
  EXPECT_FALSE(f().AddSM3.ItemEnabled(0) || f().AddSM3.ItemEnabled(1));
  EXPECT_FALSE(f().AddSM3.Checked(0) || f().AddSM3.Checked(1));
  EXPECT_FALSE(f().EnableHDR.Enabled() || f().EnableHDR.Checked());
  EXPECT_FALSE(f().EnableToneMapping.Enabled() || f().EnableToneMapping.Checked());

  f().Shader.SetItemIndex(2);
  EXPECT_TRUE(f().AddSM3.ItemEnabled(0) && f().AddSM3.ItemEnabled(1));
  EXPECT_FALSE(f().AddSM3.Checked(0) || f().AddSM3.Checked(1));
  EXPECT_TRUE(f().EnableHDR.Enabled());
  EXPECT_FALSE(f().EnableHDR.Checked());
  EXPECT_FALSE(f().EnableToneMapping.Enabled() || f().EnableToneMapping.Checked());
  EXPECT_THAT(TakeWrites(), ElementsAre("ShaderProfile=1", "ShaderProfile=3"));
}

TEST_F(OptionRulesTest, Shader20KeepsTheChecksOfTheExtrasAndClearsHdr) {
  f().Shader.SetItemIndex(0);
  f().Shader.SetItemIndex(1);
  EXPECT_TRUE(f().AddSM3.ItemEnabled(0) && f().AddSM3.ItemEnabled(1));
  EXPECT_FALSE(f().AddSM3.Checked(0) || f().AddSM3.Checked(1));
  f().AddSM3.SetChecked(1, true);
  f().Shader.SetItemIndex(2);
  f().Shader.SetItemIndex(1);
  EXPECT_TRUE(f().AddSM3.Checked(1));
  EXPECT_FALSE(f().EnableHDR.Enabled() || f().EnableToneMapping.Enabled());
  EXPECT_EQ(Stored("ShaderProfile"), "2");
}

TEST_F(OptionRulesTest, Shader30EnablesToneMappingOnlyUnderCheckedHdr) {
  f().Shader.SetItemIndex(1);
  f().Shader.SetItemIndex(2);
  EXPECT_FALSE(f().EnableToneMapping.Enabled());
  f().EnableHDR.SetChecked(true);
  EXPECT_TRUE(f().EnableToneMapping.Enabled());
  EXPECT_FALSE(f().EnableToneMapping.Checked());
}

TEST_F(OptionRulesTest, UncheckingHdrClearsToneMappingWhichThenSavesZero) {
  f().EnableHDR.SetChecked(false);
  EXPECT_FALSE(f().EnableToneMapping.Enabled() || f().EnableToneMapping.Checked());
  f().EnableToneMappingMouseLeave();
  f().EnableHDRMouseLeave();
  EXPECT_THAT(TakeWrites(), ElementsAre("ToneMapping=0", "HDR=0"));
}

TEST_F(OptionRulesTest, ToneMappingSavesOneOnlyWhenEnabledAndChecked) {
  f().EnableToneMappingMouseLeave();
  // Checked but disabled: a state only a profile switch can reach.
  f().EnableToneMapping.SetEnabled(false);
  f().EnableToneMappingMouseLeave();
  EXPECT_THAT(TakeWrites(), ElementsAre("ToneMapping=1", "ToneMapping=0"));
}

TEST_F(OptionRulesTest, HdrSavesItsCheckEvenWhenDisabled) {
  f().EnableHDR.SetEnabled(false);
  f().EnableHDRMouseLeave();
  EXPECT_THAT(TakeWrites(), ElementsAre("HDR=1"));
}

TEST_F(OptionRulesTest, ControlsSaveWhenThePointerLeavesThem) {
  struct Case {
    const char* what;
    std::function<void(TForm1&)> change;
    std::function<void(TForm1&)> leave;
    std::vector<std::string> writes;
  };
  const std::vector<Case> cases = {
      {"AddSM3", [](TForm1& f) { f.AddSM3.SetChecked(0, false); }, [](TForm1& f) { f.AddSM3MouseLeave(); },
       {"ParallaxMapping=0", "HQSoftShadows=1"}},
      {"HSMapping", [](TForm1& f) { f.HSMapping.SetChecked(false); }, [](TForm1& f) { f.HSMappingMouseLeave(); },
       {"HSMapping=0"}},
      {"UseProxyBox", [](TForm1& f) { f.UseProxyBox.SetChecked(true); },
       [](TForm1& f) { f.UseProxyBoxMouseLeave(); }, {"UseProxy=1"}},
      {"NoteEdit", [](TForm1& f) { f.NoteEdit.SetText("fresh drivers"); },
       [](TForm1& f) { f.NoteEditMouseLeave(); }, {"Note=fresh drivers"}},
      {"res", [](TForm1& f) { f.res.SetChecked(2, true); }, [](TForm1& f) { f.resMouseLeave(); },
       {"640=0", "800=0", "1024=1", "1280=0", "1600=0", "2048=0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.change(f());
    EXPECT_THAT(TakeWrites(), IsEmpty());  // nothing is saved before the pointer leaves
    c.leave(f());
    EXPECT_EQ(TakeWrites(), c.writes);
    c.leave(f());  // leaving again writes the same again, harmlessly
    EXPECT_EQ(TakeWrites(), c.writes);
  }
}

TEST_F(OptionRulesTest, AnEmptiedNoteIsNotSaved) {
  Store({{"Note", "keep me"}});
  f().NoteEdit.SetText("x");
  f().NoteEdit.SetText("");
  f().NoteEditMouseLeave();
  EXPECT_EQ(Stored("Note"), "keep me");
}

TEST_F(OptionRulesTest, AResolutionTheDisplayLacksAlwaysSavesZero) {
  LauncherWorld w;
  w.InstallGame();
  w.os.display.Sizes({{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}});
  w.Store({{"2048", "1"}, {"640", "1"}});
  TForm1& f = w.Start();
  f.resMouseLeave();
  EXPECT_EQ(w.Stored("2048"), "0");
  EXPECT_EQ(w.Stored("640"), "1");
}

TEST_F(OptionRulesTest, DemoRuleEnablesTheOwnDemoControlsOnlyForTheFourthChoice) {
  f().MapnameBox.SetItemIndex(3);
  f().demo.SetItemIndex(3);
  EXPECT_TRUE(f().DemoEdit.Enabled() && f().DemoEditButton.Enabled() && f().MapnameBox.Enabled());
  f().demo.SetItemIndex(2);
  EXPECT_FALSE(f().DemoEdit.Enabled() || f().DemoEditButton.Enabled() || f().MapnameBox.Enabled());
  // Disabling keeps the map selection.
  EXPECT_EQ(f().MapnameBox.ItemIndex(), 3);
  EXPECT_THAT(TakeWrites(), ElementsAre("Mapname=3", "Demo=4", "Demo=3"));
}

TEST_F(OptionRulesTest, MapSelectionIsSavedAndTypedNamesAreNot) {
  f().MapnameBox.SetItemIndex(11);
  EXPECT_EQ(Stored("Mapname"), "11");
  f().MapnameBox.SetText("12_MyOwnMap");
  f().MapnameBox.SetText("03_Bank");
  f().MapnameBox.SetText("03_Ban");
  EXPECT_THAT(TakeWrites(), ElementsAre("Mapname=11", "Mapname=3"));
  EXPECT_EQ(f().MapnameBox.ItemIndex(), -1);
}

TEST_F(OptionRulesTest, ProxyBoxFollowsUseProxyAndKeepsTheTexts) {
  ASSERT_FALSE(f().ProxyServerEdit.Enabled());
  f().ProxyServerEdit.SetText("proxy");
  f().UseProxyBox.SetChecked(true);
  for (models::TextBoxModel* box : {&f().ProxyServerEdit, &f().ProxyPortEdit, &f().ProxyUsernameEdit, &f().ProxyPassEdit})
    EXPECT_TRUE(box->Enabled());
  f().UseProxyBox.SetChecked(false);
  EXPECT_FALSE(f().ProxyPortEdit.Enabled());
  EXPECT_EQ(f().ProxyServerEdit.Text(), "proxy");
}

TEST_F(OptionRulesTest, ProxyTextsSaveOnEveryNonEmptyChange) {
  f().ProxyServerEdit.SetText("ab");
  f().ProxyServerEdit.SetText("a");
  f().ProxyServerEdit.SetText("");
  EXPECT_EQ(Stored("ProxyServer"), "a");
  f().ProxyPortEdit.SetText("80x");
  f().ProxyUsernameEdit.SetText("me");
  f().ProxyPassEdit.SetText("pw");
  f().ProxyPassEdit.SetText("");
  EXPECT_THAT(TakeWrites(), ElementsAre("ProxyServer=ab", "ProxyServer=a", "ProxyPort=80x", "ProxyUsername=me",
                                        "ProxyPassword=cHc="));
}

TEST_F(OptionRulesTest, ARefusedWriteShowsTheErrorAndKeepsTheUsersValue) {
  Store({{"ShaderProfile", "3"}});
  os.registry.RefuseWrites(HKLM, settings::SettingsStore::kKeyPath, "ShaderProfile");
  Event([&] { f().Shader.SetItemIndex(0); });
  EXPECT_THAT(os.messages.Texts(), ElementsAre("Failed to set data for 'ShaderProfile'"));
  EXPECT_EQ(os.messages.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(Stored("ShaderProfile"), "3");
  EXPECT_EQ(f().Shader.ItemIndex(), 0);
  // The profile's limits hold even though it could not be stored.
  EXPECT_FALSE(f().EnableHDR.Enabled() || f().EnableHDR.Checked());
}

TEST_F(OptionRulesTest, ARefusedWriteEndsTheSaveEventThere) {
  os.registry.RefuseWrites(HKLM, settings::SettingsStore::kKeyPath, "1024");
  f().res.SetChecked(5, true);
  Event([&] { f().resMouseLeave(); });
  EXPECT_THAT(os.messages.Texts(), ElementsAre("Failed to set data for '1024'"));
  EXPECT_THAT(TakeWrites(), ElementsAre("640=0", "800=0"));
}

// --- The two dialogs of the option pages ------------------------------------------------

TEST_F(OptionRulesTest, ResultsFolderDialog) {
  struct Case {
    const char* chosen;
    const char* stored;
  };
  const Case cases[] = {{"D:\\", "D:\\"}, {"D:\\Results", "D:\\Results\\"}, {"D:\\Results\\", "D:\\Results\\"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    dialogs.nextFolder = c.chosen;
    f().RzToolButton1Click();
    EXPECT_EQ(f().ResEdit.Text(), c.stored);
    EXPECT_EQ(f().ResultsFolder, c.stored);
    EXPECT_EQ(Stored("ResultPath"), c.stored);
  }
}

TEST_F(OptionRulesTest, CancelledDialogsChangeNothing) {
  const std::string folderBefore = f().ResEdit.Text();
  f().RzToolButton1Click();
  f().demo.SetItemIndex(3);
  TakeWrites();
  f().DemoEditButtonClick();
  EXPECT_THAT(dialogs.shown, ElementsAre("folder", "file:Splinter Cell CT demo file (*.dem)|*.dem"));
  EXPECT_EQ(f().ResEdit.Text(), folderBefore);
  EXPECT_EQ(f().DemoEdit.Text(), "");
  EXPECT_THAT(TakeWrites(), IsEmpty());
  EXPECT_THAT(os.shellFiles.requests, IsEmpty());
}

TEST_F(OptionRulesTest, ChosenDemoIsCopiedIntoTheGameFolderAndNamed) {
  os.files.AddFile("E:\\Demos\\mine.dem", "my demo");
  dialogs.nextFile = "E:\\Demos\\mine.dem";
  f().demo.SetItemIndex(3);
  f().DemoEditButtonClick();
  EXPECT_EQ(f().DemoEdit.Text(), "mine.dem");
  EXPECT_EQ(os.files.Content(std::string(kSystemFolder) + "mine.dem"), "my demo");
  EXPECT_EQ(os.files.CurrentDirectory(), "E:\\Demos");
  EXPECT_TRUE(os.files.FileExists(f().DemoEdit.Text()));
  EXPECT_EQ(Stored("Demoname"), "mine.dem");
  ASSERT_EQ(os.shellFiles.requests.size(), 1u);
  EXPECT_EQ(os.shellFiles.requests[0].function, platform::FoCopy);
  EXPECT_EQ(os.shellFiles.requests[0].to, std::string(kSystemFolder) + std::string(2, '\0'));
}

TEST_F(OptionRulesTest, ADemoOfTheSameNameInTheGameFolderIsLeftAlone) {
  os.files.AddFile(std::string(kSystemFolder) + "mine.dem", "the game folder's own");
  os.files.AddFile("E:\\Demos\\mine.dem", "my demo");
  dialogs.nextFile = "E:\\Demos\\mine.dem";
  f().DemoEditButtonClick();
  EXPECT_THAT(os.shellFiles.requests, IsEmpty());
  EXPECT_EQ(os.files.Content(std::string(kSystemFolder) + "mine.dem"), "the game folder's own");
  EXPECT_EQ(Stored("Demoname"), "mine.dem");
}

TEST_F(OptionRulesTest, AFailedDemoCopyStillNamesTheDemo) {
  os.files.AddFile("E:\\Demos\\mine.dem", "my demo");
  os.shellFiles.failWithCode = 0x75;
  dialogs.nextFile = "E:\\Demos\\mine.dem";
  f().DemoEditButtonClick();
  EXPECT_EQ(f().DemoEdit.Text(), "mine.dem");
  EXPECT_EQ(Stored("Demoname"), "mine.dem");
}

TEST(OptionRulesWithoutGameTest, AChosenDemoIsNotCopiedAnywhereWithoutAGameFolder) {
  LauncherWorld w;
  TForm1& f = w.Start();
  w.os.files.AddFile("E:\\Demos\\mine.dem", "my demo");
  w.dialogs.nextFile = "E:\\Demos\\mine.dem";
  f.demo.SetItemIndex(3);
  f.DemoEditButtonClick();
  EXPECT_THAT(w.os.shellFiles.requests, IsEmpty());
  EXPECT_EQ(f.DemoEdit.Text(), "mine.dem");
  EXPECT_EQ(w.Stored("Demoname"), "mine.dem");
}

}  // namespace
