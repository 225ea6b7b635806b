#include "bookmarks/win/frm_edit_bookmarks.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "bookmarks/tree_commands.h"
#include "bookmarks/win/frm_add_bookmark.h"
#include "framework/win/application.h"
#include "framework/win/wait_cursor.h"
#include "framework/win/wide_text.h"

namespace tessaly {

namespace {
constexpr COLORREF kGlyphGround = RGB(255, 0, 255);

const std::vector<std::string> kInstructions{
    "To Add: Right-Click on a ", "bookmark or folder. Select 'Add ", "bookmark...' or 'Add folder...' from ",
    "the pop-up menu.  Enter your ", "values.", "", "To Delete: Right-Click on the ", "bookmark or folder. Select ",
    "'Delete' from the pop-up menu.", "", "To Edit: Right-Click on the ", "bookmark or folder. Select 'Edit' ",
    "from the pop-up menu. Enter your ", "changes.", "", "To Move: Drag bookmark or ",
    "folder to the desired location."};

// Texts (UTF-8) as the user's locale orders them, letter case aside, in
// whatever script they are.
int CompareLocaleText(const std::string& a, const std::string& b) {
  const std::wstring wideA = win::Wide(a), wideB = win::Wide(b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                                    wideB.data(), static_cast<int>(wideB.size()));
  return result ? result - CSTR_EQUAL : CompareAsciiIgnoringCase(a, b);
}

// The pictures of the tree from the glyph strip. The image list takes a
// copy: adding a masked bitmap blackens its transparent colour.
HIMAGELIST NewImageList(HBITMAP glyphs, int glyphWidth) {
  if (!glyphs) return nullptr;
  HIMAGELIST list = ImageList_Create(glyphWidth, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
  win::UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(glyphs, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (list && copy) ImageList_AddMasked(list, copy.Get(), kGlyphGround);
  return list;
}
}  // namespace

TfrmEditBookmarks::TfrmEditBookmarks(TCorvaneBookmarks& bookmarks, HBITMAP glyphs, int glyphWidth)
    : bookmarks_(bookmarks), root_(NewRootNode()) {
  using win::Bounds;
  CreateForm(DialogParams("TfrmEditBookmarks", " Organize Bookmarks", 454, 303));

  Memo1 = std::make_unique<win::Memo>(*this, Bounds{8, 8, 161, 225}, kInstructions);
  memoFont_.Reset(CreateFontA(-8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  SendMessageA(Memo1->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.Get()), FALSE);
  TreeView1 = std::make_unique<TCorvaneTreeView>(*this, Bounds{168, 8, 281, 289});
  btnSort = std::make_unique<win::Button>(*this, "Sort", Bounds{8, 240, 75, 25});
  btnSave = std::make_unique<win::Button>(*this, "Save", Bounds{8, 272, 75, 25});
  btnCancel = std::make_unique<win::Button>(*this, "Cancel", Bounds{88, 272, 75, 25});

  HWND tree = TreeView1->Handle();
  // The wide notifications: an edited label comes back with every character;
  // and the titles in a face that has their scripts.
  SendMessageW(tree, TVM_SETUNICODEFORMAT, TRUE, 0);
  SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont()), FALSE);
  ImageList1.Reset(NewImageList(glyphs, glyphWidth));
  SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ImageList1.Get()));
  SendMessageA(tree, TVM_SETINDENT, 19, 0);
  items_ = BookmarkTreeItems(tree);

  TreePopup.Add("Edit...", [this](MenuItem&) { Edit1Click(); }).Name = "Edit1";
  TreePopup.Add("Delete", [this](MenuItem&) { btnDeleteClick(); }).Name = "Delete1";
  TreePopup.Add("Add Folder...", [this](MenuItem&) { AddFolder1Click(); }).Name = "AddFolder1";
  TreePopup.Add("Add Bookmark...", [this](MenuItem&) { AddBookmark1Click(); }).Name = "AddBookmark1";
  treePopupBinding_ = std::make_unique<win::MenuBinding>(TreePopup, win::MenuBinding::Kind::Popup);
  BindMenu(treePopupBinding_.get());

  btnSort->OnClick = [this] { btnSortClick(); };
  btnSave->OnClick = [this] { btnSaveClick(); };
  btnCancel->OnClick = [this] { btnCancelClick(); };
  TreeView1->OnDragOver = [this](int x, int y) { return TreeView1DragOver(x, y); };
  TreeView1->OnDragDrop = [this](int x, int y) { TreeView1DragDrop(x, y); };
  TreeView1->OnKeyUp = [this](WORD key) { TreeView1KeyUp(key); };
  TreeView1->OnTreeNotify = [this](NMHDR* header) { return TreeView1Notify(header); };
  SetActiveControl(btnSave->Handle());

  LoadTree();
}

void TfrmEditBookmarks::LoadTree() {
  // Anew, also when it was filled before.
  items_.Remove(*root_);
  while (root_->Count() > 0) root_->Remove(root_->Count() - 1);
  if (bookmarks_.MenuItem) LoadBookmarkTree(*root_, *bookmarks_.MenuItem, bookmarks_.FirstBookmark());
  items_.ShowRoot(*root_);
}

void TfrmEditBookmarks::SaveTree() {
  if (!bookmarks_.MenuItem) return;
  SaveBookmarkTree(*root_, *bookmarks_.MenuItem, bookmarks_.FirstBookmark(),
                   [this](const std::string& title, const std::string& url) { return bookmarks_.NewBookmark(title, url); });
}

void TfrmEditBookmarks::btnSortClick() {
  win::WaitCursor hourglass;
  SortBookmarkTree(*root_, CompareLocaleText);
  items_.ShowOrder(*root_);
}

void TfrmEditBookmarks::btnDeleteClick() {
  BookmarkNode* node = Selected();
  if (!node) return;
  if (node->IsRoot()) {
    const std::string owner = appName_.empty() ? std::string() : appName_ + "'s ";
    const std::string caption = appName_.empty() ? std::string("Notice...") : appName_ + " Notice...";
    win::Application::ShowMessageBox(Handle(), "You may not delete " + owner + "root bookmark Node.", caption,
                                     MB_OK | MB_ICONSTOP);
    return;
  }
  BookmarkNode* next = SelectionAfterDelete(*node);
  BookmarkNode& parent = *node->Parent();
  items_.Remove(*node);
  DeleteNode(*node);
  items_.ShowChildrenMark(parent);
  items_.Select(next);
}

void TfrmEditBookmarks::Edit1Click() {
  BookmarkNode* node = Selected();
  if (!node) return;
  TfrmAddBookmark dialog(Handle());
  dialog.edtTitle->SetText(node->Text);
  if (node->IsFolder()) {
    dialog.SetCaption(" Edit Folder");
    dialog.SetFolderForm();
  } else {
    dialog.SetCaption(" Edit Bookmark");
    dialog.edtUrl->SetText(node->Url);
  }
  dialog.btnAdd->SetText("Edit");
  if (dialog.ShowModal() != IDOK) return;
  node->Text = dialog.edtTitle->Text();
  if (!node->IsFolder()) node->Url = dialog.edtUrl->Text();
  items_.ShowText(*node);
}

void TfrmEditBookmarks::AddFolder1Click() {
  BookmarkNode* selected = Selected();
  if (!selected) return;
  TfrmAddBookmark dialog(Handle());
  dialog.SetCaption(" Add Folder");
  dialog.SetFolderForm();
  if (dialog.ShowModal() != IDOK) return;
  items_.ShowAdded(AddFolderNode(*selected, dialog.edtTitle->Text()));
  if (selected->IsFolder()) items_.Expand(*selected);
}

void TfrmEditBookmarks::AddBookmark1Click() {
  BookmarkNode* selected = Selected();
  if (!selected) return;
  TfrmAddBookmark dialog(Handle());
  if (!appName_.empty()) dialog.SetCaption(" Add " + appName_ + " BookMark");
  if (dialog.ShowModal() != IDOK) return;
  items_.ShowAdded(AddBookmarkNode(*selected, dialog.edtTitle->Text(), dialog.edtUrl->Text()));
  if (selected->IsFolder()) items_.Expand(*selected);
}

bool TfrmEditBookmarks::TreeView1DragOver(int x, int y) {
  HitPart part = HitPart::kNowhere;
  BookmarkNode* target = items_.NodeAt(x, y, part);
  return Selected() && AcceptsDragOver(target, part);
}

void TfrmEditBookmarks::TreeView1DragDrop(int x, int y) {
  BookmarkNode* dragged = Selected();
  HitPart part = HitPart::kNowhere;
  BookmarkNode* target = items_.NodeAt(x, y, part);
  if (!dragged || !target) return;
  BookmarkNode* from = dragged->Parent();
  BookmarkNode* to = MoveNode(*dragged, *target, DropDecision(*dragged, *target, part));
  if (!to) return;
  // The items follow: the moved node's go and come back at its new place.
  items_.Remove(*dragged);
  items_.ShowChildrenMark(*from);
  items_.ShowAdded(*dragged);
  items_.Expand(*to);
  items_.Select(dragged);
}

void TfrmEditBookmarks::TreeView1KeyUp(WORD key) {
  if (key == VK_DELETE) btnDeleteClick();
}

void TfrmEditBookmarks::TreePopupPopup() {
  if (rightClicked_) items_.Select(rightClicked_);
}

void TfrmEditBookmarks::ShowTreePopup(BookmarkNode* node, POINT at) {
  rightClicked_ = node;
  TreePopupPopup();
  rightClicked_ = nullptr;
  treePopupBinding_->Popup(Handle(), at.x, at.y);
}

LRESULT TfrmEditBookmarks::TreeView1Notify(NMHDR* header) {
  switch (header->code) {
    case NM_RCLICK: {
      POINT at{};
      GetCursorPos(&at);
      POINT client = at;
      ScreenToClient(TreeView1->Handle(), &client);
      HitPart part = HitPart::kNowhere;
      ShowTreePopup(items_.NodeAt(client.x, client.y, part), at);
      return TRUE;  // the menu is open already: no context-menu message
    }
    case TVN_ENDLABELEDITW: {
      const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
      BookmarkNode* node = items_.NodeOf(item.hItem);
      if (!item.pszText || !node) return FALSE;  // the editing was cancelled
      node->Text = win::Utf8(item.pszText, static_cast<int>(wcslen(item.pszText)));
      return TRUE;
    }
    case TVN_ITEMEXPANDINGW:
      items_.ItemExpanding(*reinterpret_cast<NMTREEVIEWW*>(header));
      return FALSE;
    case TVN_DELETEITEMW:
      items_.ItemDeleted(*reinterpret_cast<NMTREEVIEWW*>(header));
      return 0;
  }
  return 0;
}

LRESULT TfrmEditBookmarks::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The instructions sit on the menu colour, without a frame.
  if (msg == WM_CTLCOLORSTATIC && Memo1 && reinterpret_cast<HWND>(lp) == Memo1->Handle()) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENU));
  }
  // The menu key or Shift+F10 on the tree: the pop-up menu for the selected node, by its label.
  if (msg == WM_CONTEXTMENU && TreeView1 && reinterpret_cast<HWND>(wp) == TreeView1->Handle()) {
    POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    BookmarkNode* node = Selected();
    if (lp == -1) {
      // The item goes in where its rectangle comes out.
      RECT label{};
      const HTREEITEM item = node ? static_cast<HTREEITEM>(node->ViewItem) : nullptr;
      std::memcpy(&label, &item, sizeof(item));
      if (!item || !SendMessageA(TreeView1->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)))
        label = RECT{0, 0, 0, 0};
      at = POINT{label.left, label.bottom};
      ClientToScreen(TreeView1->Handle(), &at);
    }
    ShowTreePopup(node, at);
    return 0;
  }
  return Form::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly
