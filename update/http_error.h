#pragma once
#include <stdexcept>
#include <string>

namespace tessaly {

// A failure of the HTTP client that is not reported through one of its
// events; it leaves Get with the text the user may see ("Empty URL",
// "Connection Failed", ...).
class HttpError : public std::runtime_error {
 public:
  explicit HttpError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace tessaly
