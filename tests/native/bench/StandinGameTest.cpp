// The stand-in game: its checks agree with what the launcher writes, and its switches
// reach every ending a real game can have. The native build of the stand-in is run as a
// process from a throw-away "System" folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "StandinLogic.h"
#include "bench/BatchCommand.h"
#include "bench/GameConfigWriter.h"
#include "bench/Report.h"
#include "platform/Text.h"

namespace fs = std::filesystem;
using namespace bench;

namespace {

std::vector<std::string> Arguments(const std::string& command) {
  // The batch line as cmd.exe hands it over: program name first, split at blanks.
  std::vector<std::string> out;
  std::istringstream in(command);
  for (std::string word; in >> word;) out.push_back(word);
  out.erase(out.begin());
  return out;
}

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

}  // namespace

TEST(StandinChecks, AcceptWhatTheLauncherWritesForEveryResolutionAndOption) {
  const DemoChoice demo{"02_Cargoship", "02_voru3v.dem"};
  for (int shader = 0; shader < 3; ++shader) {
    for (int mask = 0; mask < 32; mask += 7) {
      const RunOptions options = CaptureRunOptions(
          RunOptionControls{shader, (mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, (mask & 8) != 0, false});
      const bool hsMapping = (mask & 16) != 0;
      for (int step = 0; step < 6; ++step) {
        TemplateCopy memo5;
        GameConfigWriter::ApplyRunSettings(memo5, options, StepAt(step), hsMapping);
        standin::Invocation run;
        std::string error;
        ASSERT_TRUE(standin::ParseCommandLine(Arguments(BuildBenchCommand(demo, options, StepAt(step))), run, error))
            << error;
        EXPECT_EQ(run.width, StepAt(step).Width);
        EXPECT_EQ(run.height, StepAt(step).Height);
        bool hw = !hsMapping;
        EXPECT_TRUE(standin::CheckConfig(memo5.FileBytes(), run, hw, error)) << error;
        EXPECT_EQ(hw, hsMapping);
      }
    }
  }
}

TEST(StandinChecks, RefuseAConfigurationThatDisagreesWithTheCommandLine) {
  standin::Invocation run;
  std::string error;
  ASSERT_TRUE(standin::ParseCommandLine(
      Arguments("@x 01_Lighthouse -playtimedemo=01_Lighthouse.dem 800 600 -nosound shader=2 ParallaxMapping=1 "
                "HQSoftShadows=0 HDR=0 ToneMapping=0 "),
      run, error));
  TemplateCopy pristine;  // still 1024 x 768, shader 1, no parallax
  bool hw = false;
  EXPECT_FALSE(standin::CheckConfig(pristine.FileBytes(), run, hw, error));
  EXPECT_NE(error.find("fullscreenviewportx=1024"), std::string::npos);
}

TEST(StandinChecks, RefuseMalformedCommandLines) {
  const char* bad[] = {
      "@x 01_Lighthouse -playtimedemo=a.dem 640 480 -nosound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0",
      "@x 01_Lighthouse -playtimedemo= 640 480 -nosound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0",
      "@x 01_Lighthouse -playtimedemo=a.dem 640 480 -sound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0",
      "@x 01_Lighthouse -playtimedemo=a.dem 640 480 -nosound shader= ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0",
      "@x 01_Lighthouse -playtimedemo=a.dem 640 480 -nosound shader=1 HQSoftShadows=0 ParallaxMapping=0 HDR=0 ToneMapping=0",
      "@x 01_Lighthouse -playtimedemo=a.dem wide 480 -nosound shader=1 ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0",
  };
  for (const char* command : bad) {
    standin::Invocation run;
    std::string error;
    EXPECT_FALSE(standin::ParseCommandLine(Arguments(command), run, error)) << command;
  }
}

TEST(StandinChecks, PlaceholderDemosMustMatchTheirMap) {
  standin::Invocation run;
  run.map = "03_Bank";
  run.demo = "03_voru3v.dem";
  std::string error;
  EXPECT_TRUE(standin::CheckDemo("LUMENRIG PLACEHOLDER DEMO\r\nMap=03_Bank\r\n", run, error));
  EXPECT_FALSE(standin::CheckDemo("LUMENRIG PLACEHOLDER DEMO\r\nMap=01_Lighthouse\r\n", run, error));
  EXPECT_TRUE(standin::CheckDemo("\x01\x02 someone's recording", run, error));
  EXPECT_FALSE(standin::CheckDemo("", run, error));
}

TEST(StandinSwitches, WidthSpecificEntriesBeatGeneralOnesAndLaterEntriesWin) {
  auto settings = standin::ParseSettings("# test\r\nresult = short\r\nexitcode=3;delay=250\nresult.1024=none;"
                                         "crash.2048=1;exitcode=7");
  auto at640 = standin::ResolveSwitches(settings, 640);
  EXPECT_EQ(at640.result, "short");
  EXPECT_EQ(at640.exitCode, 7);
  EXPECT_EQ(at640.delayMs, 250u);
  EXPECT_FALSE(at640.crash);
  EXPECT_EQ(standin::ResolveSwitches(settings, 1024).result, "none");
  EXPECT_TRUE(standin::ResolveSwitches(settings, 2048).crash);
}

TEST(StandinFrameRate, FallsWithSizeAndFeatures) {
  standin::Invocation small{"m", "d", 640, 480, 1};
  standin::Invocation large{"m", "d", 2048, 1536, 1};
  standin::Invocation heavy{"m", "d", 640, 480, 3, true, true, true, true};
  EXPECT_GT(standin::FrameRate(small, false), standin::FrameRate(large, false));
  EXPECT_GT(standin::FrameRate(small, false), standin::FrameRate(heavy, false));
  EXPECT_GT(standin::FrameRate(small, false), standin::FrameRate(small, true));
  // The launcher's score is the first five characters: a whole number with a decimal part.
  std::string score;
  ASSERT_TRUE(ScoreFromResult(standin::ResultText(small, standin::FrameRate(small, false), true), score));
  EXPECT_EQ(score, "160.0");
  EXPECT_FALSE(ScoreFromResult(standin::ResultText(small, 160.0, false), score));
}

class StandinProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("standin-" + std::to_string(getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "system");
    fs::copy_file(STANDIN_EXE, dir / "system" / "Splintercell3");
    WriteText(dir / "system" / "01_Lighthouse.dem", "LUMENRIG PLACEHOLDER DEMO\r\nMap=01_Lighthouse\r\n");
    WriteConfig(StepAt(0), false);
  }
  void TearDown() override { fs::remove_all(dir); }

  void WriteConfig(const BenchStep& step, bool hsMapping) {
    TemplateCopy memo5;
    GameConfigWriter::ApplyRunSettings(memo5, Options(), step, hsMapping);
    WriteText(dir / "SplinterCell3.ini", memo5.FileBytes());
  }
  static RunOptions Options() { return CaptureRunOptions(RunOptionControls{0}); }

  // Runs the stand-in for `step` with the given switches; returns the wait status.
  int Run(const BenchStep& step, const std::string& switches = "") {
    const std::string command = BuildBenchCommand({"01_Lighthouse", "01_Lighthouse.dem"}, Options(), step);
    const std::string env = "config=" + (dir / "SplinterCell3.ini").string() + ";log=" + (dir / "runs.log").string() +
                            (switches.empty() ? "" : ";" + switches);
    const std::string shell = "cd '" + (dir / "system").string() + "' && LUMENRIG_STANDIN='" + env + "' ./Splintercell3" +
                              command.substr(command.find(' ')) + " >/dev/null 2>&1";
    return std::system(shell.c_str());
  }
  static int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
  fs::path Result() { return dir / "system" / "TimeDemoResult.xls"; }

  fs::path dir;
};

TEST_F(StandinProcess, WritesAThreeLineResultWhoseRateFollowsTheResolution) {
  ASSERT_EQ(ExitCode(Run(StepAt(0))), 0);
  std::string small, large;
  ASSERT_TRUE(ScoreFromResult(ReadText(Result()), small));
  WriteConfig(StepAt(5), false);
  ASSERT_EQ(ExitCode(Run(StepAt(5))), 0);
  ASSERT_TRUE(ScoreFromResult(ReadText(Result()), large));
  EXPECT_GT(std::stod(small), std::stod(large));
  const std::string text = ReadText(Result());
  EXPECT_EQ(text.find(standin::kBanner), 0u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_NE(ReadText(dir / "runs.log").find("01_Lighthouse -playtimedemo=01_Lighthouse.dem 2048 1536 -nosound"),
            std::string::npos);
}

TEST_F(StandinProcess, SwitchesGiveNoResultAShortResultAnExitCodeADelayAndACrash) {
  EXPECT_EQ(ExitCode(Run(StepAt(0), "result=none;exitcode=9")), 9);
  EXPECT_FALSE(fs::exists(Result()));

  EXPECT_EQ(ExitCode(Run(StepAt(0), "result=short")), 0);
  EXPECT_EQ(text::SplitLines(ReadText(Result())).size(), 2u);
  fs::remove(Result());

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ExitCode(Run(StepAt(0), "delay=400")), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
  fs::remove(Result());

  const int crashed = Run(StepAt(0), "crash=1");
  EXPECT_FALSE(WIFEXITED(crashed) && WEXITSTATUS(crashed) == 0);
  EXPECT_FALSE(fs::exists(Result()));
}

TEST_F(StandinProcess, TheControlFileNextToTheExecutableSetsSwitchesForOneWidth) {
  WriteText(dir / "system" / standin::kControlFile, "result.640=none\r\nexitcode=4\r\n");
  EXPECT_EQ(ExitCode(Run(StepAt(0))), 4);
  EXPECT_FALSE(fs::exists(Result()));
}

TEST_F(StandinProcess, RefusesAMissingDemoAMissingConfigurationAndAMismatch) {
  fs::remove(dir / "system" / "01_Lighthouse.dem");
  EXPECT_EQ(ExitCode(Run(StepAt(0))), standin::kExitDemoMissing);
  WriteText(dir / "system" / "01_Lighthouse.dem", "LUMENRIG PLACEHOLDER DEMO\r\nMap=01_Lighthouse\r\n");

  EXPECT_EQ(ExitCode(Run(StepAt(1))), standin::kExitConfigMismatch);  // the file is still for 640 x 480

  fs::remove(dir / "SplinterCell3.ini");
  EXPECT_EQ(ExitCode(Run(StepAt(0))), standin::kExitConfigMissing);
  EXPECT_FALSE(fs::exists(Result()));
  EXPECT_NE(ReadText(dir / "runs.log").find("-> exit 4"), std::string::npos);
}
