#include "bookmarks/cvbookmarks.h"

#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::TreeText;

const char* kFile = "C:\\Program Files\\Tessaly\\cvbmarks.htm";
const std::string kStored =
    "<DL><p>\n<DT><H3 ADD_DATE=\"1\">Tools</H3>\n<DL><p>\n<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n"
    "<DT><A HREF=\"Folder\">Odd</A>\n</DL><p>\n<DT><A HREF=\"http://home/\">Home</A>\n</DL><p>\n";
const std::string kStoredTree = "+ Tools\n  - Validator | http://validator.w3.org/\n  + Odd\n- Home | http://home/\n";

// The main window's setting: four own items under the main menu's
// "Bookmarks", none under the tray's, no fixed items.
class BookmarksTest : public ::testing::Test {
 protected:
  BookmarksTest() : bookmarks(files, testing::TestCodePage(), "C:\\Program Files\\Tessaly\\tessaly.exe") {
    for (const char* own : {"Add Bookmark...", "Organize Bookmarks...", "Smart Import"}) main.Add(own);
    main.AddSeparator();
    bookmarks.AppName = "Tessaly";
    bookmarks.MenuItem = &main;
    bookmarks.MenuItem2 = &tray;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    bookmarks.OnMenuChange = [this](TCorvaneBookmarks&) { ++changes; };
    files.files[kFile] = kStored;
  }

  std::string Entries() const { return TreeText(main, bookmarks.FirstBookmark()); }
  std::string StoredTree() const { return testing::ReadText(files.files.at(kFile)); }

  MemoryBookmarkFiles files;
  MenuItem main, tray;
  TCorvaneBookmarks bookmarks;
  int changes = 0;
};

TEST_F(BookmarksTest, MainWindowSettingMirrorsIntoTheTrayWithoutASeparator) {
  std::vector<MenuItem*> clicked;
  bookmarks.OnItemClick = [&](MenuItem& sender) { clicked.push_back(&sender); };
  bookmarks.Loaded();
  EXPECT_EQ(bookmarks.BookmarkFileName, kFile);
  EXPECT_EQ(bookmarks.FirstBookmark(), 4);
  EXPECT_EQ(main[4].Caption, "Tools");  // right after the own separator
  EXPECT_EQ(Entries(), kStoredTree);
  EXPECT_EQ(TreeText(tray), kStoredTree);
  EXPECT_EQ(changes, 1);
  // A copy clicks as its entry does, with itself as sender; folders and the
  // copy of a bookmark whose URL is "Folder" do not click.
  main[4][0].Click();
  tray[0][0].Click();
  EXPECT_EQ(clicked, (std::vector<MenuItem*>{&main[4][0], &tray[0][0]}));
  EXPECT_FALSE(tray[0].OnClick);
  EXPECT_FALSE(tray[0][1].OnClick);
  EXPECT_EQ(tray[0][1].HelpContext, 4);
}

TEST_F(BookmarksTest, FixedItemsComeFirstAndAreNeitherStoredNorCopied) {
  bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = true;
  tray.Add("Own 1");
  tray.Add("Own 2");
  bookmarks.Loaded();
  bookmarks.Reload();  // rebuilds the fixed items rather than adding more
  EXPECT_EQ(bookmarks.FirstBookmark(), 7);
  EXPECT_EQ(main[4].Caption, "Add to Bookmarks");
  EXPECT_EQ(main[5].Caption, "Edit Bookmarks...");
  EXPECT_EQ(main[6].Name, "CVBookmarkSeperator");
  EXPECT_EQ(Entries(), kStoredTree);
  EXPECT_EQ(tray[2].Name, "CVBookmarkSeperator");
  EXPECT_EQ(TreeText(tray, 3), kStoredTree);
  ASSERT_TRUE(bookmarks.StoreBookmarks());
  EXPECT_EQ(files.files[kFile].find("Bookmarks<"), std::string::npos);
  EXPECT_EQ(files.files[kFile].find("Bookmarks...<"), std::string::npos);
  EXPECT_EQ(StoredTree(), kStoredTree);
}

TEST_F(BookmarksTest, MissingOrUnreadableFile) {
  tray.Add("Own");
  files.unreadable.insert(kFile);
  bookmarks.Loaded();
  EXPECT_EQ(Entries(), "");
  EXPECT_EQ(changes, 1);  // a file that cannot be opened still refreshes the copy
  files.files.clear();
  bookmarks.Reload();
  EXPECT_EQ(changes, 1);  // no file: the copy is not even rebuilt
}

TEST_F(BookmarksTest, EnabledRereadsTheFileDroppingWhatWasNotStored) {
  bookmarks.SetEnabled(true);  // before Loaded the own items are not counted yet: nothing
  EXPECT_EQ(main.Count(), 4);
  bookmarks.SetEnabled(false);
  bookmarks.Loaded();
  EXPECT_EQ(Entries(), "");
  bookmarks.SetEnabled(true);
  main.Add(bookmarks.NewBookmark("Not stored", "http://gone/"));
  bookmarks.SetEnabled(false);  // leaves the menu alone
  EXPECT_EQ(main.Count(), 7);
  bookmarks.SetEnabled(true);
  EXPECT_EQ(Entries(), kStoredTree);
}

TEST_F(BookmarksTest, AddBookmarkAppendsUnshortenedCopiesAndStores) {
  bookmarks.Loaded();
  const std::string title(60, 't');
  bookmarks.AddBookmark(title, "http://new/");
  EXPECT_EQ(Entries(), kStoredTree + "- " + title + " | http://new/\n");
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_NE(files.files[kFile].find(">" + title + "</A>"), std::string::npos);
  const std::string before = files.files[kFile];
  bookmarks.AddBookmark("", "http://no-title/");
  bookmarks.AddBookmark("No URL", "");
  EXPECT_EQ(files.files[kFile], before);
  EXPECT_EQ(changes, 2);
}

struct DialogLog {
  std::string caption = "(own)", appName, title = "Page", url = "http://page/";
  bool ok = true, saved = false;
};

class FakeAddDialog : public AddBookmarkPrompt {
 public:
  explicit FakeAddDialog(DialogLog& log) : log_(log) {}
  void SetCaption(const std::string& caption) override { log_.caption = caption; }
  bool ShowModal() override { return log_.ok; }
  std::string Title() const override { return log_.title; }
  std::string Url() const override { return log_.url; }

 private:
  DialogLog& log_;
};

TEST_F(BookmarksTest, AddBookmarkAsksTheDialogOrTheHost) {
  files.files.clear();
  bookmarks.Loaded();
  DialogLog log;
  bookmarks.NewAddDialog = [&] { return std::make_unique<FakeAddDialog>(log); };
  log.ok = false;
  bookmarks.AddBookmark();
  EXPECT_EQ(log.caption, " Add Tessaly BookMark");
  EXPECT_EQ(files.files.count(kFile), 0u);  // Cancel adds and stores nothing
  log.ok = true;
  bookmarks.AddBookmark();
  EXPECT_EQ(StoredTree(), "- Page | http://page/\n");

  // The add item asks OnAddItem; an empty answer adds nothing.
  std::string url;
  bookmarks.OnAddItem = [&](TCorvaneBookmarks&, std::string& asName, std::string& asUrl) {
    asName = "Named";
    asUrl = url;
  };
  bookmarks.AddBookmarksEvt(main[0]);
  url = "http://named/";
  bookmarks.AddBookmarksEvt(main[0]);
  EXPECT_EQ(Entries(), "- Page | http://page/\n- Named | http://named/\n");
}

class FakeOrganizer : public BookmarkOrganizer {
 public:
  FakeOrganizer(DialogLog& log, TCorvaneBookmarks& bookmarks) : log_(log), bookmarks_(bookmarks) {}
  void SetCaption(const std::string& caption) override { log_.caption = caption; }
  void SetAppName(const std::string& appName) override { log_.appName = appName; }
  bool ShowModal() override { return log_.ok; }
  void SaveTree() override {
    log_.saved = true;
    bookmarks_.MenuItem->DeleteFrom(bookmarks_.FirstBookmark());
    bookmarks_.MenuItem->Add(bookmarks_.NewBookmark("Organized", "http://organized/"));
  }

 private:
  DialogLog& log_;
  TCorvaneBookmarks& bookmarks_;
};

TEST_F(BookmarksTest, EditBookmarksAlwaysRefreshesTheCopyAndRewritesTheFile) {
  bookmarks.Loaded();
  main.Add(bookmarks.NewBookmark("Added by hand", "http://hand/"));
  bookmarks.EditBookmarks();  // no organizer yet
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(StoredTree(), Entries());

  DialogLog log;
  log.ok = false;
  bookmarks.NewOrganizer = [&](TCorvaneBookmarks& b) { return std::make_unique<FakeOrganizer>(log, b); };
  files.files[kFile] = "changed on disk";
  bookmarks.EditBookmarks();
  EXPECT_EQ(log.caption, " Organize Tessaly BookMarks");
  EXPECT_EQ(log.appName, "Tessaly");
  EXPECT_FALSE(log.saved);
  EXPECT_EQ(StoredTree(), Entries());  // rewritten after Cancel too
  log.ok = true;
  bookmarks.EditBookmarks();
  EXPECT_EQ(TreeText(tray), "- Organized | http://organized/\n");
  EXPECT_EQ(StoredTree(), "- Organized | http://organized/\n");
}

TEST_F(BookmarksTest, AFailedStoreLeavesTheOldFileAndKeepsTheChange) {
  bookmarks.Loaded();
  for (int i = 0; i < 3000; ++i) main.Add(bookmarks.NewBookmark("Page " + std::to_string(i), "http://p/"));
  files.failWriteAfter = 100000;  // part way through
  bookmarks.AddBookmark("Last", "http://last/");
  EXPECT_EQ(files.files[kFile], kStored);
  EXPECT_EQ(tray[tray.Count() - 1].Caption, "Last");
  files.failWriteAfter = -1;
  files.unwritable.insert(kFile);
  EXPECT_FALSE(bookmarks.StoreBookmarks());
  EXPECT_EQ(files.files[kFile], kStored);
}

}  // namespace
}  // namespace tessaly
