#include "framework/win/window.h"

#include <stdexcept>
#include <string>

#include "framework/win/application.h"

namespace tessaly::win {

void ShowHandlerFailure(const std::exception* failure) {
  if (failure)
    Application::ShowException(*failure);
  else
    Application::ShowException(std::runtime_error("Unknown error"));
}

Window::~Window() { DestroyHandle(); }

void Window::DestroyHandle() {
  if (hwnd_) {
    HWND h = hwnd_;
    SetWindowLongPtrA(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

void Window::Create(const CreateParams& p) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExA(inst, p.className, &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = p.classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = p.background;
    wc.hIcon = p.icon;
    wc.hIconSm = p.smallIcon;
    wc.lpszClassName = p.className;
    if (!RegisterClassExA(&wc)) throw std::runtime_error(std::string("Cannot register ") + p.className);
  }
  HWND h = CreateWindowExA(p.exStyle, p.className, p.title, p.style, p.x, p.y, p.width, p.height,
                           p.parent, nullptr, inst, this);
  if (!h) throw std::runtime_error(std::string("Error creating window ") + p.className);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    auto* self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  return CallHandler([&] {
    LRESULT r = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return r;
  });
}

}  // namespace tessaly::win
