#include "app/frm_main.h"
#include "sizes/win/frm_other_size.h"

namespace tessaly {

// "Other Size..." under the tray's "Active Window": the typed size goes to
// the window that was in front when the mouse reached the tray icon, as the
// sub-menu's other sizes do.
void TfrmMain::OtherSize1Click() {
  std::string text;
  {
    TfrmOtherSize dialog(registry_);
    if (dialog.ShowModal() != IDOK) return;
    text = dialog.SizeText();
    if (dialog.Added()) BuildCustomSizeMenus();
  }
  SizeToCustom(kTargetActiveWindow, text);
}

}  // namespace tessaly
