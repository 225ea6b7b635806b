#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"

namespace tessaly {
namespace {

using testing::ReadText;
using testing::TreeText;
using testing::Written;

const std::string kHeader =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
    "<!-- This is an automatically generated file.\r\n"
    "It will be read and overwritten.\r\n"
    "Do Not Edit! -->\r\n"
    "<TITLE>Bookmarks for Tessaly</TITLE>\r\n"
    "<H1>Bookmarks for Tessaly</H1>\r\n"
    "\r\n"
    "<DL><p>\r\n";

MenuItem& AddBookmark(MenuItem& parent, const std::string& title, const std::string& url) {
  return parent.Add(NewBookmarkEntry(title, url, {}));
}

TEST(NetscapeWriter, WritesTheLayoutByteForByte) {
  MenuItem root;
  root.Add("Own item");  // before the first entry: not written
  MenuItem& folder = root.Add(NewFolderEntry("Tools"));
  AddBookmark(folder, "W3C Validator", "http://validator.w3.org/");
  AddBookmark(root, "Home", "http://home.example/");
  EXPECT_EQ(Written(root, 1),
            kHeader +
                "<DT><H3 ADD_DATE=\"908811773\">Tools</H3>\r\n"
                "<DL><p>\r\n"
                "<DT><A HREF=\"http://validator.w3.org/\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" "
                "LAST_MODIFIED=\"0\">W3C Validator</A>\r\n"
                "</DL><p>\r\n"
                "<DT><A HREF=\"http://home.example/\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" "
                "LAST_MODIFIED=\"0\">Home</A>\r\n"
                "</DL><p>\r\n");
}

TEST(NetscapeWriter, EmptyTreeAndEmptyFolder) {
  MenuItem root;
  EXPECT_EQ(Written(root), kHeader + "</DL><p>\r\n");
  EXPECT_EQ(ReadText(Written(root)), "");
  root.Add(NewFolderEntry("Empty"));
  EXPECT_EQ(Written(root), kHeader + "<DT><H3 ADD_DATE=\"908811773\">Empty</H3>\r\n<DL><p>\r\n</DL><p>\r\n</DL><p>\r\n");
  EXPECT_EQ(ReadText(Written(root)), "+ Empty\n");
}

TEST(NetscapeWriter, ReadsBackTheSameTreeSaveTheFormatsExceptions) {
  MenuItem root;
  MenuItem& a = root.Add(NewFolderEntry("A"));
  MenuItem& b = a.Add(NewFolderEntry("B"));
  MenuItem& c = b.Add(NewFolderEntry("C"));
  AddBookmark(c, "Deep & \"quoted\" title", "http://deep/?a=1&b=2");
  AddBookmark(b, "", "http://untitled/");
  AddBookmark(a, "Exactly forty-five characters long, this one!", "http://45/");
  AddBookmark(root, "Top", "file:///C|/pages/index.htm");
  const std::string same = TreeText(root);
  EXPECT_EQ(ReadText(Written(root)), same);

  // What the format changes, as it always has.
  MenuItem odd;
  AddBookmark(odd, "A caption that is longer than forty-five characters", "http://long/");
  AddBookmark(odd, "Less <than>", "http://lt/");
  AddBookmark(odd, "Quote", "http://q/?\"x\"");
  AddBookmark(odd, "Blanks", " =http://blank/");
  AddBookmark(odd, "Greater", "http://gt/?a>b");
  odd.Add(NewFolderEntry("Folder name that is longer than forty-five chars"));
  AddBookmark(odd, "Folder URL", "Folder");
  EXPECT_EQ(ReadText(Written(odd)),
            "- A caption that is lon...forty-five characters | http://long/\n"
            "- Less  | http://lt/\n"
            "- Quote | http://q/?\n"
            "- Blanks | http://blank/\n"
            "- b\" ADD_DATE=\"90881177..._MODIFIED=\"0\">Greater | http://gt/?a>b\n"
            "+ Folder name that is l...than forty-five chars\n"
            "+ Folder URL\n");
}

TEST(NetscapeWriter, LineFeedsInsideTextGoOutAsCrLf) {
  MenuItem root;
  AddBookmark(root, "two\nlines", "u");
  EXPECT_NE(Written(root).find(">two\r\nlines</A>\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
