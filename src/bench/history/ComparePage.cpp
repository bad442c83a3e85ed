#include "bench/history/ComparePage.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace bench::history {
namespace {

// The value a bar stands for: the frame rate, else the score; negative when neither reads
// as a number.
double BarValue(const HistoryRow& row) {
  for (const std::string* text : {&row[ColFrameRate], &row[ColScore]}) {
    double value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (!text->empty() && error == std::errc() && value >= 0) return value;
  }
  return -1;
}

// A percentage with one decimal, "73.2", made without the C library's locale.
std::string Percent(double value, double max) {
  if (value <= 0 || max <= 0) return "0";
  long tenths = static_cast<long>(value * 1000.0 / max + 0.5);
  if (tenths > 1000) tenths = 1000;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
  return out;
}

constexpr char kHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html>\r\n<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    "<title>Splinter Cell Chaos Theory Benchmark - results compared</title>\r\n"
    "<style type=\"text/css\">\r\n"
    "body { font-family: Verdana, Arial, sans-serif; font-size: 13px; }\r\n"
    "h1 { font-size: 22px; }\r\n"
    "h2 { font-size: 16px; margin-top: 24px; }\r\n"
    ".note { color: #990000; }\r\n"
    "table.chart { border-collapse: collapse; }\r\n"
    "table.chart td { padding: 2px 6px; vertical-align: middle; }\r\n"
    "td.label { width: 480px; }\r\n"
    "td.track { width: 420px; background-color: #EEEEEE; }\r\n"
    "div.bar { background-color: #0066FF; color: #0066FF; height: 14px; overflow: hidden; }\r\n"
    "td.value { font-weight: bold; white-space: nowrap; }\r\n"
    "table.rows { border-collapse: collapse; font-size: 11px; }\r\n"
    "table.rows th, table.rows td { border: 1px solid #999999; padding: 2px 4px; vertical-align: top; }\r\n"
    "table.rows th { background-color: #DDDDDD; }\r\n"
    "</style>\r\n</head>\r\n<body>\r\n"
    "<h1>Splinter Cell Chaos Theory Benchmark - results compared</h1>\r\n";

}  // namespace

std::string HtmlText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "<br>";
        break;
      case '\n': out += "<br>"; break;
      default: out += c;
    }
  }
  return out;
}

std::string BarLabel(const HistoryRow& row) {
  std::string date = row[ColStarted];
  std::replace(date.begin(), date.end(), 'T', ' ');
  std::vector<std::string> parts{date, row[ColVGA], row[ColVGADriver],
                                 row[ColShaderModel].empty() ? "" : "SM " + row[ColShaderModel], OneLine(row[ColNote])};
  std::string label;
  for (const auto& part : parts) {
    if (part.empty()) continue;
    if (!label.empty()) label += " | ";
    label += part;
  }
  return label;
}

std::string ComparePage(const std::vector<HistoryRow>& rows, const std::vector<std::string>& notes) {
  std::string page = kHead;
  for (const auto& note : notes) page += "<p class=\"note\">" + HtmlText(note) + "</p>\r\n";
  if (rows.empty()) page += "<p>No runs are recorded yet.</p>\r\n";

  // Resolutions from the smallest to the largest, each with its rows in file order.
  std::map<std::pair<long, std::string>, std::vector<const HistoryRow*>> byResolution;
  for (const auto& row : rows) {
    const long pixels = std::stol("0" + row[ColWidth]) * std::stol("0" + row[ColHeight]);
    byResolution[{pixels, row[ColWidth] + "x" + row[ColHeight]}].push_back(&row);
  }
  for (auto& [key, measured] : byResolution) {
    std::stable_sort(measured.begin(), measured.end(),
                     [](const HistoryRow* a, const HistoryRow* b) { return BarValue(*a) > BarValue(*b); });
    const double max = BarValue(*measured.front());
    const HistoryRow& first = *measured.front();
    page += "<h2>Resolution: " + HtmlText(first[ColWidth]) + " &times; " + HtmlText(first[ColHeight]) + "</h2>\r\n";
    page += "<table class=\"chart\" summary=\"Frame rates at this resolution, highest first\">\r\n";
    for (const HistoryRow* row : measured) {
      const std::string& shown = (*row)[ColFrameRate].empty() ? (*row)[ColScore] : (*row)[ColFrameRate];
      page += "<tr><td class=\"label\">" + HtmlText(BarLabel(*row)) + "</td><td class=\"track\"><div class=\"bar\" style=\"width: " +
              Percent(BarValue(*row), max) + "%\">&nbsp;</div></td><td class=\"value\">" + HtmlText(shown) +
              " FPS</td></tr>\r\n";
    }
    page += "</table>\r\n";
  }

  if (!rows.empty()) {
    page += "<h2>All results</h2>\r\n<table class=\"rows\">\r\n<tr>";
    for (const char* name : HistoryColumns()) page += std::string("<th>") + name + "</th>";
    page += "</tr>\r\n";
    for (const auto& row : rows) {
      page += "<tr>";
      for (const auto& field : row) page += "<td>" + HtmlText(field) + "</td>";
      page += "</tr>\r\n";
    }
    page += "</table>\r\n";
  }
  page += "</body>\r\n</html>\r\n";
  return page;
}

}  // namespace bench::history
