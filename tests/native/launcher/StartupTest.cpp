// The start-up sequence of the main window: splash, game detection and the loading of
// every stored option into the controls.
#include <gmock/gmock.h>

#include "LauncherFixture.h"
#include "launcher/ProductInfo.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class StartupTest : public LauncherTest {};

// The controls as they are designed, before anything is loaded.
void ExpectDesignedOptions(const TForm1& f) {
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_TRUE(f.res.ItemEnabled(i)) << i;
    EXPECT_FALSE(f.res.Checked(i)) << i;
  }
  EXPECT_EQ(f.demo.ItemIndex(), -1);
  EXPECT_FALSE(f.DemoEdit.Enabled());
  EXPECT_FALSE(f.DemoEditButton.Enabled());
  EXPECT_TRUE(f.MapnameBox.Enabled());
  EXPECT_EQ(f.MapnameBox.ItemIndex(), -1);
  EXPECT_EQ(f.Shader.ItemIndex(), -1);
  EXPECT_TRUE(f.AddSM3.ItemEnabled(0) && f.AddSM3.ItemEnabled(1));
  EXPECT_FALSE(f.AddSM3.Checked(0) || f.AddSM3.Checked(1));
  EXPECT_TRUE(f.EnableHDR.Enabled() && f.EnableToneMapping.Enabled());
  EXPECT_FALSE(f.EnableHDR.Checked() || f.EnableToneMapping.Checked());
  EXPECT_FALSE(f.UseProxyBox.Checked());
  EXPECT_TRUE(f.ProxyServerEdit.Enabled() && f.ProxyPassEdit.Enabled());
  EXPECT_FALSE(f.HSMapping.Checked() || f.AddInfoBox.Checked());
  EXPECT_EQ(f.Label21.Text(), "version");
  EXPECT_EQ(f.ResEdit.Text(), "");
  EXPECT_EQ(f.NoteEdit.Text(), "");
}

TEST_F(StartupTest, WithoutTheGameOnlyTheSplashShowsAndTheAboutPageOpens) {
  Store({{"Note", "stored note"}, {"NoErrorWarning", "1"}});
  TForm1& f = Start();
  EXPECT_THAT(log, ElementsAre("splash shown", "wait 4000", "splash closed", "group bar colours"));
  EXPECT_EQ(f.PageControl.Value(), TForm1::PageAbout);
  EXPECT_EQ(f.RzGroupBar1.Value(), TForm1::NoGroup);
  EXPECT_EQ(f.SC3PathEdit.Text(), "");
  EXPECT_EQ(f.GameInstall.SystemFolder, "");
  EXPECT_EQ(f.ProgramFolder, kProgramFolder);
  EXPECT_EQ(f.GameInstall.ConfigFolder, kConfigFolder);
  EXPECT_EQ(f.RzGroupBar1Colours.Color, 0x212322u);
  EXPECT_EQ(f.RzGroupBar1Colours.CaptionText, 0xA6C162u);
  ExpectDesignedOptions(f);
  EXPECT_THAT(TakeWrites(), IsEmpty());
}

TEST_F(StartupTest, AVersionsKeyThatCannotBeOpenedCountsAsNoGame) {
  InstallGame();
  os.registry.DenyAccess(HKLM, launcher::kGameVersionsKeyPath);
  Store({{"Note", "stored note"}});
  TForm1& f = Start();
  EXPECT_THAT(os.messages.Texts(), IsEmpty());
  EXPECT_EQ(f.SC3PathEdit.Text(), "");
  ExpectDesignedOptions(f);
}

TEST_F(StartupTest, AnyOtherGameVersionIsRefusedWithOneMessage) {
  for (const char* version : {"1.05.156", "1.05.158", "1.5", "", "1.05.157 "}) {
    SCOPED_TRACE(version);
    LauncherWorld w;
    w.InstallGame(version);
    w.Store({{"Note", "stored note"}, {"ShaderProfile", "1"}});
    TForm1& f = w.Start();
    EXPECT_THAT(w.os.messages.Texts(),
                ElementsAre("Please update your Splinter Cell game to the latest 1.5 version. More "
                            "information and download links in the help file. The program abort."));
    EXPECT_EQ(w.os.messages.shown[0].buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(f.SC3PathEdit.Text(), "");
    EXPECT_EQ(f.PageControl.Value(), TForm1::PageAbout);
    ExpectDesignedOptions(f);
    EXPECT_THAT(w.os.registry.writes, IsEmpty());
  }
}

TEST_F(StartupTest, AMissingVersionValueIsAWrongVersion) {
  os.registry.AddKey(HKLM, launcher::kGameVersionsKeyPath);
  Start();
  EXPECT_EQ(os.messages.shown.size(), 1u);
}

TEST_F(StartupTest, WithoutTheProgramKeyOnlyTheGameFolderIsShown) {
  InstallGame();
  TForm1& f = Start();
  EXPECT_EQ(f.SC3PathEdit.Text(), kSystemFolder);
  EXPECT_EQ(f.GameInstall.InstallDir, kInstallDir);
  EXPECT_EQ(f.GameInstall.GameVersion, "1.05.157");
  ExpectDesignedOptions(f);
  EXPECT_FALSE(os.registry.KeyExists(HKLM, settings::SettingsStore::kKeyPath));
}

TEST_F(StartupTest, SystemFolderIsAppendedEvenAfterAFinalBackslash) {
  InstallGame();
  os.registry.SetString(HKLM, launcher::kGameKeyPath, "InstallDir", "D:\\SCCT\\");
  EXPECT_EQ(Start().SC3PathEdit.Text(), "D:\\SCCT\\\\system\\");
}

TEST_F(StartupTest, AnEmptyKeyLoadsEveryDefault) {
  InstallGame();
  Store({});
  TForm1& f = Start();
  for (size_t i = 0; i < 6; ++i) EXPECT_FALSE(f.res.Checked(i)) << i;
  EXPECT_EQ(f.demo.ItemIndex(), -1);
  EXPECT_EQ(f.MapnameBox.ItemIndex(), -1);
  EXPECT_EQ(f.DemoEdit.Text(), "");
  EXPECT_EQ(f.ResEdit.Text(), std::string(kProgramFolder) + "Benchmark\\");
  EXPECT_EQ(f.ResultsFolder, f.ResEdit.Text());
  EXPECT_EQ(f.NoteEdit.Text(), "");
  EXPECT_TRUE(f.AddInfoBox.Checked());
  EXPECT_FALSE(f.UseProxyBox.Checked());
  for (models::TextBoxModel* box : {&f.ProxyServerEdit, &f.ProxyPortEdit, &f.ProxyUsernameEdit, &f.ProxyPassEdit}) {
    EXPECT_EQ(box->Text(), "");
    EXPECT_FALSE(box->Enabled());
  }
  EXPECT_EQ(f.Shader.ItemIndex(), 2);
  EXPECT_TRUE(f.AddSM3.Checked(0) && f.AddSM3.Checked(1));
  EXPECT_TRUE(f.EnableHDR.Checked() && f.EnableHDR.Enabled());
  EXPECT_TRUE(f.EnableToneMapping.Checked() && f.EnableToneMapping.Enabled());
  EXPECT_TRUE(f.HSMapping.Checked());
  EXPECT_EQ(f.Label21.Text(), "");
  // Only the normalised profile is written; the results folder default is not.
  EXPECT_THAT(TakeWrites(), ElementsAre("ShaderProfile=3"));
  EXPECT_EQ(Stored("ResultPath"), "<missing>");
  EXPECT_THAT(os.messages.shown, IsEmpty());
}

TEST_F(StartupTest, ShaderProfileSelectsAndNormalisesAndGatesTheExtras) {
  struct Case {
    const char* stored;
    int choice;
    const char* rewritten;
    bool sm3Enabled, parallax, hdrEnabled, hdr, toneEnabled, tone;
  };
  // Every extra is stored as "1": only what the profile allows comes through.
  const Case cases[] = {
      {"1", 0, "1", false, false, false, false, false, false},
      {"2", 1, "2", true, true, false, false, false, false},
      {"3", 2, "3", true, true, true, true, true, true},
      {"7", 2, "3", true, true, true, true, true, true},
      {"", 2, "3", true, true, true, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    LauncherWorld w;
    w.InstallGame();
    w.Store({{"ShaderProfile", c.stored}, {"ParallaxMapping", "1"}, {"HQSoftShadows", "1"}, {"HDR", "1"},
             {"ToneMapping", "1"}});
    TForm1& f = w.Start();
    EXPECT_EQ(f.Shader.ItemIndex(), c.choice);
    EXPECT_EQ(w.Stored("ShaderProfile"), c.rewritten);
    EXPECT_EQ(f.AddSM3.ItemEnabled(0), c.sm3Enabled);
    EXPECT_EQ(f.AddSM3.ItemEnabled(1), c.sm3Enabled);
    EXPECT_EQ(f.AddSM3.Checked(0), c.parallax);
    EXPECT_EQ(f.AddSM3.Checked(1), c.parallax);
    EXPECT_EQ(f.EnableHDR.Enabled(), c.hdrEnabled);
    EXPECT_EQ(f.EnableHDR.Checked(), c.hdr);
    EXPECT_EQ(f.EnableToneMapping.Enabled(), c.toneEnabled);
    EXPECT_EQ(f.EnableToneMapping.Checked(), c.tone);
    // The store keeps the extras the profile cleared until their own save events.
    EXPECT_EQ(w.Stored("HDR"), "1");
  }
}

TEST_F(StartupTest, HdrOffUnderShader3LeavesToneMappingDisabledWhateverItsValue) {
  InstallGame();
  Store({{"ShaderProfile", "3"}, {"HDR", "0"}, {"ToneMapping", "1"}, {"ParallaxMapping", "0"}});
  TForm1& f = Start();
  EXPECT_TRUE(f.EnableHDR.Enabled());
  EXPECT_FALSE(f.EnableHDR.Checked());
  EXPECT_FALSE(f.EnableToneMapping.Enabled());
  EXPECT_FALSE(f.EnableToneMapping.Checked());
  EXPECT_FALSE(f.AddSM3.Checked(0));
  EXPECT_TRUE(f.AddSM3.Checked(1));
}

TEST_F(StartupTest, ResolutionsTheDisplayLacksAreDisabledAndTheirValuesLeftAlone) {
  InstallGame();
  os.display.Sizes({{640, 480}, {800, 600}, {1024, 768}});
  Store({{"640", "1"}, {"800", "0"}, {"1024", "yes"}, {"1280", "1"}, {"1600", "1"}});
  // A value start-up must not read: reading it would raise.
  os.registry.SetValue(HKLM, settings::SettingsStore::kKeyPath, "2048", {platform::RegType::Dword, "1"});
  TForm1& f = Start();
  const bool enabled[] = {true, true, true, false, false, false};
  const bool checked[] = {true, false, false, false, false, false};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(f.res.ItemEnabled(i), enabled[i]) << i;
    EXPECT_EQ(f.res.Checked(i), checked[i]) << i;
  }
  EXPECT_THAT(os.messages.shown, IsEmpty());
  EXPECT_EQ(Stored("1280"), "1");
  EXPECT_EQ(Stored("1600"), "1");
}

TEST_F(StartupTest, DisplaySizesCountOnceWhateverTheirDepthOrRate) {
  InstallGame();
  os.display.modes = {{800, 600, 8, 60}, {800, 600, 32, 75}, {2048, 1536, 32, 60}, {800, 600, 16, 85}};
  Store({{"800", "1"}, {"2048", "1"}, {"640", "1"}});
  TForm1& f = Start();
  EXPECT_FALSE(f.res.ItemEnabled(0));
  EXPECT_TRUE(f.res.Checked(1));
  EXPECT_TRUE(f.res.Checked(5));
}

TEST_F(StartupTest, VersionFileIsCutToThreeCharactersStoredAndRemoved) {
  struct Case {
    const char* content;
    const char* version;
  };
  const Case cases[] = {{"1.1\r\n", "1.1"}, {"1.234\r\nsecond line\r\n", "1.2"}, {"2", "2"}, {"a\r\nb", "a\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    LauncherWorld w;
    w.InstallGame();
    w.Store({{"Programversion", "0.9"}});
    w.os.files.AddFile(std::string(kProgramFolder) + "version.txt", c.content);
    TForm1& f = w.Start();
    EXPECT_EQ(w.Stored("Programversion"), c.version);
    EXPECT_EQ(f.Label21.Text(), c.version);
    EXPECT_EQ(f.Updater->VersionNumber, c.version);
    EXPECT_FALSE(w.os.files.FileExists(std::string(kProgramFolder) + "version.txt"));
  }
}

TEST_F(StartupTest, WithoutAVersionFileTheStoredVersionIsShown) {
  InstallGame();
  Store({{"Programversion", "1.1"}});
  TForm1& f = Start();
  EXPECT_EQ(f.Label21.Text(), "1.1");
  EXPECT_EQ(f.Updater->VersionNumber, "1.1");
  EXPECT_EQ(Stored("Programversion"), "1.1");
}

TEST_F(StartupTest, AnUnreadableVersionFileStopsTheLoadingWithAnErrorBox) {
  InstallGame();
  Store({{"Programversion", "1.0"}, {"640", "1"}, {"Note", "n"}});
  const std::string versionFile = std::string(kProgramFolder) + "version.txt";
  os.files.AddFile(versionFile, "1.1");
  os.files.MakeUnreadable(versionFile);
  TForm1& f = Start();
  ASSERT_EQ(os.messages.shown.size(), 1u);
  EXPECT_EQ(os.messages.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_NE(os.messages.shown[0].text.find("version.txt"), std::string::npos);
  EXPECT_EQ(f.SC3PathEdit.Text(), kSystemFolder);
  EXPECT_EQ(f.PageControl.Value(), TForm1::PageAbout);
  ExpectDesignedOptions(f);
}

TEST_F(StartupTest, AValueOfTheWrongTypeStopsTheLoadingThere) {
  InstallGame();
  Store({{"Demo", "2"}, {"Addinfo", "0"}, {"ShaderProfile", "1"}, {"HSMapping", "1"}});
  os.registry.SetValue(HKLM, settings::SettingsStore::kKeyPath, "Note", {platform::RegType::Binary, "x"});
  TForm1& f = Start();
  EXPECT_THAT(os.messages.Texts(), ElementsAre("Invalid data type for 'Note'"));
  EXPECT_EQ(f.demo.ItemIndex(), 1);    // before the value
  EXPECT_FALSE(f.AddInfoBox.Checked());  // after it: designed state, not the stored "0" rule
  EXPECT_EQ(f.Shader.ItemIndex(), -1);
  EXPECT_FALSE(f.HSMapping.Checked());
}

TEST_F(StartupTest, StoredDemoChoiceRunsTheDemoRule) {
  struct Case {
    const char* stored;
    int choice;
    bool ownDemoControls;
  };
  const Case cases[] = {{"1", 0, false}, {"3", 2, false}, {"4", 3, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    LauncherWorld w;
    w.InstallGame();
    w.Store({{"Demo", c.stored}});
    TForm1& f = w.Start();
    EXPECT_EQ(f.demo.ItemIndex(), c.choice);
    EXPECT_EQ(f.DemoEdit.Enabled(), c.ownDemoControls);
    EXPECT_EQ(f.DemoEditButton.Enabled(), c.ownDemoControls);
    EXPECT_EQ(f.MapnameBox.Enabled(), c.ownDemoControls);
    EXPECT_EQ(w.TakeWrites().front(), std::string("Demo=") + c.stored);
  }
}

TEST_F(StartupTest, UnknownDemoAndMapTextsLeaveNoSelection) {
  // Pairs of a Demo text and a Mapname text, none of them recognised.
  const std::pair<const char*, const char*> cases[] = {
      {"0", "12"}, {"5", ""}, {"", "01"}, {"01", " 3"}, {" 4", "-1"}, {"-1", "11 "}};
  for (const auto& [demoText, mapText] : cases) {
    SCOPED_TRACE(std::string(demoText) + " / " + mapText);
    LauncherWorld w;
    w.InstallGame();
    w.Store({{"Demo", demoText}, {"Mapname", mapText}});
    TForm1& f = w.Start();
    EXPECT_EQ(f.demo.ItemIndex(), -1);
    EXPECT_FALSE(f.DemoEdit.Enabled());
    EXPECT_FALSE(f.DemoEditButton.Enabled());
    EXPECT_TRUE(f.MapnameBox.Enabled());
    EXPECT_EQ(f.MapnameBox.ItemIndex(), -1);
    EXPECT_EQ(w.Stored("Demo"), demoText);
    EXPECT_EQ(w.Stored("Mapname"), mapText);
  }
}

TEST_F(StartupTest, StoredMapIndexSelectsThatItem) {
  InstallGame();
  Store({{"Mapname", "11"}});
  TForm1& f = Start();
  EXPECT_EQ(f.MapnameBox.ItemIndex(), 11);
  EXPECT_EQ(f.MapnameBox.Text(), "11_Kokubososho");
  EXPECT_EQ(Stored("Mapname"), "11");
}

TEST_F(StartupTest, DemoNameIsShownOnlyWhenItExistsInTheCurrentDirectory) {
  InstallGame();
  os.files.AddFile(std::string(kSystemFolder) + "mine.dem", "demo");
  Store({{"Demoname", "mine.dem"}});
  EXPECT_EQ(Start().DemoEdit.Text(), "");

  os.files.ChangeDirectory(kSystemFolder);
  EXPECT_EQ(Start().DemoEdit.Text(), "mine.dem");
}

TEST_F(StartupTest, ResultsFolderFallsBackWhenTheStoredOneIsGone) {
  InstallGame();
  Store({{"ResultPath", "D:\\Old results\\"}});
  TForm1& f = Start();
  EXPECT_EQ(f.ResEdit.Text(), std::string(kProgramFolder) + "Benchmark\\");
  EXPECT_EQ(f.ResultsFolder, f.ResEdit.Text());
  EXPECT_EQ(Stored("ResultPath"), "D:\\Old results\\");

  os.files.AddFolder("D:\\Old results");
  TForm1& again = Start();
  EXPECT_EQ(again.ResEdit.Text(), "D:\\Old results\\");
  EXPECT_EQ(again.ResultsFolder, "D:\\Old results\\");
}

TEST_F(StartupTest, NoteAndReportExtrasAreLoaded) {
  InstallGame();
  Store({{"Note", std::string(60, 'n')}, {"Addinfo", "0"}, {"HSMapping", "0"}});
  TForm1& f = Start();
  EXPECT_EQ(f.NoteEdit.Text(), std::string(50, 'n'));
  EXPECT_FALSE(f.AddInfoBox.Checked());
  EXPECT_FALSE(f.HSMapping.Checked());
}

TEST_F(StartupTest, ProxySettingsAreLoadedAndWrittenBack) {
  InstallGame();
  const std::string password58(58, 'p');
  Store({{"UseProxy", "1"},
         {"ProxyServer", "proxy.local"},
         {"ProxyPort", "3128"},
         {"ProxyUsername", "me"},
         {"ProxyPassword", settings::SettingsStore::EncodePassword(password58)},
         {"ShaderProfile", "3"}});
  TForm1& f = Start();
  EXPECT_TRUE(f.UseProxyBox.Checked());
  EXPECT_EQ(f.ProxyServerEdit.Text(), "proxy.local");
  EXPECT_EQ(f.ProxyPortEdit.Text(), "3128");
  EXPECT_EQ(f.ProxyUsernameEdit.Text(), "me");
  EXPECT_EQ(f.ProxyPassEdit.Text(), password58);
  for (models::TextBoxModel* box : {&f.ProxyServerEdit, &f.ProxyPortEdit, &f.ProxyUsernameEdit, &f.ProxyPassEdit})
    EXPECT_TRUE(box->Enabled());
  EXPECT_THAT(TakeWrites(), ElementsAre("ProxyServer=proxy.local", "ProxyPort=3128", "ProxyUsername=me",
                                        "ProxyPassword=" + settings::SettingsStore::EncodePassword(password58),
                                        "ShaderProfile=3"));
}

TEST_F(StartupTest, ProxyOffDisablesTheBoxesButStillFillsThem) {
  InstallGame();
  Store({{"UseProxy", "yes"}, {"ProxyServer", "proxy.local"}});
  TForm1& f = Start();
  EXPECT_FALSE(f.UseProxyBox.Checked());
  EXPECT_EQ(f.ProxyServerEdit.Text(), "proxy.local");
  EXPECT_FALSE(f.ProxyServerEdit.Enabled());
  EXPECT_FALSE(f.ProxyPassEdit.Enabled());
}

TEST_F(StartupTest, ALeftoverBatchFileIsDeleted) {
  InstallGame();
  Store({});
  const std::string batch = std::string(kSystemFolder) + "lumenrig.bat";
  os.files.AddFile(batch, "old");
  Start();
  EXPECT_FALSE(os.files.FileExists(batch));
}

class CrashFlagTest : public StartupTest {
 protected:
  const std::string config = std::string(kConfigFolder) + "SplinterCell3.ini";
  const std::string backup = std::string(kConfigFolder) + "SplinterCell3_old.ini";
  const std::string question = "The last time an error occured. Do you wish to restore the original settings?";
  void SetUp() override {
    InstallGame();
    Store({{"NoErrorWarning", "1"}, {"HSMapping", "0"}});
  }
};

TEST_F(CrashFlagTest, YesMovesTheBackupBackAndClearsTheFlag) {
  os.files.AddFile(config, "benchmark settings");
  os.files.AddFile(backup, "user settings");
  os.messages.answers = {platform::MsgResult::Yes};
  TForm1& f = Start();
  ASSERT_EQ(os.messages.shown.size(), 1u);
  EXPECT_EQ(os.messages.shown[0].text, question);
  EXPECT_EQ(os.messages.shown[0].buttons, platform::MsgButtons::YesNo);
  EXPECT_EQ(os.files.Content(config), "user settings");
  EXPECT_FALSE(os.files.FileExists(backup));
  EXPECT_EQ(Stored("NoErrorWarning"), "0");
  EXPECT_THAT(os.clock.waits, ElementsAre(4000, 250));
  ASSERT_EQ(os.shellFiles.requests.size(), 1u);
  EXPECT_EQ(os.shellFiles.requests[0].function, platform::FoMove);
  EXPECT_EQ(os.shellFiles.requests[0].from, backup + std::string(2, '\0'));
  EXPECT_EQ(os.shellFiles.requests[0].to, config + std::string(2, '\0'));
  EXPECT_EQ(os.shellFiles.requests[0].flags, 0x390);
  // Step 21 follows the offer.
  EXPECT_FALSE(f.HSMapping.Checked());
}

TEST_F(CrashFlagTest, TheRestoreWorksWhenTheGameLeftNoConfiguration) {
  os.files.AddFile(backup, "user settings");
  Start();
  EXPECT_EQ(os.files.Content(config), "user settings");
  EXPECT_EQ(Stored("NoErrorWarning"), "0");
}

TEST_F(CrashFlagTest, NoKeepsTheFlagAndTheQuestionReturnsNextStart) {
  os.files.AddFile(backup, "user settings");
  os.messages.answers = {platform::MsgResult::No};
  Start();
  EXPECT_EQ(Stored("NoErrorWarning"), "1");
  EXPECT_TRUE(os.files.FileExists(backup));
  EXPECT_THAT(os.clock.waits, ElementsAre(4000));
  Start();
  EXPECT_THAT(os.messages.Texts(), ElementsAre(question, question));
}

TEST_F(CrashFlagTest, YesWithoutABackupChangesNothing) {
  os.files.AddFile(config, "whatever");
  Start();
  EXPECT_EQ(Stored("NoErrorWarning"), "1");
  EXPECT_EQ(os.files.Content(config), "whatever");
  EXPECT_THAT(os.shellFiles.requests, IsEmpty());
}

TEST_F(CrashFlagTest, AFailedMoveKeepsTheFlagForTheNextStart) {
  os.files.AddFile(backup, "user settings");
  os.shellFiles.failWithCode = 0x75;
  Start();
  EXPECT_EQ(Stored("NoErrorWarning"), "1");
  EXPECT_EQ(os.files.Content(backup), "user settings");
}

TEST_F(CrashFlagTest, OnlyExactlyOneAsks) {
  for (const char* flag : {"0", "", "1 ", "true"}) {
    os.messages.shown.clear();
    Store({{"NoErrorWarning", flag}});
    Start();
    EXPECT_THAT(os.messages.shown, IsEmpty()) << flag;
  }
}

}  // namespace
