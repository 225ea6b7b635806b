#include "preview/win/frm_image_viewer.h"

#include "framework/win/program_path.h"
#include "preview/capture_area.h"
#include "preview/win/capture_file.h"
#include "preview/win/dib_bitmap.h"
#include "preview/win/reduce_bitmap.h"

namespace tessaly::win {

namespace {
constexpr int kOuterWidth = 600;
constexpr int kOuterHeight = 400;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}  // namespace

TfrmImageViewer::TfrmImageViewer() {
  // The form is given by its client size; the frame is what the style adds.
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  FormParams fp;
  fp.className = "TfrmImageViewer";
  fp.caption = " Tessaly Image Viewer";
  fp.clientWidth = kOuterWidth - (frame.right - frame.left);
  fp.clientHeight = kOuterHeight - (frame.bottom - frame.top);
  fp.centered = true;
  fp.style = kStyle;
  CreateForm(fp);

  ScrollBox1 = std::make_unique<TScrollBox>(Handle());
  Image1 = std::make_unique<TImage>(ScrollBox1->Handle());
  Image1->OnPaint = [this] {
    if (shown_ || !Image1->HasPicture()) return;
    shown_ = true;
    if (OnShown) OnShown();
  };
  RECT client{};
  GetClientRect(Handle(), &client);
  ScrollBox1->SetBounds(0, 0, client.right, client.bottom);
  SetActiveControl(ScrollBox1->Handle());
}

void TfrmImageViewer::CaptureScreenArea(int left, int top, int right, int bottom) {
  const std::optional<CaptureArea> area = CaptureAreaOf(left, top, right, bottom);
  if (!area) return;
  const std::string path = CaptureFilePath(ProgramFileName());
  {
    // The file is written on every preview: when the screen cannot be copied
    // (no bitmap of that size could be made), with a black picture.
    ScreenCopy copy = CopyScreenArea(*area);
    if (!copy.dib) copy = BlankScreenCopy(*area);
    WriteCaptureFile(path, copy);
  }  // the copy is released before the file is read back
  capture_ = CaptureFile::Open(path);
  ScrollBox1->SetContent(Image1->Handle(), capture_.Width(), capture_.Height());
}

void TfrmImageViewer::ApplyPalette(int paletteChoice) {
  if (!capture_.IsOpen()) return;
  const ReductionMode mode = paletteChoice == 2 ? ReductionMode::OptimizedWindows : ReductionMode::WebSafe;
  try {
    ReducedPicture reduced = capture_.Rows() ? ReducePicture(*capture_.Rows(), mode, DitherMode::FloydSteinberg)
                                             : ReducePicture(capture_.Picture(), mode, DitherMode::FloydSteinberg);
    if (reduced.dib) Image1->SetPicture(std::move(reduced.dib), std::move(reduced.palette));
  } catch (const std::exception&) {
    // The viewer goes on with the unreduced capture.
  }
  if (!Image1->HasPicture()) ShowCapture();
  capture_.Close();
}

void TfrmImageViewer::FormShow() {
  if (!Image1->HasPicture() && capture_.IsOpen()) ShowCapture();
}

void TfrmImageViewer::ShowCapture() {
  try {
    const Bitmap picture = capture_.Picture();
    UniquePalette palette;
    if (picture.BitsPerPixel() <= 8 && !picture.Colors().empty()) palette = CreateLogicalPalette(picture.Colors());
    Image1->SetPicture(CreateDibSection(picture), std::move(palette));
  } catch (const std::exception&) {
    // Out of memory for a second copy: the viewer stays empty.
  }
}

LRESULT TfrmImageViewer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (ScrollBox1) ScrollBox1->SetBounds(0, 0, LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_MOUSEWHEEL:
      // Wherever the wheel's message lands, the scroll box scrolls.
      if (ScrollBox1) return SendMessageA(ScrollBox1->Handle(), msg, wp, lp);
      break;
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win
