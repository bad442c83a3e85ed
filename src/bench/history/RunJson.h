#pragma once
// result_<stamp>.json: the facts of one run, nested as run, settings, hardware and
// resolutions (docs/result.schema.json describes it).
#include <string>

#include "bench/history/RunFacts.h"

namespace bench::history {

// The JSON text, UTF-8, indented, CR LF after the last line.
std::string RunJson(const RunFacts& facts);

// The report's path with ".json" in place of ".htm".
std::string RunJsonPath(const std::string& reportPath);

}  // namespace bench::history
