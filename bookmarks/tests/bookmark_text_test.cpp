// Bookmark files in UTF-8 and in the ANSI code page (Windows-1252 here): how
// the reader tells them apart, that both come back byte for byte, and when
// an ANSI file turns UTF-8.
#include "bookmarks/bookmark_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bookmarks/cvbookmarks.h"
#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::ReadInto;
using testing::TestCodePage;
using testing::TreeText;
using testing::Written;

const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";  // Ελληνικά
const std::string kCafeUtf8 = "Caf\xC3\xA9 Cr\xC3\xA8me";
const std::string kCafeAnsi = "Caf\xE9 Cr\xE8me";

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(BOOKMARK_SAMPLES) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string File(const std::string& head, const std::string& title) {
  return head + "<DL><p>\n<DT><A HREF=\"http://cafe/\">" + title + "</A>\n</DL><p>\n";
}

TEST(BookmarkEncoding, UtfEightWhenTheFileSaysSoOtherwiseTheCodePage) {
  const std::string meta = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n";
  struct Case {
    std::string head;
    BookmarkEncoding encoding;
  } cases[] = {
      {"", BookmarkEncoding::kAnsi},
      {meta, BookmarkEncoding::kUtf8},
      {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n" + meta, BookmarkEncoding::kUtf8},
      {"<meta http-equiv=\"content-type\" content=\"text/html; CHARSET = utf-8\">\n", BookmarkEncoding::kUtf8},
      {"<META CONTENT='text/html;charset=Utf-8' HTTP-EQUIV='Content-Type'>\n", BookmarkEncoding::kUtf8},
      {"\xEF\xBB\xBF<!DOCTYPE NETSCAPE-Bookmark-file-1>\n", BookmarkEncoding::kUtf8},
      {"\xEF\xBB\xBF<DT><A HREF=\"http://first/\">First</A>\n", BookmarkEncoding::kUtf8},
      // Not so: another charset, UTF-8 named outside CONTENT, a META of
      // another kind, a byte-order mark on a later line.
      {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\n", BookmarkEncoding::kAnsi},
      {"<META CHARSET=\"UTF-8\">\n", BookmarkEncoding::kAnsi},
      {"<META NAME=\"x\" CONTENT=\"charset=utf-8x\">\n", BookmarkEncoding::kAnsi},
      {"<TITLE>charset=UTF-8</TITLE>\n", BookmarkEncoding::kAnsi},
      {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n\xEF\xBB\xBF\n", BookmarkEncoding::kAnsi},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    MenuItem root;
    EXPECT_EQ(ReadInto(root, File(c.head, kCafeUtf8)), c.encoding);
    EXPECT_EQ(root[root.Count() - 1].Caption, c.encoding == BookmarkEncoding::kUtf8 ? kCafeUtf8 : "Caf\xC3\x83\xC2\xA9 Cr\xC3\x83\xC2\xA8me");
  }
  // The line that names UTF-8 may even come after the entries.
  MenuItem late;
  EXPECT_EQ(ReadInto(late, "<DL><p>\n<DT><A HREF=\"http://x/\">" + kCafeUtf8 + "</A>\n" + std::string(kUtf8MetaLine) +
                               "\n</DL><p>\n"),
            BookmarkEncoding::kUtf8);
  EXPECT_EQ(late[0].Caption, kCafeUtf8);
}

TEST(BookmarkEncoding, AnsiBytesTheCodePageCannotReadStillComeBackAsTheyWere) {
  // 0x81 is no character of Windows-1252: the title keeps it as an escape
  // of its own, and the rest of the title with it.
  const std::string odd = "Caf\xE9\x81";
  const std::string text = AnsiToText(TestCodePage(), odd);
  EXPECT_EQ(text, "Caf\xF4\x8F\xBB\xA9\xF4\x8F\xBA\x81");
  EXPECT_EQ(TextToAnsi(TestCodePage(), text), odd);
  EXPECT_EQ(TextToAnsi(TestCodePage(), text + " \xE2\x82\xAC"), odd + " \x80");  // renamed, with a euro sign
  EXPECT_FALSE(TextToAnsi(TestCodePage(), text + kGreek));
  EXPECT_EQ(AnsiToText(TestCodePage(), kCafeAnsi), kCafeUtf8);
}

// A Firefox export with titles in several scripts: every title's bytes come
// through, the tree written is the program's own layout with the META line
// after the DOCTYPE line, and that file reads back into the same tree and
// writes again to the same bytes.
TEST(BookmarkEncoding, FirefoxExportInSeveralScriptsRoundTripsByteForByte) {
  MenuItem root;
  ASSERT_EQ(ReadInto(root, Sample("firefox-scripts.html")), BookmarkEncoding::kUtf8);
  const std::string tree = TreeText(root);
  EXPECT_EQ(tree,
            "+ \xCE\x95\xCE\xB9\xCE\xB4\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82\n"
            "  - \xCE\x97 \xCE\x9A\xCE\xB1\xCE\xB8\xCE\xB7\xCE\xBC\xCE\xB5\xCF\x81\xCE\xB9\xCE\xBD\xCE\xAE | "
            "https://www.kathimerini.gr/\n"
            // 55 Greek letters and blanks, cut to 21 + "..." + 21 at letters.
            "  - \xCE\x92\xCE\xB9\xCE\xBA\xCE\xB9\xCF\x80\xCE\xB1\xCE\xAF\xCE\xB4\xCE\xB5\xCE\xB9\xCE\xB1: "
            "\xCE\x9A\xCF\x8D\xCF\x81\xCE\xB9\xCE\xB1 \xCF\x83\xCE\xB5..."
            "\xCE\xB8\xCE\xB5\xCF\x81\xCE\xB7\xCF\x82 \xCE\xB5\xCE\xB3\xCE\xBA\xCF\x85\xCE\xBA\xCE\xBB\xCE\xBF"
            "\xCF\x80\xCE\xB1\xCE\xAF\xCE\xB4\xCE\xB5\xCE\xB9\xCE\xB1\xCF\x82 | "
            "https://el.wikipedia.org/wiki/%CE%A0%CF%8D%CE%BB%CE%B7\n"
            "+ \xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\xD1\x81\xD1\x82\xD0\xB8\n"
            "  - \xD0\x92\xD0\xB8\xD0\xBA\xD0\xB8\xD0\xBF\xD0\xB5\xD0\xB4\xD0\xB8\xD1\x8F \xE2\x80\x94 "
            "\xD1\x81\xD0\xB2\xD0\xBE\xD0\xB1\xD0\xBE\xD0\xB4\xD0\xBD\xD0\xB0\xD1\x8F "
            "\xD1\x8D\xD0\xBD\xD1\x86\xD0\xB8\xD0\xBA\xD0\xBB\xD0\xBE\xD0\xBF\xD0\xB5\xD0\xB4\xD0\xB8\xD1\x8F | "
            "https://ru.wikipedia.org/wiki/\xD0\x97\xD0\xB0\xD0\xB3\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xBD\xD0\xB0\xD1\x8F_"
            "\xD1\x81\xD1\x82\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x86\xD0\xB0\n"
            "  - \xD0\x9B\xD0\xB5\xD0\xBD\xD1\x82\xD0\xB0.\xD1\x80\xD1\x83 | https://lenta.ru/\n"
            "+ \xE4\xB8\xAD\xE6\x96\x87\xE7\xBD\x91\xE7\xAB\x99\n"
            "  - \xE7\xBB\xB4\xE5\x9F\xBA\xE7\x99\xBE\xE7\xA7\x91\xEF\xBC\x8C\xE8\x87\xAA\xE7\x94\xB1\xE7\x9A\x84"
            "\xE7\x99\xBE\xE7\xA7\x91\xE5\x85\xA8\xE4\xB9\xA6 | https://zh.wikipedia.org/\n"
            "  - \xE5\x9B\xBD\xE9\x99\x85\xE5\x8C\x96 &amp; \xE6\x9C\xAC\xE5\x9C\xB0\xE5\x8C\x96 (W3C) | "
            "https://www.w3.org/International/\n"
            "- Caf\xC3\xA9 Cr\xC3\xA8me \xE2\x80\x93 Paris\xE2\x80\xA6 | https://www.example.fr/cafe\n"
            "- Smileys \xF0\x9F\x98\x80 and more | https://emoji.example.test/\n"
            "+ Bookmarks Toolbar\n"
            "  - \xE3\x82\xA6\xE3\x82\xA3\xE3\x82\xAD\xE3\x83\x9A\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xA2 | "
            "https://ja.wikipedia.org/\n");

  const std::string once = Written(root, 0, "Tessaly", BookmarkEncoding::kUtf8);
  const std::string head =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n<!-- This";
  EXPECT_EQ(once.substr(0, head.size()), head);
  MenuItem back;
  ASSERT_EQ(ReadInto(back, once), BookmarkEncoding::kUtf8);
  EXPECT_EQ(TreeText(back), tree);
  EXPECT_EQ(Written(back, 0, "Tessaly", BookmarkEncoding::kUtf8), once);
  // None of these titles goes into Windows-1252.
  EXPECT_THROW(Written(back), NotInCodePage);
}

// Bytes that are no UTF-8 in a file that says it is: kept as they are, and
// a cut never splits the bytes of a character.
TEST(BookmarkEncoding, BrokenUtfEightIsKeptAndCutsStayOnCharacters) {
  const std::string meta = std::string(kUtf8MetaLine) + "\n";
  const std::string broken = "Bad \xFF\xC3 bytes";
  // 46 characters of two bytes each: 21 first, "...", 21 last.
  std::string longGreek;
  for (int i = 0; i < 46; ++i) longGreek += "\xCE\xB1";
  MenuItem root;
  ReadInto(root, meta + "<DT><A HREF=\"http://a/\">" + broken + "</A>\n<DT><A HREF=\"http://b/\">" + longGreek +
                     "</A>\n");
  ASSERT_EQ(root.Count(), 2);
  EXPECT_EQ(root[0].Caption, broken);
  std::string twentyOne;
  for (int i = 0; i < 21; ++i) twentyOne += "\xCE\xB1";
  EXPECT_EQ(root[1].Caption, twentyOne + "..." + twentyOne);
  EXPECT_EQ(CheckLong(std::string(45, 'x') + "\xE2\x80\xA6").size(), 21u + 3 + 20 + 3);  // 46 characters
  std::string fortyFive;
  for (int i = 0; i < 45; ++i) fortyFive += "\xE2\x80\xA6";
  EXPECT_EQ(CheckLong(fortyFive), fortyFive);  // 135 bytes, 45 characters: whole
}

// The bookmark component with an ANSI file: kept ANSI byte for byte while
// every title fits the code page; one title that does not (typed, imported
// or renamed) turns the whole file UTF-8, the other titles converted.
class EncodingOfTheFileTest : public ::testing::Test {
 protected:
  EncodingOfTheFileTest() : bookmarks(files, TestCodePage(), "C:\\Tessaly\\tessaly.exe") {
    bookmarks.AppName = "Tessaly";
    bookmarks.MenuItem = &main;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
  }
  std::string& Stored() { return files.files[kFile]; }

  static constexpr const char* kFile = "C:\\Tessaly\\cvbmarks.htm";
  MemoryBookmarkFiles files;
  MenuItem main;
  TCorvaneBookmarks bookmarks;
};

TEST_F(EncodingOfTheFileTest, AnAnsiFileStaysAnsiUntilATitleNeedsMore) {
  MenuItem tree;
  tree.Add(NewFolderEntry("R\xC3\xA9sum\xC3\xA9s"));
  tree[0].Add(NewBookmarkEntry(kCafeUtf8, "http://caf\xC3\xA9.example/", {}));
  const std::string ansi = Written(tree);
  ASSERT_NE(ansi.find("<DT><H3 ADD_DATE=\"908811773\">R\xE9sum\xE9s</H3>"), std::string::npos);
  ASSERT_NE(ansi.find("http://caf\xE9.example/\" ADD"), std::string::npos);
  Stored() = ansi;
  bookmarks.Loaded();
  EXPECT_EQ(bookmarks.FileEncoding(), BookmarkEncoding::kAnsi);
  EXPECT_EQ(TreeText(main), TreeText(tree));

  bookmarks.AddBookmark("Euro \xE2\x82\xAC", "http://euro/");  // Windows-1252 has the euro sign
  EXPECT_EQ(Stored(), ansi.substr(0, ansi.size() - 10) + "<DT><A HREF=\"http://euro/\" ADD_DATE=\"908811773\" "
                      "LAST_VISIT=\"0\" LAST_MODIFIED=\"0\">Euro \x80</A>\r\n</DL><p>\r\n");

  bookmarks.AddBookmark(kGreek, "http://el/");
  EXPECT_EQ(bookmarks.FileEncoding(), BookmarkEncoding::kUtf8);
  tree.Add(NewBookmarkEntry("Euro \xE2\x82\xAC", "http://euro/", {}));
  tree.Add(NewBookmarkEntry(kGreek, "http://el/", {}));
  EXPECT_EQ(Stored(), Written(tree, 0, "Tessaly", BookmarkEncoding::kUtf8));

  // From then on UTF-8, also once the title that needed it is gone, and after
  // the file is read again.
  main.Remove(main.Count() - 1);
  bookmarks.StoreBookmarks();
  bookmarks.Reload();
  EXPECT_EQ(bookmarks.FileEncoding(), BookmarkEncoding::kUtf8);
  EXPECT_NE(Stored().find(kUtf8MetaLine), std::string::npos);
  EXPECT_NE(Stored().find(kCafeUtf8), std::string::npos);
}

TEST_F(EncodingOfTheFileTest, AFailedUtfEightWriteLeavesTheAnsiFileAsItWas) {
  Stored() = File("", kCafeAnsi);
  bookmarks.Loaded();
  files.failWriteAfter = 200;
  const std::string before = Stored();
  bookmarks.AddBookmark(kGreek, "http://el/");
  EXPECT_EQ(Stored(), before);
}

}  // namespace
}  // namespace tessaly
