#include <gtest/gtest.h>

#include "BenchFixture.h"
#include "bench/BatchCommand.h"
#include "bench/BenchErrors.h"

using namespace bench;

namespace {

RunOptions Shader11AllOff() {
  RunOptionControls c;
  c.ShaderIndex = 0;
  return CaptureRunOptions(c);
}

}  // namespace

TEST(BenchCommand, LighthouseAt640IsConcatenatedPieceByPiece) {
  const DemoChoice demo{"01_Lighthouse", "01_Lighthouse.dem"};
  EXPECT_EQ(BuildBenchCommand(demo, Shader11AllOff(), StepAt(0)),
            "@Splintercell3.exe 01_Lighthouse -playtimedemo=01_Lighthouse.dem 640 480 -nosound shader=1 "
            "ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0 ");
}

TEST(BenchCommand, CarriesTheSizeOfEachOfTheSixResolutions) {
  RunOptionControls c{2, true, false, true, true, false};
  const RunOptions options = CaptureRunOptions(c);
  const DemoChoice demo{"03_Bank", "03_voru3v.dem"};
  const char* sizes[] = {" 640 480 ", " 800 600 ", " 1024 768 ", " 1280 1024 ", " 1600 1200 ", " 2048 1536 "};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(BuildBenchCommand(demo, options, StepAt(i)),
              std::string("@Splintercell3.exe 03_Bank -playtimedemo=03_voru3v.dem") + sizes[i] +
                  "-nosound shader=3 ParallaxMapping=1 HQSoftShadows=0 HDR=1 ToneMapping=1 ");
  }
}

TEST(BenchCommand, EmptyShaderAndDemoLeaveEmptyPieces) {
  // What a run with nothing captured would start; the run controller refuses it first.
  EXPECT_EQ(BuildBenchCommand(DemoChoice{}, CaptureRunOptions(RunOptionControls{}), StepAt(2)),
            "@Splintercell3.exe  -playtimedemo= 1024 768 -nosound  "
            "ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0 ");
}

class BenchBatch : public BenchFixture {};

TEST_F(BenchBatch, HoldsTheOneLineWithCrLfAndReplacesTheLastOne) {
  WriteBenchBatch(fake.files, systemFolder, "@first ");
  WriteBenchBatch(fake.files, systemFolder, "@Splintercell3.exe 02_Cargoship x ");
  EXPECT_EQ(BenchBatchPath(systemFolder), systemFolder + "lumenrig.bat");
  EXPECT_EQ(fake.files.Content(systemFolder + "lumenrig.bat"), "@Splintercell3.exe 02_Cargoship x \r\n");
}

TEST_F(BenchBatch, UnwritableFileIsReportedWithItsPath) {
  fake.files.MakeUnwritable(systemFolder + "lumenrig.bat");
  try {
    WriteBenchBatch(fake.files, systemFolder, "@x ");
    FAIL() << "no error";
  } catch (const EBenchFileError& e) {
    EXPECT_EQ(e.kind, EBenchFileError::Kind::BatchWrite);
    EXPECT_EQ(e.path, systemFolder + "lumenrig.bat");
    EXPECT_NE(e.Message().find(systemFolder + "lumenrig.bat"), std::string::npos);
  }
}
