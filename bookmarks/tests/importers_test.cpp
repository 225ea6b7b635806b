// The importers against in-memory registries, bookmark files in memory and a
// Favorites tree in a temporary directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include "bookmarks/cvbookmarks.h"
#include "bookmarks/tests/filesystem_import_sources.h"
#include "bookmarks/tests/small_stack.h"
#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using testing::TreeText;

const std::string kShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kNavigator = "\\Software\\Netscape\\Netscape Navigator";
const std::string kFile = "<DL><p>\n<DT><A HREF=\"http://a/\">A</A>\n</DL><p>\n";

void Set(MemoryRegistry& registry, const std::string& key, const std::string& name, const std::string& value) {
  registry.OpenKey(key, true);
  registry.WriteString(name, value);
  registry.CloseKey();
}

class ImportersTest : public ::testing::Test {
 protected:
  ImportersTest() : bookmarks(files, "C:\\Tessaly\\tessaly.exe") {
    main.Add("Own");
    bookmarks.MenuItem = &main;
    bookmarks.MenuItem2 = &tray;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    bookmarks.Sources = &sources;
    bookmarks.OnMenuChange = [this](TCorvaneBookmarks&) { ++changes; };
    bookmarks.Loaded();
    favorites = fs::temp_directory_path() / ("tessaly-favorites-" + std::to_string(getpid()));
    fs::create_directories(favorites);
  }
  ~ImportersTest() override { fs::remove_all(favorites); }

  std::string Entries() const { return TreeText(main, bookmarks.FirstBookmark()); }
  fs::path Folder(const std::string& relative) {
    fs::create_directories(favorites / relative);
    return favorites / relative;
  }
  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((favorites / relative).parent_path());
    std::ofstream(favorites / relative, std::ios::binary) << text;
  }
  void Shortcut(const std::string& relative, const std::string& url) {
    Write(relative, "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=" + url + "\r\nIconIndex=0\r\n");
  }

  MemoryBookmarkFiles files;
  MenuItem main, tray;
  TCorvaneBookmarks bookmarks;
  testing::FilesystemImportSources sources;
  fs::path favorites;
  int changes = 0;
};

TEST_F(ImportersTest, FavoritesFoldersFirstWithTheirSubtreesThenShortcuts) {
  Set(sources.currentUser, kShellFolders, "Favorites", favorites.string());
  Shortcut("Zeta.url", "http://zeta/");
  Folder("Web Design/Empty");
  Folder("Web Design/Folder.url");  // a folder, not a shortcut
  Shortcut("Web Design/b.URL", "http://b/");
  Shortcut("Web Design/a.Url", "http://a/");
  sources.hidden.insert(favorites / "Web Design/a.Url");  // hidden shortcuts count
  Write("Web Design/notes.txt", "URL=http://not-a-shortcut/");
  Shortcut(".Trash/Gone.url", "http://gone/");
  Shortcut("Hidden/Gone.url", "http://gone/");
  sources.hidden.insert(Folder("Hidden"));
  sources.system.insert(Folder("System"));
  fs::create_directory_symlink(favorites, favorites / "Loop");  // would never end
  const std::string name = "Fifty characters long, with its ending taken off!!";
  ASSERT_EQ(name.size(), 50u);
  Shortcut(name + ".URL", "http://long/");
  Write("No Address.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
  Shortcut("Binary.url", std::string("http://ok/\x01\x02\xff junk", 18));
  Shortcut("Empty.url", "");
  Shortcut("Huge.url", std::string(ImportSources::kLongestIniValue + 100, 'x'));

  ASSERT_TRUE(bookmarks.ImportFavorites());
  ASSERT_TRUE(bookmarks.ImportFavorites());
  const std::string once =
      "+ IE Favorites\n"
      "  + Web Design\n"
      "    + Empty\n"
      "    + Folder.url\n"
      "    - a | http://a/\n"
      "    - b | http://b/\n"
      "  - Binary | http://ok/\n"
      "  - Empty | N/A\n"
      "  - Fifty characters long...ts ending taken off!! | http://long/\n"
      "  - Huge | " + std::string(ImportSources::kLongestIniValue, 'x') + "\n"
      "  - No Address | N/A\n"
      "  - Zeta | http://zeta/\n";
  EXPECT_EQ(Entries(), once + once);
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(files.files.empty());  // the caller stores
}

TEST_F(ImportersTest, NoFavoritesAddNothing) {
  EXPECT_FALSE(bookmarks.ImportFavorites());  // no key
  EXPECT_FALSE(sources.currentUser.HasKey(kShellFolders));  // and none made
  Set(sources.currentUser, kShellFolders, "Favorites", (favorites / "missing").string());
  EXPECT_FALSE(bookmarks.ImportFavorites());
  sources.currentUser.OpenKey(kShellFolders, true);
  sources.currentUser.WriteInteger("Favorites", 1);  // of another type
  sources.currentUser.CloseKey();
  EXPECT_FALSE(bookmarks.ImportFavorites());
  bookmarks.Sources = nullptr;
  EXPECT_FALSE(bookmarks.ImportFavorites());
  EXPECT_EQ(Entries(), "");
  EXPECT_EQ(changes, 0);
}

// Folders nested far deeper than a path could hold on Windows, one shortcut
// at the bottom, on a stack that no recursion through them would fit.
class DeepTree : public testing::FilesystemImportSources {
 public:
  static constexpr std::size_t kDepth = 20000;
  bool DirectoryExists(const std::string&) override { return true; }
  // "F", "F\d", "F\d\d" and so on; at the bottom "d" is a plain file.
  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override {
    const bool bottom = directory.size() > 2 * kDepth;
    if (pattern == "*.*") return {{"d", !bottom}};
    return bottom ? std::vector<DirectoryEntry>{{"Bottom.url"}} : std::vector<DirectoryEntry>{};
  }
  std::string ReadIniString(const std::string&, const std::string&, const std::string&,
                            const std::string&) override {
    return "http://bottom/";
  }
};

TEST_F(ImportersTest, ADeepFavoritesTreeIsWalkedWithoutRecursion) {
  DeepTree deep;
  Set(deep.currentUser, kShellFolders, "Favorites", "F");
  bookmarks.Sources = &deep;
  testing::OnSmallStack([&] {
    ASSERT_TRUE(bookmarks.ImportFavorites());
    const MenuItem* item = &main[bookmarks.FirstBookmark()];
    std::size_t levels = 0;
    for (; item->Count() > 0 && IsFolder((*item)[0]); ++levels) item = &(*item)[0];
    EXPECT_EQ(levels, DeepTree::kDepth);
    ASSERT_EQ(item->Count(), 1);
    EXPECT_EQ((*item)[0].Caption + " " + (*item)[0].Hint, "Bottom http://bottom/");
    main.DeleteFrom(bookmarks.FirstBookmark());  // freed here, on the small stack
    tray.Clear();
  });
}

// The registry as Navigator 3, Communicator 4.0 and Communicator 4.5 leave it.
class NetscapeTest : public ImportersTest {
 protected:
  void Navigator3() {
    Set(sources.currentUser, kNavigator + "\\Bookmark List", "File Location", "C:\\Nav3\\bookmark.htm");
    files.files["C:\\Nav3\\bookmark.htm"] = kFile;
  }
  void Communicator4() {
    Set(sources.localMachine, kNavigator + "\\Users\\anna", "DirRoot", "C:\\NS4\\anna");
    Set(sources.localMachine, kNavigator + "\\Users\\ben", "DirRoot", "C:\\NS4\\ben");  // without a file
    files.files["C:\\NS4\\anna\\bookmark.htm"] = kFile;
  }
  void Communicator45(const std::string& installDirectory) {
    Set(sources.currentUser, kNavigator + "\\main", "Install Directory", installDirectory);
    sources.currentUser.OpenKey(kNavigator + "\\biff\\users\\carl", true);
    sources.currentUser.OpenKey(kNavigator + "\\biff\\users\\dora", true);
    files.files["C:\\Netscape\\users\\carl\\bookmark.htm"] = kFile;
    files.files["C:\\Netscape\\users\\dora\\bookmark.htm"] = kFile;
  }
};

TEST_F(NetscapeTest, AllThreeVersionsInOneRun) {
  Navigator3();
  Communicator4();
  Communicator45("C:\\Netscape\\Communicator\\Program");
  EXPECT_TRUE(bookmarks.ImportNavigator());
  EXPECT_TRUE(bookmarks.ImportCommunicator4());
  EXPECT_TRUE(bookmarks.ImportCommunicator45());
  EXPECT_EQ(Entries(),
            "+ NS v2.0/v3.0 Bookmarks\n  - A | http://a/\n"
            "+ NS v4.0 Bookmarks\n  + anna\n    - A | http://a/\n"
            "+ NS v4.5 Bookmarks\n  + carl\n    - A | http://a/\n  + dora\n    - A | http://a/\n");
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(changes, 4);  // after each file
  EXPECT_TRUE(files.files.count("C:\\Tessaly\\cvbmarks.htm") == 0);
}

TEST_F(NetscapeTest, WhatIsMissingAddsNothingOrAnEmptyFolder) {
  EXPECT_FALSE(bookmarks.ImportNavigator());
  EXPECT_FALSE(bookmarks.ImportCommunicator4());
  EXPECT_FALSE(bookmarks.ImportCommunicator45());
  EXPECT_FALSE(sources.currentUser.HasKey("\\Software\\Netscape") || sources.localMachine.HasKey("\\Software"));
  sources.localMachine.OpenKey(kNavigator + "\\Users", true);  // without sub-keys
  Set(sources.currentUser, kNavigator + "\\main", "Install Directory", "C:\\Netscape\\Program");
  EXPECT_FALSE(bookmarks.ImportCommunicator4());
  EXPECT_FALSE(bookmarks.ImportCommunicator45());  // no biff\users key
  sources.currentUser.OpenKey(kNavigator + "\\biff\\users", true);
  EXPECT_FALSE(bookmarks.ImportCommunicator45());  // without sub-keys
  Set(sources.currentUser, kNavigator + "\\Bookmark List", "File Location", "C:\\Nav3\\gone.htm");
  EXPECT_FALSE(bookmarks.ImportNavigator());
  EXPECT_EQ(Entries(), "");
  EXPECT_EQ(changes, 0);

  // Users whose files are not found still leave their folder, also in the copy.
  Communicator45("C:\\Netscape\\Program");
  sources.localMachine.OpenKey(kNavigator + "\\Users\\erik", true);
  sources.localMachine.WriteInteger("DirRoot", 1);
  EXPECT_FALSE(bookmarks.ImportCommunicator45());
  EXPECT_FALSE(bookmarks.ImportCommunicator4());
  EXPECT_EQ(TreeText(tray), "+ NS v4.5 Bookmarks\n+ NS v4.0 Bookmarks\n");
  // A file that exists but cannot be read leaves its folder empty.
  Navigator3();
  files.unreadable.insert("C:\\Nav3\\bookmark.htm");
  EXPECT_TRUE(bookmarks.ImportNavigator());
  EXPECT_EQ(Entries(), "+ NS v4.5 Bookmarks\n+ NS v4.0 Bookmarks\n+ NS v2.0/v3.0 Bookmarks\n");
}

class FakeFileDialog : public ImportFileDialog {
 public:
  FakeFileDialog(std::string chosen, std::string& log) : chosen_(std::move(chosen)), log_(log) {}
  std::string Execute() override {
    log_ += "ask ";
    return chosen_;
  }
  void ShowBusyCursor() override { log_ += "busy "; }
  void RestoreCursor() override { log_ += "back "; }

 private:
  std::string chosen_;
  std::string& log_;
};

TEST_F(ImportersTest, ImportNetscapeFileAsksStoresAndRestoresTheCursor) {
  const std::string stored = bookmarks.BookmarkFileName;
  files.files["C:\\bookmark.htm"] = kFile;
  EXPECT_TRUE(bookmarks.ImportNetscapeFile("C:\\bookmark.htm"));
  EXPECT_FALSE(bookmarks.ImportNetscapeFile("C:\\missing.htm"));
  EXPECT_EQ(files.files.count(stored), 0u);  // this form does not store

  std::string chosen, log;
  bookmarks.NewImportFileDialog = [&] { return std::make_unique<FakeFileDialog>(chosen, log); };
  bookmarks.ImportNetscapeFile();  // cancelled
  chosen = "C:\\missing.htm";
  bookmarks.ImportNetscapeFile();
  EXPECT_EQ(files.files.count(stored), 0u);
  chosen = "C:\\bookmark.htm";
  bookmarks.ImportNetscapeFile();
  EXPECT_EQ(testing::ReadText(files.files.at(stored)), "+ NS Bookmarks\n  - A | http://a/\n+ NS Bookmarks\n  - A | http://a/\n");
  EXPECT_EQ(TreeText(tray), Entries());
  EXPECT_EQ(log, "ask ask ask busy back ");

  log.clear();
  bookmarks.OnMenuChange = [](TCorvaneBookmarks&) { throw std::runtime_error("menu"); };
  EXPECT_THROW(bookmarks.ImportNetscapeFile(), std::runtime_error);
  EXPECT_EQ(log, "ask busy back ");
}

}  // namespace
}  // namespace tessaly
