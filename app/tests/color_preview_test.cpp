#include "app/color_preview.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace tessaly;

namespace {

// Answers with a fixed placement.
class PlacementController : public Controller {
 public:
  explicit PlacementController(std::string placement) : placement_(std::move(placement)) {}
  void SetSize(int, int) override {}
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return placement_; }

 private:
  std::string placement_;
};

// Writes down every step of a preview, in order.
struct Host : PreviewHost {
  std::vector<std::string> steps;
  bool busy = false;
  bool captureFails = false;

  struct Viewer : PreviewViewer {
    Host& host;
    explicit Viewer(Host& h) : host(h) { host.steps.push_back("create"); }
    ~Viewer() override { host.steps.push_back(std::string("destroy") + (host.busy ? " busy" : "")); }
    void CaptureScreenArea(int l, int t, int r, int b) override {
      host.steps.push_back("capture " + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) +
                           "," + std::to_string(b));
      if (host.captureFails) throw std::runtime_error("Cannot create file C:\\flcapture.bmp");
    }
    void ApplyPalette(int choice) override { host.steps.push_back("palette " + std::to_string(choice)); }
    void ShowModal() override { host.steps.push_back(std::string("show") + (host.busy ? " busy" : "")); }
  };

  std::unique_ptr<PreviewViewer> CreateViewer() override { return std::make_unique<Viewer>(*this); }
  void ShowBusyCursor() override { busy = true; }
  void RestoreCursor() override { busy = false; }

  std::vector<std::string> Run(const std::string& placement, int choice = kPaletteWebSafe) {
    PlacementController controller(placement);
    ShowColorPreview(controller, choice, *this);
    return steps;
  }
};

using Steps = std::vector<std::string>;

TEST(ColorPreview, CapturesReducesAndShowsWithTheNormalCursor) {
  Host host;
  EXPECT_EQ(host.Run("100,50,740,530", kPaletteWindows256),
            (Steps{"create", "capture 100,50,740,530", "palette 2", "show", "destroy"}));
  EXPECT_FALSE(host.busy);
}

TEST(ColorPreview, NoTargetShowsNothing) {
  Host host;
  EXPECT_EQ(host.Run(""), (Steps{"create", "destroy"}));
  EXPECT_FALSE(host.busy);
}

TEST(ColorPreview, PlacementThatMakesNoCaptureIsNoTarget) {
  for (const char* placement : {"100,50,100,530", "740,50,100,530", "100,50,740,74", "-2147483648,0,2147483647,500",
                                "0,0,40000,600", "0,0,9000,9000"}) {
    Host host;
    EXPECT_EQ(host.Run(placement), (Steps{"create", "destroy"})) << placement;
    EXPECT_FALSE(host.busy) << placement;
  }
}

TEST(ColorPreview, FailuresEndThePreviewWithTheCursorRestored) {
  Host host;
  EXPECT_THROW(host.Run("100,fifty,740,530"), std::invalid_argument);
  EXPECT_EQ(host.steps, (Steps{"create", "destroy"}));
  EXPECT_FALSE(host.busy);

  Host full;
  full.captureFails = true;
  EXPECT_THROW(full.Run("100,50,740,530"), std::runtime_error);
  EXPECT_EQ(full.steps, (Steps{"create", "capture 100,50,740,530", "destroy"}));
  EXPECT_FALSE(full.busy);
}

TEST(ColorPreview, TrayItemsNameTheirBrowserAndPalette) {
  MenuItem tray;
  const char* heads[] = {"Internet Explorer", "Netscape Navigator", "Active Window", "Other"};
  for (const char* caption : heads) {
    MenuItem& color = tray.Add(caption, {}, 2).Add("Check Color");
    color.Add("Web Safe");
    color.Add("MS Win 256");
  }
  for (int i = 0; i < 4; ++i) {
    const MenuItem& color = tray[i][0];
    const int kind = i < 3 ? i + 1 : 0;
    const ColorPreviewRequest web = TrayColorRequest(color[0]);
    const ColorPreviewRequest windows = TrayColorRequest(color[1]);
    EXPECT_EQ(web.targetKind, kind) << heads[i];
    EXPECT_EQ(web.paletteChoice, kPaletteWebSafe) << heads[i];
    EXPECT_EQ(windows.targetKind, kind) << heads[i];
    EXPECT_EQ(windows.paletteChoice, kPaletteWindows256) << heads[i];
  }
  // The rules read captions, not positions: "MS" anywhere chooses the Windows palette.
  MenuItem& odd = tray.Add("Netscape and Internet").Add("Check Color").Add("ms MS");
  EXPECT_EQ(TrayColorRequest(odd).targetKind, 1);  // "Internet" is tested first
  EXPECT_EQ(TrayColorRequest(odd).paletteChoice, kPaletteWindows256);
}

}  // namespace
