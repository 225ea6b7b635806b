#pragma once
#include <string>

#include "framework/registry.h"

namespace tessaly {

extern const char* const kPositionKey;
extern const char* const kDefaultsKey;

// The two web addresses the program keeps: built in, replaced at start by the
// stored ones, and by every answered update query.
struct WebAddresses {
  std::string homePageUrl = "http://www.example.com/corvane/gallivor/tessaly/";
  std::string updateUrl = "http://www.example.com/corvane/gallivor/tessaly/update.asp";
};
WebAddresses& Addresses();

// An address the program may keep and hand to the shell: an absolute http://
// or https:// URL (scheme in any case) with a host, without blanks or
// control characters. Anything else could make the shell run a local file or
// another protocol's handler.
bool IsWebAddress(const std::string& text);
// An address the update query can be sent to: a web address over plain
// http://, the only kind the program's HTTP client speaks.
bool IsQueryAddress(const std::string& text);

// What the process reads before the main window exists: whether to show it,
// and stored addresses (neither empty nor "0", and of their kind above) over
// the built-in ones.
bool ReadShowMainFormAtStart(Registry& reg);
void ReadStoredAddresses(Registry& reg, WebAddresses& addresses);

// The main window's settings, read when it is created and written at exit.
struct WindowSettings {
  int left = 1068;
  int top = 109;
  bool runMinimized = false;  // stored inverted as "VisibleOnStart"
  std::string browser = "ie";
  bool alwaysOnTop = false;
  bool sizePageArea = false;  // custom sizes size the page inside the window
};

// A value that is missing or of another type keeps its default, so a damaged
// key never stops the program from starting.
WindowSettings ReadWindowSettings(Registry& reg);
// browserTab: 0 Internet Explorer, 1 Netscape Navigator. A key that cannot be
// opened or created is silently skipped.
void StoreWindowSettings(Registry& reg, const WindowSettings& s, int browserTab);

}  // namespace tessaly
