// Questions to the program under test about what only it can read (Wine keeps
// menus per process; a font belongs to the process that made it). The program
// answers registered messages while TESSALY_TEST_MENUS is set (see
// framework/win/menu_probe.h and text_probe.h).
#pragma once

#include <windows.h>

#include <string>

namespace tdriver {

// Sends the registered message to window, with wparam and a window of the
// driver's for the reply; true and the reply's text when the window answered 1.
bool AskProgram(HWND window, const wchar_t* message, WPARAM wparam, std::string& answer);

}  // namespace tdriver
