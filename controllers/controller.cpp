#include "controllers/controller.h"

namespace tessaly {

const PresetSize kPresetSizes[kPresetCount] = {{568, 388}, {648, 488}, {808, 608}, {1032, 776}};

std::string PlacementText(int left, int top, int right, int bottom) {
  return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
         std::to_string(bottom);
}

int Controller::ExtraWidth(int taskBar, int officeBar) {
  return (taskBar == 2 ? 64 : 0) + (officeBar == 2 ? 33 : 0);
}

int Controller::ExtraHeight(int taskBar, int officeBar) {
  return (taskBar == 1 ? 28 : 0) + (officeBar == 1 ? 29 : 0);
}

void Controller::SetPresetSize(int preset, int taskBar, int officeBar) {
  // No caller passes a preset outside the table; such a call does nothing.
  if (preset < 0 || preset >= kPresetCount) return;
  const int h = ExtraHeight(taskBar, officeBar);
  const int w = ExtraWidth(taskBar, officeBar);
  SetSize(kPresetSizes[preset].width - w, kPresetSizes[preset].height - h);
}

}  // namespace tessaly
