#include "bench/RunOptions.h"

namespace bench {

namespace {

struct Effect {
  std::string token;
  std::string iniLine;
  std::string label;
};

Effect TakeEffect(const std::string& key, bool on) {
  const char digit = on ? '1' : '0';
  return {key + "=" + digit + " ", key + "=" + digit, on ? "Enabled" : "Disabled"};
}

}  // namespace

RunOptions CaptureRunOptions(const RunOptionControls& controls, const RunOptions& previous) {
  RunOptions o;
  static const char* const kSwitch[] = {"shader=1", "shader=2", "shader=3"};
  static const char* const kIniLine[] = {"ShaderModel=1", "ShaderModel=2", "ShaderModel=3"};
  static const char* const kLabel[] = {"1.1", "2.0", "3.0"};
  if (controls.ShaderIndex >= 0 && controls.ShaderIndex <= 2) {
    o.ShaderSwitch = kSwitch[controls.ShaderIndex];
    o.ShaderIniLine = kIniLine[controls.ShaderIndex];
    o.ShaderLabel = kLabel[controls.ShaderIndex];
  } else {
    o.ShaderSwitch = previous.ShaderSwitch;
    o.ShaderIniLine = previous.ShaderIniLine;
    o.ShaderLabel = previous.ShaderLabel;
  }

  const Effect parallax = TakeEffect("ParallaxMapping", controls.ParallaxMapping);
  const Effect soft = TakeEffect("HQSoftShadows", controls.HQSoftShadows);
  const Effect hdr = TakeEffect("HDR", controls.HDR);
  const Effect tone = TakeEffect("ToneMapping", controls.ToneMapping);
  o.ExtraSwitches = parallax.token + soft.token + hdr.token + tone.token;
  o.ParallaxIniLine = parallax.iniLine;
  o.HQSoftShadowsIniLine = soft.iniLine;
  o.HDRIniLine = hdr.iniLine;
  o.ToneMappingIniLine = tone.iniLine;
  o.ParallaxLabel = parallax.label;
  o.HQSoftShadowsLabel = soft.label;
  o.HDRLabel = hdr.label;
  o.ToneMappingLabel = tone.label;
  o.HWShadowMappingLabel = controls.HSMapping ? "Enabled" : "Disabled";
  return o;
}

}  // namespace bench
