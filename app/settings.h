#pragma once
#include <string>

#include "framework/registry.h"
#include "framework/settings_keys.h"
#include "update/web_addresses.h"

namespace tessaly {

// The program's web addresses (built in, then stored, then answered by the
// update server), one set for the whole run.
WebAddresses& Addresses();

// What the process reads before the main window exists: whether to show it.
bool ReadShowMainFormAtStart(Registry& reg);

// The main window's settings, read when it is created and written at exit.
struct WindowSettings {
  int left = 1068;
  int top = 109;
  bool runMinimized = false;  // stored inverted as "VisibleOnStart"
  std::string browser = "ie";
  bool alwaysOnTop = false;
  bool sizePageArea = false;  // custom sizes size the page inside the window
  bool bookmarksInDefaultBrowser = false;  // bookmarks open in the user's default browser
};

// A value that is missing or of another type keeps its default, so a damaged
// key never stops the program from starting.
WindowSettings ReadWindowSettings(Registry& reg);
// browserTab: 0 Internet Explorer, 1 Netscape Navigator. A key that cannot be
// opened or created is silently skipped.
void StoreWindowSettings(Registry& reg, const WindowSettings& s, int browserTab);

}  // namespace tessaly
