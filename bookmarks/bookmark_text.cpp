#include "bookmarks/bookmark_text.h"

#include <cctype>

#include "framework/utf8_text.h"

namespace tessaly {

const char* const kUtf8MetaLine = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">";

namespace {

constexpr char32_t kEscapeBase = 0x10FE80;  // stands for byte 0x80, up to 0x10FEFF for 0xFF

bool IsEscape(char32_t c) { return c >= kEscapeBase && c < kEscapeBase + 0x80; }

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The value of the attribute that starts at `at` (just after its name):
// past blanks and "=", up to the closing quote, or without quotes up to a
// blank or ">".
std::string AttributeValue(const std::string& line, std::size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at >= line.size() || line[at] != '=') return {};
  ++at;
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at < line.size() && (line[at] == '"' || line[at] == '\'')) {
    const std::size_t end = line.find(line[at], at + 1);
    return line.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
  }
  std::size_t end = at;
  while (end < line.size() && !IsBlank(line[end]) && line[end] != '>') ++end;
  return line.substr(at, end - at);
}

}  // namespace

bool StartsWithUtf8Bom(const std::string& line) { return line.compare(0, 3, "\xEF\xBB\xBF") == 0; }

bool NamesUtf8Charset(const std::string& line) {
  const std::string lower = Lower(line);
  const std::size_t meta = lower.find("<meta");
  if (meta == std::string::npos) return false;
  // The attribute CONTENT, not the "content" in HTTP-EQUIV's "Content-Type".
  std::string value;
  for (std::size_t at = lower.find("content", meta); at != std::string::npos && value.empty();
       at = lower.find("content", at + 7))
    if (IsBlank(lower[at - 1])) value = AttributeValue(lower, at + 7);
  // "charset", blanks allowed around "=", then "utf-8".
  const std::size_t charset = value.find("charset");
  if (charset == std::string::npos) return false;
  std::size_t at = charset + 7;
  while (at < value.size() && IsBlank(value[at])) ++at;
  if (at >= value.size() || value[at] != '=') return false;
  ++at;
  while (at < value.size() && IsBlank(value[at])) ++at;
  if (value.compare(at, 5, "utf-8") != 0) return false;
  at += 5;
  return at == value.size() || IsBlank(value[at]) || value[at] == ';';
}

std::string AnsiToText(const CodePage& codePage, const std::string& bytes) {
  if (IsAscii(bytes)) return bytes;
  if (const std::optional<std::string> text = codePage.ToUtf8(bytes)) {
    const std::optional<std::string> back = codePage.FromUtf8(*text);
    if (back && *back == bytes) return *text;
  }
  std::string text;
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80)
      text += b;
    else
      AppendUtf8(text, kEscapeBase + (byte - 0x80));
  }
  return text;
}

std::optional<std::string> TextToAnsi(const CodePage& codePage, const std::string& text) {
  if (IsAscii(text)) return text;
  // The runs between escaped bytes go through the code page, each escape as
  // its byte.
  std::string bytes, run;
  const auto flush = [&]() {
    if (run.empty()) return true;
    const std::optional<std::string> converted = codePage.FromUtf8(run);
    if (!converted) return false;
    bytes += *converted;
    run.clear();
    return true;
  };
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharLength(text, at);
    const char32_t c = length > 1 ? Utf8CodePointAt(text, at) : 0;
    if (IsEscape(c)) {
      if (!flush()) return std::nullopt;
      bytes += static_cast<char>(0x80 + (c - kEscapeBase));
    } else {
      run.append(text, at, length);
    }
    at += length;
  }
  if (!flush()) return std::nullopt;
  return bytes;
}

}  // namespace tessaly
