// The real registry under the 32-bit view: the x86_64 build must land where the 32-bit
// game installer and the i686 build read (Wow6432Node on 64-bit Windows).
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Win32Registry.h"

#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif

namespace {

const char* kKey = "SOFTWARE\\LumenrigTest\\Registry";

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\LumenrigTest\\Registry");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\LumenrigTest");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumenrigTest\\Registry");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumenrigTest");
  }
  platform::Win32Registry registry;
};

bool NativeViewHasKey(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace

TEST_F(RegistryTest, WritesAndReadsStringsInThe32BitView) {
  EXPECT_EQ(registry.Open(platform::RegRoot::LocalMachine, kKey), nullptr);
  auto key = registry.Create(platform::RegRoot::LocalMachine, kKey);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Note", "fast \xD7 quiet"));
  ASSERT_TRUE(key->WriteString("Empty", ""));

  auto again = registry.Open(platform::RegRoot::LocalMachine, kKey);
  ASSERT_NE(again, nullptr);
  platform::RegValue value;
  ASSERT_TRUE(again->Read("note", value));
  EXPECT_EQ(value.type, platform::RegType::String);
  EXPECT_EQ(value.data, "fast \xD7 quiet");
  ASSERT_TRUE(again->Read("Empty", value));
  EXPECT_EQ(value.data, "");
  EXPECT_FALSE(again->Read("Missing", value));

  // On a 64-bit system the 32-bit view is the Wow6432Node branch of the native view.
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  if (info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64) {
    EXPECT_TRUE(NativeViewHasKey("SOFTWARE\\Wow6432Node\\LumenrigTest\\Registry"));
    EXPECT_FALSE(NativeViewHasKey(kKey));
  }
}

TEST_F(RegistryTest, ReportsTheTypeOfANonStringValue) {
  auto key = registry.Create(platform::RegRoot::LocalMachine, kKey);
  ASSERT_NE(key, nullptr);
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &raw), ERROR_SUCCESS);
  DWORD number = 7;
  RegSetValueExA(raw, "Demo", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(raw);

  platform::RegValue value;
  ASSERT_TRUE(key->Read("Demo", value));
  EXPECT_EQ(value.type, platform::RegType::Dword);
  EXPECT_EQ(value.data.size(), 4u);
}
