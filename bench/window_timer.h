// Times from a program's process start to its first visible window of a class.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

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

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace bench
