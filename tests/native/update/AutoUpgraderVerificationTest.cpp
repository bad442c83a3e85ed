// A launcher built with the publisher's key: it reads only signed update information, and
// installs nothing unless every fetched file has the announced size and checksum. Each
// refusal deletes what was fetched, shows one message of ours and starts nothing.
#include <gtest/gtest.h>

#include "InfoFileWriter.h"
#include "PublisherKeys.h"
#include "platform/Text.h"
#include "update/HexDigits.h"
#include "update/PublisherKey.h"
#include "AutoUpgraderWorld.h"

using namespace update;
using namespace updatetest;
using Strings = std::vector<std::string>;

namespace {

const std::string kSite = "http://www.tavorin.example";

std::string TestKey(const char* file, size_t bytes) {
  std::string key, error;
  EXPECT_TRUE(publish::ReadKeyFile(std::string(LUMENRIG_KEYS_DIR) + "/" + file, bytes, key, error)) << error;
  return key;
}
const std::string kSeed = TestKey("TEST-ONLY-publisher.secret", kEd25519SeedBytes);
const std::string kPublic = TestKey("TEST-ONLY-publisher.public", kEd25519PublicKeyBytes);

// One file of a release as the info file announces it, and what the server then sends.
struct Offered {
  std::string name;
  std::string announced;  // its checksum and size go into the info file
  std::string served;
};

std::string UnsignedRelease(const std::vector<Offered>& files) {
  publish::Release r;
  r.BaseAddress = kSite + "/r";
  r.Version = "1.3";
  r.Message = "Faster loading";
  for (const Offered& f : files) r.Files.push_back({f.name, f.announced});
  std::string text, error;
  EXPECT_TRUE(publish::MakeInfoFile(r, text, error)) << error;
  return text;
}

const std::string kNotSigned =
    "refused: The update information is not signed by the publisher of this program, so it was not used. "
    "Nothing was downloaded.";

}  // namespace

// A launcher built with the test key; the user says Yes and closes the finished page.
struct KeyedWorld : UpgraderWorld {
  KeyedWorld() {
    u->PublisherKey = kPublic;
    waits.duringWait = [this] { ui.PressFinish(); };
  }
  // Serves the release signed (then changed by `edit`) and runs the check.
  void Run(const std::vector<Offered>& offered, const std::function<std::string(std::string)>& edit = nullptr) {
    std::string text = publish::SignInfoFile(UnsignedRelease(offered), kSeed);
    if (edit) text = edit(text);
    Info(text);
    for (const Offered& f : offered) Serve("/r/" + f.name, f.served);
    Check();
  }
  // Nothing of the update is left, nothing is installed or started.
  void ExpectNothingInstalled() {
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_FALSE(files.FileExists(std::string(kProgramFolder) + "Upgrader3.uLST"));
    EXPECT_TRUE(processes.attempts.empty());
    EXPECT_FALSE(u->RestartBegun());
    EXPECT_EQ(Program("lumenrig.exe"), "old launcher");
    EXPECT_FALSE(ui.wizardOpen);
    EXPECT_EQ(std::count(events.begin(), events.end(), "end"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "aborted"), 0);  // our message is the only one
  }
};

TEST(AutoUpgraderVerification, TheBuildCarriesTheKeyItWasConfiguredWith) {
  EXPECT_EQ(EncodeHex(BuiltInPublisherKey()), text::ToLowerAscii(LUMENRIG_BUILD_KEY));
  UpgraderWorld w;
  w.keepBuildKey = true;
  w.Make();
  EXPECT_EQ(w.u->PublisherKey, BuiltInPublisherKey());
  // The repository's test pair belongs together.
  std::string derived;
  ASSERT_TRUE(publish::PublicKeyOfSeed(kSeed, derived));
  EXPECT_EQ(derived, kPublic);
}

TEST(AutoUpgraderVerification, ASignedReleaseWithMatchingFilesIsInstalled) {
  KeyedWorld w;
  w.Run({{"lumenrig.exe", "new launcher", "new launcher"}, {"version.txt", "1.3", "1.3"}});
  EXPECT_TRUE(w.ui.Lines("refused").empty());
  EXPECT_EQ(w.ui.log.front(), "ask: Faster loading");
  EXPECT_EQ(w.Program("lumenrig.exe.uTMP"), "new launcher");
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "lumenrig.exe.uTMP\r\nversion.txt.uTMP\r\n");
  EXPECT_EQ(w.events.back(), "end");
  EXPECT_EQ(w.processes.started.size(), 1u);
}

TEST(AutoUpgraderVerification, InfoFilesNotSignedWithTheKeyOfferNothing) {
  std::string otherKey;
  ASSERT_TRUE(publish::PublicKeyOfSeed(std::string(32, '\x42'), otherKey));
  struct Case {
    const char* what;
    std::function<std::string(std::string)> edit;
    std::string key = kPublic;
  } cases[] = {
      {"a changed byte", [](std::string t) { t[t.find("1.3")] = '9'; return t; }},
      {"the signature stripped", [](std::string t) { return t.substr(0, t.find("#signature=")); }},
      {"signed by another key", nullptr, otherKey},
      {"an entry after the signature", [](std::string t) { return t + "#url3=" + kSite + "/r/x.exe\r\n"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    KeyedWorld w;
    w.u->PublisherKey = c.key;
    w.Run({{"lumenrig.exe", "new launcher", "new launcher"}}, c.edit);
    EXPECT_EQ(w.events, Strings{"no info file"});
    EXPECT_EQ(w.ui.log, Strings{kNotSigned});  // not the no-newer-version box, no question
    EXPECT_EQ(w.http.requests.size(), 1u);
    w.ExpectNothingInstalled();
  }
}

TEST(AutoUpgraderVerification, FilesThatDoNotMatchStopTheUpdateAndLeaveNothing) {
  const std::string good = "new launcher";
  const std::string hashText =
      "refused: The update file \"maps.dat\" does not match the checksum the publisher gave. It was deleted, the "
      "update was stopped and nothing was installed.";
  const std::string sizeText =
      "refused: The update file \"maps.dat\" is not the size the publisher gave. It was deleted, the update was "
      "stopped and nothing was installed.";
  struct Case {
    const char* what;
    std::string served;
    bool announceLength;
    std::string message;
  } cases[] = {
      {"same size, other bytes", "MAPS-v13", true, hashText},
      {"truncated", "maps", true, sizeText},
      {"oversized, announced by the server", "maps-v13 and a payload", true, sizeText},
      {"oversized, not announced", "maps-v13 and a payload", false, sizeText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    KeyedWorld w;
    std::string text = publish::SignInfoFile(
        UnsignedRelease({{"lumenrig.exe", good, good}, {"maps.dat", "maps-v13", c.served}, {"z.txt", "z", "z"}}),
        kSeed);
    w.Info(text);
    w.Serve("/r/lumenrig.exe", good);
    w.Serve("/r/z.txt", "z");
    FakeHttpAnswer maps = FakeHttpClient::Ok(c.served, "application/octet-stream");
    if (!c.announceLength) maps.headers.erase(FakeHttpClient::kContentLength);
    maps.chunk = 4;
    w.http.answers["/r/maps.dat"] = {maps};
    w.Check();
    EXPECT_EQ(w.ui.Lines("refused"), Strings{c.message});
    EXPECT_EQ(w.ui.log.back(), c.message);  // after the wizard has closed
    EXPECT_EQ(w.http.requests.size(), 3u);  // info, lumenrig.exe, maps.dat: z.txt is never fetched
    w.ExpectNothingInstalled();
    // The first file had matched; it goes too. No file of the update gets reported done but it.
    EXPECT_EQ(std::count_if(w.events.begin(), w.events.end(),
                            [](const std::string& e) { return e.rfind("file done", 0) == 0; }),
              1);
  }
}

TEST(AutoUpgraderVerification, AnOversizedFileIsNotReadOnPastItsSize) {
  KeyedWorld w;
  FakeHttpAnswer big;
  big.body = std::string(4000, 'x');
  big.chunk = 100;
  w.u->TransferBufferSize = 100;
  std::string text = publish::SignInfoFile(UnsignedRelease({{"a.dat", std::string(250, 'x'), ""}}), kSeed);
  w.Info(text);
  w.http.answers["/r/a.dat"] = {big};
  w.u->OnFileStart = [&w](TauAutoUpgrader*, const std::string&, int, TDateTime, bool&) { w.http.reads = 0; };
  w.Check();
  EXPECT_LE(w.http.reads.load(), 3);  // 100, 200, 300 bytes: past 250 it stops
  w.ExpectNothingInstalled();
}

TEST(AutoUpgraderVerification, AnEntryWithoutChecksumIsRefusedBeforeAnyDownload) {
  KeyedWorld w;
  std::string text = UnsignedRelease({{"lumenrig.exe", "new launcher", ""}, {"maps.dat", "m", ""}});
  size_t at = text.find("#url2.sha256=");
  text.erase(at, text.find('\n', at) + 1 - at);
  w.Info(publish::SignInfoFile(text, kSeed));
  w.Serve("/r/lumenrig.exe", "new launcher");
  w.Serve("/r/maps.dat", "m");
  w.Check();
  EXPECT_EQ(w.ui.Lines("refused"),
            Strings{"refused: The update information gives no checksum and size for the update file \"maps.dat\", so "
                    "the update was stopped before anything was downloaded. Nothing was installed."});
  EXPECT_TRUE(w.ui.Lines("wizard").empty());
  EXPECT_EQ(w.http.requests.size(), 1u);
  w.ExpectNothingInstalled();
}

TEST(AutoUpgraderVerification, ABuildWithoutKeyStillChecksTheChecksumsItIsGiven) {
  {
  KeyedWorld w;
  w.u->PublisherKey.clear();
  // Unsigned, and one file without any checksum: both are taken.
  std::string text = UnsignedRelease({{"a.dat", "a", "a"}, {"b.dat", "b", "B"}}) + "#url3=" + kSite + "/r/c.dat\r\n";
  w.Info(text);
  w.Serve("/r/a.dat", "a");
  w.Serve("/r/b.dat", "B");
  w.Serve("/r/c.dat", "c");
  w.Check();
  EXPECT_EQ(w.ui.Lines("refused").size(), 1u);
  EXPECT_NE(w.ui.Lines("refused").front().find("\"b.dat\" does not match the checksum"), std::string::npos);
  w.ExpectNothingInstalled();
  }
  KeyedWorld w;
  w.u->PublisherKey.clear();
  w.Info(UnsignedRelease({{"a.dat", "a", "a"}}) + "#url2=" + kSite + "/r/c.dat\r\n");
  w.Serve("/r/a.dat", "a");
  w.Serve("/r/c.dat", "c");
  w.Check();
  EXPECT_TRUE(w.ui.Lines("refused").empty());
  EXPECT_EQ(w.Program("Upgrader3.uLST"), "a.dat.uTMP\r\nc.dat.uTMP\r\n");
}
