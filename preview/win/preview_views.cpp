#include "preview/win/preview_views.h"

#include "preview/color_vision.h"

namespace tessaly::win {

namespace {

ReducedFrame Reduced(const CaptureFile& capture, ReductionMode mode) {
  // A deep capture is reduced where it lies in the mapped file.
  if (capture.Rows()) return ReduceFrame(*capture.Rows(), mode, DitherMode::FloydSteinberg);
  return ReduceFrame(capture.Picture(), mode, DitherMode::FloydSteinberg);
}

ReducedFrame Simulated(const CaptureFile& capture, ColorVision vision) {
  Bitmap picture = capture.Picture();
  if (picture.BitsPerPixel() != 32) picture.ConvertTo24();
  SimulateColorVision(picture, vision);
  return ReducedFrame{std::move(picture), {}};
}

}  // namespace

PreviewView ViewOfPaletteChoice(int paletteChoice) {
  return paletteChoice == 2 ? PreviewView::Windows256 : PreviewView::WebSafe;
}

ReducedFrame MakeView(const CaptureFile& capture, PreviewView view) {
  switch (view) {
    case PreviewView::WebSafe:
      return Reduced(capture, ReductionMode::WebSafe);
    case PreviewView::Windows256:
      return Reduced(capture, ReductionMode::OptimizedWindows);
    case PreviewView::Protanopia:
      return Simulated(capture, ColorVision::Protanopia);
    case PreviewView::Deuteranopia:
      return Simulated(capture, ColorVision::Deuteranopia);
    case PreviewView::Tritanopia:
      return Simulated(capture, ColorVision::Tritanopia);
    case PreviewView::Achromatopsia:
      return Simulated(capture, ColorVision::Achromatopsia);
    case PreviewView::Page:
      break;
  }
  Bitmap picture = capture.Picture();
  Palette colors = picture.BitsPerPixel() <= 8 ? picture.Colors() : Palette{};
  return ReducedFrame{std::move(picture), std::move(colors)};
}

}  // namespace tessaly::win
