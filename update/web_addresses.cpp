#include "update/web_addresses.h"

#include <cctype>

#include "framework/settings_keys.h"
#include "update/http_error.h"
#include "update/http_url.h"

namespace tessaly {

namespace {
bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

// The length of "http://" or "https://" (in any case) at the start, else 0.
size_t WebSchemeLength(const std::string& text) {
  if (StartsWithNoCase(text, "http://")) return 7;
  if (StartsWithNoCase(text, "https://")) return 8;
  return 0;
}

// Whether the address names a host the HTTP client parses (letters, digits,
// ".", "-", "_": no "@", "#" or "?" in it), a port of 1 to 65535 where one is
// written, and no blank or control character anywhere. An address the client
// sends a query to also needs a path from the root: without one the query's
// "?" would land in the host. A page the browser opens ("http://example.com")
// does not.
bool ClientCanParse(const std::string& text, bool needPath) {
  for (unsigned char c : text)
    if (c <= ' ' || c == 0x7F) return false;
  const std::size_t scheme = tessaly::SchemeLength(text);
  if (scheme == 0) return false;
  if (needPath && text.find('/', scheme) == std::string::npos) return false;
  try {
    const HttpUrlParts parts = ParseHttpUrl(text, 0);
    return !parts.host.empty() && parts.port >= 1;
  } catch (const HttpError&) {
    return false;
  }
}

}  // namespace

bool IsWebAddress(const std::string& text) { return WebSchemeLength(text) != 0 && ClientCanParse(text, false); }

bool IsQueryAddress(const std::string& text) { return WebSchemeLength(text) == 7 && ClientCanParse(text, true); }

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
