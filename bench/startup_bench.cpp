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

#include "bench/window_timer.h"

using bench::Median;
using bench::TimeToWindow;

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
  std::printf("  ratio to the same window in plain Win32 %8.2f x %6.2f x  (goal: at most 1.10 x)\n",
              medians[0] / medians[1], fastest[0] / fastest[1]);
  std::printf("  ratio to a bare window                  %8.2f x %6.2f x  (for information)\n",
              medians[0] / medians[2], fastest[0] / fastest[2]);
  return 0;
}
