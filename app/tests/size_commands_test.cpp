#include "app/size_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

using namespace tessaly;

namespace {

// Records what reaches each controller.
class Recorder : public Controller {
 public:
  std::vector<std::tuple<int, int>> sizes;
  std::vector<std::tuple<int, int, int>> presets;
  std::vector<std::tuple<int, int>> pageSizes;
  void SetSize(int w, int h) override { sizes.emplace_back(w, h); }
  void SetPageSize(int w, int h) override { pageSizes.emplace_back(w, h); }
  void SetPresetSize(int preset, int taskBar, int officeBar) override {
    presets.emplace_back(preset, taskBar, officeBar);
    Controller::SetPresetSize(preset, taskBar, officeBar);
  }
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return {}; }
};

struct Fixture : ::testing::Test {
  Recorder current, ie, ns, window;
  ControllerSet set{&current, &ie, &ns, &window};
  MenuItem tray;
  MenuItem* heads[3] = {};
  Fixture() {
    const char* captions[] = {"Internet Explorer", "Netscape Navigator", "Active Window"};
    for (int i = 0; i < 3; ++i) {
      MenuItem& head = tray.Add(captions[i], {}, 2);
      head.Add("Check Color");
      head.Add("Custom Sizes").Add("1024 x 768");
      head.AddSeparator();
      for (const char* p : {"640 x 480", "800 x 600", "Web TV", "1024 x 768"}) head.Add(p);
      heads[i] = &head;
    }
  }
};

TEST(TargetKind, FromCaptions) {
  EXPECT_EQ(TargetKindFromCaption("Internet Explorer"), 1);
  EXPECT_EQ(TargetKindFromCaption("Netscape Navigator"), 2);
  EXPECT_EQ(TargetKindFromCaption("Active Window"), 3);
  EXPECT_EQ(TargetKindFromCaption("internet explorer"), 0);  // case-sensitive
  EXPECT_EQ(TargetKindFromCaption(""), 0);
}

TEST_F(Fixture, ControllerForEveryKind) {
  EXPECT_EQ(&set.For(0), &current);
  EXPECT_EQ(&set.For(1), &ie);
  EXPECT_EQ(&set.For(2), &ns);
  EXPECT_EQ(&set.For(3), &window);
  EXPECT_EQ(&set.For(9), &current);
  EXPECT_EQ(&set.For(-1), &current);
}

TEST_F(Fixture, TrayPresetItemsGoToTheirBrowserWithTheBarChoices) {
  SizeTrayMenuClick((*heads[0])[3], set, 2, 1, false);  // 640 x 480 under Internet Explorer
  SizeTrayMenuClick((*heads[1])[4], set, 2, 1, false);  // 800 x 600 under Netscape
  SizeTrayMenuClick((*heads[2])[6], set, 2, 1, false);  // 1024 x 768 under Active Window
  EXPECT_EQ(ie.presets, (std::vector<std::tuple<int, int, int>>{{1, 2, 1}}));
  EXPECT_EQ(ns.presets, (std::vector<std::tuple<int, int, int>>{{2, 2, 1}}));
  EXPECT_EQ(window.presets, (std::vector<std::tuple<int, int, int>>{{3, 2, 1}}));
  EXPECT_EQ(window.sizes, (std::vector<std::tuple<int, int>>{{1032 - 64, 776 - 29}}));
  EXPECT_TRUE(current.presets.empty());
}

TEST_F(Fixture, WebTvAlwaysPassesNoBars) {
  SizeTrayMenuClick((*heads[2])[5], set, 2, 2, false);
  EXPECT_EQ(window.presets, (std::vector<std::tuple<int, int, int>>{{0, 0, 0}}));
  EXPECT_EQ(window.sizes, (std::vector<std::tuple<int, int>>{{568, 388}}));
}

TEST_F(Fixture, UnexpectedIndexDoesNothing) {
  SizeTrayMenuClick((*heads[0])[0], set, 1, 0, false);
  SizeTrayMenuClick((*heads[0])[2], set, 1, 0, false);
  EXPECT_TRUE(ie.presets.empty());
  EXPECT_TRUE(ie.sizes.empty());
}

TEST_F(Fixture, CustomSizeItemSizesUnchangedOnItsBrowser) {
  SizeTrayMenuClick((*heads[1])[1][0], set, 1, 1, false);
  EXPECT_EQ(ns.sizes, (std::vector<std::tuple<int, int>>{{1024, 768}}));
  EXPECT_TRUE(ns.presets.empty());
  EXPECT_TRUE(current.sizes.empty());
}

// "Size Page Area" turns custom sizes into page sizes; presets stay outer sizes.
TEST_F(Fixture, PageAreaOptionReachesCustomSizesOnly) {
  SizeTrayMenuClick((*heads[2])[1][0], set, 1, 0, true);
  SizeTrayMenuClick((*heads[2])[4], set, 1, 0, true);
  SizeToCustom(set, 1, "300 x 200", true);
  EXPECT_EQ(window.pageSizes, (std::vector<std::tuple<int, int>>{{1024, 768}}));
  EXPECT_EQ(window.sizes, (std::vector<std::tuple<int, int>>{{808, 580}}));
  EXPECT_EQ(ie.pageSizes, (std::vector<std::tuple<int, int>>{{300, 200}}));
  EXPECT_TRUE(ie.sizes.empty());
}

TEST_F(Fixture, SizeToCustomParsesAndRaisesOnBadText) {
  SizeToCustom(set, 0, "300 x 200", false);
  EXPECT_EQ(current.sizes, (std::vector<std::tuple<int, int>>{{300, 200}}));
  EXPECT_THROW(SizeToCustom(set, 0, "300 x abc", false), std::invalid_argument);
  EXPECT_THROW(SizeToCustom(set, 0, "wide x 200", false), std::invalid_argument);
  EXPECT_THROW(SizeToCustom(set, 0, "300", false), std::invalid_argument);
  EXPECT_THROW(SizeToCustom(set, 0, "", false), std::invalid_argument);
  EXPECT_EQ(current.sizes.size(), 1u);  // nothing sized after a failure
}

TEST(ActiveWindowFilter, ExcludesTrayWindowMainWindowAndGoneWindows) {
  EXPECT_TRUE(IsTrackableWindowClass("Notepad"));
  EXPECT_FALSE(IsTrackableWindowClass(""));
  EXPECT_FALSE(IsTrackableWindowClass("TPUtilWindow"));
  EXPECT_FALSE(IsTrackableWindowClass("TfrmMain"));
  EXPECT_FALSE(IsTrackableWindowClass("xTfrmMainx"));
}

}  // namespace
