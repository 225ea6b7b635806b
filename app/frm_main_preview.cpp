// The main window's colour preview commands: the "View" button and the tray's
// "Check Color" items.
#include "app/color_preview.h"
#include "app/frm_main.h"
#include "app/preview_host.h"

namespace tessaly {

void TfrmMain::ShowColorPreview(int targetKind, int paletteChoice) {
  WinPreviewHost host;
  tessaly::ShowColorPreview(ControllerFor(targetKind), paletteChoice, host);
}

void TfrmMain::btnWebViewClick() { ShowColorPreview(kTargetCurrent, cbColorCount->ItemIndex() + 1); }

void TfrmMain::TrayColorClick(MenuItem& item) {
  const ColorPreviewRequest request = TrayColorRequest(item);
  ShowColorPreview(request.targetKind, request.paletteChoice);
}

}  // namespace tessaly
