#include "bookmarks/win/frm_add_bookmark.h"

namespace tessaly {

namespace {
constexpr int kFolderShift = 32;

// A right-aligned label keeps its right edge when its text changes and
// takes the new text's width, as it did when it was made.
void SetRightAlignedText(win::Label& label, HFONT font, const std::string& text) {
  HWND h = label.Handle();
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  win::UniqueMemoryDc dc = win::CreateMemoryDc();
  win::SelectObjectScope sel(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  label.SetText(text);
  SetWindowPos(h, nullptr, r.right - size.cx, r.top, size.cx, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveUp(HWND h, int by) {
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(h, nullptr, r.left, r.top - by, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

TfrmAddBookmark::TfrmAddBookmark(HWND owner) {
  using win::Bounds;
  FormParams fp = DialogParams("TfrmAddBookmark", " Add Bookmark", 290, 107);
  fp.owner = owner;
  CreateForm(fp);

  Label1 = std::make_unique<win::Label>(*this, " Title:", Bounds{8, 12, 26, 13}, true);
  Label2 = std::make_unique<win::Label>(*this, "URL:", Bounds{0, 44, 33, 13}, true);
  edtTitle = std::make_unique<win::Edit>(*this, Bounds{40, 8, 241, 21});
  edtUrl = std::make_unique<win::Edit>(*this, Bounds{40, 40, 241, 21});
  btnAdd = std::make_unique<win::Button>(*this, "Add", Bounds{120, 73, 75, 25}, true);
  btnCancel = std::make_unique<win::Button>(*this, "Cancel", Bounds{200, 73, 75, 25});
  // Long addresses (search and tracking links) must fit whole; titles and
  // addresses in any script show in a face that has it.
  for (win::Edit* box : {edtTitle.get(), edtUrl.get()}) {
    SendMessageA(box->Handle(), EM_LIMITTEXT, 0, 0);
    SendMessageW(box->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(TextFont()), FALSE);
  }

  btnAdd->OnClick = [this] { EndModal(IDOK); };
  btnCancel->OnClick = [this] { EndModal(IDCANCEL); };
  SetCancelButton(btnCancel->Id());
  SetActiveControl(edtTitle->Handle());
}

void TfrmAddBookmark::SetFolderForm() {
  if (folderForm_) return;
  folderForm_ = true;
  SetRightAlignedText(*Label1, Font(), "Name:");
  ShowWindow(Label2->Handle(), SW_HIDE);
  ShowWindow(edtUrl->Handle(), SW_HIDE);
  MoveUp(btnAdd->Handle(), kFolderShift);
  MoveUp(btnCancel->Handle(), kFolderShift);
  RECT r = WindowRect();
  SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top - kFolderShift,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tessaly
