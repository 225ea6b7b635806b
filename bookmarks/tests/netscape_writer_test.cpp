#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::ReadText;
using testing::Written;

const std::string kHeader =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<!-- This is an automatically generated file.\r\n"
    "It will be read and overwritten.\r\nDo Not Edit! -->\r\n<TITLE>Bookmarks for Tessaly</TITLE>\r\n"
    "<H1>Bookmarks for Tessaly</H1>\r\n\r\n<DL><p>\r\n";

void AddBookmark(MenuItem& parent, const std::string& title, const std::string& url) {
  parent.Add(NewBookmarkEntry(title, url, {}));
}

TEST(NetscapeWriter, WritesTheLayoutByteForByte) {
  MenuItem root;
  EXPECT_EQ(Written(root), kHeader + "</DL><p>\r\n");
  root.Add("Own item");  // before the first entry: not written
  MenuItem& folder = root.Add(NewFolderEntry("Tools"));
  AddBookmark(folder, "W3C Validator", "http://validator.w3.org/");
  root.Add(NewFolderEntry("Empty"));
  AddBookmark(root, "Home", "http://home.example/");
  EXPECT_EQ(Written(root, 1),
            kHeader +
                "<DT><H3 ADD_DATE=\"908811773\">Tools</H3>\r\n<DL><p>\r\n"
                "<DT><A HREF=\"http://validator.w3.org/\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" "
                "LAST_MODIFIED=\"0\">W3C Validator</A>\r\n</DL><p>\r\n"
                "<DT><H3 ADD_DATE=\"908811773\">Empty</H3>\r\n<DL><p>\r\n</DL><p>\r\n"
                "<DT><A HREF=\"http://home.example/\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" "
                "LAST_MODIFIED=\"0\">Home</A>\r\n</DL><p>\r\n");
  EXPECT_EQ(ReadText(Written(root, 1)), testing::TreeText(root, 1));
}

TEST(NetscapeWriter, ReadsBackTheSameTreeSaveTheFormatsExceptions) {
  MenuItem root;
  AddBookmark(root.Add(NewFolderEntry("A")).Add(NewFolderEntry("B")), "\"Quoted\" &amp; 45 characters, not one more!!!", "u");
  AddBookmark(root, "", "file:///C|/pages/index.htm");
  AddBookmark(root, "No address", "");  // written HREF="": read back empty, not the next attribute
  EXPECT_EQ(ReadText(Written(root)), testing::TreeText(root));

  MenuItem odd;
  AddBookmark(odd, "A caption that is longer than forty-five characters", "http://long/");
  AddBookmark(odd, "Less <than>", "http://lt/");
  AddBookmark(odd, "Quote", "http://q/?\"x\"");
  AddBookmark(odd, "Blanks", " =http://blank/");
  AddBookmark(odd, "Greater", "http://gt/?a>b");
  AddBookmark(odd, "Folder URL", "Folder");
  EXPECT_EQ(ReadText(Written(odd)),
            "- A caption that is lon...forty-five characters | http://long/\n"
            "- Less  | http://lt/\n"
            "- Quote | http://q/?\n"
            "- Blanks | http://blank/\n"
            "- b\" ADD_DATE=\"90881177..._MODIFIED=\"0\">Greater | http://gt/?a>b\n"
            "+ Folder URL\n");
}

}  // namespace
}  // namespace tessaly
