#pragma once
// The messages that tell the user why an update was refused. They are the program's own,
// in English whatever language the update's windows use.
#include <string>

namespace update {

enum class TauVerificationFailure {
  InfoFileNotSigned,    // unsigned, signed by someone else, or changed since it was signed
  FileWithoutChecksum,  // the info file gives no usable checksum and size for a file
  FileSizeDiffers,      // a fetched file is shorter or longer than announced
  FileHashDiffers,      // a fetched file's SHA-256 is not the announced one
  FileUnreadable,       // a fetched file could not be read back to be checked
};

// The message for `kind` (UTF-8); `fileName` names the file where the message has one.
std::string VerificationFailureText(TauVerificationFailure kind, const std::string& fileName);

}  // namespace update
