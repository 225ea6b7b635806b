#include "framework/win/progress_bar.h"

namespace tessaly::win {

ProgressBar::ProgressBar(Form& form, Bounds b, int minimum, int maximum, int step)
    : Control(form, CommonControlClass(ICC_PROGRESS_CLASS, PROGRESS_CLASSA), "", 0, b),
      minimum_(minimum),
      step_(step) {
  SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
  SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(minimum), 0);
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) {
  SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int ProgressBar::Maximum() const { return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0)); }

void ProgressBar::SetMaximum(int maximum) {
  SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(minimum_), maximum);
}

}  // namespace tessaly::win
