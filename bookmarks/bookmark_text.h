#pragma once
#include <optional>
#include <stdexcept>
#include <string>

#include "framework/code_page.h"

namespace tessaly {

// How a bookmark file keeps its text. The program keeps every title and URL
// as UTF-8 in memory; a file in the ANSI code page is converted on reading
// and back on writing, so that its bytes come out as they went in.
enum class BookmarkEncoding { kAnsi, kUtf8 };

// The line that says a file is UTF-8, as browsers write it.
extern const char* const kUtf8MetaLine;

// A file is UTF-8 when its first line starts with the byte-order mark or
// one of its lines is a META tag whose CONTENT names charset=UTF-8 (letter
// case aside); otherwise it is in the ANSI code page.
bool StartsWithUtf8Bom(const std::string& line);
bool NamesUtf8Charset(const std::string& line);

// Text of the ANSI code page as UTF-8. Bytes that the code page does not read
// back as themselves (a lead byte without its trail byte in a double-byte
// code page, cut there by an older program) cannot be characters: each byte
// from 0x80 up then stands for itself as a code point of a private use
// range that no code page reaches, U+10FE80 to U+10FEFF, and goes back into
// an ANSI file as that byte.
std::string AnsiToText(const CodePage& codePage, const std::string& bytes);
// UTF-8 text in the ANSI code page, exactly as AnsiToText took it; nothing
// when the code page cannot hold a character of it.
std::optional<std::string> TextToAnsi(const CodePage& codePage, const std::string& text);

// Raised by the writer of an ANSI file for a text the code page cannot hold.
class NotInCodePage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tessaly
