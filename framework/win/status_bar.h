#pragma once
#include <string>

#include "framework/win/controls.h"

namespace tessaly::win {

// The platform's status bar along the bottom of a form, one part wide, with
// a size grip. It places itself when the form tells it its new size.
class StatusBar : public Control {
 public:
  explicit StatusBar(Form& form);
  int Height() const;
  // Follows the form's new client size (call from its WM_SIZE).
  void FollowForm() { SendMessageA(Handle(), WM_SIZE, 0, 0); }
};

}  // namespace tessaly::win
