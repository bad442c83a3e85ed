#include "bench/history/RunJson.h"

#include <charconv>

#include <nlohmann/json.hpp>

namespace bench::history {
namespace {

// The frame rate as a JSON number; null when the game wrote none we could read.
nlohmann::ordered_json FrameRateNumber(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return nullptr;
  return value;
}

}  // namespace

std::string RunJson(const RunFacts& f) {
  using json = nlohmann::ordered_json;
  // The keys stay in the order written, the order a reader of the file expects.
  json resolutions = json::array();
  for (const auto& r : f.Resolutions) {
    resolutions.push_back(json{{"width", r.Width},
                               {"height", r.Height},
                               {"frameRate", FrameRateNumber(r.FrameRate)},
                               {"frameRateText", r.FrameRate},
                               {"score", r.Score}});
  }
  json doc;
  doc["formatVersion"] = kFormatVersion;
  doc["run"] = {{"started", f.Started}, {"reportFile", f.ReportFile}, {"note", f.Note}};
  doc["settings"] = {{"demoFile", f.DemoFile},
                     {"map", f.Map},
                     {"shaderModel", f.ShaderModel},
                     {"parallaxMapping", f.ParallaxMapping},
                     {"hqSoftShadows", f.HQSoftShadows},
                     {"hdr", f.HDR},
                     {"toneMapping", f.ToneMapping},
                     {"hardwareShadowMapping", f.HWShadowMapping}};
  doc["hardware"] = {{"os", f.OS},   {"cpu", f.CPU},             {"memory", f.Memory},
                     {"vga", f.VGA}, {"vgaMemory", f.VGAMemory}, {"vgaDriver", f.VGADriver}};
  doc["resolutions"] = std::move(resolutions);
  // Texts are UTF-8 already; a byte that is not becomes U+FFFD rather than an exception.
  std::string text = doc.dump(2, ' ', false, json::error_handler_t::replace);
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  out += "\r\n";
  return out;
}

std::string RunJsonPath(const std::string& reportPath) {
  const std::string htm = ".htm";
  if (reportPath.size() >= htm.size() && reportPath.compare(reportPath.size() - htm.size(), htm.size(), htm) == 0)
    return reportPath.substr(0, reportPath.size() - htm.size()) + ".json";
  return reportPath + ".json";
}

}  // namespace bench::history
