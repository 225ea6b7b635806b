#pragma once
#include <string>

#include "controllers/controller.h"
#include "framework/menu_item.h"

namespace tessaly {

// Which controller a command goes to: 0 the current one (the main window's
// tab), 1 Internet Explorer, 2 Netscape Navigator, 3 the active window.
enum TargetKind { kTargetCurrent = 0, kTargetIE = 1, kTargetNS = 2, kTargetActiveWindow = 3 };

struct ControllerSet {
  Controller* current;
  Controller* ie;
  Controller* ns;
  Controller* window;
  // Any other kind means the current controller.
  Controller& For(int targetKind) const;
};

// The target named by a tray sub-menu head's caption.
int TargetKindFromCaption(const std::string& caption);

// Sizes the target to a custom size text, unchanged by any allowance: the
// whole window, or with pageArea ("Size Page Area") the page inside it.
// Raises on a text that is not "width x height" with integers.
void SizeToCustom(const ControllerSet& controllers, int targetKind, const std::string& text, bool pageArea);

// A preset item or a custom size item of a tray browser sub-menu was clicked;
// pageArea as for SizeToCustom (presets stay outer sizes).
void SizeTrayMenuClick(const MenuItem& item, const ControllerSet& controllers, int taskBar, int officeBar,
                       bool pageArea);

// Whether the foreground window of this class may become the active-window
// target: not the tray icon's window, not this program's main window, not gone.
bool IsTrackableWindowClass(const std::string& className);

}  // namespace tessaly
