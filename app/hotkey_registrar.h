#pragma once
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/hotkeys.h"

namespace tessaly {

// The program's system-wide hotkeys, registered on one window: each under an
// id that names its size when WM_HOTKEY arrives. They go with the registrar.
class HotkeyRegistrar {
 public:
  explicit HotkeyRegistrar(HWND window) : window_(window) {}
  ~HotkeyRegistrar() { UnregisterAll(); }
  HotkeyRegistrar(const HotkeyRegistrar&) = delete;
  HotkeyRegistrar& operator=(const HotkeyRegistrar&) = delete;

  // Replaces the registered keys with the assigned ones. A combination that
  // cannot be registered (another program holds it, or another size here)
  // is left out and counted as taken.
  void RegisterAll(const std::vector<HotkeyAssignment>& assignments);
  void UnregisterAll();
  // The size of a WM_HOTKEY id, or null.
  const HotkeySize* Find(WPARAM id) const;
  // The sizes whose key the last RegisterAll could not register.
  const std::set<std::string>& Taken() const { return taken_; }

 private:
  HWND window_;
  std::map<int, HotkeySize> registered_;
  std::set<std::string> taken_;
};

}  // namespace tessaly
