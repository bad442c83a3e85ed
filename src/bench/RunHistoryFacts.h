#pragma once
// What the results history keeps of a run, taken from what the run controller holds.
#include <string>
#include <vector>

#include "bench/DemoChoice.h"
#include "bench/Report.h"
#include "bench/RunOptions.h"
#include "bench/history/RunFacts.h"
#include "platform/Clock.h"
#include "platform/TextCodePage.h"

namespace bench {

// The ANSI texts (note, hardware description, demo and map names) are converted to UTF-8;
// the hardware description is left out unless the run added it to its report.
history::RunFacts CollectRunFacts(const platform::LocalTime& started, const std::string& reportFile,
                                  const RunOptions& options, const DemoChoice& demo, bool addInfo,
                                  const HardwareValues& hardware, const std::string& note,
                                  const std::vector<history::ResolutionFacts>& resolutions,
                                  platform::TextCodePage& codePage);

}  // namespace bench
