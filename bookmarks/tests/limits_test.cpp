// Inputs at the limits: lines far longer than a line buffer, and folders
// nested deeper than any call stack would take.
#include <gtest/gtest.h>

#include "bookmarks/cvbookmarks.h"
#include "bookmarks/tests/small_stack.h"
#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

const char* kProgram = "C:\\Tessaly\\tessaly.exe";
const char* kFile = "C:\\Tessaly\\cvbmarks.htm";

TEST(BookmarkLimits, LongLinesAreReadWhole) {
  // A stored URL of 700 characters makes a line of over 800.
  std::string url = "https://www.example.com/search?q=";
  while (url.size() < 700) url += "tracking%20parameter%26";
  url.resize(700);
  MenuItem stored;
  stored.Add(NewBookmarkEntry("Search", url, {}));
  EXPECT_EQ(testing::ReadText(testing::Written(stored)), "- Search | " + url + "\n");

  // An export's bookmark line with an inline icon of 50 KB.
  const std::string base64 = "iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9hAAAB";
  std::string icon = "data:image/png;base64,";
  for (std::size_t i = 0; icon.size() < 50 * 1024; ++i) icon += base64[i % base64.size()];
  EXPECT_EQ(testing::ReadText("<DL><p>\n    <DT><A HREF=\"https://developer.mozilla.org/\" ICON=\"" + icon +
                              "\">MDN Web Docs</A>\n    <DT><A HREF=\"https://www.w3.org/\">W3C</A>\n</DL><p>\n"),
            "- MDN Web Docs | https://developer.mozilla.org/\n- W3C | https://www.w3.org/\n");

  // Past the cap of 1 MiB the rest of the line is dropped and reading goes on.
  EXPECT_EQ(testing::ReadText("<DT><A HREF=\"https://huge/\">Huge</A>" + std::string(LineReader::kMaxLine, 'z') +
                              "</DL>\n<DT><A HREF=\"u\">After</A>\n"),
            "- Huge | https://huge/\n- After | u\n");
}

// Folders depth deep, one bookmark at the bottom, in the writer's own layout.
std::string DeepFile(int depth) {
  std::string file =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<!-- This is an automatically generated file.\r\n"
      "It will be read and overwritten.\r\nDo Not Edit! -->\r\n<TITLE>Bookmarks for Tessaly</TITLE>\r\n"
      "<H1>Bookmarks for Tessaly</H1>\r\n\r\n<DL><p>\r\n";
  for (int i = 0; i < depth; ++i) file += "<DT><H3 ADD_DATE=\"908811773\">F</H3>\r\n<DL><p>\r\n";
  file += "<DT><A HREF=\"http://bottom/\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" LAST_MODIFIED=\"0\">Bottom</A>\r\n";
  for (int i = 0; i <= depth; ++i) file += "</DL><p>\r\n";
  return file;
}

void ReadMirrorStoreAndFreeDeepFolders() {
  const int depth = 100000;
  MemoryBookmarkFiles files;
  files.readPiece = 65536;
  files.files[kFile] = DeepFile(depth);
  auto main = std::make_unique<MenuItem>();
  auto tray = std::make_unique<MenuItem>();
  auto bookmarks = std::make_unique<TCorvaneBookmarks>(files, testing::TestCodePage(), kProgram);
  bookmarks->MenuItem = main.get();
  bookmarks->MenuItem2 = tray.get();
  bookmarks->WriteMenuAddItem = bookmarks->WriteMenuEditItem = bookmarks->WriteMenuSeperator = false;
  bookmarks->AppName = "Tessaly";
  bookmarks->Loaded();

  for (MenuItem* root : {main.get(), tray.get()}) {
    const MenuItem* item = root;
    int levels = 0;
    while (item->Count() > 0 && IsFolder((*item)[0])) {
      item = &(*item)[0];
      ++levels;
    }
    EXPECT_EQ(levels, depth);
    ASSERT_EQ(item->Count(), 1);
    EXPECT_EQ((*item)[0].Hint, "http://bottom/");
  }
  const std::string read = files.files[kFile];
  files.files.clear();
  ASSERT_TRUE(bookmarks->StoreBookmarks());
  EXPECT_TRUE(files.files[kFile] == read);  // not EXPECT_EQ: no 3 MB diff on failure
  bookmarks.reset();  // takes the entries out of both menus and frees them
  EXPECT_EQ(main->Count(), 0);
  // And a deep tree that no component looks after, freed with its root.
  MenuItem* item = main.get();
  for (int i = 0; i < depth; ++i) item = &item->Add(NewFolderEntry("F"));
  main.reset();
}

TEST(BookmarkLimits, AHundredThousandFoldersDeepAreReadMirroredStoredAndFreed) {
  testing::OnSmallStack(ReadMirrorStoreAndFreeDeepFolders);
}

}  // namespace
}  // namespace tessaly
