// Splintercell3.exe, the stand-in: a console program of ours that answers the launcher the
// way the game does in its time-demo mode, so that a whole benchmark run can be watched
// and tested without the game. It plays nothing.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "StandinLogic.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string ExeFolder() {
#ifdef _WIN32
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
#else
  char path[4096] = {};
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string p = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
#endif
  return p.substr(0, p.find_last_of(kSeparator) + 1);
}

// The game's own place for its configuration.
std::string DefaultConfigPath() {
#ifdef _WIN32
  char folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder))) return "";
  return std::string(folder) + "\\Ubisoft\\Tom Clancy's Splinter Cell Chaos Theory\\SplinterCell3.ini";
#else
  return "";
#endif
}

bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return true;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

void AppendLog(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out << line << "\r\n";
}

void Pause(unsigned ms) {
#ifdef _WIN32
  Sleep(ms);
#else
  usleep(static_cast<useconds_t>(ms) * 1000);
#endif
}

[[noreturn]] void Crash() {
  std::fflush(nullptr);
#ifdef _WIN32
  // Ends the way a game that hit an access violation ends, without a debugger's dialog.
  TerminateProcess(GetCurrentProcess(), 0xC0000005u);
#endif
  std::abort();
}

int Fail(const standin::Switches& switches, const std::string& logLine, int code, const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", standin::kBanner, why.c_str());
  AppendLog(switches.logPath, logLine + "\t-> exit " + std::to_string(code) + ": " + why);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  std::printf("%s\n", standin::kBanner);
  const std::string folder = ExeFolder();

  std::string controlText;
  ReadFile(folder + standin::kControlFile, controlText);
  auto settings = standin::ParseSettings(controlText);
  if (const char* env = std::getenv(standin::kControlVariable))
    for (const auto& [key, value] : standin::ParseSettings(env)) settings[key] = value;

  std::vector<std::string> args(argv + 1, argv + argc);
  std::string logLine = "Splintercell3.exe";
  for (const auto& a : args) logLine += " " + a;

  standin::Invocation run;
  std::string error;
  if (!standin::ParseCommandLine(args, run, error))
    return Fail(standin::ResolveSwitches(settings, 0), logLine, standin::kExitBadCommandLine, error);
  const standin::Switches switches = standin::ResolveSwitches(settings, run.width);

  std::string demo;
  if (!ReadFile(folder + run.demo, demo))
    return Fail(switches, logLine, standin::kExitDemoMissing, "no demo file " + folder + run.demo);
  if (!standin::CheckDemo(demo, run, error)) return Fail(switches, logLine, standin::kExitDemoMissing, error);

  const std::string configPath = switches.configPath.empty() ? DefaultConfigPath() : switches.configPath;
  std::string config;
  if (configPath.empty() || !ReadFile(configPath, config))
    return Fail(switches, logLine, standin::kExitConfigMissing, "no configuration file " + configPath);
  bool hwShadowMapping = false;
  if (!standin::CheckConfig(config, run, hwShadowMapping, error))
    return Fail(switches, logLine, standin::kExitConfigMismatch, error);

  std::printf("Playing %s on %s at %d x %d, shader model %d (nothing is drawn).\n", run.demo.c_str(),
              run.map.c_str(), run.width, run.height, run.shader);
  if (switches.delayMs) Pause(switches.delayMs);
  if (switches.crash) {
    AppendLog(switches.logPath, logLine + "\t-> crash");
    Crash();
  }

  const double fps = standin::FrameRate(run, hwShadowMapping);
  if (switches.result != "none") {
    const std::string resultPath = folder + "TimeDemoResult.xls";
    if (!WriteFile(resultPath, standin::ResultText(run, fps, switches.result != "short")))
      return Fail(switches, logLine, 1, "cannot write " + resultPath);
  }
  char summary[64];
  std::snprintf(summary, sizeof summary, "\t-> %.3f fps, result %s, exit %d", fps, switches.result.c_str(),
                switches.exitCode);
  AppendLog(switches.logPath, logLine + summary);
  std::printf("%s\n", summary + 4);
  return switches.exitCode;
}
