#pragma once
// The shader and effect options of one run, captured once when the run starts, in the
// three forms the run needs: command-line tokens, configuration lines, report labels.
#include <string>

namespace bench {

struct RunOptions {
  std::string ShaderSwitch;   // "shader=1" .. "shader=3"
  std::string ShaderIniLine;  // "ShaderModel=1" .. "ShaderModel=3"
  std::string ShaderLabel;    // "1.1", "2.0", "3.0"
  // "ParallaxMapping=b HQSoftShadows=b HDR=b ToneMapping=b " (b is 0 or 1), last space included.
  std::string ExtraSwitches;
  std::string ParallaxIniLine;       // "ParallaxMapping=0" / "=1"
  std::string HQSoftShadowsIniLine;  // "HQSoftShadows=0" / "=1"
  std::string HDRIniLine;            // "HDR=0" / "=1"
  std::string ToneMappingIniLine;    // "ToneMapping=0" / "=1"
  std::string ParallaxLabel;         // "Enabled" / "Disabled", likewise the others
  std::string HQSoftShadowsLabel;
  std::string HDRLabel;
  std::string ToneMappingLabel;
  std::string HWShadowMappingLabel;
};

// The option controls as they stand when the run starts.
struct RunOptionControls {
  int ShaderIndex = -1;          // selected item of Shader: 0 = 1.1, 1 = 2.0, 2 = 3.0; -1 none
  bool ParallaxMapping = false;  // AddSM3 item 0
  bool HQSoftShadows = false;    // AddSM3 item 1
  bool HDR = false;              // EnableHDR
  bool ToneMapping = false;      // EnableToneMapping
  bool HSMapping = false;        // HSMapping
};

// With no shader selected the three shader fields keep those of `previous` (the last
// capture in this process); the caller refuses such a run before it gets here.
RunOptions CaptureRunOptions(const RunOptionControls& controls, const RunOptions& previous = {});

}  // namespace bench
