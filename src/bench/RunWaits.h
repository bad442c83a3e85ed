#pragma once
// The fixed blocking waits of a run, in milliseconds. They give the game and the shell
// time to let go of their files before the launcher touches them.
#include <cstdint>

namespace bench {

inline constexpr uint32_t kWaitBeforeCollectMs = 2000;   // after the game process ended
inline constexpr uint32_t kWaitAfterResultCopyMs = 500;  // after the result file was copied
inline constexpr uint32_t kWaitBeforeRestoreMs = 500;    // after the generated ini was deleted
inline constexpr uint32_t kWaitAfterReportMs = 1000;     // after the report was opened

}  // namespace bench
