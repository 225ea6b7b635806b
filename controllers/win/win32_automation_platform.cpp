#include "controllers/win/win32_automation_platform.h"

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include <cstring>

#include "controllers/win/win32_window_layout.h"
#include "framework/win/application.h"
#include "framework/win/com_handles.h"
#include "framework/win/ole_library.h"

namespace tessaly::win {

namespace {

// Class InternetExplorer and its interface IWebBrowserApp.
const CLSID kClsidInternetExplorer = {0x0002DF01, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidWebBrowserApp = {0x0002DF05, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The program's texts are UTF-8 (a bookmark's address among them): the
// browser gets every character of the address as it is.
UniqueBstr ToBstr(const std::string& text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  UniqueBstr wide(oleaut32::SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n - 1 : 0)));
  if (wide && n > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.Get(), n);
  return wide;
}

std::string FromBstr(BSTR text) {
  if (!text) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], n, nullptr, nullptr);
  narrow.resize(std::strlen(narrow.c_str()));
  return narrow;
}

// The status codes are not looked at: a read that fails leaves its 0.
class ComWebBrowserApp : public WebBrowserApp {
 public:
  explicit ComWebBrowserApp(IWebBrowserApp* app) : app_(app) {}

  void GoHome() override { app_.Get()->GoHome(); }
  void Navigate(const std::string& url) override {
    UniqueBstr address = ToBstr(url);
    UniqueVariant options[4];
    for (UniqueVariant& v : options) {
      v.Get()->vt = VT_I4;
      v.Get()->lVal = 0;
    }
    app_.Get()->Navigate(address.Get(), options[0].Get(), options[1].Get(), options[2].Get(), options[3].Get());
  }
  int Left() override { return Read(&IWebBrowserApp::get_Left); }
  int Top() override { return Read(&IWebBrowserApp::get_Top); }
  int Width() override { return Read(&IWebBrowserApp::get_Width); }
  int Height() override { return Read(&IWebBrowserApp::get_Height); }
  void SetWidth(int width) override { app_.Get()->put_Width(width); }
  void SetHeight(int height) override { app_.Get()->put_Height(height); }
  std::string LocationURL() override { return ReadText(&IWebBrowserApp::get_LocationURL); }
  std::string LocationName() override { return ReadText(&IWebBrowserApp::get_LocationName); }
  WindowHandle Hwnd() override {
    // The handle travels between processes as a 32-bit value: on a 64-bit
    // system only the low half of the variable is written.
    SHANDLE_PTR handle = 0;
    app_.Get()->get_HWND(&handle);
    return static_cast<WindowHandle>(handle);
  }
  // 1, not the automation's usual true (-1): the value the browser was always given.
  void SetVisible(int value) override { app_.Get()->put_Visible(static_cast<VARIANT_BOOL>(value)); }

 private:
  int Read(HRESULT (STDMETHODCALLTYPE IWebBrowser::*get)(LONG*)) {
    LONG value = 0;
    (app_.Get()->*get)(&value);
    return static_cast<int>(value);
  }
  std::string ReadText(HRESULT (STDMETHODCALLTYPE IWebBrowser::*get)(BSTR*)) {
    BSTR raw = nullptr;
    (app_.Get()->*get)(&raw);
    UniqueBstr text(raw);
    return FromBstr(text.Get());
  }

  ComPtr<IWebBrowserApp> app_;
};

}  // namespace

ComResult Win32AutomationPlatform::InitializeCom() { return ole32::CoInitialize(nullptr); }

void Win32AutomationPlatform::UninitializeCom() { ole32::CoUninitialize(); }

std::unique_ptr<WebBrowserApp> Win32AutomationPlatform::CreateInternetExplorer(std::uint32_t context,
                                                                              ComResult& result) {
  IWebBrowserApp* app = nullptr;
  result = ole32::CoCreateInstance(kClsidInternetExplorer, nullptr, context, kIidWebBrowserApp, reinterpret_cast<void**>(&app));
  if (FAILED(result) || !app) return nullptr;
  return std::make_unique<ComWebBrowserApp>(app);
}

void Win32AutomationPlatform::BringWindowToTop(WindowHandle window) {
  ::BringWindowToTop(reinterpret_cast<HWND>(window));
}

bool Win32AutomationPlatform::ReadWindowLayout(WindowHandle window, WindowLayout& layout) {
  return ReadWin32WindowLayout(reinterpret_cast<HWND>(window), layout);
}

void Win32AutomationPlatform::ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) {
  Application* app = Application::Instance();
  Application::ShowMessageBox(app ? app->Handle() : nullptr, text, caption, style);
}

}  // namespace tessaly::win
