#include "app/hotkeys.h"

#include <gtest/gtest.h>

#include "framework/memory_registry.h"

using namespace tessaly;

namespace {

// Hot-key control values: HOTKEYF_ flags (shift 1, control 2, alt 4, extended
// 8) above the virtual key ('K' 0x4B).
TEST(HotkeyValue, FlagsBecomeRegisterHotKeyModifiersAndOnlyKeysWithKnownFlagsCount) {
  EXPECT_EQ(HotkeyModifiers(0x014B), 4u);  // MOD_SHIFT
  EXPECT_EQ(HotkeyModifiers(0x024B), 2u);  // MOD_CONTROL
  EXPECT_EQ(HotkeyModifiers(0x044B), 1u);  // MOD_ALT
  EXPECT_EQ(HotkeyModifiers(0x0D4B), 5u);  // the extended flag has no MOD_
  EXPECT_EQ(HotkeyVirtualKey(0x0F4B), 0x4Bu);
  EXPECT_TRUE(IsHotkeyValue(0x0F4B));
  for (int damaged : {0, 0x0600, 0x104B, 0x1004B, -1}) EXPECT_FALSE(IsHotkeyValue(damaged)) << damaged;
}

TEST(HotkeySizes, PresetsInButtonOrderThenEachCustomSizeWithoutAPresetsText) {
  std::vector<std::pair<std::string, int>> rows;
  for (const HotkeySize& s : HotkeySizes({"300 x 200", "800 x 600", "300 x 200"})) rows.emplace_back(s.name, s.preset);
  EXPECT_EQ(rows, (std::vector<std::pair<std::string, int>>{
                      {"640 x 480", 1}, {"800 x 600", 2}, {"Web TV", 0}, {"1024 x 768", 3}, {"300 x 200", -1}}));
}

TEST(HotkeyStorage, AssignedKeysStoredEmptiedOnesRemovedDamagedOnesReadAsNone) {
  MemoryRegistry reg;
  std::vector<HotkeyAssignment> rows = LoadHotkeys(reg, HotkeySizes({"300 x 200"}));
  EXPECT_FALSE(reg.HasKey(kHotkeysKey));  // reading makes no key
  rows[1].value = 0x064B;
  rows[4].value = 0x0178;
  StoreHotkeys(reg, rows);
  rows = LoadHotkeys(reg, HotkeySizes({"300 x 200"}));
  EXPECT_EQ(rows[1].value, 0x064B);
  EXPECT_EQ(rows[4].value, 0x0178);
  rows[1].value = 0;
  StoreHotkeys(reg, rows);
  EXPECT_EQ(reg.KeyAt(kHotkeysKey).values,
            (std::vector<std::pair<std::string, MemoryRegistry::Value>>{{"300 x 200", 0x0178}}));
  reg.KeyAt(kHotkeysKey).values = {{"640 x 480", std::string("1611")}, {"Web TV", 0x2041}};
  for (const HotkeyAssignment& a : LoadHotkeys(reg, HotkeySizes({}))) EXPECT_EQ(a.value, 0) << a.size.name;
}

TEST(HotkeyStorage, CustomSizeLeavingTheListLosesItsHotkeyButNotAPresets) {
  MemoryRegistry reg;
  EXPECT_FALSE(RemoveHotkeysOfRemovedSizes(reg, {"300 x 200"}, {}));
  EXPECT_FALSE(reg.HasKey(kHotkeysKey));  // nothing stored: no key made
  reg.KeyAt(kHotkeysKey).values = {{"300 x 200", 0x0641}, {"400 x 300", 0x0642}, {"800 x 600", 0x0643}};
  // "300 x 200" edited into "320 x 200", the custom "800 x 600" deleted.
  EXPECT_TRUE(RemoveHotkeysOfRemovedSizes(reg, {"300 x 200", "400 x 300", "800 x 600"}, {"320 x 200", "400 x 300"}));
  EXPECT_EQ(reg.Find(kHotkeysKey, "300 x 200"), nullptr);
  EXPECT_NE(reg.Find(kHotkeysKey, "400 x 300"), nullptr);
  EXPECT_NE(reg.Find(kHotkeysKey, "800 x 600"), nullptr);
}

}  // namespace
