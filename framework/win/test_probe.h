#pragma once
#include <windows.h>

#include <string>

namespace tessaly::win {

// What the menu and text probes share: they answer a test driver in another
// process only when the program was started with the environment variable
// TESSALY_TEST_MENUS set, and their answers travel as WM_COPYDATA.
namespace TestProbe {

// The registered message of that name, or 0 when the probes are off.
UINT Message(const char* name);

// Sends a probe's answer, as WM_COPYDATA from window, to replyTo.
bool Reply(HWND window, HWND replyTo, std::string text);

}  // namespace TestProbe
}  // namespace tessaly::win
