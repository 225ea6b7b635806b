#pragma once
#include "framework/win/controls.h"

namespace tessaly::win {

// The platform's progress bar (comctl32), with 32-bit limits.
class ProgressBar : public Control {
 public:
  ProgressBar(Form& form, Bounds b, int minimum = 0, int maximum = 100, int step = 10);

  int Position() const;
  void SetPosition(int position);
  int Maximum() const;
  void SetMaximum(int maximum);
  int Step() const { return step_; }
  // Advances the position by the step.
  void StepIt() { SetPosition(Position() + step_); }

 private:
  int minimum_;
  int step_;
};

}  // namespace tessaly::win
