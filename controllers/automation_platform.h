#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "controllers/window_platform.h"

namespace tessaly {

// A status code of the component object model (HRESULT); negative is failure.
using ComResult = std::int32_t;
constexpr ComResult kComInvalidArg = static_cast<ComResult>(0x80070057);  // E_INVALIDARG

// Where the InternetExplorer class may run (CLSCTX flags).
constexpr std::uint32_t kContextInprocLocalRemote = 0x15;
constexpr std::uint32_t kContextInprocLocal = 0x5;

// One Internet Explorer instance through its automation interface
// (IWebBrowserApp). The controller ignores the status codes of these calls: a
// read that fails gives 0 or the empty text. Destroying the object releases the
// reference; the browser stays open.
class WebBrowserApp {
 public:
  virtual ~WebBrowserApp() = default;
  virtual void GoHome() = 0;
  // Navigate with the four optional arguments each a 32-bit integer 0; url
  // is UTF-8 and reaches the browser as UTF-16.
  virtual void Navigate(const std::string& url) = 0;
  virtual int Left() = 0;
  virtual int Top() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual std::string LocationURL() = 0;
  virtual std::string LocationName() = 0;
  virtual WindowHandle Hwnd() = 0;
  virtual void SetVisible(int value) = 0;
};

// The automation library and the few window calls the Internet Explorer
// controller makes, the browser window's layout among them.
class AutomationPlatform : public WindowLayoutSource {
 public:
  virtual ~AutomationPlatform() = default;
  virtual ComResult InitializeCom() = 0;
  virtual void UninitializeCom() = 0;
  // A new instance of the InternetExplorer class, or null with the failure in result.
  virtual std::unique_ptr<WebBrowserApp> CreateInternetExplorer(std::uint32_t context, ComResult& result) = 0;
  virtual void BringWindowToTop(WindowHandle window) = 0;
  // A modal report owned by the application's hidden main window.
  virtual void ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) = 0;
};

}  // namespace tessaly
