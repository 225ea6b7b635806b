#pragma once
#include <cstdint>
#include <vector>

namespace tessaly {

class TDIBReader;

// How many pixels of a picture fall into each cell of colours that share the top
// five bits of every channel, and the sums of their channels. A cell is the
// colours under one node of the octree's level 5, so the cells add up to the
// totals of any leaf at level 5 or above.
class CellTotals {
 public:
  static constexpr int kBits = 5;
  static constexpr int kCells = 1 << (3 * kBits);

  struct Cell {
    std::int64_t count = 0;
    std::int64_t red = 0;
    std::int64_t green = 0;
    std::int64_t blue = 0;
    // The first and the last row with a pixel in the cell.
    int firstRow = 0;
    int lastRow = -1;
  };

  CellTotals() : cells_(kCells) {}

  // Adds every pixel of the picture.
  void Count(const TDIBReader& reader);

  // Red's bits highest, then green's, then blue's: the octree's order.
  static int Key(int red, int green, int blue) {
    return ((red >> (8 - kBits)) << (2 * kBits)) | ((green >> (8 - kBits)) << kBits) | (blue >> (8 - kBits));
  }
  const Cell& At(int key) const { return cells_[static_cast<std::size_t>(key)]; }

 private:
  template <int kBytes>
  void CountRows(const TDIBReader& reader);
  static void Add(Cell& cell, int row, std::uint32_t count, std::uint32_t red, std::uint32_t green,
                  std::uint32_t blue);

  std::vector<Cell> cells_;
};

}  // namespace tessaly
