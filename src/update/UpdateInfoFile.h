#pragma once
// The publisher's info file: a free text in which "#key=value" entries are found by
// searching. It names the newest release (by version number or by date), its files,
// a message for the user and how the update is applied.
#include <string>
#include <vector>

#include "update/DateTime.h"

namespace update {

enum class TacUpgradeMethod { umSelfUpgrade, umUseExternalSetup, umRedirectToURL };
enum class TauAutoUpgraderVersionControl { byDate, byNumber };

// What a developer composes the info file from; kept with the component, never read by
// the check itself.
struct TauAutoUpgraderInfo {
  std::vector<std::string> Files;
  TacUpgradeMethod UpgradeMethod = TacUpgradeMethod::umSelfUpgrade;
  std::string UpgradeMsg;
};

// Value of "#key=value" (or "#key={value}" when braced); empty when the key is absent.
// Keys match without regard to case, the first occurrence wins, the value keeps its case
// and its blanks. A plain value ends before the first control character, a braced one
// before the first "}" (line breaks stay in it).
std::string FindInfoKey(const std::string& text, const std::string& key, bool braced = false);

// Compares two version numbers of up to four dot-separated parts (missing parts are 0,
// parts past the fourth are ignored). When a part of a compared pair is not a number,
// the whole texts are compared byte by byte instead. Returns <0, 0 or >0 for
// server older, equal or newer than running.
int CompareVersionNumbers(const std::string& server, const std::string& running);

// Reads month/day/year; the year is taken as written (05 is year 5). A text that cannot
// be read counts as `today`.
TDateTime ParseInfoDate(const std::string& text, TDateTime today);

// One file of the release: the key that names it ("url", "url0", "url3") and its address.
struct InfoFileEntry {
  std::string Key;
  std::string Address;
};

// Files in list order: url, url0, then url<n> counting on from the entries so far
// until the first missing or empty key.
std::vector<InfoFileEntry> InfoFileEntries(const std::string& text);
// The addresses of InfoFileEntries.
std::vector<std::string> InfoFileList(const std::string& text);

TacUpgradeMethod InfoUpgradeMethod(const std::string& text);

struct InfoParseResult {
  std::vector<std::string> FileList;
  std::string UpgradeMsg;  // read only when an update is available
  TacUpgradeMethod UpgradeMethod = TacUpgradeMethod::umSelfUpgrade;
  bool UpdateAvailable = false;  // newer release and at least one file
};

struct RunningVersion {
  TauAutoUpgraderVersionControl VersionControl = TauAutoUpgraderVersionControl::byDate;
  std::string VersionNumber;
  std::string VersionDate;  // MM/DD/YYYY
};

InfoParseResult ParseInfoFile(const std::string& text, const RunningVersion& running, TDateTime today);

// The local file name of an address: "/" turned into "\", everything up to the last "\"
// removed. Empty when Windows could not create that name in the program's folder, or
// would take it for something else (a stream, a device, another folder): an empty name,
// one with ? * : < > | " or a control character, one ending in a dot or blank, or a
// device name such as CON, NUL, COM1 or LPT1, with or without an extension.
std::string AddressFileName(const std::string& address);

}  // namespace update
