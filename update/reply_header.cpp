#include "update/reply_header.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace tessaly {

namespace {

constexpr char kStatusPrefix[] = "HTTP/";
constexpr std::size_t kStatusPrefixSize = sizeof(kStatusPrefix) - 1;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The line without its LF and the CR before it.
std::string WithoutLineEnd(std::string line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::size_t SkipDigits(const std::string& s, std::size_t at) {
  while (at < s.size() && IsDigit(s[at])) ++at;
  return at;
}

std::size_t SkipBlanks(const std::string& s, std::size_t at) {
  while (at < s.size() && IsBlank(s[at])) ++at;
  return at;
}

// A field value: what follows the name, up to a CR or LF, trimmed.
std::string FieldValue(const std::string& rest) {
  std::size_t start = SkipBlanks(rest, 0);
  std::size_t end = std::min(rest.find_first_of("\r\n", start), rest.size());
  while (end > start && IsBlank(rest[end - 1])) --end;
  return rest.substr(start, std::min(end - start, ReplyHeaderReader::kMaxValue));
}

std::int64_t LeadingNumber(const std::string& rest) {
  std::size_t at = 0;
  while (at < rest.size() && !IsDigit(rest[at])) ++at;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t n = 0;
  for (; at < rest.size() && IsDigit(rest[at]); ++at) {
    int digit = rest[at] - '0';
    n = n > (kMax - digit) / 10 ? kMax : n * 10 + digit;
  }
  return n;
}

}  // namespace

std::size_t ReplyHeaderReader::Feed(const char* data, std::size_t size) {
  std::size_t taken = 0;
  while (state_ == State::kReading && taken < size) {
    const char* lf = static_cast<const char*>(std::memchr(data + taken, '\n', size - taken));
    std::size_t piece = lf ? static_cast<std::size_t>(lf - data) + 1 - taken : size - taken;
    if (piece > kMaxSize - text_.size()) {
      Refuse(State::kTooLong);
      break;
    }
    text_.append(data + taken, piece);
    taken += piece;
    if (lineStart_ == 0) {
      // Refuse what is not HTTP at its first bytes, not at a line end that may never come.
      std::size_t n = std::min(text_.size(), kStatusPrefixSize);
      if (text_.compare(0, n, kStatusPrefix, n) != 0) Refuse(State::kNotHttp);
    }
    if (lf && state_ == State::kReading) {
      TakeLine(lineStart_);
      lineStart_ = text_.size();
    }
  }
  return taken;
}

// The text keeps the lines before the refused one, however the bytes came.
void ReplyHeaderReader::Refuse(State why) {
  state_ = why;
  text_.resize(lineStart_);
}

void ReplyHeaderReader::End() {
  if (state_ == State::kReading) state_ = State::kCutShort;
}

void ReplyHeaderReader::TakeLine(std::size_t start) {
  std::string line = WithoutLineEnd(text_.substr(start));
  if (start == 0) {
    if (!TakeStatusLine(line)) Refuse(State::kNotHttp);
  } else if (line.empty()) {
    state_ = State::kComplete;
  } else {
    TakeField(line);
  }
}

// "HTTP/" digits "." digits, blanks, a number of three digits (100 to 999),
// then the end or a blank.
bool ReplyHeaderReader::TakeStatusLine(const std::string& line) {
  std::size_t at = kStatusPrefixSize;
  std::size_t end = SkipDigits(line, at);
  if (end == at || end >= line.size() || line[end] != '.') return false;
  at = end + 1;
  end = SkipDigits(line, at);
  if (end == at) return false;
  at = SkipBlanks(line, end);
  if (at == end) return false;
  end = SkipDigits(line, at);
  if (end - at != 3 || line[at] == '0' || (end < line.size() && !IsBlank(line[end]))) return false;
  replyNumber_ = std::stoi(line.substr(at, 3));
  return true;
}

void ReplyHeaderReader::TakeField(const std::string& line) {
  // The name runs to its colon, with or without a blank after it:
  // "content-length:3" limits the body as "Content-Length: 3" does, or a
  // body cut short would pass for a whole one.
  const std::size_t colon = line.find(':');
  const std::size_t blank = std::find_if(line.begin(), line.end(), IsBlank) - line.begin();
  if (colon == std::string::npos || blank < colon) return;
  std::string word = line.substr(0, colon + 1);
  std::transform(word.begin(), word.end(), word.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  std::string rest = line.substr(colon + 1);
  if (word == "SET-COOKIE:") {
    cookie_ = FieldValue(rest);
  } else if (word == "LOCATION:") {
    location_ = FieldValue(rest);
  } else if (word == "CONTENT-LENGTH:") {
    contentLength_ = LeadingNumber(rest);
  }
}

}  // namespace tessaly
