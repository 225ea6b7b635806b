#include "framework/win/test_probe.h"

#include <cstdlib>

namespace tessaly::win::TestProbe {

UINT Message(const char* name) { return std::getenv("TESSALY_TEST_MENUS") ? RegisterWindowMessageA(name) : 0; }

bool Reply(HWND window, HWND replyTo, std::string text) {
  if (!IsWindow(replyTo)) return false;
  COPYDATASTRUCT data{};
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = text.empty() ? nullptr : &text[0];
  DWORD_PTR reply = 0;
  return SendMessageTimeoutA(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                             reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 5000, &reply) != 0;
}

}  // namespace tessaly::win::TestProbe
