#include "update/VerificationTexts.h"

namespace update {
namespace {

const char kStopped[] = " It was deleted, the update was stopped and nothing was installed.";

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

std::string VerificationFailureText(TauVerificationFailure kind, const std::string& fileName) {
  switch (kind) {
    case TauVerificationFailure::InfoFileNotSigned:
      return "The update information is not signed by the publisher of this program, so it was not used. "
             "Nothing was downloaded.";
    case TauVerificationFailure::FileWithoutChecksum:
      return "The update information gives no checksum and size for the update file " + Quoted(fileName) +
             ", so the update was stopped before anything was downloaded. Nothing was installed.";
    case TauVerificationFailure::FileSizeDiffers:
      return "The update file " + Quoted(fileName) + " is not the size the publisher gave." + kStopped;
    case TauVerificationFailure::FileHashDiffers:
      return "The update file " + Quoted(fileName) + " does not match the checksum the publisher gave." + kStopped;
    case TauVerificationFailure::FileUnreadable:
      return "The update file " + Quoted(fileName) + " could not be read back to check it." + kStopped;
  }
  return "";
}

}  // namespace update
