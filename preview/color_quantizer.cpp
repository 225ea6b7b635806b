#include "preview/color_quantizer.h"

#include <cstring>

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

TOctreeNode* TColorQuantizer::InsertBelow(TOctreeNode* node, int red, int green, int blue, int level) {
  for (;;) {
    if (node->isLeaf) {
      ++node->pixelCount;
      node->redTotal += red;
      node->greenTotal += green;
      node->blueTotal += blue;
      return node;
    }
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
  if (level < kShortcutLevel) ++generation_;
  return true;
}

void TColorQuantizer::ScanImage(TDIBReader& reader) {
  shortcuts_.assign(std::size_t{1} << (3 * kShortcutLevel), Shortcut{});
  ++generation_;
  if (reader.BytesPerPixel() == 4) {
    ScanRows<4>(reader);
  } else {
    ScanRows<3>(reader);
  }
}

template <int kBytes>
void TColorQuantizer::ScanRows(TDIBReader& reader) {
  constexpr int kDrop = 8 - kShortcutLevel;
  const int width = reader.Width();
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* p = reader.RowAt(y);
    const std::uint8_t* const end = p + kBytes * width;
    while (p != end) {
      const int red = p[2], green = p[1], blue = p[0];
      Shortcut& shortcut =
          shortcuts_[((red >> kDrop) << (2 * kShortcutLevel)) | ((green >> kDrop) << kShortcutLevel) | (blue >> kDrop)];
      if (shortcut.generation != generation_) {
        shortcut.node = Descend(red, green, blue, shortcut.level);
        shortcut.generation = generation_;
      }
      TOctreeNode* leaf = shortcut.node;
      if (leaf->isLeaf) {
        // Mostly so, once the tree has its leaves: counted here, without a call.
        ++leaf->pixelCount;
        leaf->redTotal += red;
        leaf->greenTotal += green;
        leaf->blueTotal += blue;
      } else {
        leaf = InsertBelow(leaf, red, green, blue, shortcut.level);
      }
      p += kBytes;
      if (leafCount_ > maxColors_) {
        while (leafCount_ > maxColors_ && MergeDeepestNode()) {
        }
        continue;  // the leaf may be folded: the next pixel walks again
      }
      // The pixels of the same colour that follow count in the same leaf, all
      // at once: their walks would reach it and create nothing.
      if (p != end && p[0] == blue && p[1] == green && p[2] == red) {
        // Compared as the first two bytes and the third.
        std::uint16_t blueGreen, next;
        std::memcpy(&blueGreen, p, sizeof blueGreen);
        int repeats = 0;
        do {
          p += kBytes;
          ++repeats;
          if (p == end) break;
          std::memcpy(&next, p, sizeof next);
        } while (next == blueGreen && p[2] == red);
        leaf->pixelCount += repeats;
        leaf->redTotal += static_cast<std::int64_t>(repeats) * red;
        leaf->greenTotal += static_cast<std::int64_t>(repeats) * green;
        leaf->blueTotal += static_cast<std::int64_t>(repeats) * blue;
      }
    }
  }
}

void TColorQuantizer::ExportColors(Palette& table) const { Export(root_.get(), table); }

}  // namespace tessaly
