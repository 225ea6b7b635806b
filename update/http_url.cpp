#include "update/http_url.h"

#include <algorithm>
#include <cctype>

#include "update/http_error.h"

namespace tessaly {

namespace {

constexpr std::size_t kMaxPath = 256;

// Index of the n-th (1-based) "/" of text, or npos.
std::size_t NthSlash(const std::string& text, int n) {
  std::size_t at = std::string::npos;
  for (int i = 0; i < n; ++i) {
    at = text.find('/', at == std::string::npos ? 0 : at + 1);
    if (at == std::string::npos) break;
  }
  return at;
}

int SchemePort(const std::string& url) {
  std::string scheme = url.substr(0, url.find(':'));
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (scheme == "gopher") return 70;
  if (scheme == "ftp") return 21;
  return 80;
}

int PortNumber(const std::string& text) {
  bool valid = !text.empty() && text.size() <= 5 &&
               std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
  int port = valid ? std::stoi(text) : -1;
  if (port < 0 || port > 65535) throw HttpError("'" + text + "' is not a valid port");
  return port;
}

}  // namespace

HttpUrlParts ParseHttpUrl(const std::string& url, int currentPort) {
  if (url.empty()) throw HttpError("Empty URL");
  HttpUrlParts parts;
  parts.url = url;
  parts.port = currentPort == 0 ? 80 : currentPort;

  const bool hasScheme = url.find("//") != std::string::npos;
  std::size_t pathStart = hasScheme ? NthSlash(url, 3) : url.find('/');
  if (pathStart != std::string::npos) parts.path = url.substr(pathStart, kMaxPath);

  if (url.find(':') != std::string::npos) parts.port = SchemePort(url);

  std::string hostPart;
  if (hasScheme) {
    std::size_t second = NthSlash(url, 2);
    hostPart = url.substr(second + 1, pathStart == std::string::npos ? std::string::npos : pathStart - second - 1);
  } else if (url[0] != '/') {
    hostPart = url.substr(0, url.find('/'));
  }
  std::size_t colon = hostPart.find(':');
  if (colon != std::string::npos) {
    parts.port = PortNumber(hostPart.substr(colon + 1));
    hostPart.erase(colon);
  }
  parts.host = hostPart;

  if (parts.path.empty()) {
    parts.path = "/";
    parts.url += "/";
  }
  return parts;
}

std::string RedirectUrl(const std::string& location, const std::string& host) {
  if (location.find('/') != std::string::npos) return location;
  return "http://" + host + "/" + location;
}

}  // namespace tessaly
