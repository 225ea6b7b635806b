#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "preview/bitmap.h"

namespace tessaly {

class TDIBReader;

struct TOctreeNode {
  bool isLeaf = false;
  // Totals are 64-bit so a large picture of bright pixels cannot overflow them.
  std::int64_t pixelCount = 0;
  std::int64_t redTotal = 0;
  std::int64_t greenTotal = 0;
  std::int64_t blueTotal = 0;
  TOctreeNode* nextReducible = nullptr;  // link in its level's reducible list
  std::array<std::unique_ptr<TOctreeNode>, 8> children;
};

// Octree colour quantizer. It merges as soon as it holds one leaf more than the
// maximum, so the tree never grows past maximum + 1 leaves whatever the picture's
// size.
class TColorQuantizer {
 public:
  TColorQuantizer(int maxColors, int colorBits);
  ~TColorQuantizer();
  TColorQuantizer(const TColorQuantizer&) = delete;
  TColorQuantizer& operator=(const TColorQuantizer&) = delete;

  // Inserts every pixel, top row first, left to right, merging after each insert
  // while there are too many leaves. Each pixel's insertion starts from the node
  // its top bits lead to, remembered from earlier pixels: the same node the walk
  // from the root would reach, without the first levels of the walk. Pixels of
  // the colour before them, when no merge came between, count in the leaf that
  // one reached, all at once: their walks would reach it too and create
  // nothing.
  void ScanImage(TDIBReader& reader);
  void InsertColor(std::unique_ptr<TOctreeNode>& slot, int red, int green, int blue, int level);
  // Folds the newest reducible node of the deepest level that has one into a leaf;
  // false when nothing is left to fold.
  bool MergeDeepestNode();
  // Appends one colour per leaf, depth first with children in index order.
  void ExportColors(Palette& table) const;

  int LeafCount() const { return leafCount_; }
  // The most leaves seen at any time since construction.
  int PeakLeafCount() const { return peakLeafCount_; }
  const TOctreeNode* Root() const { return root_.get(); }
  const TOctreeNode* ReducibleHead(int level) const { return reducible_[level]; }

 private:
  TOctreeNode* NewNode(std::unique_ptr<TOctreeNode>& slot, int level);
  // InsertColor from a node already in the tree; returns the leaf that counted
  // the pixel.
  TOctreeNode* InsertBelow(TOctreeNode* node, int red, int green, int blue, int level);
  // The deepest node on the colour's path no deeper than kShortcutLevel, created as
  // InsertColor would create it.
  TOctreeNode* Descend(int red, int green, int blue, int& level);
  // ScanImage over pixels kBytes apart.
  template <int kBytes>
  void ScanRows(TDIBReader& reader);

  // Nodes down to this level can only be destroyed by merges above it.
  static constexpr int kShortcutLevel = 4;
  struct Shortcut {
    TOctreeNode* node = nullptr;
    int level = 0;
    // Valid while it equals generation_, which a merge above kShortcutLevel
    // moves on: forgetting them all costs one increment.
    unsigned generation = 0;
  };
  std::vector<Shortcut> shortcuts_;
  unsigned generation_ = 1;

  std::unique_ptr<TOctreeNode> root_;
  int leafCount_ = 0;
  int peakLeafCount_ = 0;
  std::array<TOctreeNode*, 8> reducible_{};
  int maxColors_;
  int colorBits_;
};

}  // namespace tessaly
