// tiepeer: a stand-in for Internet Explorer's automation server, for the tests
// of the program's Internet Explorer controller (Wine's own browser answers
// E_NOTIMPL for the position properties). The tests register it as the
// LocalServer32 of the InternetExplorer class; COM starts it with -Embedding.
//   tiepeer [--log FILE] [--rect L,T,W,H] -Embedding
// Each process serves one creation (REGCLS_SINGLEUSE), as each creation of the
// class is a new browser: an IWebBrowserApp object over its own top-level
// window of class "IEFrame", hidden until Visible is set. Closing the window
// ends the process, so the object stops answering, as a closed browser does.
// Every call is appended to the log as "<pid> <member> [values]", also those of
// members it does not serve (E_NOTIMPL), so that a test sees any call.
#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/wine/peers/call_log.h"

namespace {

const CLSID kClsidInternetExplorer = {0x0002DF01, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidWebBrowserApp = {0x0002DF05, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidWebBrowser = {0xEAB22AC1, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};
const char kFrameClass[] = "IEFrame";
const UINT_PTR kIdleTimer = 1;
const UINT kIdleMs = 30000;  // no creation in this time: COM gave up on us

tpeer::CallLog g_log;
RECT g_rect{60, 40, 640, 480};  // left, top, width, height
int g_windows = 0;
bool g_created = false;

std::string Narrow(const wchar_t* text) {
  if (!text) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<size_t>(n) : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

BSTR Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n - 1 : 0));
  if (b && n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, b, n);
  return b;
}

std::string VariantText(const VARIANT* v) {
  if (!v) return "null";
  char text[64];
  if (v->vt == VT_I4)
    std::snprintf(text, sizeof text, "I4:%ld", static_cast<long>(v->lVal));
  else
    std::snprintf(text, sizeof text, "vt%u", static_cast<unsigned>(v->vt));
  return text;
}

// One browser: its window, the page it shows, and the members the program
// uses. The rest of the interface answers E_NOTIMPL.
class Browser final : public IWebBrowserApp {
 public:
  Browser() {
    window_ = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW, g_rect.left, g_rect.top, g_rect.right,
                              g_rect.bottom, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_) ++g_windows;
    ShowPage("about:blank", "Blank Page");
    g_log.Write("create");
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIidWebBrowser || riid == kIidWebBrowserApp) {
      *out = static_cast<IWebBrowserApp*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
      g_log.Write("released");
      delete this;  // the window stays: releasing a browser does not close it
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: the program calls through the interface's table only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Unused("GetTypeInfoCount"); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Unused("GetTypeInfo"); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Unused("GetIDsOfNames");
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return Unused("Invoke");
  }

  // IWebBrowser: the members the program uses.
  HRESULT STDMETHODCALLTYPE GoHome() override {
    if (!Alive()) return E_FAIL;
    g_log.Write("GoHome");
    ShowPage("http://home.example/", "Home Page");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* post,
                                     VARIANT* headers) override {
    if (!Alive()) return E_FAIL;
    const std::string address = Narrow(url);
    g_log.Write("Navigate " + address + " " + VariantText(flags) + " " + VariantText(target) + " " +
                VariantText(post) + " " + VariantText(headers));
    ShowPage(address, address);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Left(LONG* value) override { return Read("get_Left", Rect().left, value); }
  HRESULT STDMETHODCALLTYPE get_Top(LONG* value) override { return Read("get_Top", Rect().top, value); }
  HRESULT STDMETHODCALLTYPE get_Width(LONG* value) override {
    RECT r = Rect();
    return Read("get_Width", r.right - r.left, value);
  }
  HRESULT STDMETHODCALLTYPE get_Height(LONG* value) override {
    RECT r = Rect();
    return Read("get_Height", r.bottom - r.top, value);
  }
  // Width keeps the window's left edge, Height its top edge.
  HRESULT STDMETHODCALLTYPE put_Width(LONG width) override {
    if (!Alive()) return E_FAIL;
    g_log.Write("put_Width " + std::to_string(width));
    RECT r = Rect();
    SetWindowPos(window_, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Height(LONG height) override {
    if (!Alive()) return E_FAIL;
    g_log.Write("put_Height " + std::to_string(height));
    RECT r = Rect();
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* value) override { return ReadText("get_LocationName", name_, value); }
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* value) override { return ReadText("get_LocationURL", url_, value); }

  // IWebBrowserApp: the members the program uses.
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* value) override {
    if (!Alive() || !value) return E_FAIL;
    g_log.Write("get_HWND");
    *value = reinterpret_cast<SHANDLE_PTR>(window_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override {
    if (!Alive()) return E_FAIL;
    g_log.Write("put_Visible " + std::to_string(value));
    ShowWindow(window_, value ? SW_SHOWNORMAL : SW_HIDE);
    return S_OK;
  }

  // The rest of the interface: recorded, not served.
  HRESULT STDMETHODCALLTYPE GoBack() override { return Unused("GoBack"); }
  HRESULT STDMETHODCALLTYPE GoForward() override { return Unused("GoForward"); }
  HRESULT STDMETHODCALLTYPE GoSearch() override { return Unused("GoSearch"); }
  HRESULT STDMETHODCALLTYPE Refresh() override { return Unused("Refresh"); }
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return Unused("Refresh2"); }
  HRESULT STDMETHODCALLTYPE Stop() override { return Unused("Stop"); }
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return Unused("get_Application"); }
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return Unused("get_Parent"); }
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return Unused("get_Container"); }
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch**) override { return Unused("get_Document"); }
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override { return Unused("get_TopLevelContainer"); }
  HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return Unused("get_Type"); }
  HRESULT STDMETHODCALLTYPE put_Left(LONG) override { return Unused("put_Left"); }
  HRESULT STDMETHODCALLTYPE put_Top(LONG) override { return Unused("put_Top"); }
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL*) override { return Unused("get_Busy"); }
  HRESULT STDMETHODCALLTYPE Quit() override { return Unused("Quit"); }
  HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return Unused("ClientToWindow"); }
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return Unused("PutProperty"); }
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return Unused("GetProperty"); }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return Unused("get_Name"); }
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return Unused("get_FullName"); }
  HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return Unused("get_Path"); }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return Unused("get_Visible"); }
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL*) override { return Unused("get_StatusBar"); }
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL) override { return Unused("put_StatusBar"); }
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return Unused("get_StatusText"); }
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return Unused("put_StatusText"); }
  HRESULT STDMETHODCALLTYPE get_ToolBar(int*) override { return Unused("get_ToolBar"); }
  HRESULT STDMETHODCALLTYPE put_ToolBar(int) override { return Unused("put_ToolBar"); }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL*) override { return Unused("get_MenuBar"); }
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL) override { return Unused("put_MenuBar"); }
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) override { return Unused("get_FullScreen"); }
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) override { return Unused("put_FullScreen"); }

 private:
  ~Browser() = default;

  bool Alive() const { return window_ && IsWindow(window_); }
  HRESULT Unused(const char* member) {
    g_log.Write(member);
    return E_NOTIMPL;
  }
  RECT Rect() const {
    RECT r{};
    if (Alive()) GetWindowRect(window_, &r);
    return r;
  }
  HRESULT Read(const char* member, LONG v, LONG* value) {
    if (!Alive() || !value) return E_FAIL;
    g_log.Write(std::string(member) + " " + std::to_string(v));
    *value = v;
    return S_OK;
  }
  HRESULT ReadText(const char* member, const std::string& v, BSTR* value) {
    if (!Alive() || !value) return E_FAIL;
    g_log.Write(std::string(member) + " " + v);
    *value = Wide(v);
    return S_OK;
  }
  void ShowPage(const std::string& url, const std::string& name) {
    url_ = url;
    name_ = name;
    if (window_) SetWindowTextA(window_, (name + " - Test Browser").c_str());
  }

  LONG refs_ = 1;
  HWND window_ = nullptr;
  std::string url_, name_;
};

class Factory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  // The factory lives as long as the process.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    Browser* browser = new Browser();
    g_created = true;
    HRESULT hr = browser->QueryInterface(riid, out);
    browser->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      g_log.Write("window-closed");
      if (--g_windows == 0) PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool ParseOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "--log") && i + 1 < argc) {
      g_log = tpeer::CallLog(argv[++i]);
    } else if (!std::strcmp(arg, "--rect") && i + 1 < argc) {
      long l, t, w, h;
      if (std::sscanf(argv[++i], "%ld,%ld,%ld,%ld", &l, &t, &w, &h) != 4) return false;
      g_rect = RECT{l, t, w, h};
    } else if (_stricmp(arg, "-Embedding") && _stricmp(arg, "/Embedding")) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ParseOptions(argc, argv)) {
    std::fprintf(stderr, "usage: tiepeer [--log FILE] [--rect L,T,W,H] -Embedding\n");
    return 2;
  }
  WNDCLASSA frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = GetModuleHandleA(nullptr);
  frame.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  frame.lpszClassName = kFrameClass;
  if (!RegisterClassA(&frame)) return 1;
  if (FAILED(CoInitialize(nullptr))) return 1;

  static Factory factory;
  DWORD cookie = 0;
  HRESULT hr = CoRegisterClassObject(kClsidInternetExplorer, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie);
  g_log.Write("server " + std::to_string(static_cast<long>(hr)));
  if (FAILED(hr)) {
    CoUninitialize();
    return 1;
  }
  // A thread timer: ends a server that COM started but never asked for a browser.
  UINT_PTR idle = SetTimer(nullptr, kIdleTimer, kIdleMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr && !g_created) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  KillTimer(nullptr, idle);
  CoRevokeClassObject(cookie);
  CoUninitialize();
  g_log.Write("exit");
  return 0;
}
