// libFuzzer target: any text as a URL and as a redirect's Location. The
// parser raises HttpError or gives a path from "/" and a host, both without a
// blank or control character; a Location without a scheme never changes the
// host or the port.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/http_error.h"
#include "update/http_url.h"

using namespace tessaly;

namespace {

bool HasBlankOrControl(const std::string& text) {
  for (unsigned char c : text)
    if (c <= ' ' || c == 0x7F) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const HttpUrlParts parts = ParseHttpUrl(text, 8080);
    if (parts.path.empty() || parts.path[0] != '/' || HasBlankOrControl(parts.path) || HasBlankOrControl(parts.host) ||
        parts.port < 0 || parts.port > 65535)
      std::abort();
  } catch (const HttpError&) {
  }
  if (SchemeLength(text) == 0) {
    try {
      const HttpUrlParts moved = ParseHttpUrl(RedirectUrl(text), 8080);
      if (!moved.host.empty() || moved.port != 8080) std::abort();
    } catch (const HttpError&) {
    }
  }
  return 0;
}
