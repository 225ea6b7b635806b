#pragma once
#include <string>

namespace tessaly {

// Outer window size of a preset before allowances: the nominal resolution plus
// 8 pixels each way (Web TV has its own).
struct PresetSize {
  int width;
  int height;
};
constexpr int kPresetCount = 4;  // 0 Web TV, 1 640 x 480, 2 800 x 600, 3 1024 x 768
extern const PresetSize kPresetSizes[kPresetCount];

// Placement text: left,top,right,bottom in screen pixels; empty for no target.
std::string PlacementText(int left, int top, int right, int bottom);

// What every command uses to reach its target window: a browser or whatever
// window was active. Bar codes are the task-bar and office-bar combo box
// indexes: 0 minimized or none, 1 horizontal, 2 vertical (anything else as 0).
class Controller {
 public:
  virtual ~Controller() = default;

  virtual int ExtraWidth(int taskBar, int officeBar);
  virtual int ExtraHeight(int taskBar, int officeBar);
  // The target gets this outer size, keeping its top-left corner, and comes to the top.
  virtual void SetSize(int width, int height) = 0;
  // The preset size less the allowances of the two bars.
  virtual void SetPresetSize(int preset, int taskBar, int officeBar);
  virtual void OpenUrl(const std::string& url) = 0;
  virtual std::string GetUrl() = 0;
  virtual std::string GetTitle() = 0;
  virtual std::string GetPlacement() = 0;
  // The target's page area (the part a page is shown in) gets this size. A
  // controller that cannot see into its target sizes the whole window.
  virtual void SetPageSize(int width, int height) { SetSize(width, height); }
};

}  // namespace tessaly
