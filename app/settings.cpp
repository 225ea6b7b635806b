#include "app/settings.h"

#include "framework/settings_keys.h"

namespace tessaly {

WebAddresses& Addresses() {
  static WebAddresses addresses;
  return addresses;
}

bool ReadShowMainFormAtStart(Registry& reg) {
  RegistryKeyScope key(reg, kPositionKey, false);
  return !key.IsOpen() || reg.ReadBoolOr("VisibleOnStart", true);
}

WindowSettings ReadWindowSettings(Registry& reg) {
  WindowSettings s;
  {
    RegistryKeyScope key(reg, kPositionKey, false);
    if (key.IsOpen()) {
      s.left = reg.ReadIntegerOr("Left", s.left);
      s.top = reg.ReadIntegerOr("Top", s.top);
      s.runMinimized = !reg.ReadBoolOr("VisibleOnStart", true);
    }
  }
  RegistryKeyScope key(reg, kDefaultsKey, false);
  if (key.IsOpen()) {
    s.browser = reg.ReadStringOr("Browser", "");
    s.alwaysOnTop = reg.ReadBoolOr("AlwaysOnTop", false);
    s.sizePageArea = reg.ReadBoolOr("SizePageArea", false);
    s.bookmarksInDefaultBrowser = reg.ReadBoolOr("BookmarksInDefaultBrowser", false);
  }
  return s;
}

void StoreWindowSettings(Registry& reg, const WindowSettings& s, int browserTab) {
  {
    RegistryKeyScope key(reg, kPositionKey, true);
    if (key.IsOpen()) {
      reg.WriteInteger("Left", s.left);
      reg.WriteInteger("Top", s.top);
      reg.WriteBool("VisibleOnStart", !s.runMinimized);
    }
  }
  RegistryKeyScope key(reg, kDefaultsKey, true);
  if (key.IsOpen()) {
    reg.WriteString("Browser", browserTab == 1 ? "ns" : "ie");
    reg.WriteBool("AlwaysOnTop", s.alwaysOnTop);
    reg.WriteBool("SizePageArea", s.sizePageArea);
    reg.WriteBool("BookmarksInDefaultBrowser", s.bookmarksInDefaultBrowser);
  }
}

}  // namespace tessaly
