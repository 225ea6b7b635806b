// libFuzzer target: the HTTP client over up to seven scripted connections
// whose replies, pieces, refusals, closes and resets the input chooses. The
// client must end, and:
// - every request it sends is well formed: "GET <target> HTTP/1.0" and a
//   "Host:" line, neither with a blank or control character in its value;
// - a success never comes with a body shorter than the reply's
//   Content-Length, however the field was spelt.
#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "update/http_client.h"
#include "update/http_error.h"
#include "update/tests/script_transport.h"

using namespace tessaly;

namespace {

// Takes bytes off the front of the input.
struct Input {
  const std::uint8_t* at;
  std::size_t left;
  std::uint8_t Byte() { return left ? (--left, *at++) : 0; }
  std::string Bytes(std::size_t n) {
    n = n < left ? n : left;
    std::string s(reinterpret_cast<const char*>(at), n);
    at += n, left -= n;
    return s;
  }
};

bool Clean(const std::string& text) {
  for (unsigned char c : text)
    if (c <= ' ' || c == 0x7F) return false;
  return !text.empty();
}

void CheckRequest(const std::string& sent) {
  const std::size_t end = sent.find("\r\n");
  const std::string line = sent.substr(0, end);
  const std::string head = "GET ", tail = " HTTP/1.0";
  if (line.compare(0, head.size(), head) != 0 || line.size() < head.size() + tail.size() ||
      line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
    std::abort();
  if (!Clean(line.substr(head.size(), line.size() - head.size() - tail.size()))) std::abort();
  const std::size_t host = sent.find("\r\nHost: ");
  if (host == std::string::npos) std::abort();
  const std::size_t hostEnd = sent.find("\r\n", host + 8);
  if (!Clean(sent.substr(host + 8, hostEnd - host - 8))) std::abort();
}

// The reply's Content-Length as the reader takes it: the last field of that
// name in any case, the digits after its colon.
std::int64_t AnnouncedLength(const std::string& reply) {
  std::int64_t longest = 0;
  std::size_t at = 0;
  while (at < reply.size()) {
    std::size_t end = reply.find('\n', at);
    if (end == std::string::npos) break;
    std::string line = reply.substr(at, end - at);
    if (line == "\r" || line.empty()) break;
    std::string name = line.substr(0, line.find(':'));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "content-length" && line.size() > name.size()) {
      std::int64_t n = 0;
      std::size_t i = name.size() + 1;
      while (i < line.size() && !std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
      for (; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])) && n < (INT64_MAX - 9) / 10; ++i)
        n = n * 10 + (line[i] - '0');
      longest = n;
    }
    at = end + 1;
  }
  return longest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  static const char* const kStarts[] = {"http://h/update.asp?appVersion=%32", "http://h:8080/x", "http://10.0.0.1/a b",
                                        "h:81/y"};
  const std::string start = kStarts[in.Byte() % 4];
  std::vector<testing::ScriptedConnection> script;
  const int count = 1 + in.Byte() % 7;
  for (int i = 0; i < count; ++i) {
    testing::ScriptedConnection c;
    const std::uint8_t flags = in.Byte();
    c.refuse = (flags & 0x07) == 0;
    c.reset = (flags & 0x08) != 0;
    if (flags & 0x10) c.pieces = {1u + in.Byte() % 64, 1u + in.Byte() % 7};
    const std::size_t length = in.Byte() | (static_cast<std::size_t>(in.Byte() & 0x0F) << 8);
    c.reply = in.Bytes(length);
    script.push_back(c);
  }
  std::vector<testing::Connection> connections;
  THttpClient client(std::make_unique<testing::ScriptTransport>(script, connections));
  bool succeeded = false;
  client.OnSuccess = [&](int) { succeeded = true; };
  try {
    client.Get(start);
  } catch (const HttpError&) {
  }
  for (const testing::Connection& c : connections) CheckRequest(c.sent);
  if (succeeded) {
    // The success came from the last connection made.
    std::size_t index = 0, seen = 0;
    for (std::size_t i = 0; i < script.size() && seen < connections.size(); ++i)
      if (!script[i].refuse) index = i, ++seen;
    const std::int64_t announced = AnnouncedLength(script[index].reply);
    if (announced > 0 && static_cast<std::int64_t>(client.Body.size()) < announced) std::abort();
  }
  return 0;
}
