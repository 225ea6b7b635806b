// Times process start to a visible main window, for the program and for a
// bare window program, and prints both with their ratio.
//   startup_bench TESSALY.EXE BARE.EXE [RUNS]
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
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench TESSALY.EXE BARE.EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  std::vector<double> program, bare;
  TimeToWindow(argv[1], "TfrmMain");  // warm the file cache for both
  TimeToWindow(argv[2], "BareWindow");
  for (int i = 0; i < runs; ++i) {
    program.push_back(TimeToWindow(argv[1], "TfrmMain"));
    bare.push_back(TimeToWindow(argv[2], "BareWindow"));
  }
  const double p = Median(program), b = Median(bare);
  if (p < 0 || b < 0) {
    std::fprintf(stderr, "a window did not appear\n");
    return 1;
  }
  std::printf("start to visible main window, median of %d runs:\n", runs);
  std::printf("  tessaly.exe      %8.1f ms\n", p);
  std::printf("  bare window      %8.1f ms\n", b);
  std::printf("  ratio            %8.2f x (goal: at most 1.30 x)\n", p / b);
  return 0;
}
