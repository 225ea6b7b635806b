#pragma once
#include <cstddef>
#include <string>

namespace tessaly {

// Texts the program keeps in memory are UTF-8: the bookmark titles, the
// captions of every menu and control. These count and cut them by
// characters. A byte that starts no well-formed sequence counts as one
// character of its own, so that any bytes can be counted and cut without
// losing one.

// The length in bytes of the character that starts at text[at].
std::size_t Utf8CharLength(const std::string& text, std::size_t at);
std::size_t CountUtf8Chars(const std::string& text);
// The first or last count characters, whole.
std::string FirstUtf8Chars(const std::string& text, std::size_t count);
std::string LastUtf8Chars(const std::string& text, std::size_t count);

bool IsAscii(const std::string& text);
// Whether the whole text is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(const std::string& text);

// Appends the UTF-8 bytes of a code point (below 0x110000, not a surrogate).
void AppendUtf8(std::string& text, char32_t codePoint);
// The code point of the well-formed character at text[at] (of the length
// Utf8CharLength gives), or the byte itself when it starts none.
char32_t Utf8CodePointAt(const std::string& text, std::size_t at);

}  // namespace tessaly
