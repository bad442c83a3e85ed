#include "bench/DemoChoice.h"

#include "bench/GameInterface.h"
#include "procs/ShellCopy.h"

namespace bench {

const std::array<BuiltInDemo, 3>& BuiltInDemos() {
  static const std::array<BuiltInDemo, 3> demos = {{
      {"Ubisoft Lighthouse", "01_Lighthouse", "01_Lighthouse.dem"},
      {"Voru3V 2 demo", "02_Cargoship", "02_voru3v.dem"},
      {"Voru3V 3 demo", "03_Bank", "03_voru3v.dem"},
  }};
  return demos;
}

DemoChoice PlaceDemo(const DemoControls& controls, const DemoChoice& previous, const std::string& programFolder,
                     const std::string& systemFolder, platform::FileSystem& files, TJvSHFileOperation& fileOp) {
  if (controls.Selected >= 0 && controls.Selected < static_cast<int>(BuiltInDemos().size())) {
    const BuiltInDemo& demo = BuiltInDemos()[static_cast<size_t>(controls.Selected)];
    DemoChoice choice{demo.MapName, demo.DemoFile};
    // The copy's outcome is not checked: a missing demo shows as a missing result.
    if (!files.FileExists(systemFolder + choice.DemoFile))
      ShellCopy(fileOp, programFolder + kDemosSubfolder + choice.DemoFile, systemFolder);
    return choice;
  }
  if (controls.Selected == kUserDemoItem) return DemoChoice{controls.MapnameText, controls.DemoEditText};
  return previous;
}

bool IsSafeForBatch(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return false;
    switch (c) {
      case '&': case '|': case '<': case '>': case '^': case '%': case '"':
        return false;
      default:
        break;
    }
  }
  return true;
}

bool CustomDemoParametersOk(platform::FileSystem& files, const std::string& demoEditText, int mapnameIndex,
                            const std::string& mapnameText) {
  if (!files.FileExists(demoEditText)) return false;
  if (mapnameIndex == 0) return false;
  return IsSafeForBatch(demoEditText) && IsSafeForBatch(mapnameText);
}

}  // namespace bench
