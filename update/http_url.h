#pragma once
#include <string>

namespace tessaly {

// What one request takes from its URL.
struct HttpUrlParts {
  std::string url;   // the URL as requested: gains "/" when it has no path
  std::string host;  // empty when the URL names none (the previous host stays)
  int port = 80;
  std::string path;  // what follows the host, "/" at the least; at most 256 characters
};

// Splits a URL the way the client requests it. The scheme picks the port
// ("gopher" 70, "ftp" 21, any other 80); a ":port" after the host overrides
// it; a URL without scheme or port keeps currentPort (80 when 0).
// Raises HttpError for an empty URL or a port that is not a number.
HttpUrlParts ParseHttpUrl(const std::string& url, int currentPort);

// The URL a redirect leads to: a Location without any "/" names a document
// on the host of the reply.
std::string RedirectUrl(const std::string& location, const std::string& host);

}  // namespace tessaly
