// Times process start to a visible main window for the program, for a plain
// Win32 program that builds the same window with the same standard controls
// (the platform's floor for this window), and for a bare window; prints the
// medians and the program's ratio to each.
//   startup_bench TESSALY.EXE PLAIN.EXE BARE.EXE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
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
double TimeToWindow(const std::string& exe, const char* windowClass) {
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

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench TESSALY.EXE PLAIN.EXE BARE.EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 21;
  struct Program {
    const char* exe;
    const char* windowClass;
    const char* name;
    std::vector<double> times;
  } programs[] = {{argv[1], "TfrmMain", "tessaly.exe", {}},
                  {argv[2], "PlainWindow", "same window, plain", {}},
                  {argv[3], "BareWindow", "bare window", {}}};
  for (Program& p : programs) TimeToWindow(p.exe, p.windowClass);  // warm the file cache
  // Interleaved, so that a change in the machine's load touches all alike, and
  // in turns, so that each follows each: a start right after another program
  // ended shares the machine with the clean-up of that one's windows and icons.
  for (int i = 0; i < runs; ++i) {
    for (int k = 0; k < 3; ++k) {
      Program& p = programs[(i + k) % 3];
      p.times.push_back(TimeToWindow(p.exe, p.windowClass));
    }
  }
  // The median says what a start usually costs; the fastest start, what it
  // costs when nothing else on the machine gets in the way.
  double medians[3], fastest[3];
  for (int i = 0; i < 3; ++i) {
    const std::vector<double>& t = programs[i].times;
    if (std::count(t.begin(), t.end(), -1.0)) {
      std::fprintf(stderr, "%s: the window did not appear\n", programs[i].name);
      return 1;
    }
    medians[i] = Median(t);
    fastest[i] = *std::min_element(t.begin(), t.end());
  }
  std::printf("start to visible main window over %d runs:   median   fastest\n", runs);
  for (int i = 0; i < 3; ++i)
    std::printf("  %-38s %8.1f ms %6.1f ms\n", programs[i].name, medians[i], fastest[i]);
  std::printf("  ratio to the same window in plain Win32 %8.2f x %6.2f x  (goal: at most 1.15 x)\n",
              medians[0] / medians[1], fastest[0] / fastest[1]);
  std::printf("  ratio to a bare window                  %8.2f x %6.2f x  (for information)\n",
              medians[0] / medians[2], fastest[0] / fastest[2]);
  return 0;
}
