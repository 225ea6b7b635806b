// Google Chrome's and Microsoft Edge's bookmark files: the JSON read into
// folders, and the importers over the profiles of a "User Data" folder.
#include "bookmarks/chromium_bookmarks.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "bookmarks/cvbookmarks.h"
#include "bookmarks/tests/filesystem_import_sources.h"
#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using testing::TreeText;

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(BOOKMARK_SAMPLES) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::unique_ptr<MenuItem> Bookmark(const std::string& title, const std::string& url) {
  return NewBookmarkEntry(title, url, {});
}

std::string Read(const std::string& json, bool expected = true) {
  MenuItem folder;
  EXPECT_EQ(ReadChromiumBookmarks(json, folder, Bookmark), expected);
  return TreeText(folder);
}

const std::string kSampleTree =
    "+ Bookmarks bar\n"
    "  - W3C Markup Validation Service | https://validator.w3.org/\n"
    "  + R\xC3\xA9" "f\xC3\xA9rences\n"
    "    - MDN Web Docs | https://developer.mozilla.org/fr/\n"
    "    + \xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC\n"
    "      - \xCE\x92\xCE\xB9\xCE\xBA\xCE\xB9\xCF\x80\xCE\xB1\xCE\xAF\xCE\xB4\xCE\xB5\xCE\xB9\xCE\xB1 | "
    "https://el.wikipedia.org/\n"
    "    + Empty\n"
    "  - \xE7\x99\xBE\xE5\xBA\xA6\xE4\xB8\x80\xE4\xB8\x8B\xEF\xBC\x8C\xE4\xBD\xA0\xE5\xB0\xB1\xE7\x9F\xA5"
    "\xE9\x81\x93 | https://www.baidu.com/\n"
    "+ Other bookmarks\n"
    "  - \xD0\xAF\xD0\xBD\xD0\xB4\xD0\xB5\xD0\xBA\xD1\x81 | https://ya.ru/\n"
    "+ Mobile bookmarks\n";

TEST(ChromiumBookmarks, AFileInChromesLayout) { EXPECT_EQ(Read(Sample("chrome-Bookmarks.json")), kSampleTree); }

TEST(ChromiumBookmarks, RootsInTheFilesOrderNamedOrNotOddEntriesPassedOver) {
  EXPECT_EQ(Read(R"({"roots": {
      "synced": {"type": "folder", "name": "Mobile favorites", "children": []},
      "workspaces": {"type": "folder", "name": "Not a root the browser shows", "children": []},
      "other": {"type": "folder", "children": [
          {"type": "url", "name": "No address"},
          {"type": "separator", "name": "Unknown kind"},
          {"type": "url", "url": "http://untitled/"},
          42,
          {"type": "folder", "name": "Deep", "children": [{"type": "folder", "name": "Deeper", "children": "none"}]}]},
      "bookmark_bar": {"type": "folder", "name": "Favorites bar"}}})"),
            "+ Mobile favorites\n+ Other bookmarks\n  -  | http://untitled/\n  + Deep\n    + Deeper\n+ Favorites bar\n");
}

TEST(ChromiumBookmarks, DamagedFilesAddNothing) {
  for (const char* json : {"", "{", "[]", "{\"roots\": []}", "{\"version\": 1}", "{\"roots\": {}} trailing",
                           "{\"roots\": {\"other\": {\"name\": \"\xFF\"}}}"}) {
    SCOPED_TRACE(json);
    EXPECT_EQ(Read(json, false), "");
  }
}

TEST(ChromiumBookmarks, NestingDeeperThanAStackGoes) {
  const int depth = 200000;
  std::string json = "{\"roots\": {\"other\": {\"children\": [";
  for (int i = 0; i < depth; ++i) json += "{\"type\": \"folder\", \"name\": \"f\", \"children\": [";
  for (int i = 0; i < depth; ++i) json += "]}";
  json += "]}}}";
  MenuItem folder;
  ASSERT_TRUE(ReadChromiumBookmarks(json, folder, Bookmark));
  int levels = 0;
  for (const MenuItem* item = &folder[0]; item->Count() > 0; item = &(*item)[0]) ++levels;
  EXPECT_EQ(levels, depth);
}

TEST(ChromiumBookmarks, ProfileNamesFromLocalState) {
  const std::map<std::string, std::string> names = ChromiumProfileNames(Sample("chrome-Local-State.json"));
  EXPECT_EQ(names, (std::map<std::string, std::string>{
                       {"Default", "Anna"}, {"Profile 1", "\xD0\xA0\xD0\xB0\xD0\xB1\xD0\xBE\xD1\x82\xD0\xB0"}}));
  EXPECT_TRUE(ChromiumProfileNames("{\"profile\": 7}").empty());
  EXPECT_TRUE(ChromiumProfileNames("not json").empty());
}

// The importers over a "User Data" folder on disk, the files in memory.
class ChromiumImportTest : public ::testing::Test {
 protected:
  ChromiumImportTest() : bookmarks(files, testing::TestCodePage(), "C:\\Tessaly\\tessaly.exe") {
    bookmarks.MenuItem = &main;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    bookmarks.Sources = &sources;
    bookmarks.Loaded();
    sources.localAppData = local.string();
  }
  ~ChromiumImportTest() override { fs::remove_all(local); }

  // A profile folder (userData written with backslashes, as the importer
  // joins paths), with its Bookmarks file when given one.
  void Profile(const std::string& userData, const std::string& folder, const std::string* bookmarksFile) {
    std::string onDisk = userData;
    std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
    fs::create_directories(local / onDisk / folder);
    if (bookmarksFile) files.files[sources.localAppData + "\\" + userData + "\\" + folder + "\\Bookmarks"] = *bookmarksFile;
  }

  MemoryBookmarkFiles files;
  MenuItem main;
  TCorvaneBookmarks bookmarks;
  testing::FilesystemImportSources sources;
  const fs::path local = fs::temp_directory_path() / ("tessaly-local-" + std::to_string(getpid()));
};

TEST_F(ChromiumImportTest, EveryProfileWithItsNameDamagedHugeAndMissingOnesPassedOver) {
  EXPECT_FALSE(bookmarks.ImportChromeBookmarks());  // no Chrome at all
  const std::string chrome = "Google\\Chrome\\User Data";
  const std::string sample = Sample("chrome-Bookmarks.json");
  const std::string small = R"({"roots": {"bookmark_bar": {"name": "Bar", "children": [{"type": "url", "name": "A", "url": "http://a/"}]}}})";
  const std::string damaged = sample.substr(0, sample.size() / 2);
  const std::string huge = small + std::string(kLargestChromiumFile - small.size() + 1, ' ');
  Profile(chrome, "Default", &sample);
  Profile(chrome, "Profile 1", &small);
  Profile(chrome, "Profile 2", &small);  // named "" in Local State: its folder's name
  Profile(chrome, "Profile 3", &damaged);
  Profile(chrome, "Profile 4", &huge);
  Profile(chrome, "System Profile", nullptr);
  files.files[sources.localAppData + "\\" + chrome + "\\Local State"] = Sample("chrome-Local-State.json");

  ASSERT_TRUE(bookmarks.ImportChromeBookmarks());
  std::string indented;
  for (std::size_t at = 0, end; at < kSampleTree.size(); at = end + 1) {
    end = kSampleTree.find('\n', at);
    indented += "    " + kSampleTree.substr(at, end - at + 1);
  }
  EXPECT_EQ(TreeText(main, bookmarks.FirstBookmark()),
            "+ Chrome Bookmarks\n  + Anna\n" + indented +
                "  + \xD0\xA0\xD0\xB0\xD0\xB1\xD0\xBE\xD1\x82\xD0\xB0\n    + Bar\n      - A | http://a/\n"
                "  + Profile 2\n    + Bar\n      - A | http://a/\n");

  // Edge likewise; a Local State that names nothing leaves the folders' names.
  const std::string edge = "Microsoft\\Edge\\User Data";
  EXPECT_FALSE(bookmarks.ImportEdgeBookmarks());  // not there yet
  Profile(edge, "Default", &small);
  files.files[sources.localAppData + "\\" + edge + "\\Local State"] = "{damaged";
  ASSERT_TRUE(bookmarks.ImportEdgeBookmarks());
  EXPECT_EQ(main.Count(), 2);
  EXPECT_EQ(TreeText(main[1]), "+ Default\n  + Bar\n    - A | http://a/\n");
  EXPECT_EQ(main[1].Caption, "Edge Bookmarks");

  // Profiles that all fail add no folder.
  Profile(edge, "Default", &damaged);
  EXPECT_FALSE(bookmarks.ImportEdgeBookmarks());
  EXPECT_EQ(main.Count(), 2);
}

}  // namespace
}  // namespace tessaly
