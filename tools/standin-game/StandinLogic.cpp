#include "StandinLogic.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace standin {

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool ParseNumber(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  out = std::atoi(s.c_str());
  return true;
}

bool ParseFlag(const std::string& arg, const std::string& key, bool& out) {
  if (arg.size() != key.size() + 2 || Lower(arg.substr(0, key.size() + 1)) != Lower(key) + "=") return false;
  const char digit = arg.back();
  if (digit != '0' && digit != '1') return false;
  out = digit == '1';
  return true;
}

}  // namespace

std::map<std::string, std::string> ParseSettings(const std::string& text) {
  std::map<std::string, std::string> out;
  std::string entry;
  auto take = [&] {
    std::string e = Trim(entry);
    entry.clear();
    if (e.empty() || e[0] == '#') return;
    const size_t eq = e.find('=');
    if (eq == std::string::npos) return;
    out[Lower(Trim(e.substr(0, eq)))] = Trim(e.substr(eq + 1));
  };
  for (char c : text) {
    if (c == ';' || c == '\r' || c == '\n') {
      take();
    } else {
      entry += c;
    }
  }
  take();
  return out;
}

Switches ResolveSwitches(const std::map<std::string, std::string>& settings, int width) {
  auto find = [&](const std::string& key, std::string& value) {
    auto it = settings.find(key + "." + std::to_string(width));
    if (it == settings.end()) it = settings.find(key);
    if (it == settings.end()) return false;
    value = it->second;
    return true;
  };
  Switches s;
  std::string v;
  if (find("result", v)) s.result = Lower(v);
  if (find("exitcode", v)) s.exitCode = std::atoi(v.c_str());
  if (find("delay", v)) s.delayMs = static_cast<unsigned>(std::strtoul(v.c_str(), nullptr, 10));
  if (find("crash", v)) s.crash = v == "1" || Lower(v) == "true" || Lower(v) == "yes";
  if (find("config", v)) s.configPath = v;
  if (find("log", v)) s.logPath = v;
  return s;
}

bool ParseCommandLine(const std::vector<std::string>& args, Invocation& out, std::string& error) {
  if (args.size() != 10) {
    error = "expected 10 arguments (map, -playtimedemo=, width, height, -nosound, shader=, four effects), got " +
            std::to_string(args.size());
    return false;
  }
  Invocation run;
  run.map = args[0];
  const std::string demoKey = "-playtimedemo=";
  if (Lower(args[1].substr(0, demoKey.size())) != demoKey || args[1].size() == demoKey.size()) {
    error = "second argument must be -playtimedemo=<demo file>: " + args[1];
    return false;
  }
  run.demo = args[1].substr(demoKey.size());
  if (!ParseNumber(args[2], run.width) || !ParseNumber(args[3], run.height) || run.width == 0 || run.height == 0) {
    error = "width and height must be numbers: " + args[2] + " " + args[3];
    return false;
  }
  if (Lower(args[4]) != "-nosound") {
    error = "fifth argument must be -nosound: " + args[4];
    return false;
  }
  if (Lower(args[5].substr(0, 7)) != "shader=" || !ParseNumber(args[5].substr(7), run.shader) || run.shader < 1 ||
      run.shader > 3) {
    error = "sixth argument must be shader=1, shader=2 or shader=3: " + args[5];
    return false;
  }
  if (!ParseFlag(args[6], "ParallaxMapping", run.parallax) || !ParseFlag(args[7], "HQSoftShadows", run.softShadows) ||
      !ParseFlag(args[8], "HDR", run.hdr) || !ParseFlag(args[9], "ToneMapping", run.toneMapping)) {
    error = "effects must be ParallaxMapping=b HQSoftShadows=b HDR=b ToneMapping=b: " + args[6] + " " + args[7] + " " +
            args[8] + " " + args[9];
    return false;
  }
  out = run;
  return true;
}

bool CheckDemo(const std::string& demoBytes, const Invocation& run, std::string& error) {
  if (demoBytes.empty()) {
    error = "the demo file " + run.demo + " is empty";
    return false;
  }
  if (demoBytes.compare(0, sizeof kDemoMagic - 1, kDemoMagic) != 0) return true;  // someone else's demo
  const std::string key = "\nMap=";
  const size_t at = demoBytes.find(key);
  if (at == std::string::npos) return true;
  const size_t end = demoBytes.find_first_of("\r\n", at + key.size());
  const std::string map = demoBytes.substr(at + key.size(), end == std::string::npos ? end : end - at - key.size());
  if (Lower(map) != Lower(run.map)) {
    error = "the demo " + run.demo + " was recorded on " + map + ", not on " + run.map;
    return false;
  }
  return true;
}

bool CheckConfig(const std::string& iniText, const Invocation& run, bool& hwShadowMapping, std::string& error) {
  // The first value of each key in the two render sections.
  std::map<std::string, std::string> values;
  std::string section;
  std::string line;
  auto take = [&] {
    std::string l = Trim(line);
    line.clear();
    if (l.empty()) return;
    if (l.front() == '[') {
      section = Lower(l);
      return;
    }
    if (section != "[windrv.windowsclient]" && section != "[d3ddrv.d3drenderdevice]") return;
    const size_t eq = l.find('=');
    if (eq == std::string::npos) return;
    values.emplace(Lower(l.substr(0, eq)), l.substr(eq + 1));
  };
  for (char c : iniText) {
    if (c == '\r' || c == '\n') {
      take();
    } else {
      line += c;
    }
  }
  take();

  const std::pair<const char*, std::string> expected[] = {
      {"fullscreenviewportx", std::to_string(run.width)},
      {"fullscreenviewporty", std::to_string(run.height)},
      {"shadermodel", std::to_string(run.shader)},
      {"parallaxmapping", run.parallax ? "1" : "0"},
      {"hqsoftshadows", run.softShadows ? "1" : "0"},
      {"hdr", run.hdr ? "1" : "0"},
      {"tonemapping", run.toneMapping ? "1" : "0"},
  };
  for (const auto& [key, want] : expected) {
    auto it = values.find(key);
    if (it == values.end() || it->second != want) {
      error = std::string("the configuration says ") + key + "=" + (it == values.end() ? "<missing>" : it->second) +
              " but the command line asks for " + want;
      return false;
    }
  }
  auto hw = values.find("usehwshadowmapping");
  hwShadowMapping = hw != values.end() && Lower(hw->second) == "true";
  return true;
}

double FrameRate(const Invocation& run, bool hwShadowMapping) {
  double fps = 160.0 * std::sqrt(640.0 * 480.0 / (static_cast<double>(run.width) * run.height));
  static const double kShader[] = {1.0, 1.0, 0.92, 0.85};
  fps *= kShader[run.shader];
  for (bool on : {run.parallax, run.softShadows, run.hdr, run.toneMapping})
    if (on) fps *= 0.94;
  if (hwShadowMapping) fps *= 0.96;
  return fps;
}

std::string ResultText(const Invocation& run, double fps, bool complete) {
  std::string text = std::string(kBanner) + " - time demo " + run.demo + " on " + run.map + "\r\n";
  text += "Average FPS\tMin FPS\tMax FPS\tWidth\tHeight\tShader\r\n";
  if (complete) {
    char line[160];
    std::snprintf(line, sizeof line, "%.3f\t%.3f\t%.3f\t%d\t%d\t%d\r\n", fps, fps * 0.55, fps * 1.6, run.width,
                  run.height, run.shader);
    text += line;
  }
  return text;
}

}  // namespace standin
