// The application object's error box for a failure during start-up.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/win/application.h"

namespace {

using tessaly::win::Application;

// What the first message box of this thread showed; the box is answered at once.
struct SeenBox {
  std::string caption, text;
  HWND owner = nullptr;
  bool seen = false;
};
SeenBox* g_seen = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK WatchBoxes(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && g_seen && !g_seen->seen) {
    HWND box = reinterpret_cast<HWND>(wp);
    char buf[256] = {};
    GetWindowTextA(box, buf, sizeof(buf));
    g_seen->caption = buf;
    GetDlgItemTextA(box, 0xFFFF, buf, sizeof(buf));  // the box's text control
    g_seen->text = buf;
    g_seen->owner = GetWindow(box, GW_OWNER);
    g_seen->seen = true;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

TEST(ApplicationOnWine, StartUpFailureShowsInTheApplicationsOwnBox) {
  SeenBox seen;
  g_seen = &seen;
  g_hook = SetWindowsHookExA(WH_CBT, WatchBoxes, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(g_hook);
  {
    Application app;
    app.SetTitle("Tessaly 2");
    app.Execute([] { throw std::runtime_error("The settings could not be read"); });
    ASSERT_TRUE(seen.seen) << "no message box";
    EXPECT_EQ(seen.caption, "Tessaly 2");
    EXPECT_EQ(seen.owner, app.Handle());
    EXPECT_EQ(seen.text, "The settings could not be read.");
  }
  UnhookWindowsHookEx(g_hook);
  g_seen = nullptr;
}

}  // namespace
