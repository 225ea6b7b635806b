#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaly {

// Reads the header of an HTTP reply as it arrives, in pieces of any size,
// and keeps what the client acts on. A reply must start with a status line
// "HTTP/" version, a blank and a three-digit reply number; anything else is
// refused as soon as it shows. The header ends at an empty line; one longer
// than kMaxSize is refused, so a server that never ends it costs no more.
class ReplyHeaderReader {
 public:
  static constexpr std::size_t kMaxSize = 256 * 1024;
  static constexpr std::size_t kMaxValue = 256;  // Location and Set-Cookie values

  enum class State { kReading, kComplete, kNotHttp, kTooLong, kCutShort };

  // Takes bytes up to and including the header's empty line and returns how
  // many it took: what follows is the start of the body.
  std::size_t Feed(const char* data, std::size_t size);
  // The connection ended: a header not yet complete was cut short.
  void End();

  State GetState() const { return state_; }
  bool Reading() const { return state_ == State::kReading; }
  // 100 to 999 once the status line was read; 0 before and when refused.
  int ReplyNumber() const { return replyNumber_; }
  // The last Content-Length, 0 when absent; too large a number saturates.
  std::int64_t ContentLength() const { return contentLength_; }
  // The last Location and Set-Cookie values, without their line end and the
  // blanks around them, cut at kMaxValue characters; empty when absent.
  const std::string& Location() const { return location_; }
  const std::string& Cookie() const { return cookie_; }
  // Every line as received, the status line first and the empty line last;
  // a refused line is left out.
  const std::string& Text() const { return text_; }

 private:
  void Refuse(State why);
  void TakeLine(std::size_t start);
  bool TakeStatusLine(const std::string& line);
  void TakeField(const std::string& line);

  State state_ = State::kReading;
  std::string text_;
  std::size_t lineStart_ = 0;  // where the line being read starts in text_
  int replyNumber_ = 0;
  std::int64_t contentLength_ = 0;
  std::string location_;
  std::string cookie_;
};

}  // namespace tessaly
