#include "app/color_preview.h"

#include <string>
#include <vector>

#include "app/size_commands.h"
#include "framework/comma_text.h"
#include "preview/capture_area.h"
#include "sizes/custom_size.h"

namespace tessaly {

namespace {
// Restores the cursor however the preview ends.
class CursorRestorer {
 public:
  explicit CursorRestorer(PreviewHost& host) : host_(host) {}
  ~CursorRestorer() { host_.RestoreCursor(); }
  CursorRestorer(const CursorRestorer&) = delete;
  CursorRestorer& operator=(const CursorRestorer&) = delete;

 private:
  PreviewHost& host_;
};
}  // namespace

ColorPreviewRequest TrayColorRequest(const MenuItem& item) {
  ColorPreviewRequest request;
  const MenuItem* parent = item.Parent();
  const MenuItem* head = parent ? parent->Parent() : nullptr;
  request.targetKind = head ? TargetKindFromCaption(head->Caption) : kTargetCurrent;
  request.paletteChoice = item.Caption.find("MS") != std::string::npos ? kPaletteWindows256 : kPaletteWebSafe;
  return request;
}

void ShowColorPreview(Controller& controller, int paletteChoice, PreviewHost& host) {
  std::unique_ptr<PreviewViewer> viewer = host.CreateViewer();
  CursorRestorer restorer(host);
  host.ShowBusyCursor();
  const std::string placement = controller.GetPlacement();
  if (placement.empty()) return;
  const std::vector<std::string> items = SplitCommaText(placement);
  auto item = [&items](std::size_t i) { return i < items.size() ? items[i] : std::string(); };
  const int left = StrToInt(item(0));
  const int top = StrToInt(item(1));
  const int right = StrToInt(item(2));
  const int bottom = StrToInt(item(3));
  // A rectangle that makes no sensible capture is no target either.
  if (!CaptureAreaOf(left, top, right, bottom)) return;
  viewer->CaptureScreenArea(left, top, right, bottom);
  viewer->ApplyPalette(paletteChoice);
  host.RestoreCursor();
  viewer->ShowModal();
}

}  // namespace tessaly
