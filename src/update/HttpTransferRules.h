#pragma once
// The arithmetic and texts of a transfer that do not depend on the network: progress
// figures, status texts, request flags, the range header and the realm of a 401.
#include <cstdint>
#include <set>
#include <string>

namespace update {

enum class TauCacheOption {
  coAlwaysReload, coReloadIfNoExpireInformation, coReloadUpdatedObjects, coPragmaNoCache,
  coNoCacheWrite, coCreateTempFilesIfCantCache, coUseCacheIfNetFail
};
enum class TauInternetOption {
  ioIgnoreCertificateInvalid, ioIgnoreCertificateDateInvalid, ioIgnoreRedirectToHTTP,
  ioIgnoreRedirectToHTTPS, ioKeepConnection, ioNoAuthentication, ioNoAutoRedirect, ioNoCookies
};
using TauCacheOptions = std::set<TauCacheOption>;
using TauInternetOptions = std::set<TauInternetOption>;

// The request flags of HttpOpenRequest for these options (and INTERNET_FLAG_SECURE for
// "https").
uint32_t RequestFlags(const TauCacheOptions& cache, const TauInternetOptions& internet, bool secure);

struct TransferStatistics {
  uint8_t PercentsDone = 0;
  int ElapsedTime = 0;        // whole seconds
  int EstimatedTimeLeft = 0;  // seconds; 0 when the size is unknown
  float TransferRate = 0;     // kilobytes per second
};

// Figures of a progress event. `ticksNow - startTick` is taken with the tick count's
// wrap-around.
TransferStatistics ComputeStatistics(uint32_t fileSize, uint32_t bytesRead, uint32_t resumeFrom,
                                     uint32_t startTick, uint32_t ticksNow);

// Text of a WinInet status notification ("Unknown status" for codes without one).
std::string StatusText(uint32_t statusCode);

// "RANGE: bytes=<from>-<to>\r\n" (the end omitted when 0); empty when both are 0.
std::string RangeHeaderLine(uint32_t from, uint32_t to);

// The realm of a WWW-Authenticate value: the text after the first `="` up to, but not
// including, the last character; empty without `="`.
std::string RealmFromAuthenticate(const std::string& header);

}  // namespace update
