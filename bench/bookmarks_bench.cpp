// What a large bookmark file costs: 10,000 bookmarks in 100 folders.
//   bookmarks_bench TESSALY.EXE WORKDIR [RUNS]
// Prints the program's start to a visible main window (its bookmark menus are
// built by then) with that file beside it and with none, and the time of one
// store of the tree and of one load (read and copy to the second menu).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/window_timer.h"
#include "bookmarks/cvbookmarks.h"
#include "bookmarks/win/win32_bookmark_files.h"
#include "framework/win/win32_code_page.h"

namespace {

using bench::Median;
using bench::Now;
using bench::TimeToWindow;

constexpr int kFolders = 100;
constexpr int kPerFolder = 100;

// Realistic lengths: titles of 20 to 60 characters, addresses of 40 to 120.
void WriteLargeFile(const std::string& path) {
  tessaly::win::Win32BookmarkFiles files;
  tessaly::MenuItem root, copy;
  const tessaly::win::Win32CodePage codePage;
  tessaly::TCorvaneBookmarks bookmarks(files, codePage, path.substr(0, path.rfind('\\') + 1) + "tessaly.exe");
  bookmarks.MenuItem = &root;
  bookmarks.AppName = "Tessaly";
  bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
  bookmarks.Loaded();
  for (int f = 0; f < kFolders; ++f) {
    tessaly::MenuItem& folder = root.Add(bookmarks.NewFolder("Project folder number " + std::to_string(f)));
    for (int b = 0; b < kPerFolder; ++b) {
      const int n = f * kPerFolder + b;
      std::string title = "Reference page " + std::to_string(n) + std::string(n % 40, 'x');
      std::string url = "https://www.example" + std::to_string(f) + ".com/docs/section/" + std::to_string(n) +
                        "/index.html?ref=" + std::string(n % 80, 'q');
      folder.Add(bookmarks.NewBookmark(title, url));
    }
  }
  bookmarks.StoreBookmarks();
}

bool CopyProgram(const std::string& exe, const std::string& dir) {
  CreateDirectoryA(dir.c_str(), nullptr);
  return CopyFileA(exe.c_str(), (dir + "tessaly.exe").c_str(), FALSE) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bookmarks_bench TESSALY.EXE WORKDIR [RUNS]\n");
    return 2;
  }
  const std::string exe = argv[1];
  std::string work = argv[2];
  if (work.back() != '\\') work += '\\';
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
  const std::string with = work + "with\\", without = work + "without\\";
  CreateDirectoryA(work.c_str(), nullptr);
  if (!CopyProgram(exe, with) || !CopyProgram(exe, without)) {
    std::fprintf(stderr, "cannot copy %s to %s\n", exe.c_str(), work.c_str());
    return 1;
  }
  DeleteFileA((without + "cvbmarks.htm").c_str());
  WriteLargeFile(with + "cvbmarks.htm");

  // Start-up after one start of each to warm the file cache, interleaved and
  // in turns, so that the machine's other load and the clean-up after the
  // previous start fall on both alike.
  std::vector<double> withFile, withoutFile;
  TimeToWindow(with + "tessaly.exe", "TfrmMain");
  TimeToWindow(without + "tessaly.exe", "TfrmMain");
  for (int i = 0; i < 2 * runs; ++i) {
    if ((i + i / 2) % 2 == 0)
      withFile.push_back(TimeToWindow(with + "tessaly.exe", "TfrmMain"));
    else
      withoutFile.push_back(TimeToWindow(without + "tessaly.exe", "TfrmMain"));
  }

  // Load and store in this process, through the program's own code.
  std::vector<double> loads, stores;
  tessaly::win::Win32BookmarkFiles files;
  for (int i = 0; i < runs; ++i) {
    tessaly::MenuItem main, tray;
    const tessaly::win::Win32CodePage codePage;
    tessaly::TCorvaneBookmarks bookmarks(files, codePage, with + "tessaly.exe");
    bookmarks.MenuItem = &main;
    bookmarks.MenuItem2 = &tray;
    bookmarks.AppName = "Tessaly";
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    double t = Now();
    bookmarks.Loaded();
    loads.push_back(Now() - t);
    t = Now();
    if (!bookmarks.StoreBookmarks()) {
      std::fprintf(stderr, "the store failed\n");
      return 1;
    }
    stores.push_back(Now() - t);
  }

  const double a = Median(withFile), b = Median(withoutFile);
  if (a < 0 || b < 0) {
    std::fprintf(stderr, "the main window did not appear\n");
    return 1;
  }
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA((with + "cvbmarks.htm").c_str(), GetFileExInfoStandard, &data);
  std::printf("%d bookmarks in %d folders, a file of %lu KB; median of %d runs:\n", kFolders * kPerFolder, kFolders,
              data.nFileSizeLow / 1024, runs);
  auto fastest = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
  std::printf("  start to visible main window, with the file    %8.1f ms (fastest %.1f)\n", a, fastest(withFile));
  std::printf("  start to visible main window, without a file   %8.1f ms (fastest %.1f)\n", b,
              fastest(withoutFile));
  std::printf("  added by the bookmarks                         %8.1f ms (goal: at most 200 ms)\n", a - b);
  std::printf("  one load (read, copy to the tray menu)         %8.1f ms\n", Median(loads));
  std::printf("  one store                                      %8.1f ms (goal: at most 50 ms)\n", Median(stores));
  return 0;
}
