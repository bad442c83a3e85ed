#pragma once
// compare.htm: per resolution a bar chart of every run that measured it, highest frame
// rate first, then a table of all rows. Plain HTML and CSS widths, so that old and new
// browsers draw the bars alike; no script and nothing loaded from elsewhere. Every text
// from a row is escaped.
#include <string>
#include <vector>

#include "bench/history/HistoryCsv.h"

namespace bench::history {

// `&`, `<`, `>`, `"` and `'` as entities; line breaks become <br>.
std::string HtmlText(const std::string& text);

// The page, UTF-8. `notes` (plain texts) are shown above the charts: rows left out,
// files set aside, rows that wait to be added.
std::string ComparePage(const std::vector<HistoryRow>& rows, const std::vector<std::string>& notes);

// The bar's label of a row: date, VGA, driver, shader model and note, the empty ones left out.
std::string BarLabel(const HistoryRow& row);

}  // namespace bench::history
