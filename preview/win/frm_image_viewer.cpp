#include "preview/win/frm_image_viewer.h"

#include <commdlg.h>

#include <array>
#include <exception>

#include "framework/win/application.h"
#include "framework/win/comdlg_library.h"
#include "framework/win/modal_scope.h"
#include "framework/win/program_path.h"
#include "framework/win/wide_text.h"
#include "preview/capture_area.h"
#include "preview/contrast.h"
#include "preview/win/clipboard_picture.h"
#include "preview/win/dib_bitmap.h"
#include "preview/win/picture_file.h"

namespace tessaly::win {

namespace {
constexpr int kOuterWidth = 600;
constexpr int kOuterHeight = 400;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr const char* kErrorCaption = "Tessaly 2";

struct ViewChoice {
  PreviewView view;
  const char* caption;  // null: a separator
};
constexpr std::array<ViewChoice, 8> kViewMenu{{
    {PreviewView::Page, "&Page"},
    {PreviewView::WebSafe, "&Web Safe"},
    {PreviewView::Windows256, "MS &Win 256"},
    {PreviewView::Page, nullptr},
    {PreviewView::Protanopia, "&Protanopia"},
    {PreviewView::Deuteranopia, "&Deuteranopia"},
    {PreviewView::Tritanopia, "&Tritanopia"},
    {PreviewView::Achromatopsia, "&Achromatopsia"},
}};

bool Pressed(int key) { return (GetKeyState(key) & 0x8000) != 0; }
}  // namespace

TfrmImageViewer::TfrmImageViewer() {
  // The window is 600 x 400 on the screen, its menu bar included: the form is
  // made at that size without a menu, and the bar, attached afterwards, takes
  // its rows from the client area.
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
  BuildMenu();

  ScrollBox1 = std::make_unique<TScrollBox>(Handle());
  Image1 = std::make_unique<TImage>(ScrollBox1->Handle());
  Image1->OnPaint = [this] {
    if (shown_ || !Image1->HasPicture()) return;
    shown_ = true;
    if (OnShown) OnShown();
  };
  Image1->OnMouseMove = [this](int x, int y) { PointerAt(x, y); };
  Image1->OnClick = [this](int x, int y) { ClickAt(x, y); };
  StatusBar1 = std::make_unique<StatusBar>(*this);
  // The menu bar may wrap on a narrow screen font: the controls follow the
  // client area as it turned out.
  RECT client{};
  GetClientRect(Handle(), &client);
  PlaceControls(client.right, client.bottom);
  SetActiveControl(ScrollBox1->Handle());
}

void TfrmImageViewer::BuildMenu() {
  MenuItem& file = MainMenu1.Add("&File");
  file.Add("&Save As...\tCtrl+S", [this](MenuItem&) { SaveAs(); });
  file.Add("&Copy\tCtrl+C", [this](MenuItem&) { CopyPicture(); });
  file.AddSeparator();
  file.Add("&Close\tEsc", [this](MenuItem&) { Close(); });
  MenuItem& view = MainMenu1.Add("&View");
  for (const ViewChoice& choice : kViewMenu) {
    if (!choice.caption) {
      view.AddSeparator();
      continue;
    }
    const PreviewView shows = choice.view;
    view.Add(choice.caption, [this, shows](MenuItem&) { ShowView(shows); }).Radio = true;
  }
  menuBinding_ = std::make_unique<MenuBinding>(MainMenu1, MenuBinding::Kind::Bar);
  menuBinding_->AttachTo(Handle());
  BindMenu(menuBinding_.get());
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
  if (capture_.IsOpen()) ShowView(ViewOfPaletteChoice(paletteChoice));
}

void TfrmImageViewer::FormShow() {
  if (!Image1->HasPicture() && capture_.IsOpen()) ShowView(PreviewView::Page);
}

bool TfrmImageViewer::ShowView(PreviewView view) {
  if (!capture_.IsOpen()) return false;
  bool made = true;
  try {
    ReducedFrame frame = MakeView(capture_, view);
    ReducedPicture picture = PictureOf(frame.bitmap, frame.colorMap);
    Image1->SetPicture(std::move(picture.dib), std::move(picture.palette));
    view_ = std::move(frame);
  } catch (const std::exception&) {
    made = false;
  }
  if (!made) {
    // The viewer goes on with the page as captured (out of memory even for
    // that, the picture stays as it was).
    if (view != PreviewView::Page) ShowView(PreviewView::Page);
    return false;
  }
  CheckView(view);
  // The colour under the pointer is read again from the new view.
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(Image1->Handle(), &at);
  PointerAt(at.x, at.y);
  return true;
}

void TfrmImageViewer::CheckView(PreviewView view) {
  MenuItem* items = MainMenu1.Find("&View");
  for (int i = 0; items && i < items->Count(); ++i) {
    const ViewChoice& choice = kViewMenu.at(static_cast<size_t>(i));
    if (choice.caption) (*items)[i].SetChecked(choice.view == view);
  }
}

std::optional<PaletteEntry> TfrmImageViewer::ColorAt(int x, int y) const {
  const Bitmap& picture = view_.bitmap;
  if (!picture.HasPixels() || x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return std::nullopt;
  return picture.PixelColor(x, y);
}

void TfrmImageViewer::PointerAt(int x, int y) {
  pointer_ = ColorAt(x, y);
  StatusBar1->SetText(ColorReadout(pointer_, clicked_));
}

void TfrmImageViewer::ClickAt(int x, int y) {
  if (const std::optional<PaletteEntry> color = ColorAt(x, y)) clicked_ = color;
  PointerAt(x, y);
}

void TfrmImageViewer::SaveAs() {
  if (!view_.bitmap.HasPixels()) return;
  // Wide, so that a folder or name in any language is kept.
  wchar_t file[MAX_PATH * 4] = L"preview.png";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = L"PNG picture (*.png)\0*.png\0BMP picture (*.bmp)\0*.bmp\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH * 4;
  dialog.lpstrDefExt = L"png";
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT |
                 OFN_NOCHANGEDIR;
  {
    ModalScope scope(Handle());  // the dialog disables its owner itself
    if (!comdlg32::GetSaveFileNameW(&dialog)) return;
  }
  const std::string path = Utf8(std::wstring(file));
  // The dialog gives a name typed without an ending the chosen filter's.
  try {
    SavePicture(path, view_.bitmap, FormatOfFileName(path));
  } catch (const std::exception& e) {
    Application::ShowMessageBox(Handle(), e.what(), kErrorCaption, MB_OK | MB_ICONSTOP);
  }
}

void TfrmImageViewer::CopyPicture() {
  if (!view_.bitmap.HasPixels()) return;
  if (!CopyPictureToClipboard(Handle(), view_.bitmap))
    Application::ShowMessageBox(Handle(), "Cannot copy the picture to the clipboard.", kErrorCaption,
                                MB_OK | MB_ICONSTOP);
}

bool TfrmImageViewer::KeyPreview(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const bool control = Pressed(VK_CONTROL), other = Pressed(VK_MENU) || Pressed(VK_SHIFT);
  if (msg.wParam == VK_ESCAPE && !control && !other) {
    Close();
    return true;
  }
  if (!control || other) return false;
  if (msg.wParam == 'S') {
    SaveAs();
    return true;
  }
  if (msg.wParam == 'C') {
    CopyPicture();
    return true;
  }
  return false;
}

void TfrmImageViewer::PlaceControls(int width, int height) {
  StatusBar1->FollowForm();
  const int boxHeight = height - StatusBar1->Height();
  ScrollBox1->SetBounds(0, 0, width, boxHeight > 0 ? boxHeight : 0);
}

LRESULT TfrmImageViewer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (ScrollBox1 && StatusBar1) PlaceControls(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_MOUSEWHEEL:
      // Wherever the wheel's message lands, the scroll box scrolls.
      if (ScrollBox1) return SendMessageA(ScrollBox1->Handle(), msg, wp, lp);
      break;
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win
