#include "app/settings.h"

#include <cctype>

namespace tessaly {

const char* const kPositionKey = "\\Software\\Corvane\\Tessaly\\Position";
const char* const kDefaultsKey = "\\Software\\Corvane\\Tessaly\\Defaults";

WebAddresses& Addresses() {
  static WebAddresses addresses;
  return addresses;
}

namespace {
bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

size_t SchemeLength(const std::string& text) {
  if (StartsWithNoCase(text, "http://")) return 7;
  if (StartsWithNoCase(text, "https://")) return 8;
  return 0;
}

std::string ReadStringOr(Registry& reg, const std::string& name, const std::string& fallback) {
  try {
    return reg.ReadString(name);
  } catch (const RegistryError&) {
    return fallback;
  }
}
}  // namespace

bool IsWebAddress(const std::string& text) {
  const size_t scheme = SchemeLength(text);
  if (scheme == 0) return false;
  for (unsigned char c : text)
    if (c <= ' ' || c == 0x7F) return false;
  const size_t hostEnd = text.find_first_of("/?#", scheme);
  const std::string host = text.substr(scheme, hostEnd == std::string::npos ? std::string::npos : hostEnd - scheme);
  return !host.empty() && host.find('\\') == std::string::npos;
}

bool IsQueryAddress(const std::string& text) { return IsWebAddress(text) && SchemeLength(text) == 7; }

bool ReadShowMainFormAtStart(Registry& reg) {
  RegistryKeyScope key(reg, kPositionKey, false);
  return !key.IsOpen() || reg.ReadBoolOr("VisibleOnStart", true);
}

void ReadStoredAddresses(Registry& reg, WebAddresses& addresses) {
  RegistryKeyScope key(reg, kDefaultsKey, false);
  if (!key.IsOpen()) return;
  std::string home = ReadStringOr(reg, "HomePageUrl", "");
  std::string update = ReadStringOr(reg, "UpdateURL", "");
  // An empty text and "0" stand for "none"; neither is an address.
  if (IsWebAddress(home)) addresses.homePageUrl = home;
  if (IsQueryAddress(update)) addresses.updateUrl = update;
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
    s.sizePageArea = reg.ReadBoolOr("SizePageArea", false);
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
  }
}

}  // namespace tessaly
