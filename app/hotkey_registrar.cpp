#include "app/hotkey_registrar.h"

namespace tessaly {

void HotkeyRegistrar::RegisterAll(const std::vector<HotkeyAssignment>& assignments) {
  UnregisterAll();
  taken_.clear();
  int id = 1;  // programs' ids lie in 0x0000..0xBFFF
  for (const HotkeyAssignment& a : assignments) {
    if (!IsHotkeyValue(a.value)) continue;
    if (RegisterHotKey(window_, id, HotkeyModifiers(a.value), HotkeyVirtualKey(a.value))) {
      registered_.emplace(id++, a.size);
    } else {
      taken_.insert(a.size.name);
    }
  }
}

void HotkeyRegistrar::UnregisterAll() {
  for (const auto& entry : registered_) UnregisterHotKey(window_, entry.first);
  registered_.clear();
}

const HotkeySize* HotkeyRegistrar::Find(WPARAM id) const {
  const auto it = registered_.find(static_cast<int>(id));
  return it == registered_.end() ? nullptr : &it->second;
}

}  // namespace tessaly
