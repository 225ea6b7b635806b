#include "update/web_addresses.h"

#include <cctype>

#include "framework/settings_keys.h"

namespace tessaly {

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

void ReadStoredAddresses(Registry& reg, WebAddresses& addresses) {
  RegistryKeyScope key(reg, kDefaultsKey, false);
  if (!key.IsOpen()) return;
  std::string home = reg.ReadStringOr("HomePageUrl", "");
  std::string update = reg.ReadStringOr("UpdateURL", "");
  // An empty text and "0" stand for "none"; neither is an address.
  if (IsWebAddress(home)) addresses.homePageUrl = home;
  if (IsQueryAddress(update)) addresses.updateUrl = update;
}

}  // namespace tessaly
