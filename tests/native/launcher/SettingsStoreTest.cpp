#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "platform/Exceptions.h"

using settings::SettingsStore;
using platform::RegRoot;

namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr const char* kKey = "SOFTWARE\\Tavorin\\Lumenrig";

class SettingsStoreTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  SettingsStore store{registry};
};

TEST_F(SettingsStoreTest, OpenExistingNeitherCreatesNorOpensARefusedKey) {
  EXPECT_FALSE(store.OpenExisting());
  EXPECT_FALSE(registry.KeyExists(HKLM, kKey));
  registry.AddKey(HKLM, kKey);
  EXPECT_TRUE(store.OpenExisting());
  registry.DenyAccess(HKLM, kKey);
  EXPECT_FALSE(store.OpenExisting());
}

TEST_F(SettingsStoreTest, MissingValuesAndAMissingKeyReadAsEmpty) {
  EXPECT_EQ(store.ReadValue("Note"), "");
  registry.AddKey(HKLM, kKey);
  ASSERT_TRUE(store.OpenExisting());
  EXPECT_EQ(store.ReadValue("Note"), "");
}

TEST_F(SettingsStoreTest, FlagsFollowTheirTwoReadRules) {
  struct Case {
    const char* stored;  // nullptr: value missing
    bool unlessZero, ifOne;
  };
  const Case cases[] = {
      {nullptr, true, false}, {"", true, false}, {"0", false, false}, {"1", true, true},
      {"yes", true, false},   {" 1", true, false}, {"00", true, false},
  };
  registry.AddKey(HKLM, kKey);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "<missing>");
    if (c.stored) registry.SetString(HKLM, kKey, "HDR", c.stored);
    EXPECT_EQ(store.ReadFlagUnlessZero("HDR"), c.unlessZero);
    EXPECT_EQ(store.ReadFlagIfOne("HDR"), c.ifOne);
  }
}

TEST_F(SettingsStoreTest, ExpandableStringsReadLikeStringsAndOtherTypesAreRefused) {
  registry.SetValue(HKLM, kKey, "ResultPath", {platform::RegType::ExpandString, "%TEMP%\\"});
  registry.SetValue(HKLM, kKey, "Note", {platform::RegType::Dword, std::string("\x01\0\0\0", 4)});
  ASSERT_TRUE(store.OpenExisting());
  EXPECT_EQ(store.ReadValue("ResultPath"), "%TEMP%\\");
  try {
    store.ReadValue("Note");
    FAIL() << "a DWORD value was read as text";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Note'");
  }
}

TEST_F(SettingsStoreTest, WriteCreatesTheKeyAndItsParent) {
  store.WriteValue("Demo", "4");
  EXPECT_TRUE(registry.KeyExists(HKLM, "SOFTWARE\\Tavorin"));
  auto value = registry.Value(HKLM, kKey, "Demo");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, platform::RegType::String);
  EXPECT_EQ(value->data, "4");
  EXPECT_EQ(store.ReadValue("Demo"), "4");
}

TEST_F(SettingsStoreTest, ARefusedWriteRaisesAndKeepsTheStoredValue) {
  registry.SetString(HKLM, kKey, "Note", "old note");
  registry.RefuseWrites(HKLM, kKey, "Note");
  try {
    store.WriteValue("Note", "new note");
    FAIL() << "the refused write went unreported";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Note'");
  }
  EXPECT_EQ(registry.Text(HKLM, kKey, "Note"), "old note");
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeCreatedFailsTheWrite) {
  registry.DenyAccess(HKLM, kKey);
  EXPECT_THROW(store.WriteValue("Demo", "1"), ERegistryException);
}

TEST_F(SettingsStoreTest, CloseReleasesTheKeyButLaterReadsStillWork) {
  registry.SetString(HKLM, kKey, "Note", "kept");
  ASSERT_TRUE(store.OpenExisting());
  store.Close();
  EXPECT_EQ(store.ReadValue("Note"), "kept");
}

TEST(PasswordEncodingTest, EncodesAsMimeBase64) {
  struct Case {
    std::string clear, encoded;
  };
  const Case cases[] = {
      {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},
      {"foo", "Zm9v"},    {"foob", "Zm9vYg=="},  {"secret!", "c2VjcmV0IQ=="},
      {std::string("\xFF\xFE\x00", 3), "//4A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.encoded);
    EXPECT_EQ(SettingsStore::EncodePassword(c.clear), c.encoded);
    EXPECT_EQ(SettingsStore::DecodePassword(c.encoded), c.clear);
  }
}

TEST(PasswordEncodingTest, BreaksLinesAfterEverySeventySixCharacters) {
  const std::string fits(57, 'a');
  const std::string encodedFits = SettingsStore::EncodePassword(fits);
  EXPECT_EQ(encodedFits.size(), 76u);
  EXPECT_EQ(encodedFits.find('\r'), std::string::npos);

  std::string password58;
  for (int i = 0; i < 58; ++i) password58 += static_cast<char>('A' + i % 26);
  const std::string encoded = SettingsStore::EncodePassword(password58);
  ASSERT_EQ(encoded.size(), 76u + 2u + 4u);
  EXPECT_EQ(encoded.substr(76, 2), "\r\n");
  EXPECT_EQ(encoded.substr(78), SettingsStore::EncodePassword(password58.substr(57)));
  EXPECT_EQ(SettingsStore::DecodePassword(encoded), password58);

  const std::string long200(200, '\x7F');
  const std::string encodedLong = SettingsStore::EncodePassword(long200);
  EXPECT_EQ(encodedLong.substr(76, 2), "\r\n");
  EXPECT_EQ(encodedLong.substr(154, 2), "\r\n");
  EXPECT_EQ(SettingsStore::DecodePassword(encodedLong), long200);
}

TEST(PasswordEncodingTest, DecoderSkipsForeignCharactersAndShortTails) {
  EXPECT_EQ(SettingsStore::DecodePassword("Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(SettingsStore::DecodePassword(" Z m 9 v ! "), "foo");
  EXPECT_EQ(SettingsStore::DecodePassword("Zm9vYg"), "foob");    // two left: one byte
  EXPECT_EQ(SettingsStore::DecodePassword("Zm9vYmE"), "fooba");  // three left: two bytes
  EXPECT_EQ(SettingsStore::DecodePassword("Zm9vY"), "foo");      // one left: nothing
  EXPECT_EQ(SettingsStore::DecodePassword("===="), "");
}

}  // namespace
