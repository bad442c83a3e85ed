#pragma once
// The option set the option pages edit. The controls hold the live values; this is a
// snapshot of them (TForm1::CurrentSettings), taken for instance when a run starts.
#include <array>
#include <string>

#include "launcher/ResolutionEntry.h"

namespace launcher {

struct BenchSettings {
  std::array<bool, kResolutionCount> Resolutions{};  // by ResolutionEntry::Index
  int Demo = 0;        // 0 none, 1..3 built-in demos, 4 the user's own demo
  int Mapname = -1;    // index into the map list, -1 none selected
  std::string Demoname;
  std::string ResultPath;
  std::string Note;
  bool Addinfo = false;
  bool UseProxy = false;
  std::string ProxyServer, ProxyPort, ProxyUsername;
  std::string ProxyPassword;  // in clear; only the store holds it encoded
  int ShaderProfile = 0;      // 1 = 1.1, 2 = 2.0, 3 = 3.0, 0 none chosen yet
  bool ParallaxMapping = false, HQSoftShadows = false, HDR = false, ToneMapping = false,
       HSMapping = false;
};

}  // namespace launcher
