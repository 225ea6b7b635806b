#include "tests/wine/driver/icon_kind.h"

#include <cstdlib>

#include "tests/wine/driver/screen_capture.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

long long Difference(const Canvas& a, const Canvas& b) {
  GdiFlush();
  long long sum = 0;
  for (int i = 0; i < a.size(); ++i) {
    DWORD p = a.pixel(i), q = b.pixel(i);
    for (int shift = 0; shift < 24; shift += 8)
      sum += std::abs(static_cast<int>((p >> shift) & 0xff) - static_cast<int>((q >> shift) & 0xff));
  }
  return sum;
}

}  // namespace

std::string IconKindOf(HWND icon_control) {
  // A box without an icon keeps an empty icon control (the handle itself is
  // readable from here, just not the picture behind it).
  if (!SendWide(icon_control, STM_GETICON, 0, 0)) return "none";
  RECT client{};
  GetClientRect(icon_control, &client);
  POINT origin{0, 0};
  ClientToScreen(icon_control, &origin);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return "unknown";

  Canvas screen(width, height);
  if (!screen.CopyScreen(origin.x, origin.y)) return "unknown";
  // The icons' corners are transparent: the corner shows the dialog's background.
  const DWORD background = screen.pixel(0);

  struct Candidate { const char* kind; LPCWSTR id; };
  const Candidate candidates[] = {{"stop", MAKEINTRESOURCEW(32513)},
                                  {"question", MAKEINTRESOURCEW(32514)},
                                  {"warning", MAKEINTRESOURCEW(32515)},
                                  {"information", MAKEINTRESOURCEW(32516)}};
  std::string best = "unknown";
  long long best_difference = -1;
  for (const Candidate& candidate : candidates) {
    Canvas drawn(width, height);
    HICON icon = LoadIconW(nullptr, candidate.id);  // shared: not destroyed
    if (!drawn.ok() || !icon) continue;
    drawn.Fill(background);
    DrawIconEx(drawn.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    long long difference = Difference(screen, drawn);
    if (best_difference < 0 || difference < best_difference) {
      best_difference = difference;
      best = candidate.kind;
    }
  }
  // Anything but a close match is another picture, or one not painted yet.
  const long long tolerance = static_cast<long long>(width) * height * 3 * 8;
  return best_difference >= 0 && best_difference <= tolerance ? best : "unknown";
}

}  // namespace tdriver
