#pragma once
// The demo a run plays: the map the game loads and the demo file it replays, fixed once
// when the run starts; a built-in demo is put into the game's System folder on the way.
#include <array>
#include <string>

#include "platform/FileSystem.h"
#include "procs/JvSHFileOperation.h"

namespace bench {

struct DemoChoice {
  std::string MapName;   // first argument of the game
  std::string DemoFile;  // bare file name, after "-playtimedemo="
};

struct BuiltInDemo {
  const char* Caption;  // item caption in `demo`
  const char* MapName;
  const char* DemoFile;  // also its name below the launcher's "Demos\" folder
};

// Items 0 to 2 of `demo`; item 3 is the user-defined demo.
const std::array<BuiltInDemo, 3>& BuiltInDemos();
inline constexpr int kUserDemoItem = 3;
inline constexpr char kUserDemoCaption[] = "User defined demo";

// The demo controls as they stand when the run starts.
struct DemoControls {
  int Selected = -1;          // item of `demo`, -1 none
  std::string MapnameText;    // text of MapnameBox
  std::string DemoEditText;   // text of DemoEdit
};

// With no item selected the choice of `previous` stays (the caller refuses such a run).
// A built-in demo missing from `systemFolder` is copied there from `programFolder` +
// "Demos\"; one already there is never replaced. Both folders end in "\".
DemoChoice PlaceDemo(const DemoControls& controls, const DemoChoice& previous, const std::string& programFolder,
                     const std::string& systemFolder, platform::FileSystem& files, TJvSHFileOperation& fileOp);

// False when the text holds a character that the command interpreter would act on in
// the batch line (& | < > ^ % ") or a control character.
bool IsSafeForBatch(const std::string& text);

// The check of a user-defined demo before a run: the DemoEdit name is an existing file
// (taken against the current directory), the map box is not on its prompt item (index 0;
// a typed name with no selection passes), and neither name could run as a command.
bool CustomDemoParametersOk(platform::FileSystem& files, const std::string& demoEditText, int mapnameIndex,
                            const std::string& mapnameText);

}  // namespace bench
