// The organizer's tree: loading and saving the bookmark entries, the sort
// order, deleting, adding, and what a drag and a drop do.
#include "bookmarks/bookmark_tree.h"

#include <gtest/gtest.h>

#include "bookmarks/tests/tree_text.h"
#include "bookmarks/tree_commands.h"

namespace tessaly {
namespace {

using testing::TreeText;

// A tree shown as indented text, as TreeText shows menus.
std::string NodeText(const BookmarkNode& root) {
  std::string text;
  struct Level {
    const BookmarkNode* node;
    int next;
  };
  std::vector<Level> open{{&root, 0}};
  while (!open.empty()) {
    Level& level = open.back();
    if (level.next >= level.node->Count()) {
      open.pop_back();
      continue;
    }
    const BookmarkNode& node = (*level.node)[level.next++];
    text += std::string(2 * (open.size() - 1), ' ');
    text += node.IsFolder() ? "+ " + node.Text : "- " + node.Text + " | " + node.Url;
    text += '\n';
    if (node.Count() > 0) open.push_back({&node, 0});
  }
  return text;
}

// The first node with this text, depth first.
BookmarkNode& Find(BookmarkNode& root, const std::string& text) {
  std::vector<BookmarkNode*> pending{&root};
  while (!pending.empty()) {
    BookmarkNode* node = pending.back();
    pending.pop_back();
    if (node->Text == text) return *node;
    for (int i = node->Count() - 1; i >= 0; --i) pending.push_back(&(*node)[i]);
  }
  throw std::out_of_range("no node " + text);
}

const char* kFile =
    "<DL><p>\n<DT><H3>Web Design</H3>\n<DL><p>\n<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n"
    "<DT><H3>Colours</H3>\n<DL><p>\n<DT><A HREF=\"http://safe/\">Safe</A>\n</DL><p>\n"
    "<DT><A HREF=\"Folder\">Odd</A>\n<DT><H3>Empty</H3>\n<DL><p>\n</DL><p>\n</DL><p>\n"
    "<DT><A HREF=\"http://home/\">Home</A>\n</DL><p>\n";
const char* kTree =
    "+ Web Design\n  - Validator | http://validator.w3.org/\n  + Colours\n    - Safe | http://safe/\n  + Odd\n"
    "  + Empty\n- Home | http://home/\n";

// The main window's "Bookmarks": four own items, then the entries.
class BookmarkTreeTest : public ::testing::Test {
 protected:
  BookmarkTreeTest() : root(NewRootNode()) {
    for (const char* own : {"Add Bookmark...", "Organize Bookmarks...", "Smart Import"}) menu.Add(own);
    menu.AddSeparator();
    testing::ReadInto(menu, kFile);
    LoadBookmarkTree(*root, menu, 4);
  }

  void Save() {
    SaveBookmarkTree(*root, menu, 4, [this](const std::string& title, const std::string& url) {
      return NewBookmarkEntry(title, url, [this](MenuItem& sender) { clicked = sender.Hint; });
    });
  }

  BookmarkNode& Node(const std::string& text) { return Find(*root, text); }

  MenuItem menu;
  std::unique_ptr<BookmarkNode> root;
  std::string clicked;
};

TEST_F(BookmarkTreeTest, LoadsTheEntriesUnderTheRootAndSavesThemBackOnlyWhenAsked) {
  EXPECT_TRUE(root->IsRoot());
  EXPECT_TRUE(root->IsFolder());
  EXPECT_EQ(root->Text, "Tessaly Bookmarks");
  EXPECT_FALSE(Node("Web Design").IsRoot());
  EXPECT_EQ(NodeText(*root), kTree);  // a bookmark whose URL is "Folder" is a folder

  // Changes stay in the tree until it is saved: Cancel leaves the menu as it was.
  root->Text = "Renamed root";
  DeleteNode(Node("Colours"));
  AddBookmarkNode(Node("Empty"), "", "");
  EXPECT_EQ(TreeText(menu, 4), kTree);

  Save();
  EXPECT_EQ(menu.Count(), 4 + 2);
  EXPECT_EQ(menu[2].Caption, "Smart Import");  // the own items stay
  EXPECT_EQ(TreeText(menu, 4),
            "+ Web Design\n  - Validator | http://validator.w3.org/\n  + Odd\n  + Empty\n    -  | \n"
            "- Home | http://home/\n");  // the root's text is not saved; empty texts are
  const MenuItem& home = menu[5];
  EXPECT_EQ(home.HelpContext, 4);
  EXPECT_EQ(menu[4].HelpContext, 4);
  EXPECT_FALSE(menu[4].OnClick);
  const_cast<MenuItem&>(home).Click();
  EXPECT_EQ(clicked, "http://home/");
}

TEST_F(BookmarkTreeTest, SortPutsFoldersFirstThenTextsIgnoringCaseAtEveryDepth) {
  BookmarkNode& design = Node("Web Design");
  AddBookmarkNode(design, "apple", "http://a/");
  AddFolderNode(design, "Zeta");
  AddFolderNode(design, "beta");
  AddBookmarkNode(Node("Colours"), "Basic", "http://b/");
  AddBookmarkNode(Node("Colours"), "aqua", "http://aqua/");
  AddFolderNode(*root, "b folder");
  AddBookmarkNode(*root, "About", "http://about/");
  SortBookmarkTree(*root, CompareAsciiIgnoringCase);
  EXPECT_EQ(NodeText(*root),
            "+ b folder\n"
            "+ Web Design\n  + beta\n  + Colours\n    - aqua | http://aqua/\n    - Basic | http://b/\n"
            "    - Safe | http://safe/\n  + Empty\n  + Odd\n  + Zeta\n  - apple | http://a/\n"
            "  - Validator | http://validator.w3.org/\n"
            "- About | http://about/\n- Home | http://home/\n");
  EXPECT_LT(CompareNodes(Node("Zeta"), Node("apple"), CompareAsciiIgnoringCase), 0);
  EXPECT_EQ(CompareAsciiIgnoringCase("HOME", "home"), 0);
  EXPECT_LT(CompareAsciiIgnoringCase("Home", "homepage"), 0);
}

TEST_F(BookmarkTreeTest, DeleteSelectsThePreviousSiblingOrTheFolderAndTakesTheSubtree) {
  EXPECT_EQ(SelectionAfterDelete(Node("Validator")), &Node("Web Design"));  // a first child: its folder
  EXPECT_EQ(SelectionAfterDelete(Node("Odd")), &Node("Colours"));           // a later one: the one before
  EXPECT_EQ(SelectionAfterDelete(Node("Web Design")), root.get());
  DeleteNode(Node("Web Design"));
  EXPECT_EQ(NodeText(*root), "- Home | http://home/\n");
  Save();
  EXPECT_EQ(TreeText(menu, 4), "- Home | http://home/\n");
}

TEST_F(BookmarkTreeTest, AddGoesToTheEndOfTheSelectedFolderOrOfTheSelectedBookmarksFolder) {
  EXPECT_EQ(AddFolderNode(Node("Validator"), "Beside").Parent(), &Node("Web Design"));
  EXPECT_EQ(Node("Web Design")[4].Text, "Beside");
  BookmarkNode& added = AddBookmarkNode(Node("Colours"), "Inside", "http://in/");
  EXPECT_EQ(added.Parent(), &Node("Colours"));
  EXPECT_EQ(added.Index(), 1);
  EXPECT_FALSE(added.IsFolder());
  EXPECT_EQ(AddFolderNode(*root, "Top").Index(), 2);
  EXPECT_EQ(AddBookmarkNode(Node("Home"), "Next", "http://next/").Parent(), root.get());
}

TEST_F(BookmarkTreeTest, DropOnALabelOrIconAppendsInTheIndentationInsertsBeforeElsewhereNothing) {
  BookmarkNode& home = Node("Home");
  BookmarkNode& colours = Node("Colours");
  struct Case {
    HitPart part;
    DropPlace place;
  };
  for (Case c : {Case{HitPart::kLabel, DropPlace::kLastChild}, Case{HitPart::kIcon, DropPlace::kLastChild},
                 Case{HitPart::kStateIcon, DropPlace::kLastChild}, Case{HitPart::kIndent, DropPlace::kBefore},
                 Case{HitPart::kButton, DropPlace::kNothing}, Case{HitPart::kRight, DropPlace::kNothing},
                 Case{HitPart::kNowhere, DropPlace::kNothing}}) {
    EXPECT_EQ(DropDecision(home, colours, c.part), c.place) << static_cast<int>(c.part);
    EXPECT_TRUE(AcceptsDragOver(&colours, c.part));
  }
  // Over a bookmark or no node: refused, so nothing is dropped there.
  EXPECT_FALSE(AcceptsDragOver(&Node("Safe"), HitPart::kLabel));
  EXPECT_FALSE(AcceptsDragOver(nullptr, HitPart::kNowhere));
  EXPECT_EQ(DropDecision(home, Node("Safe"), HitPart::kLabel), DropPlace::kNothing);
  // Beside the root would be outside the saved tree: refused while dragging.
  EXPECT_FALSE(AcceptsDragOver(root.get(), HitPart::kIndent));
  EXPECT_EQ(DropDecision(home, *root, HitPart::kIndent), DropPlace::kNothing);
  EXPECT_EQ(MoveNode(home, *root, DropPlace::kBefore), nullptr);

  EXPECT_EQ(MoveNode(home, colours, DropPlace::kBefore), &Node("Web Design"));
  EXPECT_EQ(NodeText(*root),
            "+ Web Design\n  - Validator | http://validator.w3.org/\n  - Home | http://home/\n  + Colours\n"
            "    - Safe | http://safe/\n  + Odd\n  + Empty\n");
  // A bookmark dropped on the root's label ends the top level.
  BookmarkNode& validator = Node("Validator");
  ASSERT_EQ(DropDecision(validator, *root, HitPart::kLabel), DropPlace::kLastChild);
  EXPECT_EQ(MoveNode(validator, *root, DropPlace::kLastChild), root.get());
  EXPECT_EQ(&(*root)[root->Count() - 1], &validator);
}

TEST_F(BookmarkTreeTest, AFolderDroppedOnItselfOrItsOwnSubtreeStaysWhereItIs) {
  BookmarkNode& design = Node("Web Design");
  const std::string before = NodeText(*root);
  for (BookmarkNode* target : {&design, &Node("Colours"), &Node("Empty")}) {
    for (HitPart part : {HitPart::kLabel, HitPart::kIndent}) {
      EXPECT_EQ(DropDecision(design, *target, part), DropPlace::kNothing) << target->Text;
      EXPECT_EQ(MoveNode(design, *target, DropPlace::kLastChild), nullptr);
      EXPECT_EQ(MoveNode(design, *target, DropPlace::kBefore), nullptr);
    }
  }
  EXPECT_EQ(MoveNode(*root, design, DropPlace::kLastChild), nullptr);
  EXPECT_EQ(NodeText(*root), before);
}

TEST(BookmarkTreeDepth, AHundredThousandFoldersDeepLoadSortSaveAndEndWithoutRecursion) {
  constexpr int kDepth = 100000;
  MenuItem menu;
  MenuItem* level = &menu;
  for (int i = 0; i < kDepth; ++i) {
    level = &level->Add(NewFolderEntry("Folder " + std::to_string(i)));
    level->Add(NewBookmarkEntry("z page", "http://z/", {}));
  }
  auto root = NewRootNode();
  LoadBookmarkTree(*root, menu, 0);
  SortBookmarkTree(*root, CompareAsciiIgnoringCase);
  BookmarkNode* deepest = root.get();
  int depth = 0;
  while (deepest->Count() > 0 && (*deepest)[0].IsFolder()) {
    deepest = &(*deepest)[0];
    ++depth;
  }
  EXPECT_EQ(depth, kDepth);
  EXPECT_EQ(deepest->Text, "Folder 99999");
  EXPECT_EQ(DropDecision((*root)[0], *deepest, HitPart::kLabel), DropPlace::kNothing);
  SaveBookmarkTree(*root, menu, 0, [](const std::string& t, const std::string& u) {
    return NewBookmarkEntry(t, u, {});
  });
  const MenuItem* item = &menu;
  for (depth = 0; item->Count() > 0; ++depth) item = &(*item)[0];
  EXPECT_EQ(depth, kDepth + 1);  // the last folder's bookmark at the bottom
}

}  // namespace
}  // namespace tessaly
