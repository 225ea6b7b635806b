#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "app/color_preview.h"
#include "preview/win/frm_image_viewer.h"

namespace tessaly {

// The colour preview's surroundings on Windows: the viewer window and the
// hourglass cursor.
class WinPreviewHost : public PreviewHost {
 public:
  std::unique_ptr<PreviewViewer> CreateViewer() override;
  void ShowBusyCursor() override;
  void RestoreCursor() override;

  // Each viewer as it is created, before anything is captured.
  std::function<void(win::TfrmImageViewer&)> OnViewerCreated;

 private:
  HCURSOR previous_ = nullptr;
  bool busy_ = false;
};

}  // namespace tessaly
