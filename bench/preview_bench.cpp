// Times the colour preview from the command to the viewer showing its picture,
// for a 1280 x 1000 target, beside the screen copy alone in the same run, and
// the preview's steps one by one.
//   preview_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "app/color_preview.h"
#include "app/preview_host.h"
#include "framework/win/application.h"
#include "preview/capture_area.h"
#include "preview/win/capture_file.h"
#include "preview/win/reduce_bitmap.h"

namespace {

using tessaly::win::Application;

constexpr int kWidth = 1280, kHeight = 1000;

using bench::Now;

using bench::Median;

// Smooth gradients with noise, like the photographs and shaded bars of a page:
// the octree has real work, and the dithering no flat runs.
std::vector<DWORD> PagePixels() {
  std::vector<DWORD> pixels(static_cast<size_t>(kWidth) * kHeight);
  std::mt19937 random(1);
  std::normal_distribution<double> noise(0.0, 10.0);
  auto channel = [&](double v) { v += noise(random); return static_cast<DWORD>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const double fx = static_cast<double>(x) / kWidth, fy = static_cast<double>(y) / kHeight;
      pixels[static_cast<size_t>(y) * kWidth + x] =
          (channel(255 * fx * (1 - fy)) << 16) | (channel(255 * fy) << 8) | channel(255 * (1 - fx) * (0.5 + 0.5 * fy));
    }
  return pixels;
}

LRESULT CALLBACK TargetProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  const auto* page = reinterpret_cast<const std::vector<DWORD>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (msg == WM_PAINT && page) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(client.right), static_cast<DWORD>(client.bottom), 0, 0, 0,
                      kHeight, page->data(), &info, DIB_RGB_COLORS);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcA(window, msg, wp, lp);
}

HWND CreateTarget(const std::vector<DWORD>& page) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = "TBenchPage";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "TBenchPage", "Bench Page", WS_OVERLAPPEDWINDOW, 0, 0, kWidth, kHeight, nullptr,
                                nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&page));
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return window;
}

// The target as a controller sees it: brought to the top, with its placement.
class TargetController : public tessaly::Controller {
 public:
  explicit TargetController(HWND window) : window_(window) {}
  void SetSize(int, int) override {}
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override {
    BringWindowToTop(window_);
    RECT r{};
    GetWindowRect(window_, &r);
    return tessaly::PlacementText(r.left, r.top, r.right, r.bottom);
  }

 private:
  HWND window_;
};

void Settle(int ms) {
  const double until = Now() + ms;
  while (Now() < until) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

// From the command to the viewer's first paint of its picture.
double TimePreview(TargetController& controller, int paletteChoice) {
  tessaly::WinPreviewHost host;
  double shown = -1;
  host.OnViewerCreated = [&shown](tessaly::win::TfrmImageViewer& viewer) {
    viewer.OnShown = [&shown, &viewer] {
      shown = Now();
      viewer.Close();
    };
  };
  const double start = Now();
  tessaly::ShowColorPreview(controller, paletteChoice, host);
  return shown < 0 ? -1 : shown - start;
}

// The preview's own steps, as ShowColorPreview takes them, each timed: the
// viewer's creation, the placement (which brings the target to the top), the
// capture (screen copy and capture file), the palette and the modal viewer up to
// its first paint of the picture.
struct PreviewSteps {
  std::vector<double> create, place, capture, apply, show;
};

void TimePreviewSteps(TargetController& controller, int paletteChoice, PreviewSteps& steps) {
  tessaly::WinPreviewHost host;
  double shown = -1;
  host.OnViewerCreated = [&shown](tessaly::win::TfrmImageViewer& viewer) {
    viewer.OnShown = [&shown, &viewer] {
      shown = Now();
      viewer.Close();
    };
  };
  double t = Now();
  auto lap = [&t](std::vector<double>& into) {
    const double now = Now();
    into.push_back(now - t);
    t = now;
  };
  std::unique_ptr<tessaly::PreviewViewer> viewer = host.CreateViewer();
  lap(steps.create);
  controller.GetPlacement();
  lap(steps.place);
  viewer->CaptureScreenArea(0, 0, kWidth, kHeight);
  lap(steps.capture);
  viewer->ApplyPalette(paletteChoice);
  lap(steps.apply);
  viewer->ShowModal();
  steps.show.push_back(shown < 0 ? -1 : shown - t);
}

template <class Step>
double Time(Step step) {
  const double start = Now();
  step();
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  Application app;
  const std::vector<DWORD> page = PagePixels();
  HWND target = CreateTarget(page);
  Settle(500);
  TargetController controller(target);
  const tessaly::CaptureArea area = *tessaly::CaptureAreaOf(0, 0, kWidth, kHeight);
  char exe[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string capture = tessaly::CaptureFilePath(exe);

  std::vector<double> copy, web, windows, write, read, reduceWeb, reduceWindows;
  PreviewSteps webSteps, windowsSteps;
  TimePreview(controller, tessaly::kPaletteWebSafe);  // warm up: first screen DC, page faults
  for (int i = 0; i < runs; ++i) {
    Settle(50);
    copy.push_back(Time([&] { tessaly::win::CopyScreenArea(area); }));
    Settle(50);
    web.push_back(TimePreview(controller, tessaly::kPaletteWebSafe));
    Settle(50);
    windows.push_back(TimePreview(controller, tessaly::kPaletteWindows256));
    // The steps after the copy, one by one.
    tessaly::win::ScreenCopy shot = tessaly::win::CopyScreenArea(area);
    write.push_back(Time([&] { tessaly::win::WriteCaptureFile(capture, shot); }));
    tessaly::win::CaptureFile file;
    read.push_back(Time([&] { file = tessaly::win::CaptureFile::Open(capture); }));
    reduceWeb.push_back(Time([&] {
      tessaly::win::ReducePicture(*file.Rows(), tessaly::ReductionMode::WebSafe, tessaly::DitherMode::FloydSteinberg);
    }));
    reduceWindows.push_back(Time([&] {
      tessaly::win::ReducePicture(*file.Rows(), tessaly::ReductionMode::OptimizedWindows,
                                  tessaly::DitherMode::FloydSteinberg);
    }));
    file.Close();
    Settle(50);
    TimePreviewSteps(controller, tessaly::kPaletteWebSafe, webSteps);
    Settle(50);
    TimePreviewSteps(controller, tessaly::kPaletteWindows256, windowsSteps);
  }
  DeleteFileA(capture.c_str());
  DestroyWindow(target);
  if (Median(web) < 0 || Median(windows) < 0) {
    std::fprintf(stderr, "the viewer did not show its picture\n");
    return 1;
  }
  const double c = Median(copy);
  std::printf("colour preview of a %d x %d target (capture %d x %d), median of %d runs:\n", kWidth, kHeight,
              area.width, area.height, runs);
  std::printf("  screen copy alone        %8.1f ms\n", c);
  std::printf("  web-safe preview         %8.1f ms   adds %6.1f ms to the copy (goal: at most 60)\n", Median(web),
              Median(web) - c);
  std::printf("  Windows 256 preview      %8.1f ms   adds %6.1f ms to the copy (goal: at most 60)\n",
              Median(windows), Median(windows) - c);
  std::printf("steps after the copy:\n");
  std::printf("  write flcapture.bmp      %8.1f ms\n", Median(write));
  std::printf("  map it back              %8.1f ms\n", Median(read));
  std::printf("  web-safe reduction       %8.1f ms\n", Median(reduceWeb));
  std::printf("  Windows 256 reduction    %8.1f ms\n", Median(reduceWindows));
  std::printf("the preview step by step:  web-safe   Windows 256\n");
  std::printf("  create the viewer        %8.1f   %8.1f ms\n", Median(webSteps.create), Median(windowsSteps.create));
  std::printf("  placement (to the top)   %8.1f   %8.1f ms\n", Median(webSteps.place), Median(windowsSteps.place));
  std::printf("  capture (copy and file)  %8.1f   %8.1f ms\n", Median(webSteps.capture), Median(windowsSteps.capture));
  std::printf("  apply the palette        %8.1f   %8.1f ms\n", Median(webSteps.apply), Median(windowsSteps.apply));
  std::printf("  show, first paint        %8.1f   %8.1f ms\n", Median(webSteps.show), Median(windowsSteps.show));
  return 0;
}
