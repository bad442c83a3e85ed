#include <gtest/gtest.h>

#include <map>

#include "BenchFixture.h"
#include "bench/BenchErrors.h"
#include "bench/GameConfigWriter.h"
#include "platform/Text.h"

using namespace bench;

namespace {

RunOptions Options(int shader, bool parallax = false, bool soft = false, bool hdr = false, bool tone = false) {
  return CaptureRunOptions(RunOptionControls{shader, parallax, soft, hdr, tone, false});
}

// Line number -> (template line, written line) for every line that differs.
std::map<size_t, std::pair<std::string, std::string>> Differences(const std::string& written) {
  std::map<size_t, std::pair<std::string, std::string>> out;
  const auto lines = text::SplitLines(written);
  EXPECT_EQ(lines.size(), PristineTemplate().size());
  for (size_t i = 0; i < lines.size() && i < PristineTemplate().size(); ++i)
    if (lines[i] != PristineTemplate()[i]) out[i] = {PristineTemplate()[i], lines[i]};
  return out;
}

std::vector<std::string> WrittenLines(const std::map<size_t, std::pair<std::string, std::string>>& diff) {
  std::vector<std::string> out;
  for (const auto& [line, change] : diff) out.push_back(change.second);
  return out;
}

}  // namespace

class GameConfigWriterTest : public BenchFixture {
 protected:
  std::string Ini() { return configFolder + "SplinterCell3.ini"; }
  std::string Old() { return configFolder + "SplinterCell3_old.ini"; }
  // One write as the run controller makes it: working copy reset first.
  void Write(int stepIndex, const RunOptions& options, bool hsMapping, BackupMode mode) {
    memo5.Reset();
    writer.WriteGameConfig(memo5, configFolder, options, StepAt(stepIndex), hsMapping, mode);
  }

  TemplateCopy memo5;
  GameConfigWriter writer{fake.files, fileOp, fake.clock};
};

TEST_F(GameConfigWriterTest, At1024WithShader11AndNothingOnTheFileIsTheTemplate) {
  Write(2, Options(0), false, BackupMode::TakeBackup);
  EXPECT_EQ(fake.files.Content(Ini()), TemplateCopy().FileBytes());
}

TEST_F(GameConfigWriterTest, EachOptionChangesOnlyItsOwnLine) {
  struct Case {
    const char* name;
    RunOptions options;
    bool hsMapping;
    std::vector<std::string> changed;  // in file order
  } cases[] = {
      {"shader 2.0", Options(1), false, {"ShaderModel=2"}},
      {"shader 3.0", Options(2), false, {"ShaderModel=3"}},
      {"parallax", Options(0, true), false, {"ParallaxMapping=1"}},
      {"soft shadows", Options(0, false, true), false, {"HQSoftShadows=1"}},
      {"hdr", Options(0, false, false, true), false, {"HDR=1"}},
      {"tone mapping", Options(0, false, false, false, true), false, {"ToneMapping=1"}},
      {"shadow mapping", Options(0), true, {"UseHWShadowMapping=True"}},
      {"everything", Options(2, true, true, true, true), true,
       {"ShaderModel=3", "ParallaxMapping=1", "HQSoftShadows=1", "HDR=1", "ToneMapping=1", "UseHWShadowMapping=True"}},
  };
  for (const auto& c : cases) {
    Write(2, c.options, c.hsMapping, BackupMode::LaterWrite);
    EXPECT_EQ(WrittenLines(Differences(fake.files.Content(Ini()))), c.changed) << c.name;
  }
}

TEST_F(GameConfigWriterTest, EachResolutionChangesTheTwoFullscreenLinesOnly) {
  const char* expected[][2] = {{"FullscreenViewportX=640", "FullscreenViewportY=480"},
                               {"FullscreenViewportX=800", "FullscreenViewportY=600"},
                               {nullptr, nullptr},
                               {"FullscreenViewportX=1280", "FullscreenViewportY=1024"},
                               {"FullscreenViewportX=1600", "FullscreenViewportY=1200"},
                               {"FullscreenViewportX=2048", "FullscreenViewportY=1536"}};
  for (int i = 0; i < 6; ++i) {
    Write(i, Options(0), false, BackupMode::LaterWrite);
    auto diff = Differences(fake.files.Content(Ini()));
    if (!expected[i][0]) {
      EXPECT_TRUE(diff.empty());
      continue;
    }
    ASSERT_EQ(diff.size(), 2u) << i;
    EXPECT_EQ(diff.begin()->second, std::make_pair(std::string("FullscreenViewportX=1024"), std::string(expected[i][0])));
    EXPECT_EQ(diff.rbegin()->second, std::make_pair(std::string("FullscreenViewportY=768"), std::string(expected[i][1])));
  }
  // The windowed size never changes.
  EXPECT_NE(fake.files.Content(Ini()).find("\r\nWindowedViewportX=640\r\nWindowedViewportY=480\r\n"), std::string::npos);
}

TEST_F(GameConfigWriterTest, At640TheOptionsAndTheSizeAreTheOnlyChanges) {
  Write(0, Options(2, true, false, true, false), true, BackupMode::LaterWrite);
  EXPECT_EQ(WrittenLines(Differences(fake.files.Content(Ini()))),
            (std::vector<std::string>{"FullscreenViewportX=640", "FullscreenViewportY=480", "ShaderModel=3",
                                      "ParallaxMapping=1", "HDR=1", "UseHWShadowMapping=True"}));
}

TEST_F(GameConfigWriterTest, ARunOverThreeResolutionsLeavesTheUsersFileAsItWas) {
  const std::string users = "[WinDrv.WindowsClient]\r\nFullscreenViewportX=1920\r\n";
  fake.files.AddFile(Ini(), users);

  Write(0, Options(1), false, BackupMode::TakeBackup);
  EXPECT_EQ(fake.files.Content(Old()), users);
  ASSERT_EQ(fake.shellFiles.requests.size(), 1u);
  EXPECT_EQ(fake.shellFiles.requests[0].function, platform::FoMove);
  EXPECT_EQ(fake.shellFiles.requests[0].flags, 0x390);

  Write(3, Options(1), false, BackupMode::LaterWrite);
  Write(5, Options(1), false, BackupMode::LaterWrite);
  EXPECT_EQ(fake.shellFiles.requests.size(), 1u);  // later writes leave the backup alone
  EXPECT_EQ(fake.files.Content(Old()), users);
  EXPECT_NE(fake.files.Content(Ini()).find("FullscreenViewportX=2048"), std::string::npos);

  EXPECT_TRUE(writer.RestoreGameConfig(configFolder));
  EXPECT_EQ(fake.files.Content(Ini()), users);
  EXPECT_FALSE(fake.files.FileExists(Old()));
  EXPECT_EQ(fake.clock.waits, (std::vector<uint32_t>{500}));
}

TEST_F(GameConfigWriterTest, WithoutAUsersFileThereIsNoBackupAndNothingToRestore) {
  Write(0, Options(0), false, BackupMode::TakeBackup);
  Write(1, Options(0), false, BackupMode::LaterWrite);
  EXPECT_FALSE(fake.files.FileExists(Old()));
  EXPECT_TRUE(fake.shellFiles.requests.empty());

  EXPECT_TRUE(writer.RestoreGameConfig(configFolder));
  EXPECT_NE(fake.files.Content(Ini()).find("FullscreenViewportX=800"), std::string::npos);
  EXPECT_TRUE(fake.clock.waits.empty());
}

TEST_F(GameConfigWriterTest, APendingBackupOfTheUserIsKeptAndPutBackAtTheEnd) {
  // An unfinished run left its generated file in place and the user's file aside.
  fake.files.AddFile(Old(), "users own\r\n");
  fake.files.AddFile(Ini(), "generated by the unfinished run\r\n");
  ASSERT_TRUE(HasPendingBackup(fake.files, configFolder, "1"));

  Write(4, Options(0), false, BackupMode::KeepPendingBackup);
  EXPECT_EQ(fake.files.Content(Old()), "users own\r\n");
  EXPECT_NE(fake.files.Content(Ini()).find("FullscreenViewportX=1600"), std::string::npos);
  EXPECT_TRUE(fake.shellFiles.requests.empty());

  EXPECT_TRUE(writer.RestoreGameConfig(configFolder));
  EXPECT_EQ(fake.files.Content(Ini()), "users own\r\n");
}

TEST_F(GameConfigWriterTest, KeepingAPendingBackupThatIsGoneTakesANewOne) {
  fake.files.AddFile(Ini(), "users own\r\n");
  Write(0, Options(0), false, BackupMode::KeepPendingBackup);
  EXPECT_EQ(fake.files.Content(Old()), "users own\r\n");
}

TEST(PendingBackup, NeedsTheBackupFileAndTheFlagFromBeforeTheRun) {
  FakeFileSystem files;
  const std::string folder = "C:\\Cfg\\";
  files.AddFolder(folder);
  EXPECT_FALSE(HasPendingBackup(files, folder, "1"));
  files.AddFile(folder + "SplinterCell3_old.ini", "x");
  EXPECT_TRUE(HasPendingBackup(files, folder, "1"));
  EXPECT_FALSE(HasPendingBackup(files, folder, "0"));
  EXPECT_FALSE(HasPendingBackup(files, folder, ""));
}

TEST_F(GameConfigWriterTest, AFailedBackupWritesNothingAndNamesTheFile) {
  fake.files.AddFile(Ini(), "users own\r\n");
  fake.shellFiles.failWithCode = 32;  // the file is in use
  try {
    Write(0, Options(0), false, BackupMode::TakeBackup);
    FAIL() << "no error";
  } catch (const EBenchFileError& e) {
    EXPECT_EQ(e.kind, EBenchFileError::Kind::ConfigBackup);
    EXPECT_NE(e.Message().find("SplinterCell3.ini"), std::string::npos);
    EXPECT_NE(e.Message().find("not changed"), std::string::npos);
  }
  EXPECT_EQ(fake.files.Content(Ini()), "users own\r\n");
  EXPECT_FALSE(fake.files.FileExists(Old()));
}

TEST_F(GameConfigWriterTest, AMoveThatReportsSuccessButLeavesTheFileIsAFailureToo) {
  // A shell that answers 0 but moved nothing (as Wine can).
  struct LyingShell : platform::ShellFileOperations {
    platform::ShellFileResult Perform(const platform::ShellFileRequest&) override { return {0, false}; }
  } lying;
  TJvSHFileOperation op(lying, fake.files);
  GameConfigWriter w(fake.files, op, fake.clock);
  fake.files.AddFile(Ini(), "users own\r\n");
  EXPECT_THROW(w.WriteGameConfig(memo5, configFolder, Options(0), StepAt(0), false, BackupMode::TakeBackup),
               EBenchFileError);
  EXPECT_EQ(fake.files.Content(Ini()), "users own\r\n");
}

TEST_F(GameConfigWriterTest, AnUnwritableConfigurationIsReportedWithItsPath) {
  const std::string missing = "C:\\NoSuchFolder\\";
  fake.files.MakeUnwritable(Ini());
  for (const std::string& folder : {configFolder, missing}) {
    try {
      memo5.Reset();
      writer.WriteGameConfig(memo5, folder, Options(0), StepAt(0), false, BackupMode::TakeBackup);
      FAIL() << "no error for " << folder;
    } catch (const EBenchFileError& e) {
      EXPECT_EQ(e.kind, EBenchFileError::Kind::ConfigWrite);
      EXPECT_EQ(e.path, folder + "SplinterCell3.ini");
      EXPECT_NE(e.Message().find(folder + "SplinterCell3.ini"), std::string::npos);
    }
  }
}

TEST_F(GameConfigWriterTest, ARestoreThatCannotMoveTheBackupSaysSo) {
  fake.files.AddFile(Old(), "users own\r\n");
  fake.files.AddFile(Ini(), "generated\r\n");
  fake.shellFiles.failWithCode = 5;
  EXPECT_FALSE(writer.RestoreGameConfig(configFolder));
  EXPECT_EQ(fake.files.Content(Old()), "users own\r\n");
}
