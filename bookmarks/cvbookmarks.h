#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "bookmarks/bookmark_dialogs.h"
#include "bookmarks/bookmark_files.h"
#include "bookmarks/bookmark_text.h"
#include "bookmarks/import_sources.h"
#include "bookmarks/line_reader.h"
#include "framework/code_page.h"
#include "framework/menu_item.h"

namespace tessaly {

// The bookmark component: keeps the user's bookmarks as menu items under
// MenuItem (after that item's own children and the fixed items), mirrors
// them under MenuItem2, loads them from the bookmark file and writes them
// back after every change, and hands a chosen bookmark to its host through
// OnItemClick. The menu items are the data; there is no list besides.
//
// The host sets the properties, then calls Loaded. MenuItem and MenuItem2
// must outlive the component, which takes its entries out of them when it
// ends.
//
// Titles and URLs are UTF-8 in the entries, whatever file they came from.
// The bookmark file keeps the encoding it was read in (bookmark_text.h): an
// ANSI file is written in the code page, byte for byte as it was read, until
// it is to hold a text the code page cannot; from then on it is UTF-8, all
// of it, every other text converted without loss.
class TCorvaneBookmarks {
 public:
  using Item = tessaly::MenuItem;

  // programPath: the running program's file (UTF-8); the bookmark file is
  // "cvbmarks.htm" in its directory. codePage: the system's ANSI code page.
  TCorvaneBookmarks(BookmarkFiles& files, const CodePage& codePage, const std::string& programPath);
  ~TCorvaneBookmarks();
  TCorvaneBookmarks(const TCorvaneBookmarks&) = delete;
  TCorvaneBookmarks& operator=(const TCorvaneBookmarks&) = delete;

  // Properties.
  bool Enabled() const { return enabled_; }
  // Rebuilds the menu from the file when set true (once loaded), also when
  // it was true already; false leaves the menu as it is.
  void SetEnabled(bool value);
  bool WriteMenuAddItem = true;    // the "Add to Bookmarks" item
  bool WriteMenuEditItem = true;   // the "Edit Bookmarks..." item
  bool WriteMenuSeperator = true;  // a separator before the entries (under MenuItem2 only after own items)
  std::string AppName;             // in the file's title lines and the dialogs' captions
  Item* MenuItem = nullptr;        // holds the bookmark tree
  Item* MenuItem2 = nullptr;       // holds a copy of it
  std::function<void(TCorvaneBookmarks& sender, std::string& asName, std::string& asUrl)> OnAddItem;
  std::function<void(Item& sender)> OnItemClick;  // sender: the clicked entry; its hint is the URL
  std::function<void(TCorvaneBookmarks& sender)> OnMenuChange;

  // The dialogs, made when their command runs. Without NewAddDialog,
  // AddBookmark() does nothing; without NewOrganizer, EditBookmarks shows no
  // dialog but still refreshes the copy and rewrites the file.
  std::function<std::unique_ptr<AddBookmarkPrompt>()> NewAddDialog;
  std::function<std::unique_ptr<BookmarkOrganizer>(TCorvaneBookmarks&)> NewOrganizer;
  // The importers' registry and directories (without them only the import of
  // a named file works), and the dialog of ImportNetscapeFile().
  ImportSources* Sources = nullptr;
  std::function<std::unique_ptr<ImportFileDialog>()> NewImportFileDialog;

  const std::string BookmarkFileName;

  // The host's properties are in place: takes the own-item counts, then
  // (when enabled) builds the fixed items and reads the file.
  void Loaded();
  void Reload();
  void ReadBookmarks();
  // Writes the whole tree to the bookmark file, replacing it only once the
  // new one is complete; false (and no message) when it could not be written.
  bool StoreBookmarks();
  // Refreshes the copy, then raises OnMenuChange.
  void MenuChanged();
  void DupeMenu();
  // Appends copies of sourceParent's children (with their subtrees) to copyParent.
  void DupeMenuNode(Item& copyParent, const Item& sourceParent);

  // Adds a bookmark at the end of the top level, then refreshes the copy and
  // stores; nothing when the title or the URL is empty. The title is kept whole.
  void AddBookmark(const std::string& title, const std::string& url);
  // Asks for a title and URL in the add dialog.
  void AddBookmark();
  void AddBookmarksEvt(Item& sender);
  void EditBookmarksEvt(Item& sender);
  void EditBookmarks();
  void ItemClickEvt(Item& sender);
  static std::string CheckLong(const std::string& text);

  // For the importers: reads a Netscape bookmark file into parent (captions
  // shortened by CheckLong), in the encoding it says it has. False when it
  // cannot be opened. Neither refreshes the copy nor stores.
  bool ReadNetscapeFile(const std::string& path, Item& parent);
  // Reads the entries of one folder level from lines already opened; the
  // encoding the lines say the file has.
  BookmarkEncoding ReadNetscapeNode(LineReader& lines, Item& parent);
  // The encoding the bookmark file was read in or is written in now.
  BookmarkEncoding FileEncoding() const { return fileEncoding_; }
  // New entries as the component makes them (a bookmark clicks ItemClickEvt),
  // for the importers and the organizer to append.
  std::unique_ptr<Item> NewBookmark(const std::string& title, const std::string& url);
  static std::unique_ptr<Item> NewFolder(const std::string& name);

  // The importers. Each appends one folder at the end of the top level and
  // fills it; true when it added its folder (the per-user ones: when at least
  // one user's sub-folder). They refresh the copy but do not store, except
  // ImportNetscapeFile() with its dialog; none shows a message.
  bool ImportFavorites();
  // Adds directory's sub-folders (each with its subtree) and then its Internet
  // shortcuts to parent. name is not used.
  void ScanDir(const std::string& name, const std::string& directory, Item& parent);
  bool ImportNavigator();
  bool ImportCommunicator4();
  bool ImportCommunicator45();
  // Google Chrome's and Microsoft Edge's bookmarks: the folder "Chrome
  // Bookmarks" or "Edge Bookmarks" with a sub-folder per profile that has a
  // bookmark file (chromium_bookmarks.h). True when one was added; a damaged,
  // huge or missing file is passed over.
  bool ImportChromeBookmarks();
  bool ImportEdgeBookmarks();
  // Asks for a bookmark file, imports it and stores.
  void ImportNetscapeFile();
  bool ImportNetscapeFile(const std::string& fileName);

  BookmarkFiles& Files() const { return files_; }
  // Index under MenuItem of the first bookmark entry; everything before it
  // (the host's own items and the fixed items) is not bookmark data.
  int FirstBookmark() const { return FFirstBookmark; }
  int OwnItemCount() const { return FOwnItemCount; }
  int OwnItemCount2() const { return FOwnItemCount2; }

 private:
  // Copies src's children from index first on, with their subtrees, to the
  // end of dst, walking the levels with a list rather than by recursion.
  void CopyEntries(Item& dst, const Item& src, int first);
  Item::ClickHandler EntryClick();
  // Appends a new top-level folder for an import.
  Item& AddImportFolder(const std::string& caption);
  // Appends the folder caption to parent and reads the file into it.
  void ImportUserFile(Item& parent, const std::string& caption, const std::string& file);
  // A Communicator import: the folder folderName with a sub-folder per user
  // whose bookmark file (fileOf(user); empty for none) exists. True when one
  // was added; an error while reading ends the import, keeping what it added.
  bool ImportUserFiles(const char* folderName, const std::vector<std::string>& users,
                       const std::function<std::string(const std::string&)>& fileOf);
  // A Chromium browser's profiles under the local application data folder.
  bool ImportChromiumProfiles(const char* folderName, const std::string& userDataPath);
  // Reads a file into parent; the encoding it had, or nothing when it could
  // not be opened.
  std::optional<BookmarkEncoding> ReadFileInto(const std::string& path, Item& parent);

  BookmarkFiles& files_;
  const CodePage& codePage_;
  BookmarkEncoding fileEncoding_ = BookmarkEncoding::kAnsi;
  bool enabled_ = true;
  bool loaded_ = false;
  int FOwnItemCount = 0;
  int FOwnItemCount2 = 0;
  int FFirstBookmark = 0;
};

// The bookmark file beside a program: its directory up to and including the
// last backslash, then "cvbmarks.htm".
std::string BookmarkFileBeside(const std::string& programPath);

}  // namespace tessaly
