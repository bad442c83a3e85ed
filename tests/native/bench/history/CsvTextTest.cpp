// Quoting and reading of comma-separated text.
#include <gtest/gtest.h>

#include "bench/history/CsvText.h"

using bench::history::CsvField;
using bench::history::CsvRecord;
using bench::history::ParseCsv;

TEST(CsvText, QuotesAFieldOnlyWhenItMust) {
  const struct {
    const char* field;
    const char* written;
  } cases[] = {
      {"", ""},
      {"61.73", "61.73"},
      {"Card name: NVIDIA GeForce 6800 GT", "Card name: NVIDIA GeForce 6800 GT"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"lf\nonly", "\"lf\nonly\""},
      {"\"", "\"\"\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
  EXPECT_EQ(CsvRecord({"1", "a,b", ""}), "1,\"a,b\",\r\n");
}

TEST(CsvText, ReadsBackWhatItWrote) {
  const std::vector<std::string> awkward{"1", "", "a,b", "\"quoted\"", "line\r\nbreak", "trailing,", " blank "};
  const auto csv = ParseCsv(CsvRecord(awkward) + CsvRecord({"x"}));
  ASSERT_EQ(csv.records.size(), 2u);
  EXPECT_EQ(csv.records[0], awkward);
  EXPECT_EQ(csv.records[1], std::vector<std::string>{"x"});
  EXPECT_FALSE(csv.hasTail);
  EXPECT_FALSE(csv.malformed);
}

TEST(CsvText, TellsATextThatStopsInTheMiddleOfARecord) {
  auto cut = ParseCsv("a,b\r\nc,d");
  EXPECT_EQ(cut.records.size(), 1u);
  EXPECT_TRUE(cut.hasTail);
  EXPECT_EQ(cut.tail, (std::vector<std::string>{"c", "d"}));
  EXPECT_FALSE(cut.tailInQuotes);

  auto inQuotes = ParseCsv("a,b\r\nc,\"half a\r\nnote");
  EXPECT_EQ(inQuotes.records.size(), 1u);
  EXPECT_TRUE(inQuotes.hasTail);
  EXPECT_TRUE(inQuotes.tailInQuotes);

  // LF and CR alone end records too (a file passed through another program).
  EXPECT_EQ(ParseCsv("a\nb\rc\r\n").records.size(), 3u);
}

TEST(CsvText, StopsAtTextAfterAClosingQuote) {
  auto csv = ParseCsv("a,b\r\n\"c\"d,e\r\nf\r\n");
  EXPECT_TRUE(csv.malformed);
  EXPECT_EQ(csv.records.size(), 1u);
}
