#include "app/hotkeys.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "framework/memory_registry.h"

using namespace tessaly;

namespace {

// The hot-key control's flags and virtual keys, as <commctrl.h> has them.
constexpr int kShift = 0x01, kControl = 0x02, kAlt = 0x04, kExt = 0x08;
constexpr int kVkK = 0x4B, kVkF9 = 0x78;
int Value(int flags, int vk) { return flags << 8 | vk; }

std::vector<std::string> Names(const std::vector<HotkeySize>& sizes) {
  std::vector<std::string> out;
  for (const HotkeySize& s : sizes) out.push_back(s.name);
  return out;
}

TEST(HotkeyValue, ModifierFlagsBecomeRegisterHotKeyFlags) {
  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4: shift and alt change places.
  EXPECT_EQ(HotkeyModifiers(Value(kShift, kVkK)), 4u);
  EXPECT_EQ(HotkeyModifiers(Value(kControl, kVkK)), 2u);
  EXPECT_EQ(HotkeyModifiers(Value(kAlt, kVkK)), 1u);
  EXPECT_EQ(HotkeyModifiers(Value(kControl | kAlt, kVkK)), 3u);
  EXPECT_EQ(HotkeyModifiers(Value(kShift | kAlt | kExt, kVkF9)), 5u);  // the extended flag has no MOD_
  EXPECT_EQ(HotkeyModifiers(Value(0, kVkF9)), 0u);
  EXPECT_EQ(HotkeyVirtualKey(Value(kShift | kControl | kAlt | kExt, kVkK)), static_cast<unsigned>(kVkK));
}

TEST(HotkeyValue, OnlyAKeyWithKnownFlagsIsAHotkey) {
  EXPECT_TRUE(IsHotkeyValue(Value(kControl | kAlt, kVkK)));
  EXPECT_TRUE(IsHotkeyValue(Value(0, kVkF9)));
  EXPECT_TRUE(IsHotkeyValue(Value(kShift | kControl | kAlt | kExt, 0xFF)));
  EXPECT_FALSE(IsHotkeyValue(0));
  EXPECT_FALSE(IsHotkeyValue(Value(kControl, 0)));  // modifiers without a key
  EXPECT_FALSE(IsHotkeyValue(Value(0x10, kVkK)));   // a flag the control never sets
  EXPECT_FALSE(IsHotkeyValue(0x10000 | kVkK));
  EXPECT_FALSE(IsHotkeyValue(-1));
}

TEST(HotkeySizes, PresetsInButtonOrderThenEachCustomSizeOnce) {
  const std::vector<HotkeySize> sizes = HotkeySizes({"300 x 200", "800 x 600", "1280 x 720", "300 x 200"});
  EXPECT_EQ(Names(sizes), (std::vector<std::string>{"640 x 480", "800 x 600", "Web TV", "1024 x 768",
                                                    "300 x 200", "1280 x 720"}));
  std::vector<int> presets;
  for (const HotkeySize& s : sizes) presets.push_back(s.preset);
  EXPECT_EQ(presets, (std::vector<int>{1, 2, 0, 3, -1, -1}));
  EXPECT_EQ(HotkeySizes({}).size(), 4u);
}

TEST(HotkeyStorage, StoredLoadedAndEmptiedRowsRemoved) {
  MemoryRegistry reg;
  const std::vector<HotkeySize> sizes = HotkeySizes({"300 x 200"});
  std::vector<HotkeyAssignment> rows = LoadHotkeys(reg, sizes);
  ASSERT_EQ(rows.size(), 5u);
  for (const HotkeyAssignment& a : rows) EXPECT_EQ(a.value, 0);
  EXPECT_FALSE(reg.HasKey(kHotkeysKey));  // reading makes no key

  rows[1].value = Value(kControl | kAlt, kVkK);  // "800 x 600"
  rows[4].value = Value(kShift, kVkF9);          // "300 x 200"
  StoreHotkeys(reg, rows);
  EXPECT_EQ(reg.KeyAt(kHotkeysKey).values,
            (std::vector<std::pair<std::string, MemoryRegistry::Value>>{{"800 x 600", 0x064B}, {"300 x 200", 0x0178}}));
  std::vector<HotkeyAssignment> loaded = LoadHotkeys(reg, sizes);
  EXPECT_EQ(loaded[1].value, 0x064B);
  EXPECT_EQ(loaded[4].value, 0x0178);
  EXPECT_EQ(loaded[4].size.name, "300 x 200");

  loaded[1].value = 0;  // the row was emptied
  StoreHotkeys(reg, loaded);
  EXPECT_EQ(reg.Find(kHotkeysKey, "800 x 600"), nullptr);
  EXPECT_NE(reg.Find(kHotkeysKey, "300 x 200"), nullptr);
}

TEST(HotkeyStorage, DamagedValuesReadAsNone) {
  MemoryRegistry reg;
  reg.KeyAt(kHotkeysKey).values = {
      {"640 x 480", std::string("1611")}, {"800 x 600", 0x2041}, {"Web TV", 0x0600}, {"1024 x 768", 0x0241}};
  const std::vector<HotkeyAssignment> rows = LoadHotkeys(reg, HotkeySizes({}));
  EXPECT_EQ(rows[0].value, 0);
  EXPECT_EQ(rows[1].value, 0);
  EXPECT_EQ(rows[2].value, 0);
  EXPECT_EQ(rows[3].value, 0x0241);
}

TEST(HotkeyStorage, CustomSizeLeavingTheListLosesItsHotkey) {
  MemoryRegistry reg;
  // Nothing stored yet: no key is made.
  EXPECT_FALSE(RemoveHotkeysOfRemovedSizes(reg, {"300 x 200"}, {}));
  EXPECT_FALSE(reg.HasKey(kHotkeysKey));

  reg.KeyAt(kHotkeysKey).values = {{"300 x 200", 0x0641}, {"400 x 300", 0x0642}, {"800 x 600", 0x0643}};
  // "300 x 200" edited into "320 x 200", the custom "800 x 600" deleted.
  EXPECT_TRUE(RemoveHotkeysOfRemovedSizes(reg, {"300 x 200", "400 x 300", "800 x 600"}, {"320 x 200", "400 x 300"}));
  EXPECT_EQ(reg.Find(kHotkeysKey, "300 x 200"), nullptr);
  EXPECT_NE(reg.Find(kHotkeysKey, "400 x 300"), nullptr);
  EXPECT_NE(reg.Find(kHotkeysKey, "800 x 600"), nullptr) << "the preset's hotkey went with a custom size";
  EXPECT_FALSE(RemoveHotkeysOfRemovedSizes(reg, {"400 x 300"}, {"400 x 300"}));
}

// Records what reaches the active-window controller.
class Recorder : public Controller {
 public:
  std::vector<std::tuple<int, int>> sizes;
  void SetSize(int w, int h) override { sizes.emplace_back(w, h); }
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return {}; }
};

TEST(HotkeyPressed, PresetsWithTheBarChoicesCustomSizesThroughTheirPath) {
  Recorder target;
  std::vector<std::string> custom;
  auto sizeToCustom = [&](const std::string& text) { custom.push_back(text); };
  const std::vector<HotkeySize> sizes = HotkeySizes({"300 x 200"});
  SizeForHotkey(sizes[1], target, 1, 0, sizeToCustom);  // 800 x 600, task bar horizontal
  SizeForHotkey(sizes[2], target, 2, 2, sizeToCustom);  // Web TV: no allowances
  SizeForHotkey(sizes[3], target, 2, 2, sizeToCustom);  // 1024 x 768, both bars vertical
  SizeForHotkey(sizes[4], target, 1, 1, sizeToCustom);
  EXPECT_EQ(target.sizes, (std::vector<std::tuple<int, int>>{{808, 580}, {568, 388}, {935, 776}}));
  EXPECT_EQ(custom, std::vector<std::string>{"300 x 200"});
}

TEST(HotkeyGrid, LongListsGoIntoEvenColumns) {
  EXPECT_EQ(HotkeyGridFor(4).columns, 1);
  EXPECT_EQ(HotkeyGridFor(4).rowsPerColumn, 4);
  EXPECT_EQ(HotkeyGridFor(14).columns, 1);
  EXPECT_EQ(HotkeyGridFor(15).columns, 2);
  EXPECT_EQ(HotkeyGridFor(15).rowsPerColumn, 8);
  EXPECT_EQ(HotkeyGridFor(43).columns, 4);
  EXPECT_EQ(HotkeyGridFor(43).rowsPerColumn, 11);
}

}  // namespace
