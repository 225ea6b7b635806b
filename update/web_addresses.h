#pragma once
#include <string>

#include "framework/registry.h"

namespace tessaly {

// The two web addresses the program keeps: built in, replaced at start by the
// stored ones, and by every answered update query.
struct WebAddresses {
  std::string homePageUrl = "http://www.example.com/corvane/gallivor/tessaly/";
  std::string updateUrl = "http://www.example.com/corvane/gallivor/tessaly/update.asp";
};

// An address the program may keep and hand to the shell: an absolute http://
// or https:// URL (scheme in any case) that the program's HTTP client could
// request: a host name without "@" (no user before it), a port of 1 to 65535
// where one is written, no blank or control character.
// Anything else could make the shell run a local file or another protocol's
// handler, or leave an address stored that no later check can use.
bool IsWebAddress(const std::string& text);
// An address the update query can be sent to: a web address over plain
// http://, the only kind the program's HTTP client speaks, with a path from
// the root (without one the query's "?" would land in the host).
bool IsQueryAddress(const std::string& text);
// A download address the program fetches an update from: the same rules.
inline bool IsDownloadAddress(const std::string& text) { return IsQueryAddress(text); }

// The stored addresses ("HomePageUrl", "UpdateURL" under the Defaults key),
// each over the built-in one when it is neither empty nor "0" and of its kind.
void ReadStoredAddresses(Registry& reg, WebAddresses& addresses);

}  // namespace tessaly
