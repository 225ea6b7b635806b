#include "sizes/win/frm_custom_sizes.h"

#include "framework/notice.h"
#include "framework/win/application.h"
#include "sizes/custom_size.h"

namespace tessaly {

TfrmCustomSizes::TfrmCustomSizes(Registry& registry) : registry_(registry) {
  using win::Bounds;
  CreateForm(DialogParams("TfrmCustomSizes", " Edit Tessaly Custom Sizes", 293, 207, true));

  Memo1 = std::make_unique<win::Memo>(
      *this, Bounds{8, 8, 169, 121},
      std::vector<std::string>{"To Add: Enter your custom width & ", "height.  Click 'Add' button.", "",
                               "To Delete: Select your custom size ", "from list.  Click 'Delete' button.", "",
                               "To Edit: Select your custom size ", "from list. Edit width and/or height.  ",
                               "Click 'Edit' button."});
  memoFont_.Reset(CreateFontA(-8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  SendMessageA(Memo1->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.Get()), FALSE);
  // Labels are right-aligned to end at x = 217.
  lblWidth = std::make_unique<win::Label>(*this, "Width:", Bounds{177, 12, 40, 13}, true);
  edtWidth = std::make_unique<win::Edit>(*this, Bounds{224, 8, 65, 21});
  lblHeight = std::make_unique<win::Label>(*this, "Height:", Bounds{177, 36, 40, 13}, true);
  edtHeight = std::make_unique<win::Edit>(*this, Bounds{224, 32, 65, 21});
  lblCustomSizes = std::make_unique<win::ListBox>(*this, Bounds{184, 64, 105, 137});
  btnAddNew = std::make_unique<win::Button>(*this, "Add", Bounds{16, 144, 75, 25});
  btnDelete = std::make_unique<win::Button>(*this, "Delete", Bounds{96, 144, 75, 25});
  btnEdit = std::make_unique<win::Button>(*this, "Edit", Bounds{16, 176, 75, 25});
  btnClose = std::make_unique<win::Button>(*this, "Close", Bounds{96, 176, 75, 25}, true);

  btnAddNew->OnClick = [this] { btnAddNewClick(); };
  btnEdit->OnClick = [this] { btnEditClick(); };
  btnDelete->OnClick = [this] { btnDeleteClick(); };
  btnClose->OnClick = [this] { Close(); };
  lblCustomSizes->OnClick = [this] { lblCustomSizesClick(); };
  SetActiveControl(btnClose->Handle());
}

void TfrmCustomSizes::ReadWriteSizes(bool write) {
  if (write) {
    StoreCustomSizes(registry_, lblCustomSizes->Items());
    return;
  }
  lblCustomSizes->Clear();
  for (const std::string& line : LoadCustomSizes(registry_)) lblCustomSizes->Add(line);
}

void TfrmCustomSizes::FormShow() {
  ReadWriteSizes(false);
  ClearInputs();
}

void TfrmCustomSizes::FormClose() { ReadWriteSizes(true); }

void TfrmCustomSizes::ClearInputs() {
  edtWidth->SetText("");
  edtHeight->SetText("");
  lblCustomSizes->SetItemIndex(-1);
}

void ShowSizeEditMessage(HWND owner, SizeEditResult result) {
  win::Application::ShowMessageBox(owner, MessageFor(result), kNoticeCaption, MB_OK | MB_ICONSTOP);
}

void TfrmCustomSizes::Apply(SizeEditResult result, const std::vector<std::string>& lines) {
  if (result != SizeEditResult::kDone) {
    ShowSizeEditMessage(Handle(), result);
    return;
  }
  lblCustomSizes->Clear();
  for (const std::string& line : lines) lblCustomSizes->Add(line);
  ClearInputs();
}

void TfrmCustomSizes::btnAddNewClick() {
  std::vector<std::string> lines = lblCustomSizes->Items();
  Apply(AddCustomSize(lines, edtWidth->Text(), edtHeight->Text()), lines);
}

void TfrmCustomSizes::btnEditClick() {
  std::vector<std::string> lines = lblCustomSizes->Items();
  Apply(EditCustomSize(lines, lblCustomSizes->ItemIndex(), edtWidth->Text(), edtHeight->Text()), lines);
}

void TfrmCustomSizes::btnDeleteClick() {
  std::vector<std::string> lines = lblCustomSizes->Items();
  Apply(DeleteCustomSize(lines, lblCustomSizes->ItemIndex()), lines);
}

void TfrmCustomSizes::lblCustomSizesClick() {
  const int i = lblCustomSizes->ItemIndex();
  if (i < 0) return;
  std::string w, h;
  SplitCustomSizeLine(lblCustomSizes->Item(i), w, h);
  edtWidth->SetText(w);
  edtHeight->SetText(h);
}

LRESULT TfrmCustomSizes::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The instructions sit on the menu colour, without a frame.
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == Memo1->Handle()) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly
