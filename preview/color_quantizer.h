#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "preview/bitmap.h"
#include "preview/helper_thread.h"

namespace tessaly {

class CellTotals;
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
  // while there are too many leaves.
  //
  // Done in that order, the tree's shape depends only on the pixels whose
  // insertion creates a node, and every leaf's totals end up as the sums over all
  // pixels under it: a pixel counts in the leaf its walk reaches, which is the
  // final leaf over its colour or a node that a merge later folds into it. So the
  // tree is grown in a first walk over the pixels that only creates and merges
  // nodes, and the totals are added to the grown tree afterwards, from sums per
  // cell of colours made beside the first walk (on a second thread where there is
  // one) and, for the rare leaves below the cells' level, from the pixels.
  //
  // The first walk skips a pixel of the colour before it (whose path is there)
  // and a pixel whose top bits lead to a leaf; the rest start from the node their
  // top bits lead to, remembered from earlier pixels: the same node the walk
  // from the root would reach, without the first levels of the walk.
  void ScanImage(TDIBReader& reader, Concurrency concurrency = Concurrency::Serial);
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
  // InsertColor from a node already in the tree.
  void InsertBelow(TOctreeNode* node, int red, int green, int blue, int level);
  // InsertColor's creation of nodes, without counting the pixel.
  void Grow(TOctreeNode* node, int red, int green, int blue, int level);
  // The deepest node on the colour's path no deeper than kShortcutLevel, created as
  // InsertColor would create it.
  TOctreeNode* Descend(int red, int green, int blue, int& level);
  // The first walk of ScanImage over pixels kBytes apart.
  template <int kBytes>
  void GrowRows(const TDIBReader& reader);
  // The second part of ScanImage: the cells' totals into the leaves at or above
  // their level, the pixels of any other cell one by one (from the rows where
  // such cells have pixels).
  void AddTotals(const CellTotals& cells, const TDIBReader& reader);
  template <int kBytes>
  void AddPixelsOfCells(const std::vector<bool>& cells, const TDIBReader& reader, int firstRow, int lastRow);

  // Nodes down to this level can only be destroyed by merges above it.
  static constexpr int kShortcutLevel = 4;
  struct Shortcut {
    TOctreeNode* node = nullptr;
    int level = 0;
    // Valid while it equals generation_, which a merge above kShortcutLevel
    // moves on.
    unsigned generation = 0;
  };
  std::vector<Shortcut> shortcuts_;
  unsigned generation_ = 1;
  // Per shortcut, 1 once it is known to lead to a leaf: pixels there change
  // nothing in the tree's shape. Cleared with the shortcuts.
  std::vector<std::uint8_t> settled_;

  std::unique_ptr<TOctreeNode> root_;
  int leafCount_ = 0;
  int peakLeafCount_ = 0;
  std::array<TOctreeNode*, 8> reducible_{};
  int maxColors_;
  int colorBits_;
};

}  // namespace tessaly
