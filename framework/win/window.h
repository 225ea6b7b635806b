#pragma once
#include <windows.h>

#include <exception>

namespace tessaly::win {

// Shows a message handler's failure in the standard exception box (null: an
// exception of no known kind).
void ShowHandlerFailure(const std::exception* failure);

// The barrier between the platform and the program's message handlers, for
// every window procedure of the program's own (windows and subclassed
// controls): exceptions must not cross the platform's frames, so a handler's
// failure is shown in the standard exception box, the message answers 0 and
// the program goes on.
template <typename Handler>
LRESULT CallHandler(Handler&& handler) {
  try {
    return handler();
  } catch (const std::exception& e) {
    ShowHandlerFailure(&e);
  } catch (...) {
    ShowHandlerFailure(nullptr);
  }
  return 0;
}

// Base of every window the program creates itself: the object lives in
// GWLP_USERDATA from WM_NCCREATE on, and messages reach HandleMessage.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

  struct CreateParams {
    const char* className = nullptr;
    const char* title = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;  // owner for top-level windows
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HICON icon = nullptr;
    HICON smallIcon = nullptr;  // for the caption and the task bar; null: shrunk from icon

    // A child window of parent, visible, placed and sized later, of a class
    // without double clicks.
    static CreateParams Child(const char* className, HWND parent, DWORD style, HBRUSH background) {
      CreateParams p;
      p.className = className;
      p.style = WS_CHILD | WS_VISIBLE | style;
      p.x = p.y = p.width = p.height = 0;
      p.parent = parent;
      p.classStyle = 0;
      p.background = background;
      return p;
    }
  };

 protected:
  // Registers the class on first use and creates the window; raises on failure.
  void Create(const CreateParams& params);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }
  void DestroyHandle();

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace tessaly::win
