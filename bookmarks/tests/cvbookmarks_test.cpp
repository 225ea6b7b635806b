#include "bookmarks/cvbookmarks.h"

#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::TreeText;

const char* kProgram = "C:\\Program Files\\Tessaly\\tessaly.exe";
const char* kFile = "C:\\Program Files\\Tessaly\\cvbmarks.htm";
const std::string kStored =
    "<DL><p>\n<DT><H3 ADD_DATE=\"1\">Tools</H3>\n<DL><p>\n<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n"
    "<DT><A HREF=\"Folder\">Odd</A>\n</DL><p>\n<DT><A HREF=\"http://home/\">Home</A>\n</DL><p>\n";

// The main window's setting: four own items under the main menu's
// "Bookmarks", none under the tray's, no fixed items.
class BookmarksTest : public ::testing::Test {
 protected:
  BookmarksTest() : bookmarks(files, kProgram) {
    main.Add("Add Bookmark...");
    main.Add("Organize Bookmarks...");
    main.Add("Smart Import").Add("From File...");
    main.AddSeparator();
    bookmarks.AppName = "Tessaly";
    bookmarks.MenuItem = &main;
    bookmarks.MenuItem2 = &tray;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    bookmarks.OnMenuChange = [this](TCorvaneBookmarks& sender) {
      EXPECT_EQ(&sender, &bookmarks);
      ++changes;
    };
  }

  std::string Entries() const { return TreeText(main, bookmarks.FirstBookmark()); }
  std::string Copy() const { return TreeText(tray, bookmarks.OwnItemCount2()); }
  std::string StoredTree() const { return testing::ReadText(files.files.at(kFile)); }

  MemoryBookmarkFiles files;
  MenuItem main, tray;
  TCorvaneBookmarks bookmarks;
  int changes = 0;
};

TEST_F(BookmarksTest, MainWindowSettingPutsTheEntriesRightAfterTheOwnItems) {
  EXPECT_EQ(bookmarks.BookmarkFileName, kFile);
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  EXPECT_EQ(bookmarks.FirstBookmark(), 4);
  ASSERT_EQ(main.Count(), 6);
  EXPECT_TRUE(main[3].IsSeparator());
  EXPECT_EQ(main[4].Caption, "Tools");
  EXPECT_EQ(Entries(), "+ Tools\n  - Validator | http://validator.w3.org/\n  + Odd\n- Home | http://home/\n");
  // The tray's "Bookmarks" has no own items: the copy starts at once, no separator.
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(changes, 1);
}

TEST_F(BookmarksTest, FixedItemsComeBeforeTheEntriesAndAreNeverStoredOrCopied) {
  bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = true;
  tray.Add("Own 1");
  tray.Add("Own 2");
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  EXPECT_EQ(bookmarks.FirstBookmark(), 7);
  EXPECT_EQ(main[4].Caption, "Add to Bookmarks");
  EXPECT_EQ(main[5].Caption, "Edit Bookmarks...");
  EXPECT_TRUE(main[6].IsSeparator());
  EXPECT_EQ(main[6].Name, "CVBookmarkSeperator");
  for (int i = 4; i < 7; ++i) EXPECT_EQ(main[i].HelpContext, 0);
  EXPECT_EQ(main[7].Caption, "Tools");
  // The copy: own items, the separator, the entries.
  ASSERT_EQ(tray.Count(), 5);
  EXPECT_TRUE(tray[2].IsSeparator());
  EXPECT_EQ(tray[2].Name, "CVBookmarkSeperator");
  EXPECT_EQ(TreeText(tray, 3), Entries());

  ASSERT_TRUE(bookmarks.StoreBookmarks());
  const std::string& stored = files.files[kFile];
  EXPECT_EQ(stored.find("Add to Bookmarks"), std::string::npos);
  EXPECT_EQ(stored.find("Edit Bookmarks..."), std::string::npos);
  EXPECT_EQ(StoredTree(), Entries());

  // A second load rebuilds the fixed items rather than adding more.
  bookmarks.Reload();
  EXPECT_EQ(main.Count(), 9);
  EXPECT_EQ(tray.Count(), 5);
}

TEST_F(BookmarksTest, CopiesClickAsTheirEntriesSaveFolders) {
  files.files[kFile] = kStored;
  std::vector<MenuItem*> clicked;
  bookmarks.OnItemClick = [&](MenuItem& sender) { clicked.push_back(&sender); };
  bookmarks.Loaded();
  MenuItem& validator = main[4][0];
  MenuItem& validatorCopy = tray[0][0];
  EXPECT_EQ(validatorCopy.Hint, validator.Hint);
  EXPECT_EQ(validatorCopy.HelpContext, 4);
  validator.Click();
  validatorCopy.Click();
  EXPECT_EQ(clicked, (std::vector<MenuItem*>{&validator, &validatorCopy}));
  // Folders have no click; nor has the copy of a bookmark whose URL is "Folder".
  EXPECT_FALSE(tray[0].OnClick);
  EXPECT_FALSE(tray[0][1].OnClick);
  EXPECT_TRUE(main[4][1].OnClick);  // the entry itself was read as a bookmark
  EXPECT_TRUE(tray[1].OnClick);
}

TEST_F(BookmarksTest, DupeMenuNodeCopiesASubtree) {
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  MenuItem copy;
  bookmarks.DupeMenuNode(copy, main[4]);
  EXPECT_EQ(TreeText(copy), "- Validator | http://validator.w3.org/\n+ Odd\n");
}

TEST_F(BookmarksTest, NoFileLeavesOnlyTheOwnItemsAndNoCopy) {
  tray.Add("Own");
  bookmarks.WriteMenuSeperator = true;
  bookmarks.Loaded();
  EXPECT_EQ(main.Count(), 5);  // own items and the separator
  EXPECT_EQ(tray.Count(), 1);  // the copy is not rebuilt without a file
  EXPECT_EQ(changes, 0);

  files.files[kFile] = kStored;
  files.unreadable.insert(kFile);
  bookmarks.Reload();
  EXPECT_EQ(Entries(), "");
  EXPECT_EQ(changes, 1);  // a file that cannot be opened still refreshes the copy
  EXPECT_EQ(tray.Count(), 2);
}

TEST_F(BookmarksTest, EnabledRereadsTheFileDroppingWhatWasNotStored) {
  bookmarks.SetEnabled(true);  // before Loaded: the own items are not counted yet
  EXPECT_EQ(main.Count(), 4);
  bookmarks.SetEnabled(false);
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  EXPECT_EQ(Entries(), "");  // disabled: nothing read
  bookmarks.SetEnabled(true);
  EXPECT_EQ(main.Count(), 6);
  main.Add(bookmarks.NewBookmark("Not stored", "http://gone/"));
  bookmarks.SetEnabled(false);
  EXPECT_EQ(main.Count(), 7);  // false leaves the menu alone
  bookmarks.SetEnabled(true);
  EXPECT_EQ(Entries(), "+ Tools\n  - Validator | http://validator.w3.org/\n  + Odd\n- Home | http://home/\n");
}

TEST_F(BookmarksTest, AddBookmarkAppendsStoresAndCopies) {
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  const std::string title(60, 't');
  bookmarks.AddBookmark(title, "http://new/");
  EXPECT_EQ(main[main.Count() - 1].Caption, title);  // at the top level's end, not shortened
  EXPECT_EQ(main[main.Count() - 1].HelpContext, 4);
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(changes, 2);
  // The file holds it at once (shortened only when read back).
  EXPECT_NE(files.files[kFile].find(">" + title + "</A>"), std::string::npos);

  const std::string before = files.files[kFile];
  bookmarks.AddBookmark("", "http://no-title/");
  bookmarks.AddBookmark("No URL", "");
  EXPECT_EQ(files.files[kFile], before);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(main.Count(), 7);
}

TEST_F(BookmarksTest, AddBookmarkWithoutMenuItemDoesNothing) {
  bookmarks.MenuItem = nullptr;
  bookmarks.Loaded();
  bookmarks.AddBookmark("Title", "http://x/");
  EXPECT_FALSE(bookmarks.StoreBookmarks());
  EXPECT_TRUE(files.files.empty());
  EXPECT_EQ(tray.Count(), 0);
}

struct DialogLog {
  std::string caption = "(own)";
  bool ok = true;
  std::string title, url;
  bool shown = false, saved = false;
  std::string appName = "(none)";
};

class FakeAddDialog : public AddBookmarkPrompt {
 public:
  explicit FakeAddDialog(DialogLog& log) : log_(log) {}
  void SetCaption(const std::string& caption) override { log_.caption = caption; }
  bool ShowModal() override {
    log_.shown = true;
    return log_.ok;
  }
  std::string Title() const override { return log_.title; }
  std::string Url() const override { return log_.url; }

 private:
  DialogLog& log_;
};

TEST_F(BookmarksTest, AddBookmarkAsksTheDialog) {
  bookmarks.Loaded();
  bookmarks.AddBookmark();  // no dialog to ask: nothing
  DialogLog log;
  bookmarks.NewAddDialog = [&] { return std::make_unique<FakeAddDialog>(log); };
  log.title = "Page";
  log.url = "http://page/";
  log.ok = false;
  bookmarks.AddBookmark();
  EXPECT_TRUE(log.shown);
  EXPECT_EQ(log.caption, " Add Tessaly BookMark");
  EXPECT_EQ(Entries(), "");  // Cancel adds nothing
  EXPECT_EQ(files.files.count(kFile), 0u);
  log.ok = true;
  bookmarks.AppName.clear();
  log.caption = "(own)";
  bookmarks.AddBookmark();
  EXPECT_EQ(log.caption, "(own)");
  EXPECT_EQ(Entries(), "- Page | http://page/\n");
  EXPECT_EQ(StoredTree(), Entries());
}

TEST_F(BookmarksTest, AddItemAsksTheHost) {
  bookmarks.WriteMenuAddItem = true;
  bookmarks.Loaded();
  MenuItem& addItem = main[4];
  addItem.Click();  // no OnAddItem: nothing
  EXPECT_EQ(Entries(), "");
  std::string name = "Named", url;
  bookmarks.OnAddItem = [&](TCorvaneBookmarks& sender, std::string& asName, std::string& asUrl) {
    EXPECT_EQ(&sender, &bookmarks);
    EXPECT_TRUE(asName.empty() && asUrl.empty());
    asName = name;
    asUrl = url;
  };
  addItem.Click();  // the URL left empty: nothing
  EXPECT_EQ(Entries(), "");
  url = "http://named/";
  addItem.Click();
  EXPECT_EQ(Entries(), "- Named | http://named/\n");
}

class FakeOrganizer : public BookmarkOrganizer {
 public:
  FakeOrganizer(DialogLog& log, TCorvaneBookmarks& bookmarks) : log_(log), bookmarks_(bookmarks) {}
  void SetCaption(const std::string& caption) override { log_.caption = caption; }
  void SetAppName(const std::string& appName) override { log_.appName = appName; }
  bool ShowModal() override {
    log_.shown = true;
    return log_.ok;
  }
  void SaveTree() override {
    log_.saved = true;
    bookmarks_.MenuItem->DeleteFrom(bookmarks_.FirstBookmark());
    bookmarks_.MenuItem->Add(bookmarks_.NewBookmark("Organized", "http://organized/"));
  }

 private:
  DialogLog& log_;
  TCorvaneBookmarks& bookmarks_;
};

TEST_F(BookmarksTest, EditBookmarksRefreshesTheCopyAndRewritesTheFileAlways) {
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  // No organizer yet: the entries as they stand are copied and stored.
  main.Add(bookmarks.NewBookmark("Added by hand", "http://hand/"));
  bookmarks.EditBookmarks();
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(StoredTree(), Entries());
  EXPECT_EQ(changes, 2);

  DialogLog log;
  bookmarks.NewOrganizer = [&](TCorvaneBookmarks& b) { return std::make_unique<FakeOrganizer>(log, b); };
  log.ok = false;
  files.files[kFile] = "changed on disk";
  bookmarks.EditBookmarks();
  EXPECT_EQ(log.caption, " Organize Tessaly BookMarks");
  EXPECT_EQ(log.appName, "Tessaly");
  EXPECT_FALSE(log.saved);
  EXPECT_EQ(StoredTree(), Entries());  // Cancel rewrites the file all the same
  EXPECT_EQ(changes, 3);

  log.ok = true;
  main[0].Click();  // unrelated own item: no effect
  bookmarks.EditBookmarksEvt(main[0]);
  EXPECT_TRUE(log.saved);
  EXPECT_EQ(Entries(), "- Organized | http://organized/\n");
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(StoredTree(), Entries());
}

TEST_F(BookmarksTest, AFailedStoreLeavesTheOldFileAndKeepsTheChange) {
  files.files[kFile] = kStored;
  bookmarks.Loaded();
  ASSERT_TRUE(bookmarks.StoreBookmarks());
  const std::string good = files.files[kFile];
  for (int i = 0; i < 3000; ++i) main.Add(bookmarks.NewBookmark("Page " + std::to_string(i), "http://p/"));
  files.failWriteAfter = 100000;  // part way through
  bookmarks.AddBookmark("Last", "http://last/");
  EXPECT_EQ(files.files[kFile], good);
  EXPECT_EQ(main[main.Count() - 1].Caption, "Last");
  EXPECT_EQ(tray[tray.Count() - 1].Caption, "Last");
  files.failWriteAfter = -1;
  files.unwritable.insert(kFile);
  EXPECT_FALSE(bookmarks.StoreBookmarks());
  EXPECT_EQ(files.files[kFile], good);
}

TEST_F(BookmarksTest, EntriesLeaveTheMenusWithTheComponent) {
  files.files[kFile] = kStored;
  MenuItem otherMain, otherTray;
  otherMain.Add("Own");
  {
    TCorvaneBookmarks other(files, kProgram);
    other.MenuItem = &otherMain;
    other.MenuItem2 = &otherTray;
    other.Loaded();
    EXPECT_EQ(otherMain.Count(), 6);  // own, two fixed items, separator, two entries
  }
  EXPECT_EQ(otherMain.Count(), 1);
  EXPECT_EQ(otherTray.Count(), 0);
}

TEST(BookmarkFileBeside, TakesTheProgramsDirectory) {
  EXPECT_EQ(BookmarkFileBeside("C:\\Tools\\Tessaly\\tessaly.exe"), "C:\\Tools\\Tessaly\\cvbmarks.htm");
  EXPECT_EQ(BookmarkFileBeside("tessaly.exe"), "cvbmarks.htm");
}

}  // namespace
}  // namespace tessaly
