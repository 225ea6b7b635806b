#include "update/http_url.h"

#include <algorithm>
#include <cctype>

#include "update/http_error.h"

namespace tessaly {

namespace {

constexpr std::size_t kMaxPath = 256;

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool IsHostCharacter(unsigned char c) { return std::isalnum(c) || c == '.' || c == '-' || c == '_'; }

int SchemePort(const std::string& scheme) {
  std::string lower = scheme;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "gopher") return 70;
  if (lower == "ftp") return 21;
  return 80;
}

int PortNumber(const std::string& text) {
  bool valid = !text.empty() && text.size() <= 5 &&
               std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  int port = valid ? std::stoi(text) : -1;
  if (port < 0 || port > 65535) throw HttpError("'" + text + "' is not a valid port");
  return port;
}

// Blanks travel as "%20": in the request line a blank would end the path.
std::string WithEncodedBlanks(const std::string& url) {
  std::string out;
  for (char c : url) out += c == ' ' ? std::string("%20") : std::string(1, c);
  return out;
}

}  // namespace

std::size_t SchemeLength(const std::string& url) {
  std::size_t letters = 0;
  while (letters < url.size() && std::isalpha(static_cast<unsigned char>(url[letters]))) ++letters;
  return letters > 0 && url.compare(letters, 3, "://") == 0 ? letters + 3 : 0;
}

HttpUrlParts ParseHttpUrl(const std::string& rawUrl, int currentPort) {
  if (rawUrl.empty()) throw HttpError("Empty URL");
  if (std::any_of(rawUrl.begin(), rawUrl.end(), [](unsigned char c) { return IsControl(c); }))
    throw HttpError("Control character in URL");
  const std::string url = WithEncodedBlanks(rawUrl);
  HttpUrlParts parts;
  parts.url = url;
  parts.port = currentPort == 0 ? 80 : currentPort;

  // A scheme only at the start: "//" or ":" later on belong to the path or
  // the query of a URL without one, which keeps the current host and port.
  const std::size_t scheme = SchemeLength(url);
  std::string hostPart;
  std::size_t pathStart;
  if (scheme > 0) {
    parts.port = SchemePort(url.substr(0, scheme - 3));
    pathStart = url.find('/', scheme);
    hostPart = url.substr(scheme, pathStart == std::string::npos ? std::string::npos : pathStart - scheme);
  } else {
    pathStart = url.find('/');
    if (url[0] != '/') hostPart = url.substr(0, pathStart);
  }
  if (pathStart != std::string::npos) parts.path = url.substr(pathStart, kMaxPath);
  std::size_t colon = hostPart.find(':');
  if (colon != std::string::npos) {
    parts.port = PortNumber(hostPart.substr(colon + 1));
    hostPart.erase(colon);
  }
  if (scheme > 0 && hostPart.empty()) throw HttpError("No host in URL");
  if (!std::all_of(hostPart.begin(), hostPart.end(), [](unsigned char c) { return IsHostCharacter(c); }))
    throw HttpError("'" + hostPart + "' is not a host name");
  parts.host = hostPart;

  if (parts.path.empty()) {
    parts.path = "/";
    parts.url += "/";
  }
  return parts;
}

std::string RedirectUrl(const std::string& location) {
  if (SchemeLength(location) > 0 || (!location.empty() && location[0] == '/')) return location;
  return "/" + location;
}

}  // namespace tessaly
