#pragma once
#include "framework/dde_conversation.h"
#include "framework/win/dde_handles.h"

namespace tessaly::win {

// A DDE client conversation over the DDE management library, with a library
// instance of its own. Items and data travel as text (CF_TEXT).
class DdeClientConv : public DdeConversation {
 public:
  bool OpenLink(const std::string& service, const std::string& topic) override;
  bool IsOpen() const override { return static_cast<bool>(conversation_); }
  std::optional<std::string> Request(const std::string& item, int timeoutMs) override;
  void PokeAsync(const std::string& item, const std::string& data) override;

 private:
  bool Initialize();

  UniqueDdeInstance instance_;
  UniqueDdeConversation conversation_;  // after the instance: goes first
};

}  // namespace tessaly::win
