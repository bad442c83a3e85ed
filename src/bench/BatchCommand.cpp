#include "bench/BatchCommand.h"

#include "bench/BenchErrors.h"
#include "bench/GameInterface.h"
#include "bench/RunMessages.h"

namespace bench {

std::string BuildBenchCommand(const DemoChoice& demo, const RunOptions& options, const BenchStep& step) {
  return std::string("@") + kGameExeName + " " + demo.MapName + " -playtimedemo=" + demo.DemoFile +
         ResolutionTokens(step) + options.ShaderSwitch + " " + options.ExtraSwitches;
}

std::string BenchBatchPath(const std::string& systemFolder) { return systemFolder + kBenchBatchFile; }

void WriteBenchBatch(platform::FileSystem& files, const std::string& systemFolder, const std::string& command) {
  const std::string path = BenchBatchPath(systemFolder);
  if (!files.WriteAll(path, command + "\r\n"))
    throw EBenchFileError(EBenchFileError::Kind::BatchWrite, path, FillIn(kFileNotWritten, path));
}

}  // namespace bench
