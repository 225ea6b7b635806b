#include "app/preview_host.h"

namespace tessaly {

namespace {
class Viewer : public PreviewViewer {
 public:
  void CaptureScreenArea(int left, int top, int right, int bottom) override {
    form.CaptureScreenArea(left, top, right, bottom);
  }
  void ApplyPalette(int paletteChoice) override { form.ApplyPalette(paletteChoice); }
  void ShowModal() override { form.ShowModal(); }

  win::TfrmImageViewer form;
};
}  // namespace

std::unique_ptr<PreviewViewer> WinPreviewHost::CreateViewer() {
  auto viewer = std::make_unique<Viewer>();
  if (OnViewerCreated) OnViewerCreated(viewer->form);
  return viewer;
}

void WinPreviewHost::ShowBusyCursor() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  if (!busy_) previous_ = previous;
  busy_ = true;
}

void WinPreviewHost::RestoreCursor() {
  if (!busy_) return;
  SetCursor(previous_);
  busy_ = false;
}

}  // namespace tessaly
