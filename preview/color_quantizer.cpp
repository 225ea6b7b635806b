#include "preview/color_quantizer.h"

#include <algorithm>

#include "preview/cell_totals.h"
#include "preview/dib_access.h"

namespace tessaly {
namespace {

void Export(const TOctreeNode* node, Palette& table) {
  if (!node) return;
  if (node->isLeaf) {
    PaletteEntry c;
    if (node->pixelCount != 0) {
      c.red = static_cast<std::uint8_t>(node->redTotal / node->pixelCount);
      c.green = static_cast<std::uint8_t>(node->greenTotal / node->pixelCount);
      c.blue = static_cast<std::uint8_t>(node->blueTotal / node->pixelCount);
    }
    table.push_back(c);
    return;
  }
  for (const auto& child : node->children) Export(child.get(), table);
}

}  // namespace

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits)
    : maxColors_(maxColors), colorBits_(colorBits < 1 ? 1 : (colorBits > 8 ? 8 : colorBits)) {}

TColorQuantizer::~TColorQuantizer() = default;

TOctreeNode* TColorQuantizer::NewNode(std::unique_ptr<TOctreeNode>& slot, int level) {
  slot = std::make_unique<TOctreeNode>();
  TOctreeNode* node = slot.get();
  if (level == colorBits_) {
    node->isLeaf = true;
    if (++leafCount_ > peakLeafCount_) peakLeafCount_ = leafCount_;
  } else {
    node->nextReducible = reducible_[level];
    reducible_[level] = node;
  }
  return node;
}

void TColorQuantizer::InsertColor(std::unique_ptr<TOctreeNode>& slot, int red, int green, int blue, int level) {
  TOctreeNode* node = slot ? slot.get() : NewNode(slot, level);
  InsertBelow(node, red, green, blue, level);
}

void TColorQuantizer::InsertBelow(TOctreeNode* node, int red, int green, int blue, int level) {
  for (;;) {
    if (node->isLeaf) {
      ++node->pixelCount;
      node->redTotal += red;
      node->greenTotal += green;
      node->blueTotal += blue;
      return;
    }
    const int shift = 7 - level;
    const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
    std::unique_ptr<TOctreeNode>& slot = node->children[child];
    ++level;
    node = slot ? slot.get() : NewNode(slot, level);
  }
}

void TColorQuantizer::Grow(TOctreeNode* node, int red, int green, int blue, int level) {
  while (!node->isLeaf) {
    const int shift = 7 - level;
    const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
    std::unique_ptr<TOctreeNode>& slot = node->children[child];
    ++level;
    node = slot ? slot.get() : NewNode(slot, level);
  }
}

TOctreeNode* TColorQuantizer::Descend(int red, int green, int blue, int& level) {
  level = 0;
  TOctreeNode* node = root_ ? root_.get() : NewNode(root_, 0);
  while (!node->isLeaf && level < kShortcutLevel) {
    const int shift = 7 - level;
    const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
    std::unique_ptr<TOctreeNode>& slot = node->children[child];
    ++level;
    node = slot ? slot.get() : NewNode(slot, level);
  }
  return node;
}

bool TColorQuantizer::MergeDeepestNode() {
  int level = colorBits_ - 1;
  while (level > 0 && !reducible_[level]) --level;
  TOctreeNode* node = reducible_[level];
  if (!node) return false;  // the root itself is already a leaf
  reducible_[level] = node->nextReducible;
  node->nextReducible = nullptr;
  int children = 0;
  for (auto& child : node->children) {
    if (!child) continue;
    node->pixelCount += child->pixelCount;
    node->redTotal += child->redTotal;
    node->greenTotal += child->greenTotal;
    node->blueTotal += child->blueTotal;
    child.reset();
    ++children;
  }
  node->isLeaf = true;
  leafCount_ -= children - 1;
  // Children at or above the shortcut level are gone: forget every shortcut.
  if (level < kShortcutLevel) {
    ++generation_;
    std::fill(settled_.begin(), settled_.end(), std::uint8_t{0});
  }
  return true;
}

void TColorQuantizer::ScanImage(TDIBReader& reader, Concurrency concurrency) {
  shortcuts_.assign(std::size_t{1} << (3 * kShortcutLevel), Shortcut{});
  settled_.assign(shortcuts_.size(), 0);
  ++generation_;
  CellTotals cells;
  RunBoth(
      concurrency,
      [&] {
        if (reader.BytesPerPixel() == 4) {
          GrowRows<4>(reader);
        } else {
          GrowRows<3>(reader);
        }
      },
      [&] { cells.Count(reader); });
  AddTotals(cells, reader);
}

template <int kBytes>
void TColorQuantizer::GrowRows(const TDIBReader& reader) {
  constexpr int kDrop = 8 - kShortcutLevel;
  const int width = reader.Width();
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* p = reader.RowAt(y);
    std::uint32_t previous = 0xFFFFFFFFu;  // no colour
    for (int x = 0; x < width; ++x, p += kBytes) {
      const int red = p[2], green = p[1], blue = p[0];
      const std::uint32_t colour = static_cast<std::uint32_t>((red << 16) | (green << 8) | blue);
      if (colour == previous) continue;
      previous = colour;
      const int key = ((red >> kDrop) << (2 * kShortcutLevel)) | ((green >> kDrop) << kShortcutLevel) | (blue >> kDrop);
      if (settled_[static_cast<std::size_t>(key)]) continue;
      Shortcut& shortcut = shortcuts_[static_cast<std::size_t>(key)];
      if (shortcut.generation != generation_) {
        shortcut.node = Descend(red, green, blue, shortcut.level);
        shortcut.generation = generation_;
      }
      if (shortcut.node->isLeaf) {
        settled_[static_cast<std::size_t>(key)] = 1;
      } else {
        Grow(shortcut.node, red, green, blue, shortcut.level);
      }
      while (leafCount_ > maxColors_ && MergeDeepestNode()) {
      }
    }
  }
}

void TColorQuantizer::AddTotals(const CellTotals& cells, const TDIBReader& reader) {
  std::vector<bool> byPixel;
  int firstRow = reader.Height(), lastRow = -1;
  for (int key = 0; key < CellTotals::kCells; ++key) {
    const CellTotals::Cell& cell = cells.At(key);
    if (cell.count == 0) continue;
    // The cell's path: bit b of the key's red, green and blue parts at level 4 - b.
    TOctreeNode* node = root_.get();
    for (int level = 0; node && !node->isLeaf && level < CellTotals::kBits; ++level) {
      const int bit = CellTotals::kBits - 1 - level;
      const int child = (((key >> (2 * CellTotals::kBits + bit)) & 1) << 2) |
                        (((key >> (CellTotals::kBits + bit)) & 1) << 1) | ((key >> bit) & 1);
      node = node->children[child].get();
    }
    if (node && node->isLeaf) {
      node->pixelCount += cell.count;
      node->redTotal += cell.red;
      node->greenTotal += cell.green;
      node->blueTotal += cell.blue;
    } else {
      byPixel.resize(CellTotals::kCells);
      byPixel[static_cast<std::size_t>(key)] = true;
      firstRow = std::min(firstRow, cell.firstRow);
      lastRow = std::max(lastRow, cell.lastRow);
    }
  }
  if (byPixel.empty()) return;
  if (reader.BytesPerPixel() == 4) {
    AddPixelsOfCells<4>(byPixel, reader, firstRow, lastRow);
  } else {
    AddPixelsOfCells<3>(byPixel, reader, firstRow, lastRow);
  }
}

template <int kBytes>
void TColorQuantizer::AddPixelsOfCells(const std::vector<bool>& cells, const TDIBReader& reader, int firstRow,
                                       int lastRow) {
  for (int y = firstRow; y <= lastRow; ++y) {
    const std::uint8_t* p = reader.RowAt(y);
    for (int x = 0; x < reader.Width(); ++x, p += kBytes) {
      const int red = p[2], green = p[1], blue = p[0];
      if (!cells[static_cast<std::size_t>(CellTotals::Key(red, green, blue))]) continue;
      // Every pixel's path was grown to a leaf, so the walk meets no empty slot.
      InsertBelow(root_.get(), red, green, blue, 0);
    }
  }
}

void TColorQuantizer::ExportColors(Palette& table) const { Export(root_.get(), table); }

}  // namespace tessaly
