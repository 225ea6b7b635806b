#pragma once
#include "framework/win/controls.h"

namespace tessaly::win {

// The platform's hot-key control (comctl32): the user presses a combination
// and the control shows it. Its value is the virtual key in the low byte and
// the HOTKEYF_ modifier flags in the next, 0 for none.
class HotKey : public Control {
 public:
  HotKey(Form& form, Bounds b);

  int Value() const;
  void SetValue(int value);
};

}  // namespace tessaly::win
