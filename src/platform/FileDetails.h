#pragma once
// File sizes, file times and temporary files: what the update needs beyond FileSystem.
#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace platform {

class FileDetails {
 public:
  virtual ~FileDetails() = default;
  // False when the file is missing or its size cannot be read.
  virtual bool FileSize(const std::string& path, uint64_t& size) = 0;
  // Sets the creation and last-write times to the local time `time`; the last-access time
  // is left alone.
  virtual bool SetCreationAndWriteTime(const std::string& path, const LocalTime& time) = 0;
  // Creates the file anew (shared read and write, temporary attribute) and writes `bytes`.
  // False when it cannot be created; then nothing is written.
  virtual bool CreateTemporaryFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace platform
