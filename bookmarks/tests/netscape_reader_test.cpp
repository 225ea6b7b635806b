#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::ReadText;

TEST(NetscapeReader, NestedAndEmptyFoldersKeepTheirOrder) {
  EXPECT_EQ(ReadText("<TITLE>Bookmarks</TITLE>\n<DL><p>\n"
                     "<DT><H3 ADD_DATE=\"1\">One</H3>\n<DL><p>\n<DT><H3>Two</H3>\n<DL><p>\n<DT><H3>Three</H3>\n<DL><p>\n"
                     "<DT><A HREF=\"http://deep/\">Deep</A>\n</DL><p>\n</DL><p>\n"
                     "<DT><H3>Empty</H3>\n<DL><p>\n</DL><p>\n<DT><A HREF=\"http://one/\">In one</A>\n</DL><p>\n"
                     "<DT><A HREF=\"http://top/\">Top</A>\n</DL><p>\n"),
            "+ One\n  + Two\n    + Three\n      - Deep | http://deep/\n  + Empty\n  - In one | http://one/\n"
            "- Top | http://top/\n");
}

// Each line on its own, as the rules of the format take it.
TEST(NetscapeReader, LineRules) {
  const std::pair<const char*, const char*> cases[] = {
      // Folders: attributes before ADD_DATE, the name up to the first "<".
      {"<DT><H3 FOLDED ADD_DATE=\"908811773\">Web &amp; Design</H3>", "+ Web &amp; Design\n"},
      {"</DL><p><DT><H3>Both</H3> <A HREF=\"x\">y</A>", "+ Both\n"},  // "<H3" is tested first
      {"<DT><H3 ADD_DATE=\"1\"", ""},                                  // no ">"
      {"<DT><H3>No end", "+ \n"},
      {"<DT><h3>lower</h3>\n<DT><a href=\"x\">lower</a>", ""},
      // Bookmarks: blanks, "=" and quotes before the URL skipped; single quotes only there.
      {"<DT><A HREF=\"http://a/?q=1&amp;r=2\" ADD_DATE=\"1\">A &lt; B</A>", "- A &lt; B | http://a/?q=1&amp;r=2\n"},
      {"<A  HREF = 'http://b/' >B</A>", "- B | http://b/' >B</A\n"},
      {"<A HREF='http://b/\" x>B</A>", "- B | http://b/\n"},
      {"<A HREF=http://c/>C</A>", "- C | http://c/>C</A\n"},
      {"<A HREF=\"http://d/?a>b\">D</A>", "- b\">D | http://d/?a>b\n"},  // the title follows the first ">"
      {"<A HREF=\"http://e/\">E <b>bold</b></A>", "- E  | http://e/\n"},
      {"<A NAME=\"x\">x</A>\n<A HREF=\"http://f/\"\n<AHREF=\"http://g/\">g</A>", ""},
      {"<A HREF==>\n<A x>HREF", "-  | \n"},  // skipping stops at the last character
      {"<A HREF=\"Folder\">Not a page</A>", "+ Not a page\n"},
      // An empty quoted address is empty, whatever follows it.
      {"<DT><A HREF=\"\">Title</A>", "- Title | \n"},
      {"<DT><A HREF = \"\" ADD_DATE=\"1\">T</A>", "- T | \n"},
      // A line with "</DL" ends the level, a bookmark on it included, and nothing after it is read.
      {"<DT><A HREF=\"1\">1</A>\n</DL><p><DT><A HREF=\"2\">2</A>\n<DT><A HREF=\"3\">3</A>", "- 1 | 1\n"},
      // A folder line ignored for lack of ">" is no end of a folder either.
      {"<DT><H3>A</H3>\n<H3 </DL\n<DT><A HREF=\"u\">in A</A>", "+ A\n  - in A | u\n"},
  };
  for (const auto& [file, tree] : cases) EXPECT_EQ(ReadText(std::string(file) + "\n"), tree) << file;
}

TEST(NetscapeReader, CaptionsArePastFortyFiveCharactersShortened) {
  const std::string t45(45, 'x');
  const std::string t46 = "abcdefghijklmnopqrstuVWXY0123456789abcdefghijk";
  EXPECT_EQ(ReadText("<A HREF=\"u\">" + t45 + "</A>\n<A HREF=\"u\">" + t46 + "</A>\n<H3>" + t46 + "</H3>\n"),
            "- " + t45 + " | u\n- abcdefghijklmnopqrstu...0123456789abcdefghijk | u\n"
            "+ abcdefghijklmnopqrstu...0123456789abcdefghijk\n");
}

TEST(NetscapeReader, LineEndsAndTheEndOfTheFile) {
  const std::string lf = "<DL><p>\n<DT><H3>F</H3>\n<DL><p>\n<DT><A HREF=\"u\">T</A>\n</DL><p>\n</DL><p>\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ReadText(lf), "+ F\n  - T | u\n");
  EXPECT_EQ(ReadText(crlf), ReadText(lf));
  EXPECT_EQ(ReadText("<DT><A HREF=\"u\">T</A>\r\n<DT><A HREF=\"v\">L</A>"), "- T | u\n- L | v\n");
  // Folders still open at the end of the file end there.
  EXPECT_EQ(ReadText("<DT><H3>A</H3>\n<DL><p>\n<DT><H3>B</H3>\n<DL><p>\n<DT><A HREF=\"u\">T</A>"),
            "+ A\n  + B\n    - T | u\n");
}

TEST(LineReader, SplitsAtLineFeedsAcrossPiecesAndCutsPastTheCap) {
  for (std::size_t piece : {1u, 2u, 3u, 64u}) {
    MemoryByteSource source("a\r\n\nbb\rb\r\n\r\r\n" + std::string(10, 'x') + "\r\nccc", piece);
    LineReader lines(source, 8);
    std::vector<std::string> got;
    for (std::string line; lines.Next(line);) got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"a", "", "bb\rb", "\r", "xxxxxxxx", "ccc"})) << "piece " << piece;
  }
}

}  // namespace
}  // namespace tessaly
