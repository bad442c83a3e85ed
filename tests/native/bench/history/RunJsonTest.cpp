// The run's JSON file against the schema in docs/, and the values it carries.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "bench/history/RunJson.h"
#include "history/HistoryFacts.h"

using nlohmann::json;

namespace {

json Schema() {
  std::ifstream in(std::string(LUMENRIG_SOURCE_DIR) + "/docs/result.schema.json");
  return json::parse(in);
}

bool HasType(const json& value, const std::string& type) {
  if (type == "object") return value.is_object();
  if (type == "array") return value.is_array();
  if (type == "string") return value.is_string();
  if (type == "boolean") return value.is_boolean();
  if (type == "integer") return value.is_number_integer();
  if (type == "number") return value.is_number();
  if (type == "null") return value.is_null();
  return false;
}

// The part of JSON Schema that docs/result.schema.json uses: type, required, properties,
// additionalProperties false, items, enum, const, minItems. Faults are added to `faults`.
void Check(const json& schema, const json& value, const std::string& where, std::vector<std::string>& faults) {
  if (schema.contains("type")) {
    bool ok = false;
    if (schema["type"].is_array()) {
      for (const auto& t : schema["type"]) ok = ok || HasType(value, t.get<std::string>());
    } else {
      ok = HasType(value, schema["type"].get<std::string>());
    }
    if (!ok) {
      faults.push_back(where + ": wrong type");
      return;
    }
  }
  if (schema.contains("const") && value != schema["const"]) faults.push_back(where + ": not the constant");
  if (schema.contains("enum")) {
    bool listed = false;
    for (const auto& e : schema["enum"]) listed = listed || e == value;
    if (!listed) faults.push_back(where + ": not one of the listed values");
  }
  if (value.is_object()) {
    for (const auto& key : schema.value("required", json::array()))
      if (!value.contains(key.get<std::string>())) faults.push_back(where + ": no " + key.get<std::string>());
    const json properties = schema.value("properties", json::object());
    for (const auto& [key, item] : value.items()) {
      if (properties.contains(key))
        Check(properties[key], item, where + "." + key, faults);
      else if (schema.value("additionalProperties", true) == false)
        faults.push_back(where + ": unknown key " + key);
    }
  }
  if (value.is_array()) {
    if (schema.contains("minItems") && value.size() < schema["minItems"].get<size_t>())
      faults.push_back(where + ": too few items");
    if (schema.contains("items"))
      for (size_t i = 0; i < value.size(); ++i)
        Check(schema["items"], value[i], where + "[" + std::to_string(i) + "]", faults);
  }
}

std::vector<std::string> Faults(const json& value) {
  std::vector<std::string> faults;
  Check(Schema(), value, "$", faults);
  return faults;
}

}  // namespace

TEST(RunJson, FollowsItsSchema) {
  auto noHardware = historytest::TwoResolutionRun("2026-12-10T14:05:09", "");
  noHardware.OS = noHardware.CPU = noHardware.Memory = noHardware.VGA = noHardware.VGAMemory = noHardware.VGADriver = "";
  auto unreadable = historytest::TwoResolutionRun();
  unreadable.Resolutions[1].FrameRate = "";
  for (const auto& facts : {historytest::TwoResolutionRun(), noHardware, unreadable}) {
    const std::string text = bench::history::RunJson(facts);
    EXPECT_EQ(Faults(json::parse(text)), std::vector<std::string>{}) << text;
  }
}

TEST(RunJson, TheCheckAgainstTheSchemaFindsWhatIsWrong) {
  json doc = json::parse(bench::history::RunJson(historytest::TwoResolutionRun()));
  doc["settings"]["hdr"] = "Enabled";
  doc["resolutions"][0].erase("score");
  doc["run"]["extra"] = 1;
  EXPECT_EQ(Faults(doc), (std::vector<std::string>{"$.resolutions[0]: no score", "$.run: unknown key extra",
                                                   "$.settings.hdr: wrong type"}));
}

TEST(RunJson, CarriesTheRunsFacts) {
  const std::string text =
      bench::history::RunJson(historytest::TwoResolutionRun("2026-12-10T14:05:09", "caf\xC3\xA9 <b>\"x\"</b>\r\n2"));
  const json doc = json::parse(text);
  EXPECT_EQ(doc["formatVersion"], 1);
  EXPECT_EQ(doc["run"]["started"], "2026-12-10T14:05:09");
  EXPECT_EQ(doc["run"]["reportFile"], "result_12_10_2026_2_05_09_PM.htm");
  EXPECT_EQ(doc["run"]["note"], "caf\xC3\xA9 <b>\"x\"</b>\r\n2");
  EXPECT_NE(text.find("caf\xC3\xA9"), std::string::npos);  // UTF-8 as it is, not \u escapes
  EXPECT_EQ(doc["settings"]["shaderModel"], "3.0");
  EXPECT_EQ(doc["settings"]["parallaxMapping"], true);
  EXPECT_EQ(doc["settings"]["hqSoftShadows"], false);
  EXPECT_EQ(doc["hardware"]["vgaDriver"], "Driver Version: 6.14.0010.8198");
  ASSERT_EQ(doc["resolutions"].size(), 2u);
  EXPECT_EQ(doc["resolutions"][0]["width"], 640);
  EXPECT_EQ(doc["resolutions"][0]["height"], 480);
  EXPECT_DOUBLE_EQ(doc["resolutions"][0]["frameRate"].get<double>(), 61.7349);
  EXPECT_EQ(doc["resolutions"][0]["frameRateText"], "61.7349");
  EXPECT_EQ(doc["resolutions"][0]["score"], "61.73");
  // Keys in the order a reader expects, and CR LF line ends.
  EXPECT_LT(text.find("\"run\""), text.find("\"resolutions\""));
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(RunJson, ItsFileSitsBesideTheReport) {
  EXPECT_EQ(bench::history::RunJsonPath("C:\\Bench\\\\result_1_2.htm"), "C:\\Bench\\\\result_1_2.json");
}
