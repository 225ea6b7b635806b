#pragma once
#include <optional>
#include <string>

namespace tessaly {

// The system's ANSI code page: the single- or double-byte character set in
// which the program's older files and older programs keep text (bookmark
// files of Netscape's day, registry values read with the ANSI calls,
// Netscape's DDE). The program keeps text as UTF-8; this converts at those
// edges. Windows' own conversion is behind win/win32_code_page.h, a table
// of Windows-1252 behind cp1252_code_page.h for tests.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // The bytes as UTF-8; nothing when they are no text of the code page.
  virtual std::optional<std::string> ToUtf8(const std::string& bytes) const = 0;
  // The UTF-8 text in the code page; nothing when it is no well-formed
  // UTF-8 or holds a character the code page does not have (no character
  // is replaced by a look-alike).
  virtual std::optional<std::string> FromUtf8(const std::string& text) const = 0;
};

}  // namespace tessaly
