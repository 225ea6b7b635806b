// The settings registry on HKEY_LOCAL_MACHINE, on keys whose rights are set
// the way a standard account sees the machine-wide settings.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "framework/win/handles.h"
#include "framework/win/win32_registry.h"

namespace {

using tessaly::win::UniqueKey;
using tessaly::win::Win32Registry;

const char* const kRoot = "Software\\TessalyTest";
const char* const kKey = "Software\\TessalyTest\\Registry";

void SetRights(HKEY key, const char* sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr));
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
  LocalFree(sd);
}

class Win32RegistryOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    UniqueKey key;
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    key.Reset(h);
    const DWORD left = 300;
    RegSetValueExA(key.Get(), "Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left), sizeof(left));
    RegSetValueExA(key.Get(), "Browser", 0, REG_SZ, reinterpret_cast<const BYTE*>("ns"), 3);
  }
  void TearDown() override {
    // The owner may always change the rights, and then remove the key.
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, WRITE_DAC, &h) == ERROR_SUCCESS) {
      SetRights(h, "D:(A;;KA;;;WD)");
      RegCloseKey(h);
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRoot);
  }
  // Everyone may read the key, nobody may write it.
  void DenyWrites() {
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, WRITE_DAC, &h), ERROR_SUCCESS);
    SetRights(h, "D:P(A;;KR;;;WD)");
    RegCloseKey(h);
  }
};

TEST_F(Win32RegistryOnWine, KeyThatMayOnlyBeReadGivesEveryValue) {
  DenyWrites();
  Win32Registry reg;
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kKey, false));
  EXPECT_EQ(reg.ReadInteger("Left"), 300);
  EXPECT_EQ(reg.ReadString("Browser"), "ns");
  EXPECT_TRUE(reg.ValueExists("Browser"));
  EXPECT_EQ(reg.GetValueNames().size(), 2u);
  // Storing is refused quietly: the key does not open for writing.
  EXPECT_FALSE(reg.OpenKey(std::string("\\") + kKey, true));
  EXPECT_THROW(reg.WriteInteger("Left", 1), tessaly::RegistryError);
}

TEST_F(Win32RegistryOnWine, KeyOpenedForWritingTakesWritesAndShowsNoValues) {
  Win32Registry reg;
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kKey, true));
  reg.WriteInteger("Left", 42);
  EXPECT_TRUE(reg.DeleteValue("Browser"));
  EXPECT_FALSE(reg.TryReadInteger("Left"));  // as the in-memory registry of the native tests
  EXPECT_TRUE(reg.GetValueNames().empty());
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kKey, false));
  EXPECT_EQ(reg.ReadInteger("Left"), 42);
  EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"Left"});
}

}  // namespace
