// The main window's bookmark component and its commands.
#include "app/frm_main.h"

#include <shellapi.h>

#include "app/bookmark_opening.h"
#include "app/menu_glyphs.h"
#include "bookmarks/win/add_bookmark_dialog.h"
#include "bookmarks/win/edit_bookmarks_dialog.h"
#include "framework/win/program_path.h"
#include "framework/win/wide_text.h"

namespace tessaly {

void TfrmMain::CreateBookmarks() {
  cvBookmarks = std::make_unique<TCorvaneBookmarks>(bookmarkFiles_, codePage_, win::ProgramFileNameUtf8());
  cvBookmarks->WriteMenuAddItem = false;
  cvBookmarks->WriteMenuEditItem = false;
  cvBookmarks->WriteMenuSeperator = false;
  cvBookmarks->AppName = "Tessaly";
  cvBookmarks->MenuItem = Bookmarks1;
  cvBookmarks->MenuItem2 = Bookmarks2;
  cvBookmarks->OnItemClick = [this](MenuItem& item) { cvBookmarksItemClick(item); };
  cvBookmarks->NewAddDialog = [] { return std::make_unique<win::AddBookmarkDialog>(); };
  // The organizer's tree shows the menus' folder and page glyphs.
  cvBookmarks->NewOrganizer = [this](TCorvaneBookmarks& bookmarks) {
    return std::make_unique<win::EditBookmarksDialog>(bookmarks, menuIcons->Bitmap(), MenuGlyphs::kCellWidth);
  };
  // Builds the entries from the bookmark file.
  cvBookmarks->Loaded();
}

void TfrmMain::AddBookmark1Click() { cvBookmarks->AddBookmark(); }

void TfrmMain::OrganizeBookmarks1Click() { cvBookmarks->EditBookmarks(); }

void TfrmMain::cvBookmarksItemClick(MenuItem& item) {
  // A copy: opening may wait for Netscape to start with the message loop
  // turning, and any bookmark change meanwhile frees the item.
  const std::string url = item.Hint;
  if (OpenBookmarksinDefaultBrowser1->IsChecked() && OpensInDefaultBrowser(url)) {
    // The user's default browser, through the shell's "open" of the address.
    ShellExecuteW(Handle(), L"open", win::Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  currentController->OpenUrl(url);
}

}  // namespace tessaly
