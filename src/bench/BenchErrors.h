#pragma once
// A file step of a run that could not be done. The message is the user's text (one of
// RunMessages.h); the run controller shows it and puts things back as `Kind` says.
#include <string>

#include "platform/Exceptions.h"

namespace bench {

class EBenchFileError : public Exception {
 public:
  enum class Kind {
    ConfigBackup,  // the user's ini is still in place (or was never set aside): nothing written
    ConfigWrite,   // the generated ini could not be saved
    BatchWrite,    // lumenrig.bat could not be saved
    ReportSave,    // the report could not be saved (its folder was created first)
  };
  EBenchFileError(Kind kind, std::string path, const std::string& message)
      : Exception(message), kind(kind), path(std::move(path)) {}
  Kind kind;
  std::string path;  // the file or folder concerned
};

}  // namespace bench
