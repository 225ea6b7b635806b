// The main window's "Smart Import" commands.
#include "app/frm_main.h"
#include "bookmarks/win/import_file_dialog.h"
#include "framework/win/wait_cursor.h"

namespace tessaly {

namespace {
// The main menu in the platform's plain drawing while an import runs, and
// owner-drawn again afterwards, also when an error ends the import (the
// error box follows, and the menu must not stay plain for the rest of the run).
class PlainMenuDrawing {
 public:
  explicit PlainMenuDrawing(win::MenuBinding& menu) : menu_(menu) { menu_.SetOwnerDraw(false); }
  ~PlainMenuDrawing() { menu_.SetOwnerDraw(true); }
  PlainMenuDrawing(const PlainMenuDrawing&) = delete;
  PlainMenuDrawing& operator=(const PlainMenuDrawing&) = delete;

 private:
  win::MenuBinding& menu_;
};
}  // namespace

void TfrmMain::ConnectImporters() {
  cvBookmarks->Sources = &importSources_;
  cvBookmarks->NewImportFileDialog = [this] { return std::make_unique<win::Win32ImportFileDialog>(Handle()); };
}

// The importers do not store: the file is written once, after them, also
// when they found nothing.
void TfrmMain::InternetExplorerFavorites1Click() {
  PlainMenuDrawing plain(*mainMenuBinding_);
  win::WaitCursor hourglass;
  cvBookmarks->ImportFavorites();
  cvBookmarks->StoreBookmarks();
}

void TfrmMain::NetscapeNavigatorBookmarks1Click() {
  PlainMenuDrawing plain(*mainMenuBinding_);
  win::WaitCursor hourglass;
  cvBookmarks->ImportNavigator();
  cvBookmarks->ImportCommunicator4();
  cvBookmarks->ImportCommunicator45();
  cvBookmarks->StoreBookmarks();
}

void TfrmMain::GoogleChromeBookmarks1Click() {
  PlainMenuDrawing plain(*mainMenuBinding_);
  win::WaitCursor hourglass;
  cvBookmarks->ImportChromeBookmarks();
  cvBookmarks->StoreBookmarks();
}

void TfrmMain::MicrosoftEdgeBookmarks1Click() {
  PlainMenuDrawing plain(*mainMenuBinding_);
  win::WaitCursor hourglass;
  cvBookmarks->ImportEdgeBookmarks();
  cvBookmarks->StoreBookmarks();
}

// The component asks for the file, shows the hourglass and stores by itself.
void TfrmMain::bookmarkshtmFile1Click() {
  PlainMenuDrawing plain(*mainMenuBinding_);
  cvBookmarks->ImportNetscapeFile();
}

}  // namespace tessaly
