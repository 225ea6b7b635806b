#include "framework/win/program_icon.h"

#include "framework/win/handles.h"

namespace tessaly::win {

HICON CreateProgramIcon() {
  const int size = GetSystemMetrics(SM_CXICON) > 0 ? GetSystemMetrics(SM_CXICON) : 32;
  UniqueBitmap color(CreateDib(size, size, 32));
  UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  UniqueMemoryDc dc = CreateMemoryDc();
  {
    SelectObjectScope sel(dc.Get(), color.Get());
    RECT all{0, 0, size, size};
    UniqueBrush black(CreateSolidBrush(RGB(0, 0, 0)));
    FillRect(dc.Get(), &all, black.Get());
    const int u = size / 16;
    RECT frame{u, 2 * u, size - u, size - 2 * u};
    UniqueBrush navy(CreateSolidBrush(RGB(0, 0, 128)));
    FillRect(dc.Get(), &frame, navy.Get());
    RECT page{2 * u, 5 * u, size - 2 * u, size - 3 * u};
    UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc.Get(), &page, white.Get());
    // A diagonal double arrow: the window is being sized.
    UniquePen pen(CreatePen(PS_SOLID, u > 1 ? u : 1, RGB(200, 0, 0)));
    SelectObjectScope selPen(dc.Get(), pen.Get());
    MoveToEx(dc.Get(), 4 * u, 7 * u, nullptr);
    LineTo(dc.Get(), size - 4 * u, size - 5 * u);
    POINT heads[][3] = {{{4 * u, 7 * u}, {7 * u, 7 * u}, {4 * u, 10 * u}},
                        {{size - 4 * u, size - 5 * u}, {size - 7 * u, size - 5 * u}, {size - 4 * u, size - 8 * u}}};
    UniqueBrush red(CreateSolidBrush(RGB(200, 0, 0)));
    SelectObjectScope selBrush(dc.Get(), red.Get());
    for (auto& h : heads) Polygon(dc.Get(), h, 3);
  }
  {
    // Opaque everywhere but the top and bottom rows around the frame.
    SelectObjectScope sel(dc.Get(), mask.Get());
    RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int u = size / 16;
    RECT frame{u, 2 * u, size - u, size - 2 * u};
    FillRect(dc.Get(), &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.Get();
  info.hbmMask = mask.Get();
  return CreateIconIndirect(&info);
}

}  // namespace tessaly::win
