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

// The length of the URL's scheme with its "://" ("http://": 7): letters at
// its very start, then "://"; 0 when it has none.
std::size_t SchemeLength(const std::string& url);

// Splits a URL the way the client requests it. A scheme (SchemeLength) picks
// the port ("gopher" 70, "ftp" 21, any other 80) and the host follows it; a
// ":port" after the host overrides the port. A URL without a scheme that
// starts with "/" is a path on the current host; one that does not starts
// with its host. Without a scheme or a port, currentPort stays (80 when 0).
// Blanks are sent as "%20". Raises HttpError for an empty URL, one with a
// control character, a scheme without a host, a host of other characters
// than letters, digits, ".", "-" and "_", or a port that is not a number.
HttpUrlParts ParseHttpUrl(const std::string& url, int currentPort);

// The URL a redirect leads to: a Location with a scheme as it stands; any
// other stays on the host and port of the reply, a path from the root (a bare
// name, as "new.htm", names a document at the root).
std::string RedirectUrl(const std::string& location);

}  // namespace tessaly
