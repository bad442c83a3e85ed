// The settings store over the real registry: the program's own key, in the 32-bit view.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/SettingsStore.h"
#include "platform/Exceptions.h"
#include "platform/win32/Win32Registry.h"

namespace {

void DeleteProgramKey() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Tavorin\\Lumenrig");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Tavorin");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tavorin\\Lumenrig");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tavorin");
}

class SettingsStoreRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteProgramKey(); }
  void TearDown() override {
    store.Close();
    DeleteProgramKey();
  }
  platform::Win32Registry registry;
  settings::SettingsStore store{registry};
};

}  // namespace

TEST_F(SettingsStoreRegistryTest, CreatesTheKeyOnFirstWriteAndReadsBack) {
  EXPECT_FALSE(store.OpenExisting());
  store.WriteValue("Note", "quiet machine");
  store.WriteValue("ProxyPassword", settings::SettingsStore::EncodePassword(std::string(58, 'p')));
  EXPECT_TRUE(store.OpenExisting());
  EXPECT_EQ(store.ReadValue("Note"), "quiet machine");
  EXPECT_EQ(settings::SettingsStore::DecodePassword(store.ReadValue("ProxyPassword")), std::string(58, 'p'));
  EXPECT_EQ(store.ReadValue("Missing"), "");
  EXPECT_TRUE(store.ReadFlagUnlessZero("Missing"));
  EXPECT_FALSE(store.ReadFlagIfOne("Missing"));
}

TEST_F(SettingsStoreRegistryTest, RefusesADwordValueWithTheDataTypeError) {
  store.WriteValue("Note", "x");
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tavorin\\Lumenrig", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &raw),
            ERROR_SUCCESS);
  DWORD number = 1;
  RegSetValueExA(raw, "Demo", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(raw);
  ASSERT_TRUE(store.OpenExisting());
  try {
    store.ReadValue("Demo");
    FAIL() << "a DWORD value was read as text";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Demo'");
  }
}
