// tnspeer: a stand-in for Netscape Navigator's DDE interface, for the tests of
// the program's Netscape controller: the service "Netscape" with the topics
// WWW_Activate, WWW_GetFrameParent, WWW_GetWindowInfo, WWW_OpenURL and
// WWW_WindowChange, over one browser window titled "<page title> - Netscape".
//   tnspeer [--log FILE] [--id N] [--frame N] [--title TEXT] [--rect L,T,W,H]
// --id is Netscape's id of the window (its replies carry it as four bytes,
// lowest first); --frame makes the active window a frame of that id inside the
// browser window, whose frame parent is the window. Window ids in items are
// read as Netscape reads them: the leading number ("7x0" is window 7).
// Every item received is appended to the log (--log, else the file named by
// TNSPEER_LOG) as "request TOPIC ITEM" or "poke TOPIC ITEM data TEXT zero 0|1".
// TNSPEER_DELAY (milliseconds) holds the service back, as a browser that takes
// a while to start does. Runs until its window is closed.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/peers/call_log.h"

namespace {

const char kWindowClass[] = "TNetscapePeer";
const char* const kTopics[] = {"WWW_Activate", "WWW_GetFrameParent", "WWW_GetWindowInfo", "WWW_OpenURL",
                               "WWW_WindowChange"};
const unsigned long kAnyWindow = 0xFFFFFFFFul;

struct Peer {
  tpeer::CallLog log;
  unsigned long id = 7;
  unsigned long frame = 0;  // 0: no frame
  std::string title = "Test Page";
  std::string url = "http://example.com/test.htm";
  RECT rect{100, 100, 640, 480};  // left, top, width, height
  DWORD instance = 0;
  HSZ service = nullptr;
  HWND window = nullptr;
} g_peer;

const UINT_PTR kServeTimer = 1;

std::string Text(HSZ handle) {
  char text[256] = {};
  DdeQueryStringA(g_peer.instance, handle, text, sizeof text, CP_WINANSI);
  return text;
}

std::vector<std::string> Fields(const std::string& item) {
  std::vector<std::string> fields(1);
  for (char c : item) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

unsigned long WindowOf(const std::string& field) { return std::strtoul(field.c_str(), nullptr, 0); }

HDDEDATA Reply(HSZ item, UINT format, const std::string& bytes) {
  return DdeCreateDataHandle(g_peer.instance, reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                             static_cast<DWORD>(bytes.size()), 0, item, format, 0);
}

HDDEDATA ReplyId(HSZ item, UINT format, unsigned long id) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((id >> (8 * i)) & 0xFF);
  return Reply(item, format, bytes);
}

HDDEDATA Request(const std::string& topic, HSZ itemHandle, UINT format) {
  const std::string item = Text(itemHandle);
  g_peer.log.Write("request " + topic + " " + item);
  const std::vector<std::string> fields = Fields(item);
  const unsigned long window = WindowOf(fields[0]);
  if (topic == "WWW_Activate") {
    if (window == kAnyWindow) return ReplyId(itemHandle, format, g_peer.frame ? g_peer.frame : g_peer.id);
    if (window != g_peer.id && (!g_peer.frame || window != g_peer.frame)) return nullptr;
    SetForegroundWindow(g_peer.window);
    return ReplyId(itemHandle, format, window);
  }
  if (topic == "WWW_GetFrameParent") {
    if (g_peer.frame && window == g_peer.frame) return ReplyId(itemHandle, format, g_peer.id);
    return nullptr;  // a browser window has no frame parent
  }
  if (topic == "WWW_GetWindowInfo") {
    if (window != g_peer.id) return nullptr;
    return Reply(itemHandle, format, "\"" + g_peer.url + "\",\"" + g_peer.title + "\"" + std::string(1, '\0'));
  }
  if (topic == "WWW_OpenURL") {
    if (fields.size() < 4 || WindowOf(fields[fields.size() - 2]) != g_peer.id) return nullptr;
    g_peer.url = fields[0];
    return ReplyId(itemHandle, format, g_peer.id);
  }
  return nullptr;
}

HDDEDATA Poke(const std::string& topic, HSZ itemHandle, HDDEDATA data) {
  const std::string item = Text(itemHandle);
  DWORD size = 0;
  const BYTE* bytes = DdeAccessData(data, &size);
  std::string text = bytes ? std::string(reinterpret_cast<const char*>(bytes), size) : std::string();
  if (bytes) DdeUnaccessData(data);
  const bool zero = !text.empty() && text.back() == '\0';
  if (zero) text.pop_back();
  g_peer.log.Write("poke " + topic + " " + item + " data " + text + " zero " + (zero ? "1" : "0"));
  if (topic != "WWW_WindowChange") return DDE_FNOTPROCESSED;
  const std::vector<std::string> fields = Fields(item);
  if (fields.size() != 6 || WindowOf(fields[0]) != g_peer.id) return DDE_FNOTPROCESSED;
  SetWindowPos(g_peer.window, nullptr, std::atoi(fields[2].c_str()), std::atoi(fields[3].c_str()),
               std::atoi(fields[4].c_str()), std::atoi(fields[5].c_str()), SWP_NOZORDER | SWP_NOACTIVATE);
  return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
}

bool IsTopic(HSZ topic) {
  const std::string name = Text(topic);
  for (const char* known : kTopics)
    if (_stricmp(name.c_str(), known) == 0) return true;
  return false;
}

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR,
                              ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(IsTopic(topic)));
    case XTYP_REQUEST:
      return Request(Text(topic), item, format);
    case XTYP_POKE:
      return Poke(Text(topic), item, data);
  }
  return nullptr;
}

// Registers the service, then shows the window, so that a test that sees the
// window can talk to it.
void Serve() {
  if (DdeInitializeA(&g_peer.instance, DdeCallback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
      DMLERR_NO_ERROR) {
    DestroyWindow(g_peer.window);
    return;
  }
  g_peer.service = DdeCreateStringHandleA(g_peer.instance, "Netscape", CP_WINANSI);
  DdeNameService(g_peer.instance, g_peer.service, nullptr, DNS_REGISTER);
  ShowWindow(g_peer.window, SW_SHOWNORMAL);
  UpdateWindow(g_peer.window);
  g_peer.log.Write("ready");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      KillTimer(window, kServeTimer);
      Serve();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool ParseOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (!std::strcmp(arg, "--log")) {
      g_peer.log = tpeer::CallLog(value);
    } else if (!std::strcmp(arg, "--id")) {
      g_peer.id = std::strtoul(value, nullptr, 0);
    } else if (!std::strcmp(arg, "--frame")) {
      g_peer.frame = std::strtoul(value, nullptr, 0);
    } else if (!std::strcmp(arg, "--title")) {
      g_peer.title = value;
    } else if (!std::strcmp(arg, "--rect")) {
      long l, t, w, h;
      if (std::sscanf(value, "%ld,%ld,%ld,%ld", &l, &t, &w, &h) != 4) return false;
      g_peer.rect = RECT{l, t, w, h};
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* log = std::getenv("TNSPEER_LOG")) g_peer.log = tpeer::CallLog(log);
  if (!ParseOptions(argc, argv)) {
    std::fprintf(stderr,
                 "usage: tnspeer [--log FILE] [--id N] [--frame N] [--title TEXT] [--rect L,T,W,H]\n");
    return 2;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  const RECT& r = g_peer.rect;
  g_peer.window = CreateWindowExA(0, kWindowClass, (g_peer.title + " - Netscape").c_str(), WS_OVERLAPPEDWINDOW, r.left,
                                  r.top, r.right, r.bottom, nullptr, nullptr, instance, nullptr);
  if (!g_peer.window) return 1;
  // While the service is held back the messages keep running: DDE clients
  // looking for a server ask every window.
  const char* delay = std::getenv("TNSPEER_DELAY");
  if (delay && std::atoi(delay) > 0)
    SetTimer(g_peer.window, kServeTimer, static_cast<UINT>(std::atoi(delay)), nullptr);
  else
    Serve();

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (g_peer.instance) {
    DdeNameService(g_peer.instance, g_peer.service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_peer.instance, g_peer.service);
    DdeUninitialize(g_peer.instance);
  }
  return 0;
}
