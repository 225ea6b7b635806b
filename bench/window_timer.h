// Times from a program's process start to its first visible window of a class.
#pragma once
#include <windows.h>

#include <string>

#include "bench/clock.h"

namespace bench {

// Milliseconds until a visible top-level window of the class appears, or -1.
// The program is ended afterwards.
inline double TimeToWindow(const std::string& exe, const char* windowClass) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"";
  const double start = Now();
  if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double elapsed = -1;
  while (Now() - start < 20000) {
    HWND h = FindWindowA(windowClass, nullptr);
    if (h && IsWindowVisible(h)) {
      elapsed = Now() - start;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  Sleep(200);  // let the shell drop the tray icon of the ended process
  return elapsed;
}

}  // namespace bench
