#include "app/size_commands.h"

#include "sizes/custom_size.h"


namespace tessaly {

Controller& ControllerSet::For(int targetKind) const {
  switch (targetKind) {
    case kTargetIE:
      return *ie;
    case kTargetNS:
      return *ns;
    case kTargetActiveWindow:
      return *window;
    default:
      return *current;
  }
}

int TargetKindFromCaption(const std::string& caption) {
  if (caption.find("Internet") != std::string::npos) return kTargetIE;
  if (caption.find("Netscape") != std::string::npos) return kTargetNS;
  if (caption.find("Active") != std::string::npos) return kTargetActiveWindow;
  return kTargetCurrent;
}

void SizeToCustom(const ControllerSet& controllers, int targetKind, const std::string& text, bool pageArea) {
  const size_t x = text.find('x');
  // Without an "x" the whole text is taken for both numbers, and fails.
  const size_t p = x == std::string::npos ? 0 : x + 1;  // 1-based position
  const std::string widthText = p >= 2 ? text.substr(0, p - 2) : std::string();
  const std::string heightText = p == 0 ? text : text.substr(p);
  const int height = StrToInt(heightText);
  const int width = StrToInt(widthText);
  Controller& c = controllers.For(targetKind);
  if (pageArea)
    c.SetPageSize(width, height);
  else
    c.SetSize(width, height);
}

void SizeTrayMenuClick(const MenuItem& item, const ControllerSet& controllers, int taskBar, int officeBar,
                       bool pageArea) {
  const MenuItem* parent = item.Parent();
  if (!parent) return;
  const bool custom = parent->Caption.find("Custom") != std::string::npos;
  const MenuItem* head = custom ? parent->Parent() : parent;
  const int kind = head ? TargetKindFromCaption(head->Caption) : kTargetCurrent;
  if (custom) {
    SizeToCustom(controllers, kind, item.Caption, pageArea);
    return;
  }
  Controller& c = controllers.For(kind);
  switch (item.MenuIndex()) {
    case 3:
      c.SetPresetSize(1, taskBar, officeBar);
      break;
    case 4:
      c.SetPresetSize(2, taskBar, officeBar);
      break;
    case 5:
      c.SetPresetSize(0, 0, 0);
      break;
    case 6:
      c.SetPresetSize(3, taskBar, officeBar);
      break;
    default:
      break;
  }
}

bool IsTrackableWindowClass(const std::string& className) {
  return !className.empty() && className.find("TPUtilWindow") == std::string::npos &&
         className.find("TfrmMain") == std::string::npos;
}

}  // namespace tessaly
