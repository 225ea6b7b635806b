#pragma once
#include <functional>
#include <string>
#include <vector>

#include "controllers/controller.h"
#include "framework/registry.h"
#include "framework/settings_keys.h"

namespace tessaly {

// The program's hotkeys: one per size, stored under kHotkeysKey as a
// REG_DWORD named by the size's text.

// A hot-key control's value, as stored: the virtual key in the low byte and
// the control's HOTKEYF_ flags in the next; 0 for none.
constexpr int kHotkeyfShift = 0x01, kHotkeyfControl = 0x02, kHotkeyfAlt = 0x04, kHotkeyfExt = 0x08;
// RegisterHotKey's modifier flags, which order the same keys differently.
constexpr unsigned kModAlt = 0x0001, kModControl = 0x0002, kModShift = 0x0004;

// Whether a stored number can be a hot-key control's value: a key, and no
// flags beyond the four above.
bool IsHotkeyValue(int value);
inline unsigned HotkeyVirtualKey(int value) { return static_cast<unsigned>(value) & 0xFFu; }
// The MOD_ flags for the value's HOTKEYF_ flags. The extended-key flag only
// tells which of two keys with one code was pressed: RegisterHotKey has no
// counterpart for it.
unsigned HotkeyModifiers(int value);

// A size that can have a hotkey: a preset (its number, 0 Web TV .. 3
// 1024 x 768) or a custom size (preset -1), named by its text.
struct HotkeySize {
  std::string name;
  int preset = -1;
  bool IsPreset() const { return preset >= 0; }
};

// The dialog's rows: the four presets in the main window's order, then the
// custom sizes in list order. A custom size with a preset's text has no row
// of its own: its stored value could not be told from the preset's.
std::vector<HotkeySize> HotkeySizes(const std::vector<std::string>& customSizes);

struct HotkeyAssignment {
  HotkeySize size;
  int value = 0;  // hot-key control value, 0 for none
};

// Every size with its stored key; a missing or damaged value reads as none.
std::vector<HotkeyAssignment> LoadHotkeys(Registry& reg, const std::vector<HotkeySize>& sizes);
// Writes each assigned key and removes the value of each emptied one.
void StoreHotkeys(Registry& reg, const std::vector<HotkeyAssignment>& assignments);
// A custom size that left the list takes its hotkey with it (a preset's text
// keeps the preset's). True when a stored value went.
bool RemoveHotkeysOfRemovedSizes(Registry& reg, const std::vector<std::string>& before,
                                 const std::vector<std::string>& after);

// What a pressed hotkey does to the active-window target: a preset with the
// main window's bar choices (Web TV without them, as its button), a custom
// size through sizeToCustom, the path every custom size command takes.
void SizeForHotkey(const HotkeySize& size, Controller& target, int taskBar, int officeBar,
                   const std::function<void(const std::string&)>& sizeToCustom);

// How the dialog arranges its rows: down a column, then in the next one, so
// that a long custom list still fits on the screen.
struct HotkeyGrid {
  int columns;
  int rowsPerColumn;
};
HotkeyGrid HotkeyGridFor(int rows);

}  // namespace tessaly
