#include "preview/cell_totals.h"

#include "preview/dib_access.h"

namespace tessaly {

void CellTotals::Count(const TDIBReader& reader) {
  if (reader.BytesPerPixel() == 4) {
    CountRows<4>(reader);
  } else {
    CountRows<3>(reader);
  }
}

// Neighbouring pixels mostly share a cell: each run of them is summed in locals
// (32 bits hold a row's worth) and added to its cell once.
template <int kBytes>
void CellTotals::CountRows(const TDIBReader& reader) {
  const int width = reader.Width();
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* p = reader.RowAt(y);
    int key = Key(p[2], p[1], p[0]);
    std::uint32_t count = 0, red = 0, green = 0, blue = 0;
    for (int x = 0; x < width; ++x, p += kBytes) {
      const int here = Key(p[2], p[1], p[0]);
      if (here != key) {
        Add(cells_[static_cast<std::size_t>(key)], y, count, red, green, blue);
        key = here;
        count = red = green = blue = 0;
      }
      ++count;
      red += p[2];
      green += p[1];
      blue += p[0];
    }
    Add(cells_[static_cast<std::size_t>(key)], y, count, red, green, blue);
  }
}

void CellTotals::Add(Cell& cell, int row, std::uint32_t count, std::uint32_t red, std::uint32_t green,
                     std::uint32_t blue) {
  if (cell.count == 0) cell.firstRow = row;
  cell.lastRow = row;
  cell.count += count;
  cell.red += red;
  cell.green += green;
  cell.blue += blue;
}

}  // namespace tessaly
