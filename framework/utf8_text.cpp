#include "framework/utf8_text.h"

namespace tessaly {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

std::size_t Utf8CharLength(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong form
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  if (at + length > text.size() || byte(1) < low || byte(1) > high) return 1;
  for (std::size_t i = 2; i < length; ++i)
    if (!IsContinuation(byte(i))) return 1;
  return length;
}

std::size_t CountUtf8Chars(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += Utf8CharLength(text, at)) ++count;
  return count;
}

std::string FirstUtf8Chars(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (; at < text.size() && count > 0; --count) at += Utf8CharLength(text, at);
  return text.substr(0, at);
}

std::string LastUtf8Chars(const std::string& text, std::size_t count) {
  const std::size_t total = CountUtf8Chars(text);
  if (count >= total) return text;
  std::size_t at = 0;
  for (std::size_t skip = total - count; skip > 0; --skip) at += Utf8CharLength(text, at);
  return text.substr(at);
}

bool IsAscii(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharLength(text, at);
    if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) return false;
    at += length;
  }
  return true;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t Utf8CodePointAt(const std::string& text, std::size_t at) {
  const std::size_t length = Utf8CharLength(text, at);
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  if (length == 1) return byte(0);
  static constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t c = byte(0) & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (byte(i) & 0x3F);
  return c;
}

}  // namespace tessaly
