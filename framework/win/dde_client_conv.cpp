#include "framework/win/dde_client_conv.h"

namespace tessaly::win {

namespace {
// A client is told only of its asynchronous transactions' ends, which it does
// not wait for.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }
}  // namespace

// The library is set up at the first link, not with the program: most runs
// never talk DDE.
bool DdeClientConv::Initialize() {
  if (instance_) return true;
  DWORD instance = 0;
  if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
      DMLERR_NO_ERROR)
    return false;
  instance_.Reset(instance);
  return true;
}

bool DdeClientConv::OpenLink(const std::string& service, const std::string& topic) {
  conversation_.Reset();
  if (!Initialize()) return false;
  DdeStringHandle serviceName(instance_.Get(), service);
  DdeStringHandle topicName(instance_.Get(), topic);
  if (!serviceName.Get() || !topicName.Get()) return false;
  conversation_.Reset(DdeConnect(instance_.Get(), serviceName.Get(), topicName.Get(), nullptr));
  return IsOpen();
}

std::optional<std::string> DdeClientConv::Request(const std::string& item, int timeoutMs) {
  if (!conversation_) return std::nullopt;
  DdeStringHandle itemName(instance_.Get(), item);
  if (!itemName.Get()) return std::nullopt;
  UniqueDdeData reply(DdeClientTransaction(nullptr, 0, conversation_.Get(), itemName.Get(), CF_TEXT, XTYP_REQUEST,
                                           static_cast<DWORD>(timeoutMs), nullptr));
  if (!reply) return std::nullopt;
  DWORD size = 0;
  const BYTE* bytes = DdeAccessData(reply.Get(), &size);
  std::string data = bytes ? std::string(reinterpret_cast<const char*>(bytes), size) : std::string();
  if (bytes) DdeUnaccessData(reply.Get());
  return data;
}

void DdeClientConv::PokeAsync(const std::string& item, const std::string& data) {
  if (!conversation_) return;
  DdeStringHandle itemName(instance_.Get(), item);
  if (!itemName.Get()) return;
  HDDEDATA handle = DdeCreateDataHandle(instance_.Get(), reinterpret_cast<BYTE*>(const_cast<char*>(data.data())),
                                        static_cast<DWORD>(data.size()), 0, itemName.Get(), CF_TEXT, 0);
  if (!handle) return;
  // The library owns the data from here on; the result is not awaited.
  DdeClientTransaction(reinterpret_cast<BYTE*>(handle), static_cast<DWORD>(-1), conversation_.Get(), itemName.Get(),
                       CF_TEXT, XTYP_POKE, TIMEOUT_ASYNC, nullptr);
}

}  // namespace tessaly::win
