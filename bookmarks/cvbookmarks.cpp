#include "bookmarks/cvbookmarks.h"

#include "bookmarks/bookmark_entry.h"
#include "framework/tree_walk.h"
#include "bookmarks/netscape_reader.h"
#include "bookmarks/netscape_writer.h"

namespace tessaly {

namespace {
constexpr const char* kSeparatorName = "CVBookmarkSeperator";

std::unique_ptr<MenuItem> NewSeparator() {
  auto item = std::make_unique<MenuItem>(MenuItem::kSeparator);
  item->Name = kSeparatorName;
  return item;
}
}  // namespace

std::string BookmarkFileBeside(const std::string& programPath) {
  const std::size_t slash = programPath.rfind('\\');
  const std::string dir = slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
  return dir + "cvbmarks.htm";
}

TCorvaneBookmarks::TCorvaneBookmarks(BookmarkFiles& files, const CodePage& codePage, const std::string& programPath)
    : BookmarkFileName(BookmarkFileBeside(programPath)), files_(files), codePage_(codePage) {}

TCorvaneBookmarks::~TCorvaneBookmarks() {
  // The entries call back into this component: they go with it.
  if (!loaded_) return;
  if (MenuItem2) MenuItem2->DeleteFrom(FOwnItemCount2);
  if (MenuItem) MenuItem->DeleteFrom(FOwnItemCount);
}

TCorvaneBookmarks::Item::ClickHandler TCorvaneBookmarks::EntryClick() {
  return [this](Item& sender) { ItemClickEvt(sender); };
}

std::unique_ptr<TCorvaneBookmarks::Item> TCorvaneBookmarks::NewBookmark(const std::string& title,
                                                                        const std::string& url) {
  return NewBookmarkEntry(title, url, EntryClick());
}

std::unique_ptr<TCorvaneBookmarks::Item> TCorvaneBookmarks::NewFolder(const std::string& name) {
  return NewFolderEntry(name);
}

std::string TCorvaneBookmarks::CheckLong(const std::string& text) { return tessaly::CheckLong(text); }

void TCorvaneBookmarks::Loaded() {
  if (!MenuItem) return;
  FOwnItemCount = MenuItem->Count();
  if (MenuItem2) FOwnItemCount2 = MenuItem2->Count();
  // Also when disabled: the own items are never bookmark data, so a store
  // must not write them.
  FFirstBookmark = FOwnItemCount;
  loaded_ = true;
  if (enabled_) Reload();
}

void TCorvaneBookmarks::SetEnabled(bool value) {
  enabled_ = value;
  if (enabled_) Reload();
}

void TCorvaneBookmarks::Reload() {
  // Before Loaded the own items are not counted yet and would be taken for entries.
  if (!MenuItem || !loaded_) return;
  FFirstBookmark = FOwnItemCount;
  MenuItem->DeleteFrom(FOwnItemCount);
  if (WriteMenuAddItem) {
    MenuItem->Add("Add to Bookmarks", [this](Item& sender) { AddBookmarksEvt(sender); });
    ++FFirstBookmark;
  }
  if (WriteMenuEditItem) {
    MenuItem->Add("Edit Bookmarks...", [this](Item& sender) { EditBookmarksEvt(sender); });
    ++FFirstBookmark;
  }
  if (WriteMenuSeperator) {
    MenuItem->Add(NewSeparator());
    ++FFirstBookmark;
  }
  ReadBookmarks();
}

void TCorvaneBookmarks::ReadBookmarks() {
  if (!files_.Exists(BookmarkFileName)) return;
  if (MenuItem)
    if (std::optional<BookmarkEncoding> encoding = ReadFileInto(BookmarkFileName, *MenuItem))
      fileEncoding_ = *encoding;
  MenuChanged();
}

std::optional<BookmarkEncoding> TCorvaneBookmarks::ReadFileInto(const std::string& path, Item& parent) {
  std::unique_ptr<ByteSource> reading = files_.OpenRead(path);
  if (!reading) return std::nullopt;
  LineReader lines(*reading);
  return ReadNetscapeNode(lines, parent);
}

bool TCorvaneBookmarks::ReadNetscapeFile(const std::string& path, Item& parent) {
  return ReadFileInto(path, parent).has_value();
}

BookmarkEncoding TCorvaneBookmarks::ReadNetscapeNode(LineReader& lines, Item& parent) {
  return tessaly::ReadNetscapeNode(lines, parent, EntryClick(), codePage_);
}

bool TCorvaneBookmarks::StoreBookmarks() {
  if (!MenuItem) return false;
  const Item& root = *MenuItem;
  const auto store = [&](BookmarkEncoding encoding) {
    return files_.Replace(BookmarkFileName, [&](ByteSink& writing) {
      WriteNetscapeFile(writing, root, FFirstBookmark, AppName, encoding, codePage_);
    });
  };
  if (fileEncoding_ == BookmarkEncoding::kAnsi) {
    try {
      return store(BookmarkEncoding::kAnsi);
    } catch (const NotInCodePage&) {
      // The file was left as it was. Once a text needs it, the file is
      // UTF-8 for good: its titles would not go back into the code page.
      fileEncoding_ = BookmarkEncoding::kUtf8;
    }
  }
  return store(BookmarkEncoding::kUtf8);
}

void TCorvaneBookmarks::MenuChanged() {
  DupeMenu();
  if (OnMenuChange) OnMenuChange(*this);
}

void TCorvaneBookmarks::DupeMenu() {
  if (!MenuItem2) return;
  MenuItem2->DeleteFrom(FOwnItemCount2);
  if (WriteMenuSeperator && FOwnItemCount2 > 0) MenuItem2->Add(NewSeparator());
  if (MenuItem) CopyEntries(*MenuItem2, *MenuItem, FFirstBookmark);
}

void TCorvaneBookmarks::DupeMenuNode(Item& copyParent, const Item& sourceParent) {
  CopyEntries(copyParent, sourceParent, 0);
}

void TCorvaneBookmarks::CopyEntries(Item& dst, const Item& src, int first) {
  // Each level's state is the copy its entries go under.
  WalkTree(src, first, &dst, [this](const Item& source, Item* copyParent) -> std::optional<Item*> {
    // A copy is clickable unless it is a folder; a click raises OnItemClick
    // with the copy, whose hint is the same URL.
    auto copy = std::make_unique<Item>(source.Caption, IsFolder(source) ? Item::ClickHandler{} : EntryClick(),
                                       source.HelpContext);
    copy->Hint = source.Hint;
    return &copyParent->Add(std::move(copy));
  });
}

void TCorvaneBookmarks::AddBookmark(const std::string& title, const std::string& url) {
  if (!MenuItem || title.empty() || url.empty()) return;
  MenuItem->Add(NewBookmark(title, url));
  MenuChanged();
  StoreBookmarks();
}

void TCorvaneBookmarks::AddBookmark() {
  if (!NewAddDialog) return;
  std::unique_ptr<AddBookmarkPrompt> dialog = NewAddDialog();
  if (!AppName.empty()) dialog->SetCaption(" Add " + AppName + " BookMark");
  if (dialog->ShowModal()) AddBookmark(dialog->Title(), dialog->Url());
}

void TCorvaneBookmarks::AddBookmarksEvt(Item&) {
  if (!OnAddItem) return;
  std::string asName, asUrl;
  OnAddItem(*this, asName, asUrl);
  AddBookmark(asName, asUrl);
}

void TCorvaneBookmarks::EditBookmarksEvt(Item&) { EditBookmarks(); }

void TCorvaneBookmarks::EditBookmarks() {
  if (NewOrganizer && MenuItem) {
    std::unique_ptr<BookmarkOrganizer> organizer = NewOrganizer(*this);
    if (!AppName.empty()) organizer->SetCaption(" Organize " + AppName + " BookMarks");
    organizer->SetAppName(AppName);
    if (organizer->ShowModal()) organizer->SaveTree();
  }
  MenuChanged();
  StoreBookmarks();
}

void TCorvaneBookmarks::ItemClickEvt(Item& sender) {
  if (OnItemClick) OnItemClick(sender);
}

}  // namespace tessaly
