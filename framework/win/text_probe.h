#pragma once
#include <windows.h>

namespace tessaly::win {

// Lets a test driver in another process learn whether the text of a window's
// controls fits them: each visible control's class, style, rectangle, text
// and the size of that text in the control's own font. A font belongs to the
// process that made it, so only the program can measure with it.
//
// Like the menu probe it answers only when the environment variable
// TESSALY_TEST_MENUS is set. The question is the registered message
// "TessalyTextProbe" sent to a top-level window: LPARAM a window of the
// asker's, which receives the answer as WM_COPYDATA: UTF-8 text, one line per
// control and per tab of a tab control,
// "control<TAB>class<TAB>style<TAB>left,top,right,bottom<TAB>width,height<TAB>text"
// or "tab<TAB>...", the rectangle in the window's client coordinates, the
// style in hexadecimal, width and height those of the text.
namespace TextProbe {

// The message number, or 0 when the probe is off.
UINT Message();

// Sends the description of the window's controls to replyTo; false if that failed.
bool Answer(HWND window, HWND replyTo);

}  // namespace TextProbe
}  // namespace tessaly::win
