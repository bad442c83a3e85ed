#include <gtest/gtest.h>

#include "bench/RunOptions.h"

using bench::CaptureRunOptions;
using bench::RunOptionControls;
using bench::RunOptions;

TEST(RunOptions, ShaderItemGivesSwitchIniLineAndLabel) {
  struct Row {
    int item;
    const char *sw, *ini, *label;
  } rows[] = {{0, "shader=1", "ShaderModel=1", "1.1"},
              {1, "shader=2", "ShaderModel=2", "2.0"},
              {2, "shader=3", "ShaderModel=3", "3.0"}};
  for (const auto& row : rows) {
    RunOptionControls c;
    c.ShaderIndex = row.item;
    RunOptions o = CaptureRunOptions(c);
    EXPECT_EQ(o.ShaderSwitch, row.sw);
    EXPECT_EQ(o.ShaderIniLine, row.ini);
    EXPECT_EQ(o.ShaderLabel, row.label);
  }
}

TEST(RunOptions, NoShaderSelectedKeepsThePreviousCapture) {
  RunOptionControls c;
  c.ShaderIndex = 1;
  RunOptions first = CaptureRunOptions(c);
  c.ShaderIndex = -1;
  c.HDR = true;
  RunOptions second = CaptureRunOptions(c, first);
  EXPECT_EQ(second.ShaderSwitch, "shader=2");
  EXPECT_EQ(second.ShaderIniLine, "ShaderModel=2");
  EXPECT_EQ(second.ShaderLabel, "2.0");
  EXPECT_EQ(second.HDRIniLine, "HDR=1");  // the effects are always taken anew
  // In the first run of the process there is nothing to keep.
  RunOptions none = CaptureRunOptions(c);
  EXPECT_EQ(none.ShaderSwitch, "");
  EXPECT_EQ(none.ShaderIniLine, "");
}

TEST(RunOptions, EffectsGiveAllFourTokensInOrderEachFollowedByASpace) {
  RunOptionControls c;
  c.ShaderIndex = 0;
  RunOptions off = CaptureRunOptions(c);
  EXPECT_EQ(off.ExtraSwitches, "ParallaxMapping=0 HQSoftShadows=0 HDR=0 ToneMapping=0 ");
  EXPECT_EQ(off.ParallaxIniLine, "ParallaxMapping=0");
  EXPECT_EQ(off.HQSoftShadowsIniLine, "HQSoftShadows=0");
  EXPECT_EQ(off.HDRIniLine, "HDR=0");
  EXPECT_EQ(off.ToneMappingIniLine, "ToneMapping=0");
  for (const auto* label : {&off.ParallaxLabel, &off.HQSoftShadowsLabel, &off.HDRLabel, &off.ToneMappingLabel,
                            &off.HWShadowMappingLabel})
    EXPECT_EQ(*label, "Disabled");

  // Each effect on its own lands in its own token, line and label only.
  c.HQSoftShadows = true;
  c.ToneMapping = true;
  RunOptions mixed = CaptureRunOptions(c);
  EXPECT_EQ(mixed.ExtraSwitches, "ParallaxMapping=0 HQSoftShadows=1 HDR=0 ToneMapping=1 ");
  EXPECT_EQ(mixed.HQSoftShadowsIniLine, "HQSoftShadows=1");
  EXPECT_EQ(mixed.ToneMappingIniLine, "ToneMapping=1");
  EXPECT_EQ(mixed.ParallaxLabel, "Disabled");
  EXPECT_EQ(mixed.HQSoftShadowsLabel, "Enabled");
  EXPECT_EQ(mixed.HDRLabel, "Disabled");
  EXPECT_EQ(mixed.ToneMappingLabel, "Enabled");

  c = RunOptionControls{2, true, true, true, true, true};
  RunOptions on = CaptureRunOptions(c);
  EXPECT_EQ(on.ExtraSwitches, "ParallaxMapping=1 HQSoftShadows=1 HDR=1 ToneMapping=1 ");
  EXPECT_EQ(on.ParallaxIniLine, "ParallaxMapping=1");
  EXPECT_EQ(on.HDRIniLine, "HDR=1");
  EXPECT_EQ(on.HWShadowMappingLabel, "Enabled");
}

TEST(RunOptions, EffectsAreTakenAsTheControlsShowThemWhateverTheShader) {
  RunOptionControls c;
  c.ShaderIndex = 0;  // shader 1.1 with HDR checked: the rules of the page are not ours to apply
  c.HDR = true;
  EXPECT_EQ(CaptureRunOptions(c).HDRIniLine, "HDR=1");
}
