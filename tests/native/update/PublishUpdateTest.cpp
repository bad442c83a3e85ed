// The publisher's tool writes update information that the launcher's own parser reads
// back as given, and refuses what would not read back that way.
#include <gtest/gtest.h>

#include "InfoFileWriter.h"
#include "PublisherKeys.h"
#include "update/HexDigits.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVerification.h"

using namespace update;

namespace {

publish::Release Sample() {
  publish::Release r;
  r.BaseAddress = "http://updates.example/lumenrig/1.3/";
  r.Version = "1.3.0.2";
  r.Message = "Faster loading.\r\nFixes #12 and the 3 = 4 bug.";
  r.Files = {{"lumenrig.exe", "MZ new"}, {"version.txt", "1.3.0.2"}, {"empty.dat", ""}};
  return r;
}

}  // namespace

TEST(PublishUpdate, TheInformationReadsBackWithTheLaunchersParser) {
  std::string text, error;
  ASSERT_TRUE(publish::MakeInfoFile(Sample(), text, error)) << error;
  InfoParseResult r = ParseInfoFile(text, RunningVersion{TauAutoUpgraderVersionControl::byNumber, "1.3", ""}, 0);
  ASSERT_TRUE(r.UpdateAvailable);
  EXPECT_EQ(r.FileList, (std::vector<std::string>{"http://updates.example/lumenrig/1.3/lumenrig.exe",
                                                  "http://updates.example/lumenrig/1.3/version.txt",
                                                  "http://updates.example/lumenrig/1.3/empty.dat"}));
  EXPECT_EQ(r.UpgradeMsg, Sample().Message);
  EXPECT_EQ(r.UpgradeMethod, TacUpgradeMethod::umSelfUpgrade);
  std::vector<InfoFileEntry> entries = InfoFileEntries(text);
  ASSERT_EQ(entries.size(), 3u);
  for (size_t i = 0; i < entries.size(); ++i) {
    ExpectedFile e = ExpectedFileOf(text, entries[i].Key);
    ASSERT_TRUE(ExpectationUsable(e, true)) << entries[i].Key;
    EXPECT_EQ(e.Sha256, Sha256(Sample().Files[i].Bytes));
    EXPECT_EQ(e.Size, Sample().Files[i].Bytes.size());
    EXPECT_EQ(AddressFileName(entries[i].Address), Sample().Files[i].Name);
  }

  publish::Release dated = Sample();
  dated.Date = "12/01/2005";
  dated.Method = 1;
  ASSERT_TRUE(publish::MakeInfoFile(dated, text, error)) << error;
  r = ParseInfoFile(text, RunningVersion{TauAutoUpgraderVersionControl::byDate, "", "11/01/2005"}, 0);
  EXPECT_TRUE(r.UpdateAvailable);
  EXPECT_EQ(r.UpgradeMethod, TacUpgradeMethod::umUseExternalSetup);

  // Signed, it verifies with the pair's public key and still parses the same.
  publish::KeyPair pair = publish::NewKeyPair();
  std::string signedText;
  ASSERT_EQ(VerifyInfoSignature(publish::SignInfoFile(text, pair.Seed), pair.PublicKey, signedText),
            InfoSignatureState::Verified);
  EXPECT_EQ(signedText, text);
}

TEST(PublishUpdate, WhatWouldNotReadBackIsRefused) {
  struct Case {
    const char* what;
    std::function<void(publish::Release&)> change;
  } cases[] = {
      {"a message with a closing brace", [](publish::Release& r) { r.Message = "see {this}"; }},
      {"a message holding an entry", [](publish::Release& r) { r.Message = "x #url4=http://evil/a.exe"; }},
      {"a version with letters", [](publish::Release& r) { r.Version = "1.3 beta"; }},
      {"a version of five parts", [](publish::Release& r) { r.Version = "1.2.3.4.5"; }},
      {"a date in another form", [](publish::Release& r) { r.Date = "2005-12-01"; }},
      {"a blank in the base address", [](publish::Release& r) { r.BaseAddress = "http://host/my dir"; }},
      {"a blank in a file name", [](publish::Release& r) { r.Files[0].Name = "my file.exe"; }},
      {"a device name", [](publish::Release& r) { r.Files[0].Name = "con.txt"; }},
      {"a query in a file name", [](publish::Release& r) { r.Files[0].Name = "get?f=1"; }},
      {"no file at all", [](publish::Release& r) { r.Files.clear(); }},
  };
  for (const Case& c : cases) {
    publish::Release r = Sample();
    c.change(r);
    std::string text = "kept", error;
    EXPECT_FALSE(publish::MakeInfoFile(r, text, error)) << c.what;
    EXPECT_EQ(text, "kept") << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}
