#pragma once
#include <string>

#include "update/header_list.h"

namespace tessaly {

// The values a request carries about its sender; an empty value sends no line.
struct THeaderInfo {
  std::string LocalMailAddress;  // "From"
  std::string LocalProgram;      // "User-Agent"
  std::string Cookie;
  std::string Referer;
  std::string UserId;  // with Password: "Authorization: Basic ..."
  std::string Password;
};

// What a GET asks for: the path on a direct connection; through a proxy the
// whole URL takes its place and the proxy is told the host.
struct GetTarget {
  std::string url;
  std::string path;
  std::string host;
  bool viaProxy = false;
};

// The header lines of a GET request, in the order they are sent.
THeaderList BuildGetRequest(const GetTarget& target, const THeaderInfo& info);

// Base64 (RFC 2045 alphabet, "=" padding, no line breaks).
std::string EncodeBase64(const std::string& bytes);

}  // namespace tessaly
