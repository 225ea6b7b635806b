// Exports in the layouts that browsers write, read as a user's bookmark file
// or import would be.
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
  return text.str();
}

// How often each mark starts a line of the tree text ("+ " folders, "- " bookmarks).
int Count(const std::string& tree, char mark) {
  int n = 0;
  for (std::size_t at = 0; (at = tree.find(std::string(1, mark) + " ", at)) != std::string::npos; ++at)
    n += at == 0 || tree[at - 1] == ' ' || tree[at - 1] == '\n';
  return n;
}

TEST(BookmarkSamples, Netscape4AndInternetExplorer) {
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
  EXPECT_EQ(testing::ReadText(Sample("ie-export.htm")),
            "+ Links\n"
            "  - Customize Links | http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=CLinks\n"
            "  - Windows Media | http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windowsmedia\n"
            "+ Media\n"
            "- MSN.com | http://www.msn.com/\n"
            "- Local copy of the site | file:///C:/My%20Documents/site/index.htm\n");
}

// Nearly every line of these carries an inline icon of one to six kilobytes.
TEST(BookmarkSamples, FirefoxAndChromeExportsWithIcons) {
  const std::string firefox = testing::ReadText(Sample("firefox-export.html"));
  EXPECT_EQ(Count(firefox, '-'), 23);
  EXPECT_EQ(Count(firefox, '+'), 6);
  EXPECT_NE(firefox.find("+ Bookmarks Toolbar\n"), std::string::npos);  // after "<HR>" on its line
  EXPECT_NE(firefox.find("    - Can I use... Support ... for HTML5, CSS3, etc | https://caniuse.com/\n"),
            std::string::npos);
  EXPECT_NE(firefox.find("  - Most Visited | place:sort=8&maxResults=10\n"), std::string::npos);
  EXPECT_NE(firefox.find("utm_campaign=account-orders-2023-q4&session_hint=a1b2c3d4"), std::string::npos);
  EXPECT_NE(firefox.find("\n- Project tracker | https://tracker.example.test/board/42\n"), std::string::npos);

  const std::string chrome = testing::ReadText(Sample("chrome-export.html"));
  EXPECT_EQ(Count(chrome, '-'), 13);
  EXPECT_EQ(Count(chrome, '+'), 3);
  EXPECT_NE(chrome.find("  + News\n    - Ars Technica | https://arstechnica.com/\n"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
