#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::ReadText;

TEST(NetscapeReader, NestedAndEmptyFoldersKeepTheirOrder) {
  const std::string file =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n\n<DL><p>\n"
      "<DT><H3 ADD_DATE=\"1\">One</H3>\n<DL><p>\n"
      "<DT><H3 ADD_DATE=\"1\">Two</H3>\n<DL><p>\n"
      "<DT><H3 ADD_DATE=\"1\">Three</H3>\n<DL><p>\n"
      "<DT><A HREF=\"http://deep/\" ADD_DATE=\"1\">Deep</A>\n"
      "</DL><p>\n</DL><p>\n"
      "<DT><H3>Empty</H3>\n<DL><p>\n</DL><p>\n"
      "<DT><A HREF=\"http://one/\">In one</A>\n"
      "</DL><p>\n"
      "<DT><A HREF=\"http://top/\">Top</A>\n"
      "</DL><p>\n";
  EXPECT_EQ(ReadText(file),
            "+ One\n"
            "  + Two\n"
            "    + Three\n"
            "      - Deep | http://deep/\n"
            "  + Empty\n"
            "  - In one | http://one/\n"
            "- Top | http://top/\n");
}

TEST(NetscapeReader, FolderLines) {
  // A Netscape folder line: attributes before ADD_DATE, the name up to the first "<".
  EXPECT_EQ(ReadText("<DT><H3 FOLDED ADD_DATE=\"908811773\">Web &amp; Design</H3>\n"), "+ Web &amp; Design\n");
  // Folder test first: a line with "<H3" is a folder whatever else it holds.
  EXPECT_EQ(ReadText("</DL><p><DT><H3>Both</H3> <A HREF=\"x\">y</A>\n"), "+ Both\n");
  EXPECT_EQ(ReadText("<DT><H3 ADD_DATE=\"1\"\n"), "");  // no ">": ignored
  EXPECT_EQ(ReadText("<DT><H3>No end\n"), "+ \n");     // no "<" after ">": empty name
  EXPECT_EQ(ReadText("<DT><h3>lower</h3>\n<DT><a href=\"x\">lower</a>\n"), "");
  // A folder line ignored for lack of ">" is not taken as an end of folder either.
  EXPECT_EQ(ReadText("<DT><H3>A</H3>\n<H3 </DL\n<DT><A HREF=\"u\">in A</A>\n"), "+ A\n  - in A | u\n");
}

TEST(NetscapeReader, BookmarkUrls) {
  EXPECT_EQ(ReadText("<DT><A HREF=\"http://a/?q=1&amp;r=2\" ADD_DATE=\"1\">A &lt; B</A>\n"),
            "- A &lt; B | http://a/?q=1&amp;r=2\n");
  // Blanks, "=" and quotes before the URL are skipped; single quotes only there.
  EXPECT_EQ(ReadText("<A  HREF = 'http://b/' >B</A>\n"), "- B | http://b/' >B</A\n");
  EXPECT_EQ(ReadText("<A HREF='http://b/\" x>B</A>\n"), "- B | http://b/\n");
  EXPECT_EQ(ReadText("<A HREF=http://c/>C</A>\n"), "- C | http://c/>C</A\n");
  // The title runs from the first ">" after the URL's start: a ">" in the URL moves it.
  EXPECT_EQ(ReadText("<A HREF=\"http://d/?a>b\">D</A>\n"), "- b\">D | http://d/?a>b\n");
  EXPECT_EQ(ReadText("<A HREF=\"http://e/\">E <b>bold</b></A>\n"), "- E  | http://e/\n");
  // Malformed: no HREF, no ">", no blank after "<A".
  EXPECT_EQ(ReadText("<A NAME=\"x\">x</A>\n<A HREF=\"http://f/\"\n<AHREF=\"http://g/\">g</A>\n"), "");
  // The skipping stops at the last character; nothing after HREF gives an empty URL.
  EXPECT_EQ(ReadText("<A HREF==>\n<A x>HREF\n"), "-  | \n");
  EXPECT_EQ(ReadText("<A HREF=\"Folder\">Not a page</A>\n"), "+ Not a page\n");
}

TEST(NetscapeReader, TitlesAreShortenedPast45Characters) {
  const std::string t45(45, 'x');
  const std::string t46 = "abcdefghijklmnopqrstu" + std::string("VWXY") + "0123456789abcdefghijk";
  ASSERT_EQ(t46.size(), 46u);
  EXPECT_EQ(ReadText("<A HREF=\"u\">" + t45 + "</A>\n"), "- " + t45 + " | u\n");
  EXPECT_EQ(ReadText("<A HREF=\"u\">" + t46 + "</A>\n<H3>" + t46 + "</H3>\n"),
            "- abcdefghijklmnopqrstu...0123456789abcdefghijk | u\n"
            "+ abcdefghijklmnopqrstu...0123456789abcdefghijk\n");
  const std::string t50 = "12345678901234567890123456789012345678901234567890";
  EXPECT_EQ(CheckLong(t50), t50.substr(0, 21) + "..." + t50.substr(29));
}

TEST(NetscapeReader, LineEndsAndTheEndOfTheFile) {
  const std::string lf = "<DL><p>\n<DT><H3>F</H3>\n<DL><p>\n<DT><A HREF=\"u\">T</A>\n</DL><p>\n</DL><p>\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadText(lf), "+ F\n  - T | u\n");
  EXPECT_EQ(ReadText(crlf), ReadText(lf));
  // A last line without a line end is read.
  EXPECT_EQ(ReadText("<DT><A HREF=\"u\">T</A>\r\n<DT><A HREF=\"v\">L</A>"), "- T | u\n- L | v\n");
  // Folders still open at the end of the file end there.
  EXPECT_EQ(ReadText("<DT><H3>A</H3>\n<DL><p>\n<DT><H3>B</H3>\n<DL><p>\n<DT><A HREF=\"u\">T</A>"),
            "+ A\n  + B\n    - T | u\n");
  // The top level ends at its "</DL", with anything after it on the line or below.
  EXPECT_EQ(ReadText("<DT><A HREF=\"1\">1</A>\n</DL><p><DT><A HREF=\"2\">2</A>\n<DT><A HREF=\"3\">3</A>\n"),
            "- 1 | 1\n");
  EXPECT_EQ(ReadText(""), "");
}

TEST(NetscapeReader, ReadsIntoTheGivenFolderAndStopsAtItsEnd) {
  MenuItem root;
  MenuItem& folder = root.Add(NewFolderEntry("Imported"));
  testing::ReadInto(folder, "<DT><A HREF=\"u\">T</A>\n</DL>\n<DT><A HREF=\"v\">V</A>\n");
  EXPECT_EQ(testing::TreeText(root), "+ Imported\n  - T | u\n");
  const MenuItem& entry = folder[0];
  EXPECT_EQ(entry.HelpContext, kBookmarkEntryTag);
  EXPECT_EQ(folder.HelpContext, kBookmarkEntryTag);
  EXPECT_TRUE(static_cast<bool>(entry.OnClick));
}

TEST(LineReader, SplitsAtLineFeedsAcrossPieces) {
  for (std::size_t piece : {1u, 2u, 3u, 64u}) {
    MemoryByteSource source("a\r\n\nbb\rb\r\n\r\r\nccc", piece);
    LineReader lines(source);
    std::vector<std::string> got;
    std::string line;
    while (lines.Next(line)) got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"a", "", "bb\rb", "\r", "ccc"})) << "piece " << piece;
  }
}

TEST(LineReader, KeepsTheStartOfALineOverTheCap) {
  MemoryByteSource source(std::string(10, 'x') + "\r\nnext\n" + std::string(8, 'y') + "\r\n", 3);
  LineReader lines(source, 8);
  std::string line;
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, std::string(8, 'x'));
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "next");
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, std::string(8, 'y'));
  EXPECT_FALSE(lines.Next(line));
}

}  // namespace
}  // namespace tessaly
