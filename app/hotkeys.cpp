#include "app/hotkeys.h"

#include <algorithm>

namespace tessaly {

namespace {
// The presets as the main window shows them, with their preset numbers.
const HotkeySize kPresets[] = {{"640 x 480", 1}, {"800 x 600", 2}, {"Web TV", 0}, {"1024 x 768", 3}};

bool IsPresetText(const std::string& text) {
  return std::any_of(std::begin(kPresets), std::end(kPresets), [&](const HotkeySize& p) { return p.name == text; });
}

constexpr int kMaxRowsPerColumn = 14;
}  // namespace

bool IsHotkeyValue(int value) {
  const int allFlags = kHotkeyfShift | kHotkeyfControl | kHotkeyfAlt | kHotkeyfExt;
  return value > 0 && value <= 0xFFFF && (value & 0xFF) != 0 && ((value >> 8) & ~allFlags) == 0;
}

unsigned HotkeyModifiers(int value) {
  const int flags = (value >> 8) & 0xFF;
  unsigned mods = 0;
  if (flags & kHotkeyfShift) mods |= kModShift;
  if (flags & kHotkeyfControl) mods |= kModControl;
  if (flags & kHotkeyfAlt) mods |= kModAlt;
  return mods;
}

std::vector<HotkeySize> HotkeySizes(const std::vector<std::string>& customSizes) {
  std::vector<HotkeySize> sizes(std::begin(kPresets), std::end(kPresets));
  for (const std::string& text : customSizes) {
    const bool listed = std::any_of(sizes.begin(), sizes.end(), [&](const HotkeySize& s) { return s.name == text; });
    if (!listed) sizes.push_back(HotkeySize{text, -1});
  }
  return sizes;
}

std::vector<HotkeyAssignment> LoadHotkeys(Registry& reg, const std::vector<HotkeySize>& sizes) {
  std::vector<HotkeyAssignment> out;
  for (const HotkeySize& size : sizes) out.push_back(HotkeyAssignment{size, 0});
  RegistryKeyScope key(reg, kHotkeysKey, false);
  if (!key.IsOpen()) return out;
  for (HotkeyAssignment& a : out) {
    const std::optional<int> value = reg.TryReadInteger(a.size.name);
    if (value && IsHotkeyValue(*value)) a.value = *value;
  }
  return out;
}

void StoreHotkeys(Registry& reg, const std::vector<HotkeyAssignment>& assignments) {
  RegistryKeyScope key(reg, kHotkeysKey, true);
  if (!key.IsOpen()) return;
  for (const HotkeyAssignment& a : assignments) {
    if (IsHotkeyValue(a.value)) {
      reg.WriteInteger(a.size.name, a.value);
    } else {
      reg.DeleteValue(a.size.name);
    }
  }
}

bool RemoveHotkeysOfRemovedSizes(Registry& reg, const std::vector<std::string>& before,
                                 const std::vector<std::string>& after) {
  std::vector<std::string> removed;
  for (const std::string& text : before)
    if (!IsPresetText(text) && std::find(after.begin(), after.end(), text) == after.end()) removed.push_back(text);
  if (removed.empty()) return false;
  {
    // No key is made when no hotkey was ever stored.
    RegistryKeyScope probe(reg, kHotkeysKey, false);
    if (!probe.IsOpen()) return false;
  }
  RegistryKeyScope key(reg, kHotkeysKey, true);
  if (!key.IsOpen()) return false;
  bool any = false;
  for (const std::string& text : removed) any = reg.DeleteValue(text) || any;
  return any;
}

void SizeForHotkey(const HotkeySize& size, Controller& target, int taskBar, int officeBar,
                   const std::function<void(const std::string&)>& sizeToCustom) {
  if (!size.IsPreset()) {
    sizeToCustom(size.name);
  } else if (size.preset == 0) {
    target.SetPresetSize(0, 0, 0);  // Web TV leaves the bars out, as its button does
  } else {
    target.SetPresetSize(size.preset, taskBar, officeBar);
  }
}

HotkeyGrid HotkeyGridFor(int rows) {
  if (rows <= 0) return HotkeyGrid{1, 0};
  const int columns = (rows + kMaxRowsPerColumn - 1) / kMaxRowsPerColumn;
  // As even as the columns allow: 15 rows make two columns of 8 and 7.
  return HotkeyGrid{columns, (rows + columns - 1) / columns};
}

}  // namespace tessaly
