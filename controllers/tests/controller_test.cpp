#include "controllers/controller.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class RecordingController : public tessaly::Controller {
 public:
  std::vector<std::pair<int, int>> sizes;
  void SetSize(int w, int h) override { sizes.emplace_back(w, h); }
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return {}; }
};

struct AllowanceCase {
  int taskBar, officeBar, width, height;
};

TEST(Controller, AllowancesForEveryBarCombination) {
  const AllowanceCase cases[] = {{0, 0, 0, 0},  {1, 0, 0, 28},  {2, 0, 64, 0},
                                 {0, 1, 0, 29}, {1, 1, 0, 57},  {2, 1, 64, 29},
                                 {0, 2, 33, 0}, {1, 2, 33, 28}, {2, 2, 97, 0},
                                 {-1, -1, 0, 0}, {3, 7, 0, 0}};
  RecordingController c;
  for (const auto& k : cases) {
    EXPECT_EQ(c.ExtraWidth(k.taskBar, k.officeBar), k.width) << k.taskBar << "," << k.officeBar;
    EXPECT_EQ(c.ExtraHeight(k.taskBar, k.officeBar), k.height) << k.taskBar << "," << k.officeBar;
  }
}

TEST(Controller, PresetSizesLessAllowances) {
  RecordingController c;
  c.SetPresetSize(0, 0, 0);
  c.SetPresetSize(2, 1, 0);
  c.SetPresetSize(1, 1, 1);
  c.SetPresetSize(3, 2, 2);
  c.SetPresetSize(1, -1, -1);
  EXPECT_EQ(c.sizes, (std::vector<std::pair<int, int>>{
                         {568, 388}, {808, 580}, {648, 431}, {935, 776}, {648, 488}}));
}

TEST(Controller, PresetOutsideTableDoesNothing) {
  RecordingController c;
  c.SetPresetSize(4, 0, 0);
  c.SetPresetSize(-1, 0, 0);
  EXPECT_TRUE(c.sizes.empty());
}

// SetPresetSize goes through the object's own slots, so an override of an
// allowance changes the result.
TEST(Controller, PresetUsesOverriddenAllowances) {
  struct Wide : RecordingController {
    int ExtraWidth(int, int) override { return 100; }
  } c;
  c.SetPresetSize(1, 0, 0);
  EXPECT_EQ(c.sizes.front(), std::make_pair(548, 488));
}

TEST(Controller, PlacementText) {
  EXPECT_EQ(tessaly::PlacementText(100, 50, 908, 658), "100,50,908,658");
  EXPECT_EQ(tessaly::PlacementText(-8, -8, 0, 0), "-8,-8,0,0");
}

}  // namespace
