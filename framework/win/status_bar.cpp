#include "framework/win/status_bar.h"

#include <commctrl.h>

namespace tessaly::win {

StatusBar::StatusBar(Form& form)
    : Control(form, CommonControlClass(ICC_BAR_CLASSES, STATUSCLASSNAMEA), "", SBARS_SIZEGRIP, Bounds{0, 0, 0, 0}) {}

int StatusBar::Height() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return r.bottom - r.top;
}

}  // namespace tessaly::win
