// Times the tray menu with a large bookmark sub-menu (10,000 bookmarks in 100
// folders of 100) as the user opens it with the keyboard: the menu itself,
// "Bookmarks", and one folder, each from the key to the menu standing idle on
// screen. Prints the medians and how many platform menus the binding held.
//   menu_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "framework/menu_item.h"
#include "framework/win/menu_binding.h"
#include "framework/win/menu_router.h"
#include "framework/win/window.h"

namespace {

using tessaly::MenuItem;
using tessaly::win::MenuBinding;

using bench::Now;

// The tray menu's shape, with the bookmarks under its first item.
void BuildTrayMenu(MenuItem& root) {
  MenuItem& bookmarks = root.Add("Bookmarks");
  for (int f = 0; f < 100; ++f) {
    MenuItem& folder = bookmarks.Add("Folder " + std::to_string(f), {}, 4);
    folder.Hint = "Folder";
    for (int b = 0; b < 100; ++b) {
      MenuItem& page = folder.Add("A bookmark of some length " + std::to_string(b), [](MenuItem&) {}, 4);
      page.Hint = "http://example.com/" + std::to_string(b);
    }
  }
  root.Add("Add Bookmark...");
  root.Add("Organize Bookmarks...");
  root.AddSeparator();
  for (const char* head : {"Internet Explorer", "Netscape Navigator", "Active Window"}) {
    MenuItem& browser = root.Add(head, {}, 2);
    browser.Add("Check Color").Add("Web Safe");
    browser.Add("Custom Sizes");
    browser.AddSeparator();
    for (const char* preset : {"640 x 480", "800 x 600", "Web TV", "1024 x 768"}) browser.Add(preset);
  }
  root.AddSeparator();
  root.Add("E&xit");
}

// Owns the menu and steps through it: each time the menu loop goes idle after
// a new sub-menu opened, it notes the time and sends the next keys.
class Stepper : public tessaly::win::Window {
 public:
  explicit Stepper(MenuBinding& menu) {
    router_.Add(&menu);
    CreateParams p;
    p.className = "TMenuBench";
    p.style = WS_POPUP;
    Create(p);
  }
  std::vector<double> Run(MenuBinding& menu) {
    times_.clear();
    opened_ = 0;
    seen_ = 0;
    start_ = Now();
    menu.Popup(Handle(), 100, 100);
    return times_;
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_INITMENUPOPUP) ++opened_;
    if (msg == WM_ENTERIDLE && opened_ > seen_) {
      seen_ = opened_;
      times_.push_back(Now() - start_);
      start_ = Now();
      // Down to "Bookmarks" and into it, then into its first folder, then out.
      if (seen_ == 1) PostMessageA(Handle(), WM_KEYDOWN, VK_DOWN, 0);
      if (seen_ < 3) PostMessageA(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
      if (seen_ == 3) EndMenu();
    }
    LRESULT result = 0;
    if (router_.Route(Handle(), msg, wp, lp, result)) return result;
    return Window::HandleMessage(msg, wp, lp);
  }

 private:
  tessaly::win::MenuRouter router_;
  std::vector<double> times_;
  int opened_ = 0, seen_ = 0;
  double start_ = 0;
};

using bench::Median;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  MenuItem root;
  double built = Now();
  BuildTrayMenu(root);
  MenuBinding menu(root, MenuBinding::Kind::Popup);
  menu.OnGetItemParams = [](MenuItem&, tessaly::win::MenuItemParams& p) { p.fontName = "Arial"; };
  menu.MarginWidth = 24;
  menu.SetOwnerDraw(true);
  built = Now() - built;
  Stepper stepper(menu);
  std::vector<double> tray, bookmarks, folder;
  size_t held = 0;
  for (int i = 0; i < runs; ++i) {
    std::vector<double> t = stepper.Run(menu);
    held = std::max(held, menu.MenuCount());
    if (t.size() < 3) {
      std::fprintf(stderr, "run %d: the menus did not all open\n", i);
      return 1;
    }
    tray.push_back(t[0]);
    bookmarks.push_back(t[1]);
    folder.push_back(t[2]);
  }
  std::printf("tree of 10,000 bookmarks in 100 folders and the binding: %.1f ms\n", built);
  std::printf("tray menu open:               %6.1f ms (median of %d)\n", Median(tray), runs);
  std::printf("\"Bookmarks\" (100 folders):    %6.1f ms\n", Median(bookmarks));
  std::printf("a folder (100 bookmarks):     %6.1f ms\n", Median(folder));
  std::printf("platform menus held at most:  %zu\n", held);
  return 0;
}
