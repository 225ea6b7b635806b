#pragma once
#include <windows.h>

namespace tessaly::win {

// Lets a test driver in another process read this program's open menus: each
// item's rectangle, kind, state and text, as a screen reader would learn them.
//
// On Windows another process reads an open menu itself: MN_GETHMENU on the
// menu window, then GetMenuItemRect and GetMenuItemInfo, and oleacc takes the
// text of an owner-drawn item from the MSAAMENUINFO its data points to. Wine
// keeps menus per process, so none of that works from outside there; the
// program answers instead, from the same platform calls, and only when the
// environment variable TESSALY_TEST_MENUS is set.
//
// The question is the registered message "TessalyMenuProbe" sent to the
// menu's owner window: WPARAM the menu (0: the window's menu bar), LPARAM a
// window of the asker's, which receives the answer as WM_COPYDATA: UTF-8
// text, one line per item, "left,top,right,bottom<TAB>kind<TAB>enabled<TAB>
// text" with kind "item", "submenu" or "separator" and enabled 1 or 0.
namespace MenuProbe {

// The message number, or 0 when the probe is off.
UINT Message();

// Sends the description of a menu of the window to replyTo; false if that failed.
bool Answer(HWND window, HMENU menu, bool menuBar, HWND replyTo);

}  // namespace MenuProbe
}  // namespace tessaly::win
