#include <gtest/gtest.h>

#include "update/HttpTransferRules.h"

using namespace update;

TEST(TransferStatistics, FiguresOfAProgressEvent) {
  // 25 000 of 100 000 bytes after 5 s.
  TransferStatistics s = ComputeStatistics(100000, 25000, 0, 1000, 6000);
  EXPECT_EQ(s.PercentsDone, 25);
  EXPECT_EQ(s.ElapsedTime, 5);
  EXPECT_EQ(s.EstimatedTimeLeft, 15);
  EXPECT_FLOAT_EQ(s.TransferRate, 25000 / 1024.0f / 5);

  // In the first second the rate is the kilobytes read so far.
  s = ComputeStatistics(100000, 2048, 0, 1000, 1900);
  EXPECT_EQ(s.ElapsedTime, 0);
  EXPECT_FLOAT_EQ(s.TransferRate, 2.0f);
  EXPECT_EQ(s.EstimatedTimeLeft, 0);

  // A resumed transfer counts the bytes it already had.
  s = ComputeStatistics(50000, 25000, 50000, 0, 2000);
  EXPECT_EQ(s.PercentsDone, 75);

  // The tick count wraps around.
  s = ComputeStatistics(1000, 500, 0, 0xFFFFF000u, 0x00000BB8u);
  EXPECT_EQ(s.ElapsedTime, 7);
}

TEST(TransferStatistics, WithoutContentLengthNothingIsEstimated) {
  TransferStatistics s = ComputeStatistics(0, 30000, 0, 0, 10000);
  EXPECT_EQ(s.PercentsDone, 0);
  EXPECT_EQ(s.EstimatedTimeLeft, 0);
  EXPECT_EQ(s.ElapsedTime, 10);
  // More than announced stays at 100.
  EXPECT_EQ(ComputeStatistics(1000, 1500, 0, 0, 0).PercentsDone, 100);
}

TEST(RequestFlags, EachOptionAddsItsFlag) {
  TauCacheOptions defaults{TauCacheOption::coReloadIfNoExpireInformation, TauCacheOption::coReloadUpdatedObjects,
                           TauCacheOption::coCreateTempFilesIfCantCache};
  EXPECT_EQ(RequestFlags(defaults, {TauInternetOption::ioKeepConnection}, false), 0x400u | 0x800 | 0x10 | 0x400000);
  TauCacheOptions all{TauCacheOption::coAlwaysReload, TauCacheOption::coReloadIfNoExpireInformation,
                      TauCacheOption::coReloadUpdatedObjects, TauCacheOption::coPragmaNoCache,
                      TauCacheOption::coNoCacheWrite, TauCacheOption::coCreateTempFilesIfCantCache,
                      TauCacheOption::coUseCacheIfNetFail};
  TauInternetOptions every{TauInternetOption::ioIgnoreCertificateInvalid, TauInternetOption::ioIgnoreCertificateDateInvalid,
                           TauInternetOption::ioIgnoreRedirectToHTTP,     TauInternetOption::ioIgnoreRedirectToHTTPS,
                           TauInternetOption::ioKeepConnection,           TauInternetOption::ioNoAuthentication,
                           TauInternetOption::ioNoAutoRedirect,           TauInternetOption::ioNoCookies};
  EXPECT_EQ(RequestFlags(all, {}, false), 0x80000000u | 0x400 | 0x800 | 0x100 | 0x04000000 | 0x10 | 0x10000);
  EXPECT_EQ(RequestFlags({}, every, true), 0x1000u | 0x2000 | 0x8000 | 0x4000 | 0x400000 | 0x40000 | 0x200000 | 0x80000 | 0x800000);
}

TEST(RequestTexts, RangeLineRealmAndStatusTexts) {
  EXPECT_EQ(RangeHeaderLine(0, 0), "");
  EXPECT_EQ(RangeHeaderLine(100, 0), "RANGE: bytes=100-\r\n");
  EXPECT_EQ(RangeHeaderLine(0, 499), "RANGE: bytes=0-499\r\n");
  EXPECT_EQ(RealmFromAuthenticate("Basic realm=\"Lumenrig updates\""), "Lumenrig updates");
  EXPECT_EQ(RealmFromAuthenticate("Basic realm=\"\""), "");
  EXPECT_EQ(RealmFromAuthenticate("Basic"), "");
  EXPECT_EQ(StatusText(10), "Resolving name");
  EXPECT_EQ(StatusText(42), "CTL Response received");
  EXPECT_EQ(StatusText(110), "Redirect");
  EXPECT_EQ(StatusText(200), "State change");
  EXPECT_EQ(StatusText(12), "Unknown status");
}
