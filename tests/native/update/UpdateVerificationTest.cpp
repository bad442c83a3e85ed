// The checks behind a trusted update: the info file's Ed25519 signature (where it sits,
// what it covers), the checksum and size entries of each file, and the comparison of a
// fetched file with them. Two published test vectors pin the way libsodium is called.
#include <gtest/gtest.h>

#include <string>

#include "InfoFileWriter.h"
#include "PublisherKeys.h"
#include "fakes/FakeFileSystem.h"
#include "update/HexDigits.h"
#include "update/UpdateVerification.h"

using namespace update;

namespace {

std::string Hex(const std::string& digits, size_t bytes) {
  std::string out;
  EXPECT_TRUE(DecodeHex(digits, bytes, out)) << digits;
  return out;
}

// RFC 8032, section 7.1, test 1: the empty message.
const char kRfcSeed[] = "9d61b19deffd5a60ba844af492ec2cc44449c5697b326919703bac031cae7f60";
const char kRfcPublic[] = "d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a";
const char kRfcSignature[] =
    "e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e065224901555fb8821590a33bacc61e39701cf9b46bd25bf5f0595bbe"
    "24655141438e7a100b";

const std::string kInfo =
    "Lumenrig update\r\n#version=1.3\r\n#url1=http://host/r/lumenrig.exe\r\n#url1.sha256=" + std::string(64, 'a') +
    "\r\n#url1.size=12\r\n#message={Faster}\r\n";

struct Signed {
  std::string seed = Hex(kRfcSeed, 32);
  std::string publicKey = Hex(kRfcPublic, 32);
  std::string text = publish::SignInfoFile(kInfo, seed);
};

}  // namespace

TEST(UpdateVerification, PublishedVectorsOfTheLibraryHold) {
  // An info file that is nothing but its signature line signs the empty message.
  std::string signedText = "not touched";
  EXPECT_EQ(VerifyInfoSignature(std::string(kSignatureEntry) + kRfcSignature + "\r\n", Hex(kRfcPublic, 32), signedText),
            InfoSignatureState::Verified);
  EXPECT_EQ(signedText, "");
  std::string publicKey;
  ASSERT_TRUE(publish::PublicKeyOfSeed(Hex(kRfcSeed, 32), publicKey));
  EXPECT_EQ(EncodeHex(publicKey), kRfcPublic);
  EXPECT_EQ(EncodeHex(publish::Sign("", Hex(kRfcSeed, 32))), kRfcSignature);

  EXPECT_EQ(EncodeHex(Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(UpdateVerification, ASignedInfoFileVerifiesAndOnlyTheSignedBytesAreHandedOn) {
  Signed s;
  std::string signedText;
  ASSERT_EQ(VerifyInfoSignature(s.text, s.publicKey, signedText), InfoSignatureState::Verified);
  EXPECT_EQ(signedText, kInfo);  // up to and including the line break before "#signature="
  EXPECT_EQ(s.text.substr(kInfo.size(), 11), "#signature=");
  EXPECT_EQ(s.text.size(), kInfo.size() + 11 + 128 + 2);
  // Signing again replaces the signature instead of signing the old one.
  EXPECT_EQ(publish::SignInfoFile(s.text, s.seed), s.text);
  // Either line-break style, or none, may end the signature line.
  for (const char* end : {"\n", "\r", ""}) {
    std::string t = s.text.substr(0, s.text.size() - 2) + end;
    EXPECT_EQ(VerifyInfoSignature(t, s.publicKey, signedText), InfoSignatureState::Verified) << end;
  }
}

TEST(UpdateVerification, EveryChangedByteBreaksTheSignature) {
  Signed s;
  for (size_t i = 0; i < s.text.size(); ++i) {
    std::string t = s.text;
    // Another hexadecimal digit inside the signature, any other byte elsewhere.
    t[i] = t[i] == 'a' ? 'b' : 'a';
    std::string signedText;
    InfoSignatureState state = VerifyInfoSignature(t, s.publicKey, signedText);
    EXPECT_NE(state, InfoSignatureState::Verified) << "byte " << i;
    EXPECT_EQ(signedText, "") << "byte " << i;
  }
}

TEST(UpdateVerification, InfoFilesThatAreNotThePublishersAreTold) {
  Signed s;
  const std::string line = s.text.substr(kInfo.size());
  std::string otherKey;
  ASSERT_TRUE(publish::PublicKeyOfSeed(std::string(32, '\x07'), otherKey));
  struct Case {
    const char* what;
    std::string text;
    std::string key;
    InfoSignatureState state;
  } cases[] = {
      {"unsigned", kInfo, s.publicKey, InfoSignatureState::Unsigned},
      {"signature stripped to its key", kInfo + "#signature=\r\n", s.publicKey, InfoSignatureState::Malformed},
      {"short signature", s.text.substr(0, s.text.size() - 3) + "\r\n", s.publicKey, InfoSignatureState::Malformed},
      {"signed by another key", s.text, otherKey, InfoSignatureState::BadSignature},
      {"an entry after the signature", s.text + "#url2=http://evil/x.exe\r\n", s.publicKey,
       InfoSignatureState::NotLast},
      {"a blank line after the signature", s.text + "\r\n", s.publicKey, InfoSignatureState::NotLast},
      {"the signature inside a line is no signature", "#version=1.3 " + line, s.publicKey,
       InfoSignatureState::Unsigned},
      {"a second signature line after the first", s.text + line, s.publicKey, InfoSignatureState::BadSignature},
      {"upper-case key and digits still count", kInfo + "#SIGNATURE=" + std::string(128, 'F'), s.publicKey,
       InfoSignatureState::BadSignature},
  };
  for (const Case& c : cases) {
    std::string signedText;
    EXPECT_EQ(VerifyInfoSignature(c.text, c.key, signedText), c.state) << c.what;
    EXPECT_EQ(signedText, "") << c.what;
  }
}

TEST(UpdateVerification, ChecksumAndSizeEntriesOfAListKey) {
  const std::string hash(64, 'A');
  const std::string text = "#url.sha256=" + hash + "\r\n#url.size=42\r\n#url1.sha256=" + std::string(63, '0') +
                           "\r\n#url1.size=4x\r\n#url2.size=7\r\n#url10.sha256=" + hash + "\r\n";
  ExpectedFile url = ExpectedFileOf(text, "url");
  EXPECT_TRUE(url.HasHash && url.HasSize && !url.Malformed);
  EXPECT_EQ(EncodeHex(url.Sha256), std::string(64, 'a'));
  EXPECT_EQ(url.Size, 42u);
  EXPECT_TRUE(ExpectationUsable(url, true));

  ExpectedFile bad = ExpectedFileOf(text, "url1");  // 63 digits, a size with a letter
  EXPECT_TRUE(bad.Malformed);
  EXPECT_FALSE(ExpectationUsable(bad, false));

  ExpectedFile sizeOnly = ExpectedFileOf(text, "url2");
  EXPECT_TRUE(sizeOnly.HasSize && !sizeOnly.HasHash);
  EXPECT_TRUE(ExpectationUsable(sizeOnly, false));
  EXPECT_FALSE(ExpectationUsable(sizeOnly, true));

  ExpectedFile none = ExpectedFileOf(text, "url0");  // url10's entries are not url1's or url0's
  EXPECT_FALSE(none.HasHash || none.HasSize || none.Malformed);
  EXPECT_TRUE(ExpectationUsable(none, false));
  EXPECT_FALSE(ExpectationUsable(none, true));
  EXPECT_TRUE(ExpectedFileOf("#url.size=99999999999999999999\r\n", "url").Malformed);  // past 64 bits
}

TEST(UpdateVerification, AFetchedFileIsComparedWithWhatWasGiven) {
  FakeFileSystem files;
  const std::string path = "C:\\p\\a.dat.uTMP";
  files.AddFile(path, "abc");
  ExpectedFile e;
  e.HasHash = e.HasSize = true;
  e.Sha256 = Sha256("abc");
  e.Size = 3;
  EXPECT_EQ(CheckFetchedFile(files, path, e), FetchedFileState::Matches);
  ExpectedFile longer = e;
  longer.Size = 4;
  EXPECT_EQ(CheckFetchedFile(files, path, longer), FetchedFileState::SizeDiffers);
  ExpectedFile other = e;
  other.Sha256 = Sha256("abd");
  EXPECT_EQ(CheckFetchedFile(files, path, other), FetchedFileState::HashDiffers);
  EXPECT_EQ(CheckFetchedFile(files, "C:\\p\\gone.uTMP", e), FetchedFileState::Unreadable);
  EXPECT_EQ(CheckFetchedFile(files, "C:\\p\\gone.uTMP", ExpectedFile{}), FetchedFileState::Matches);  // nothing given
}
