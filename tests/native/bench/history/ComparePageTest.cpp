// compare.htm: one chart per resolution, highest first, every row's text escaped, nothing
// that an old browser could not show or that comes from elsewhere.
#include <gtest/gtest.h>

#include <regex>

#include "bench/history/ComparePage.h"
#include "history/HistoryFacts.h"

using namespace bench::history;

namespace {

HistoryRow Row(const std::string& started, int width, int height, const std::string& frameRate,
               const std::string& note = "", const std::string& vga = "Card name: GeForce 6800") {
  auto facts = historytest::TwoResolutionRun(started, note);
  facts.VGA = vga;
  facts.Resolutions = {{width, height, frameRate, frameRate.substr(0, 5)}};
  return HistoryRows(facts)[0];
}

// The bars of the chart under a heading, as (label, width) pairs in page order.
std::vector<std::pair<std::string, std::string>> Bars(const std::string& page, const std::string& heading) {
  const size_t from = page.find("<h2>" + heading + "</h2>");
  const size_t to = page.find("</table>", from);
  std::vector<std::pair<std::string, std::string>> bars;
  if (from == std::string::npos) return bars;
  const std::string chart = page.substr(from, to - from);
  const std::regex bar("<td class=\"label\">([^<]*)</td><td class=\"track\"><div class=\"bar\" style=\"width: ([0-9.]+)%\">");
  for (auto it = std::sregex_iterator(chart.begin(), chart.end(), bar); it != std::sregex_iterator(); ++it)
    bars.emplace_back((*it)[1], (*it)[2]);
  return bars;
}

}  // namespace

TEST(ComparePage, EachResolutionChartsEveryRunThatMeasuredItHighestFirst) {
  const std::vector<HistoryRow> rows{
      Row("2026-12-01T10:00:00", 640, 480, "50.5", "first"),
      Row("2026-12-01T10:00:00", 1024, 768, "30"),
      Row("2026-12-02T11:00:00", 640, 480, "101", "second", "Card name: RADEON X800"),
      Row("2026-12-03T12:00:00", 640, 480, "75.75", "third"),
  };
  const std::string page = ComparePage(rows, {});
  const auto small = Bars(page, "Resolution: 640 &times; 480");
  ASSERT_EQ(small.size(), 3u);
  EXPECT_EQ(small[0], (std::pair<std::string, std::string>{
                          "2026-12-02 11:00:00 | Card name: RADEON X800 | Driver Version: 6.14.0010.8198 | SM 3.0 | second",
                          "100.0"}));
  EXPECT_EQ(small[1].second, "75.0");
  EXPECT_EQ(small[2].second, "50.0");
  EXPECT_EQ(Bars(page, "Resolution: 1024 &times; 768").size(), 1u);
  // The smaller resolution comes first, then the table of all rows in file order.
  EXPECT_LT(page.find("640 &times; 480"), page.find("1024 &times; 768"));
  const size_t table = page.find("<h2>All results</h2>");
  ASSERT_NE(table, std::string::npos);
  EXPECT_LT(page.find("first", table), page.find("second", table));
  EXPECT_LT(page.find("second", table), page.find("third", table));
}

TEST(ComparePage, EscapesEveryTextOfARow) {
  const std::string hostile = "<script>alert('x')</script> & \"quoted\"\r\nline two";
  auto row = Row("2026-12-01T10:00:00", 640, 480, "60", hostile, "Card name: <img src=x onerror=y>");
  row[ColCPU] = "Processor: </td><td>";
  const std::string page = ComparePage({row}, {"a note about <b>files</b>"});
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("Processor: &lt;/td&gt;&lt;td&gt;"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;quoted&quot;"), std::string::npos);
  EXPECT_NE(page.find("a note about &lt;b&gt;files&lt;/b&gt;"), std::string::npos);
  // In the table a note keeps its line break; in a bar's label it is one line.
  EXPECT_NE(page.find("&quot;quoted&quot;<br>line two</td>"), std::string::npos);
  EXPECT_NE(page.find("&quot;quoted&quot;  line two</td><td class=\"track\">"), std::string::npos);
}

TEST(ComparePage, NeedsNoScriptAndNothingFromElsewhere) {
  const std::string page = ComparePage({Row("2026-12-01T10:00:00", 640, 480, "60")}, {});
  for (const char* outside : {"<script", "<link", "<img", "<iframe", "<object", "url(", "@import", "http:", "https:"})
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  EXPECT_NE(page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"), std::string::npos);
}

TEST(ComparePage, ARowWithoutAReadableFrameRateFallsBackToItsScore) {
  auto noRate = Row("2026-12-01T10:00:00", 640, 480, "");
  noRate[ColScore] = "40.0";
  auto nothing = Row("2026-12-02T10:00:00", 640, 480, "");
  nothing[ColScore] = "n/a";
  const auto bars = Bars(ComparePage({nothing, noRate, Row("2026-12-03T10:00:00", 640, 480, "80")}, {}),
                         "Resolution: 640 &times; 480");
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].second, "100.0");
  EXPECT_EQ(bars[1].second, "50.0");
  EXPECT_EQ(bars[2].second, "0");
}
