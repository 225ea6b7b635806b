// Exports in the layouts that browsers write, read as a user's import or
// bookmark file would be.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(BOOKMARK_SAMPLES) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_FALSE(text.str().empty()) << name;
  return text.str();
}

int CountLines(const std::string& text, const std::string& start) {
  int n = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) n += line.compare(0, start.size(), start) == 0;
  return n;
}

TEST(BookmarkSamples, Netscape4) {
  EXPECT_EQ(testing::ReadText(Sample("netscape4-bookmark.htm")),
            "+ Personal Toolbar Folder\n"
            "  - Netscape | http://home.netscape.com/\n"
            "  - Search | http://search.netscape.com/\n"
            "+ Web Design\n"
            "  - HyperText Markup Language (HTML) Home Page | http://www.w3.org/MarkUp/\n"
            "  - The Browser-Safe Colo...k the same everywhere | http://www.webreference.com/dev/graphics/palette/\n"
            "  - Non-Dithering Colors in Hexadecimal Order | http://www.lynda.com/hex.html\n"
            "  + Server Side\n"
            "    - The Common Gateway Interface | http://hoohoo.ncsa.uiuc.edu/cgi/\n"
            "    - Apache HTTP Server Project | http://www.apache.org/\n"
            "- HyperText Markup Language (HTML) Home Page | http://www.w3.org/MarkUp/\n"
            "- Yahoo! - World Wide Web | http://www.yahoo.com/Computers_and_Internet/Internet/World_Wide_Web/\n");
}

TEST(BookmarkSamples, InternetExplorerExport) {
  EXPECT_EQ(testing::ReadText(Sample("ie-export.htm")),
            "+ Links\n"
            "  - Customize Links | http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=CLinks\n"
            "  - Windows Media | http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windowsmedia\n"
            "+ Media\n"
            "- MSN.com | http://www.msn.com/\n"
            "- Local copy of the site | file:///C:/My%20Documents/site/index.htm\n");
}

// Every folder and bookmark of the export, each line with its icon read whole.
void ExpectEveryEntry(const std::string& file, const MenuItem& root) {
  const std::string tree = testing::TreeText(root);
  int folders = 0, bookmarks = 0;
  std::istringstream in(tree);
  for (std::string line; std::getline(in, line);) {
    const std::size_t mark = line.find_first_not_of(' ');
    (line[mark] == '+' ? folders : bookmarks)++;
  }
  std::string unindented;
  std::istringstream lines(file);
  for (std::string line; std::getline(lines, line);)
    if (line.find_first_not_of(' ') != std::string::npos) unindented += line.substr(line.find_first_not_of(' ')) + "\n";
  EXPECT_EQ(bookmarks, CountLines(unindented, "<DT><A "));
  EXPECT_EQ(folders, CountLines(unindented, "<DT><H3 ") + CountLines(unindented, "<HR>    <DT><H3 "));
}

TEST(BookmarkSamples, FirefoxExportWithIcons) {
  const std::string file = Sample("firefox-export.html");
  MenuItem root;
  testing::ReadInto(root, file, 4096);
  ExpectEveryEntry(file, root);
  ASSERT_EQ(root.Count(), 5);
  EXPECT_EQ(root[0].Caption, "Mozilla Firefox");
  EXPECT_EQ(root[1].Caption, "Bookmarks Toolbar");  // after "<HR>" on the same line
  const MenuItem& dev = root[1][1];
  EXPECT_EQ(dev.Caption, "Web development");
  EXPECT_EQ(dev[4].Caption, "Can I use... Support ... for HTML5, CSS3, etc");
  EXPECT_EQ(dev[6].Caption, "Flexbox guide &amp; cheat sheet");
  EXPECT_EQ(dev[8].Caption, "Archive");
  EXPECT_EQ(root[1][2].Hint, "place:sort=8&maxResults=10");
  const MenuItem& orders = root[2][0];
  EXPECT_EQ(orders.Caption, "Order status");
  EXPECT_GT(orders.Hint.size(), 430u);  // written back as a line of 500 characters or more
  EXPECT_EQ(orders.Hint.substr(orders.Hint.size() - 8), "a1b2c3d4");
  EXPECT_EQ(root[3].Caption, "Project tracker");
  EXPECT_EQ(root[3].Hint, "https://tracker.example.test/board/42");
  EXPECT_EQ(root[4].Caption, "Other Bookmarks");
}

TEST(BookmarkSamples, ChromeExportWithIcons) {
  const std::string file = Sample("chrome-export.html");
  MenuItem root;
  testing::ReadInto(root, file, 4096);
  ExpectEveryEntry(file, root);
  EXPECT_EQ(testing::TreeText(root[0][5]),
            "- Ars Technica | https://arstechnica.com/\n"
            "- Hacker News | https://news.ycombinator.com/\n"
            "- The Register: Sci/Tech News for the World | https://www.theregister.com/\n"
            "- LWN.net | https://lwn.net/\n");
  EXPECT_EQ(root[1].Caption, "Other bookmarks");
  EXPECT_EQ(root[1].Count(), 4);
}

}  // namespace
}  // namespace tessaly
