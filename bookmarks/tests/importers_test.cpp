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

// Makes the key (for writing, as only a test does) and sets a value when named.
void Set(MemoryRegistry& registry, const std::string& key, const std::string& name = {},
         const MemoryRegistry::Value& value = std::string()) {
  registry.OpenKey(key, true);
  if (!name.empty()) std::holds_alternative<int>(value) ? registry.WriteInteger(name, std::get<int>(value))
                                                        : registry.WriteString(name, std::get<std::string>(value));
  registry.CloseKey();
}

class ImportersTest : public ::testing::Test {
 protected:
  ImportersTest() : bookmarks(files, testing::TestCodePage(), "C:\\Tessaly\\tessaly.exe") {
    main.Add("Own");
    bookmarks.MenuItem = &main;
    bookmarks.MenuItem2 = &tray;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    bookmarks.Sources = &sources;
    bookmarks.OnMenuChange = [this](TCorvaneBookmarks&) { ++changes; };
    bookmarks.Loaded();
  }
  ~ImportersTest() override { fs::remove_all(favorites); }

  std::string Entries() const { return TreeText(main, bookmarks.FirstBookmark()); }
  // A shortcut file, or with folder true a folder; hidden or system as asked.
  void Make(const std::string& path, const std::string& url, bool folder = false, std::set<fs::path>* mark = {}) {
    fs::create_directories(folder ? favorites / path : (favorites / path).parent_path());
    if (!folder) std::ofstream(favorites / path) << "[InternetShortcut]\r\n" + url + "IconIndex=0\r\n";
    if (mark) mark->insert(favorites / path);
  }

  MemoryBookmarkFiles files;
  MenuItem main, tray;
  TCorvaneBookmarks bookmarks;
  testing::FilesystemImportSources sources;
  const fs::path favorites = fs::temp_directory_path() / ("tessaly-favorites-" + std::to_string(getpid()));
  int changes = 0;
};

TEST_F(ImportersTest, FavoritesFoldersFirstWithTheirSubtreesThenShortcuts) {
  EXPECT_FALSE(bookmarks.ImportFavorites());  // no key, and none is made
  EXPECT_FALSE(sources.currentUser.HasKey(kShellFolders));
  Set(sources.currentUser, kShellFolders, "Favorites", favorites.string());
  EXPECT_FALSE(bookmarks.ImportFavorites());  // no such directory
  Make("Zeta.url", "URL=http://zeta/\r\n");
  Make("Web Design/Empty", "", true);
  Make("Web Design/Folder.url", "", true);  // a folder, not a shortcut
  Make("Web Design/b.URL", "URL=http://b/\r\n");
  Make("Web Design/a.Url", "URL=http://a/\r\n", false, &sources.hidden);  // hidden shortcuts count
  Make(".Trash/Gone.url", "URL=http://gone/\r\n");
  Make("Hidden/Gone.url", "URL=http://gone/\r\n");
  Make("Hidden", "", true, &sources.hidden);
  Make("System", "", true, &sources.system);
  fs::create_directory_symlink(favorites, favorites / "Loop");  // would lead round and round
  Make("Fifty characters long, with its ending taken off!!.URL", "URL=http://long/\r\n");
  Make("No Address.url", "");
  Make("Binary.url", std::string("URL=http://ok/\x01\x02\xff junk\r\n", 24));
  Make("Empty.url", "URL=\r\n");
  Make("Huge.url", "URL=" + std::string(ImportSources::kLongestIniValue + 100, 'x') + "\r\n");

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

  Set(sources.currentUser, kShellFolders, "Favorites", 1);  // of another type
  EXPECT_FALSE(bookmarks.ImportFavorites());
}

// "F", "F\d", "F\d\d" and so on; at the bottom "d" is a plain file.
class DeepTree : public testing::FilesystemImportSources {
 public:
  static constexpr std::size_t kDepth = 20000;
  bool DirectoryExists(const std::string&) override { return true; }
  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override {
    const bool bottom = directory.size() > 2 * kDepth;
    if (pattern == "*.*") return {{"d", !bottom}};
    return bottom ? std::vector<DirectoryEntry>{{"Bottom.url"}} : std::vector<DirectoryEntry>{};
  }
  std::string ReadIniString(const std::string&, const std::string&, const std::string&, const std::string&) override {
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
    EXPECT_EQ(TreeText(*item), "- Bottom | http://bottom/\n");
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
    for (const char* user : {"carl", "dora"}) {
      Set(sources.currentUser, kNavigator + "\\biff\\users\\" + user);
      files.files["C:\\Netscape\\users\\" + std::string(user) + "\\bookmark.htm"] = kFile;
    }
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
  EXPECT_TRUE(files.files.count(bookmarks.BookmarkFileName) == 0);
}

TEST_F(NetscapeTest, WhatIsMissingAddsNothingOrAnEmptyFolder) {
  EXPECT_FALSE(bookmarks.ImportNavigator() || bookmarks.ImportCommunicator4() || bookmarks.ImportCommunicator45());
  EXPECT_FALSE(sources.currentUser.HasKey("\\Software\\Netscape") || sources.localMachine.HasKey("\\Software"));
  Set(sources.localMachine, kNavigator + "\\Users");  // without sub-keys
  Set(sources.currentUser, kNavigator + "\\main", "Install Directory", "C:\\Netscape\\Program");
  EXPECT_FALSE(bookmarks.ImportCommunicator4());
  EXPECT_FALSE(bookmarks.ImportCommunicator45());  // no biff\users key
  Set(sources.currentUser, kNavigator + "\\biff\\users");
  EXPECT_FALSE(bookmarks.ImportCommunicator45());  // without sub-keys
  Set(sources.currentUser, kNavigator + "\\Bookmark List", "File Location", "C:\\Nav3\\gone.htm");
  EXPECT_FALSE(bookmarks.ImportNavigator());
  EXPECT_EQ(Entries(), "");
  EXPECT_EQ(changes, 0);

  // Users whose files are not found still leave their folder, in the copy too.
  Communicator45("C:\\Netscape\\Program");
  Set(sources.localMachine, kNavigator + "\\Users\\erik", "DirRoot", 1);
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
  const std::string twice = "+ NS Bookmarks\n  - A | http://a/\n+ NS Bookmarks\n  - A | http://a/\n";
  EXPECT_EQ(testing::ReadText(files.files.at(stored)), twice);
  EXPECT_EQ(TreeText(tray), twice);
  EXPECT_EQ(log, "ask ask ask busy back ");

  log.clear();
  bookmarks.OnMenuChange = [](TCorvaneBookmarks&) { throw std::runtime_error("menu"); };
  EXPECT_THROW(bookmarks.ImportNetscapeFile(), std::runtime_error);
  EXPECT_EQ(log, "ask busy back ");
}

}  // namespace
}  // namespace tessaly
