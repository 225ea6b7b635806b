#include "app/settings.h"

namespace tessaly {

const char* const kPositionKey = "\\Software\\Corvane\\Tessaly\\Position";
const char* const kDefaultsKey = "\\Software\\Corvane\\Tessaly\\Defaults";

WebAddresses& Addresses() {
  static WebAddresses addresses;
  return addresses;
}

namespace {
bool IsStoredAddress(const std::string& s) { return !s.empty() && s != "0"; }

std::string ReadStringOr(Registry& reg, const std::string& name, const std::string& fallback) {
  try {
    return reg.ReadString(name);
  } catch (const RegistryError&) {
    return fallback;
  }
}
}  // namespace

bool ReadShowMainFormAtStart(Registry& reg) {
  RegistryKeyScope key(reg, kPositionKey, false);
  return !key.IsOpen() || reg.ReadBoolOr("VisibleOnStart", true);
}

void ReadStoredAddresses(Registry& reg, WebAddresses& addresses) {
  RegistryKeyScope key(reg, kDefaultsKey, false);
  if (!key.IsOpen()) return;
  std::string home = ReadStringOr(reg, "HomePageUrl", "");
  std::string update = ReadStringOr(reg, "UpdateURL", "");
  if (IsStoredAddress(home)) addresses.homePageUrl = home;
  if (IsStoredAddress(update)) addresses.updateUrl = update;
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
    s.browser = ReadStringOr(reg, "Browser", "");
    s.alwaysOnTop = reg.ReadBoolOr("AlwaysOnTop", false);
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
  }
}

}  // namespace tessaly
