#pragma once
// The one-line batch file that starts the game in its time-demo mode for one resolution.
#include <string>

#include "bench/DemoChoice.h"
#include "bench/RunOptions.h"
#include "bench/StepTable.h"
#include "platform/FileSystem.h"

namespace bench {

// "@Splintercell3.exe <map> -playtimedemo=<demo> <w> <h> -nosound shader=N ParallaxMapping=b
// HQSoftShadows=b HDR=b ToneMapping=b " with no other separators; it ends in a space.
std::string BuildBenchCommand(const DemoChoice& demo, const RunOptions& options, const BenchStep& step);

// `systemFolder` + "lumenrig.bat".
std::string BenchBatchPath(const std::string& systemFolder);

// Replaces lumenrig.bat in `systemFolder` with the command and CR LF. Throws
// EBenchFileError (BatchWrite) when the file cannot be written.
void WriteBenchBatch(platform::FileSystem& files, const std::string& systemFolder, const std::string& command);

}  // namespace bench
