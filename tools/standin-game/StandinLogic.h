#pragma once
// The stand-in game's decisions, apart from the process and the file system so that they
// can be tested anywhere: what the command line says, whether the demo and the
// configuration agree with it, which switches apply, and what the result file holds.
#include <map>
#include <string>
#include <vector>

namespace standin {

// Shown on the console and written into every result file: nobody should take this
// program or its numbers for the game's.
inline constexpr char kBanner[] = "Lumenrig stand-in game (not Splinter Cell Chaos Theory)";

// Next to the executable; its "key=value" lines set the behaviour switches.
inline constexpr char kControlFile[] = "StandinControl.txt";
// The same switches from the environment, "key=value" entries separated by ";"; they win
// over the control file.
inline constexpr char kControlVariable[] = "LUMENRIG_STANDIN";
// The first line of our own placeholder demos.
inline constexpr char kDemoMagic[] = "LUMENRIG PLACEHOLDER DEMO";

// Exit codes of the stand-in's own checks.
inline constexpr int kExitBadCommandLine = 2;
inline constexpr int kExitDemoMissing = 3;
inline constexpr int kExitConfigMissing = 4;
inline constexpr int kExitConfigMismatch = 5;

// What the game was asked to do.
struct Invocation {
  std::string map;
  std::string demo;
  int width = 0;
  int height = 0;
  int shader = 0;
  bool parallax = false, softShadows = false, hdr = false, toneMapping = false;
};

// The behaviour switches for one start.
struct Switches {
  std::string result = "normal";  // "normal", "none" (no result file) or "short" (two lines only)
  int exitCode = 0;
  unsigned delayMs = 0;           // wait before the result is written
  bool crash = false;             // end abruptly, as a crashed game does, writing nothing
  std::string configPath;         // the configuration file, when not the game's usual place
  std::string logPath;            // append one line per start here, when set
};

// "key=value" entries separated by ";" or line breaks; blanks around keys and values are
// dropped, keys are lower-cased, later entries win, lines starting with "#" are comments.
std::map<std::string, std::string> ParseSettings(const std::string& text);
// The switches for a start at `width`: "result.1024=none" beats "result=none" at 1024.
Switches ResolveSwitches(const std::map<std::string, std::string>& settings, int width);

// The game's command line, arguments after the program name: map, "-playtimedemo=" demo,
// width, height, "-nosound", "shader=N", then the four effect switches in their order.
bool ParseCommandLine(const std::vector<std::string>& args, Invocation& out, std::string& error);

// The demo must not be empty; one of our placeholders must name the map it was made for.
bool CheckDemo(const std::string& demoBytes, const Invocation& run, std::string& error);

// The configuration must hold the size, shader model and effects of the command line, as
// the game takes them from there. `hwShadowMapping` receives UseHWShadowMapping.
bool CheckConfig(const std::string& iniText, const Invocation& run, bool& hwShadowMapping, std::string& error);

// A made-up frame rate that falls with the pixel count and with every feature switched on.
double FrameRate(const Invocation& run, bool hwShadowMapping);

// The result file: two header lines, then the line that begins with the frame rate
// (left out when `complete` is false). CR LF line ends.
std::string ResultText(const Invocation& run, double fps, bool complete);

}  // namespace standin
