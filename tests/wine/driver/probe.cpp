#include "tests/wine/driver/probe.h"

namespace tdriver {
namespace {

std::string* g_answer = nullptr;

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && g_answer) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_answer->assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

// A message-only window of this thread: answers arrive while the question is
// still being sent, so the driver takes them without a message loop.
HWND ReplyWindow() {
  static HWND window = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TDriverProbeReply";
    RegisterClassW(&wc);
    return CreateWindowW(L"TDriverProbeReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                         nullptr);
  }();
  return window;
}

}  // namespace

bool AskProgram(HWND window, const wchar_t* message, WPARAM wparam, std::string& answer) {
  const UINT number = RegisterWindowMessageW(message);
  g_answer = &answer;
  DWORD_PTR result = 0;
  const bool answered = SendMessageTimeoutW(window, number, wparam, reinterpret_cast<LPARAM>(ReplyWindow()),
                                            SMTO_NORMAL, 5000, &result) && result == 1;
  g_answer = nullptr;
  return answered;
}

}  // namespace tdriver
