#pragma once
#include <optional>
#include <string>

namespace tessaly {

// A client conversation of dynamic data exchange, connected only when told to.
// Each link names a service and a topic; opening a new link closes the old one.
// Items and data travel in text format.
class DdeConversation {
 public:
  virtual ~DdeConversation() = default;
  // Closes the current link, if any, and connects to service/topic; false when
  // no server answers for them.
  virtual bool OpenLink(const std::string& service, const std::string& topic) = 0;
  virtual bool IsOpen() const = 0;
  // A request for item that waits at most timeoutMs: the reply's bytes (zero
  // bytes included), or nothing when no data came back.
  virtual std::optional<std::string> Request(const std::string& item, int timeoutMs) = 0;
  // Pokes data under item without waiting for the server's answer.
  virtual void PokeAsync(const std::string& item, const std::string& data) = 0;
};

}  // namespace tessaly
