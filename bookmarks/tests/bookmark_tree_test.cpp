// The organizer's tree: loading and saving the bookmark entries, the sort
// order, deleting, adding, and what a drag and a drop do.
#include "bookmarks/bookmark_tree.h"

#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"
#include "bookmarks/tree_commands.h"

namespace tessaly {
namespace {

// The tree as indented text, the way TreeText shows menus.
std::string NodeText(const BookmarkNode& root) {
  MenuItem menu;
  SaveBookmarkTree(root, menu, 0, [](const std::string& t, const std::string& u) { return NewBookmarkEntry(t, u, {}); });
  return testing::TreeText(menu);
}

const char* kFile =
    "<DL><p>\n<DT><H3>Web Design</H3>\n<DL><p>\n<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n"
    "<DT><H3>Colours</H3>\n<DL><p>\n<DT><A HREF=\"http://safe/\">Safe</A>\n</DL><p>\n"
    "<DT><A HREF=\"Folder\">Odd</A>\n</DL><p>\n<DT><A HREF=\"http://home/\">Home</A>\n</DL><p>\n";
const char* kTree =
    "+ Web Design\n  - Validator | http://validator.w3.org/\n  + Colours\n    - Safe | http://safe/\n  + Odd\n"
    "- Home | http://home/\n";

// The main window's "Bookmarks": two own items, then the entries.
class BookmarkTreeTest : public ::testing::Test {
 protected:
  BookmarkTreeTest() : root(NewRootNode()) {
    menu.Add("Add Bookmark...");
    menu.AddSeparator();
    testing::ReadInto(menu, kFile);
    LoadBookmarkTree(*root, menu, 2);
  }
  BookmarkNode& design() { return (*root)[0]; }
  BookmarkNode& colours() { return design()[1]; }
  BookmarkNode& home() { return (*root)[1]; }

  MenuItem menu;
  std::unique_ptr<BookmarkNode> root;
};

TEST_F(BookmarkTreeTest, LoadsUnderTheRootAndSavesBackOnlyWhenAskedWithoutTheRootsText) {
  EXPECT_TRUE(root->IsRoot() && root->IsFolder() && !design().IsRoot());
  EXPECT_EQ(NodeText(*root), kTree);  // a bookmark whose URL is "Folder" is a folder
  root->Text = "Renamed root";
  DeleteNode(colours());
  AddBookmarkNode(design()[1], "", "");
  EXPECT_EQ(testing::TreeText(menu, 2), kTree);  // until saved, as after Cancel

  std::string clicked;
  SaveBookmarkTree(*root, menu, 2, [&](const std::string& title, const std::string& url) {
    return NewBookmarkEntry(title, url, [&](MenuItem& sender) { clicked = sender.Hint; });
  });
  EXPECT_EQ(menu[0].Caption, "Add Bookmark...");
  EXPECT_EQ(testing::TreeText(menu, 2),
            "+ Web Design\n  - Validator | http://validator.w3.org/\n  + Odd\n    -  | \n- Home | http://home/\n");
  EXPECT_EQ(menu[3].HelpContext, 4);
  menu[3].Click();
  EXPECT_EQ(clicked, "http://home/");
}

TEST_F(BookmarkTreeTest, SortPutsFoldersFirstThenTextsIgnoringCaseAtEveryDepth) {
  AddBookmarkNode(design(), "apple", "http://a/");
  AddFolderNode(design(), "Zeta");
  AddFolderNode(design(), "beta");
  AddBookmarkNode(colours(), "aqua", "http://aqua/");
  AddBookmarkNode(*root, "About", "http://about/");
  SortBookmarkTree(*root, CompareAsciiIgnoringCase);
  EXPECT_EQ(NodeText(*root),
            "+ Web Design\n  + beta\n  + Colours\n    - aqua | http://aqua/\n    - Safe | http://safe/\n  + Odd\n"
            "  + Zeta\n  - apple | http://a/\n  - Validator | http://validator.w3.org/\n"
            "- About | http://about/\n- Home | http://home/\n");
  EXPECT_LT(CompareAsciiIgnoringCase("Home", "homepage"), 0);
}

TEST_F(BookmarkTreeTest, DeleteSelectsThePreviousSiblingOrTheFolderAndAddGoesToTheFolderEnd) {
  EXPECT_EQ(SelectionAfterDelete(design()[0]), &design());   // a first child: its folder
  EXPECT_EQ(SelectionAfterDelete(design()[2]), &colours());  // a later one: the one before
  EXPECT_EQ(AddFolderNode(design()[0], "Beside").Index(), 3);  // beside a bookmark: its folder's end
  EXPECT_EQ(AddBookmarkNode(colours(), "In", "http://in/").Parent(), &colours());
  DeleteNode(design());
  EXPECT_EQ(NodeText(*root), "- Home | http://home/\n");
}

TEST_F(BookmarkTreeTest, DropsOnLabelsAppendInTheIndentationInsertBeforeAndNeverLeaveTheRoot) {
  const std::pair<HitPart, DropPlace> table[] = {
      {HitPart::kLabel, DropPlace::kLastChild}, {HitPart::kIcon, DropPlace::kLastChild},
      {HitPart::kStateIcon, DropPlace::kLastChild}, {HitPart::kIndent, DropPlace::kBefore},
      {HitPart::kButton, DropPlace::kNothing}, {HitPart::kRight, DropPlace::kNothing}};
  for (auto [part, place] : table) {
    EXPECT_TRUE(AcceptsDragOver(&colours(), part));
    EXPECT_EQ(DropDecision(home(), colours(), part), place) << static_cast<int>(part);
  }
  EXPECT_FALSE(AcceptsDragOver(&home(), HitPart::kLabel));   // a bookmark
  EXPECT_FALSE(AcceptsDragOver(nullptr, HitPart::kNowhere));
  EXPECT_FALSE(AcceptsDragOver(root.get(), HitPart::kIndent));  // beside the root
  EXPECT_EQ(DropDecision(home(), *root, HitPart::kIndent), DropPlace::kNothing);
  EXPECT_EQ(MoveNode(home(), *root, DropPlace::kBefore), nullptr);
  // A folder onto itself or into its own subtree stays.
  for (BookmarkNode* target : {&design(), &colours()}) {
    EXPECT_EQ(DropDecision(design(), *target, HitPart::kLabel), DropPlace::kNothing);
    EXPECT_EQ(MoveNode(design(), *target, DropPlace::kLastChild), nullptr);
  }
  EXPECT_EQ(NodeText(*root), kTree);

  EXPECT_EQ(MoveNode(home(), colours(), DropPlace::kBefore), &design());
  BookmarkNode& validator = design()[0];
  EXPECT_EQ(MoveNode(validator, *root, DropPlace::kLastChild), root.get());  // the top level's end
  EXPECT_EQ(NodeText(*root), "+ Web Design\n  - Home | http://home/\n  + Colours\n    - Safe | http://safe/\n"
                             "  + Odd\n- Validator | http://validator.w3.org/\n");
}

TEST(BookmarkTreeDepth, AHundredThousandFoldersDeepLoadSortSaveAndEndWithoutRecursion) {
  constexpr int kDepth = 100000;
  MenuItem menu;
  MenuItem* level = &menu;
  for (int i = 0; i < kDepth; ++i) {
    level = &level->Add(NewFolderEntry("Folder " + std::to_string(i)));
    level->Add(NewBookmarkEntry("a page", "http://a/", {}));
  }
  auto root = NewRootNode();
  LoadBookmarkTree(*root, menu, 0);
  SortBookmarkTree(*root, CompareAsciiIgnoringCase);  // the folder before "a page"
  BookmarkNode* deepest = root.get();
  while (deepest->Count() > 0 && (*deepest)[0].IsFolder()) deepest = &(*deepest)[0];
  EXPECT_EQ(deepest->Text, "Folder 99999");
  EXPECT_EQ(DropDecision((*root)[0], *deepest, HitPart::kLabel), DropPlace::kNothing);
  SaveBookmarkTree(*root, menu, 0, [](const std::string& t, const std::string& u) { return NewBookmarkEntry(t, u, {}); });
  int depth = 0;
  for (const MenuItem* item = &menu; item->Count() > 0; ++depth) item = &(*item)[0];
  EXPECT_EQ(depth, kDepth + 1);  // the last folder's page at the bottom
}

}  // namespace
}  // namespace tessaly
