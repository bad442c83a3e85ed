#include "update/HttpTransferRules.h"

#include <cmath>

namespace update {

uint32_t RequestFlags(const TauCacheOptions& cache, const TauInternetOptions& internet, bool secure) {
  uint32_t flags = 0;
  for (TauCacheOption o : cache) {
    switch (o) {
      case TauCacheOption::coAlwaysReload: flags |= 0x80000000u; break;
      case TauCacheOption::coReloadIfNoExpireInformation: flags |= 0x400; break;
      case TauCacheOption::coReloadUpdatedObjects: flags |= 0x800; break;
      case TauCacheOption::coPragmaNoCache: flags |= 0x100; break;
      case TauCacheOption::coNoCacheWrite: flags |= 0x04000000; break;
      case TauCacheOption::coCreateTempFilesIfCantCache: flags |= 0x10; break;
      case TauCacheOption::coUseCacheIfNetFail: flags |= 0x10000; break;
    }
  }
  for (TauInternetOption o : internet) {
    switch (o) {
      case TauInternetOption::ioIgnoreCertificateInvalid: flags |= 0x1000; break;
      case TauInternetOption::ioIgnoreCertificateDateInvalid: flags |= 0x2000; break;
      case TauInternetOption::ioIgnoreRedirectToHTTP: flags |= 0x8000; break;
      case TauInternetOption::ioIgnoreRedirectToHTTPS: flags |= 0x4000; break;
      case TauInternetOption::ioKeepConnection: flags |= 0x400000; break;
      case TauInternetOption::ioNoAuthentication: flags |= 0x40000; break;
      case TauInternetOption::ioNoAutoRedirect: flags |= 0x200000; break;
      case TauInternetOption::ioNoCookies: flags |= 0x80000; break;
    }
  }
  if (secure) flags |= 0x800000;
  return flags;
}

TransferStatistics ComputeStatistics(uint32_t fileSize, uint32_t bytesRead, uint32_t resumeFrom,
                                     uint32_t startTick, uint32_t ticksNow) {
  TransferStatistics s;
  double total = static_cast<double>(fileSize) + resumeFrom;
  if (total > 0) {
    // A body longer than announced must not push the figure past 100.
    double percent = std::nearbyint((static_cast<double>(resumeFrom) + bytesRead) * 100.0 / total);
    s.PercentsDone = static_cast<uint8_t>(percent > 100 ? 100 : percent);
  }
  s.ElapsedTime = static_cast<int>((ticksNow - startTick) / 1000);
  // Without a size there is nothing to estimate from; say 0 rather than a negative time.
  if (fileSize > 0 && bytesRead > 0) {
    double left = std::nearbyint(static_cast<double>(fileSize) / bytesRead * s.ElapsedTime) - s.ElapsedTime;
    s.EstimatedTimeLeft = left > 0 ? static_cast<int>(left) : 0;
  }
  s.TransferRate = static_cast<float>(bytesRead / 1024.0);
  if (s.ElapsedTime != 0) s.TransferRate /= static_cast<float>(s.ElapsedTime);
  return s;
}

std::string StatusText(uint32_t code) {
  switch (code) {
    case 10: return "Resolving name";
    case 11: return "Name resolved";
    case 20: return "Connecting to server";
    case 21: return "Connected";
    case 30: return "Sending Request";
    case 31: return "Request sent";
    case 40: return "Receiving response";
    case 41: return "Response received";
    case 42: return "CTL Response received";
    case 43: return "Prefetch";
    case 50: return "Closing connection";
    case 51: return "Connection closed";
    case 60: return "Handle created";
    case 70: return "Handle closing";
    case 100: return "Request complete";
    case 110: return "Redirect";
    case 120: return "Intermediate response";
    case 200: return "State change";
    default: return "Unknown status";
  }
}

std::string RangeHeaderLine(uint32_t from, uint32_t to) {
  if (from == 0 && to == 0) return "";
  std::string line = "RANGE: bytes=" + std::to_string(from) + "-";
  if (to != 0) line += std::to_string(to);
  return line + "\r\n";
}

std::string RealmFromAuthenticate(const std::string& header) {
  size_t at = header.find("=\"");
  if (at == std::string::npos) return "";
  std::string rest = header.substr(at + 2);
  if (!rest.empty()) rest.pop_back();
  return rest;
}

}  // namespace update
