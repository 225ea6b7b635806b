// The organizer on the real tree-view control: its layout, the add dialog
// for editing and adding, nothing done without a selection, a drag inside
// the control with its scrolling, the scrolling near the edges, and a tree
// 100,000 folders deep.
#include "bookmarks/win/frm_edit_bookmarks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "bookmarks/memory_bookmark_files.h"
#include "bookmarks/tests/tree_text.h"
#include "framework/win/application.h"

namespace tessaly {
namespace {

using testing::TreeText;

const char* kFile = "C:\\Tessaly\\cvbmarks.htm";
const std::string kStored =
    "<DL><p>\n<DT><H3>Web Design</H3>\n<DL><p>\n<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n"
    "<DT><H3>Colours</H3>\n<DL><p>\n<DT><A HREF=\"http://safe/\">Safe</A>\n</DL><p>\n</DL><p>\n"
    "<DT><A HREF=\"http://home/\">Home</A>\n</DL><p>\n";

// What an add dialog showed when it first came up; its fields are then
// filled and its first button pressed (or Cancel, when cancel is set).
struct SeenDialog {
  std::string caption, label, button;
  bool urlShown = false;
};
struct DialogAnswers {
  std::vector<SeenDialog> seen;
  std::string title, url;
  bool cancel = false;
};
DialogAnswers* g_answers = nullptr;
HHOOK g_hook = nullptr;

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

LRESULT CALLBACK AnswerDialog(int code, WPARAM wp, LPARAM lp) {
  HWND window = reinterpret_cast<HWND>(wp);
  char name[64] = {};
  if (code == HCBT_ACTIVATE && g_answers && GetClassNameA(window, name, sizeof(name)) &&
      std::string(name) == "TfrmAddBookmark") {
    // In the order of the design: Label1, Label2, edtTitle, edtUrl, btnAdd, btnCancel.
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    if (children.size() == 6 && !GetPropA(window, "TestAnswered")) {
      SetPropA(window, "TestAnswered", window);
      g_answers->seen.push_back({TextOf(window), TextOf(children[0]), TextOf(children[4]),
                                 IsWindowVisible(children[3]) != FALSE});
      SetWindowTextA(children[2], g_answers->title.c_str());
      SetWindowTextA(children[3], g_answers->url.c_str());
      PostMessageA(children[g_answers->cancel ? 5 : 4], BM_CLICK, 0, 0);
    }
  }
  if (code == HCBT_DESTROYWND) RemovePropA(window, "TestAnswered");
  return CallNextHookEx(g_hook, code, wp, lp);
}

class EditBookmarksTest : public ::testing::Test {
 protected:
  EditBookmarksTest() : bookmarks(files, "C:\\Tessaly\\tessaly.exe") {
    for (const char* own : {"Add Bookmark...", "Organize Bookmarks..."}) main.Add(own);
    bookmarks.MenuItem = &main;
    bookmarks.WriteMenuAddItem = bookmarks.WriteMenuEditItem = bookmarks.WriteMenuSeperator = false;
    files.files[kFile] = kStored;
    bookmarks.Loaded();
    g_answers = &answers;
    g_hook = SetWindowsHookExA(WH_CBT, AnswerDialog, nullptr, GetCurrentThreadId());
  }
  ~EditBookmarksTest() override {
    UnhookWindowsHookEx(g_hook);
    g_answers = nullptr;
  }

  std::string Saved(TfrmEditBookmarks& form) {
    form.SaveTree();
    return TreeText(main, bookmarks.FirstBookmark());
  }

  BookmarkNode& Node(TfrmEditBookmarks& form, std::initializer_list<int> path) {
    BookmarkNode* node = &form.Root();
    for (int i : path) node = &(*node)[i];
    return *node;
  }

  win::Application app;
  MemoryBookmarkFiles files;
  MenuItem main;
  TCorvaneBookmarks bookmarks;
  DialogAnswers answers;
};

RECT Placed(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HTREEITEM ItemOf(const BookmarkNode& node) { return static_cast<HTREEITEM>(node.ViewItem); }

// The centre of a node's label in the tree's client area.
POINT LabelCentre(HWND tree, const BookmarkNode& node) {
  RECT r{};
  HTREEITEM item = ItemOf(node);
  std::memcpy(&r, &item, sizeof(item));
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HTREEITEM FirstVisible(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST_F(EditBookmarksTest, LayoutRootAndFoldersFilledWhenTheyOpen) {
  TfrmEditBookmarks form(bookmarks);
  EXPECT_EQ(TextOf(form.Handle()), " Organize Bookmarks");
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 454);
  EXPECT_EQ(client.bottom, 303);
  const std::map<HWND, RECT> expected{{form.btnSort->Handle(), {8, 240, 83, 265}},
                                      {form.btnSave->Handle(), {8, 272, 83, 297}},
                                      {form.btnCancel->Handle(), {88, 272, 163, 297}},
                                      {form.Memo1->Handle(), {8, 8, 169, 233}},
                                      {form.TreeView1->Handle(), {168, 8, 449, 297}}};
  for (auto [control, rect] : expected) {
    const RECT placed = Placed(control);
    EXPECT_TRUE(EqualRect(&rect, &placed)) << TextOf(control);
  }
  HWND tree = form.TreeView1->Handle();
  EXPECT_EQ(SendMessageA(tree, TVM_GETINDENT, 0, 0), 19);
  EXPECT_TRUE(form.TreeView1->AutoScroll);

  // The root only at the top, open one level; a closed folder has no items yet.
  BookmarkNode& root = form.Root();
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), ItemOf(root));
  EXPECT_FALSE(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(ItemOf(root))));
  EXPECT_EQ(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ItemOf(root)), TVIS_BOLD | TVIS_EXPANDED),
            TVIS_BOLD | TVIS_EXPANDED);
  BookmarkNode& design = Node(form, {0});
  EXPECT_TRUE(ItemOf(design));
  EXPECT_FALSE(ItemOf(design[0]));
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(design)));
  EXPECT_TRUE(ItemOf(design[1]));
  EXPECT_FALSE(ItemOf(design[1][0]));
  EXPECT_EQ(Saved(form), testing::ReadText(kStored));
}

TEST_F(EditBookmarksTest, EditAndAddGoThroughTheAddDialog) {
  TfrmEditBookmarks form(bookmarks);
  form.SetAppName("Tessaly");
  answers.title = "Home Page";
  answers.url = "http://home.page/";
  form.Select(&Node(form, {1}));
  form.Edit1Click();
  answers.title = "Design";
  form.Select(&Node(form, {0}));
  form.Edit1Click();
  answers.title = "Renamed root";
  form.Select(&form.Root());
  form.Edit1Click();
  answers.title = "W3C";
  answers.url = "http://www.w3.org/";
  form.Select(&Node(form, {1}));
  form.AddBookmark1Click();  // beside the selected bookmark
  answers.title = "Tools";
  form.Select(&Node(form, {0, 1}));
  form.AddFolder1Click();  // into the selected folder, which opens
  answers.cancel = true;
  form.AddFolder1Click();
  form.SetAppName("");
  form.AddBookmark1Click();

  const std::vector<std::vector<std::string>> seen{
      {" Edit Bookmark", " Title:", "Edit", "url"}, {" Edit Folder", "Name:", "Edit", ""},
      {" Edit Folder", "Name:", "Edit", ""},        {" Add Tessaly BookMark", " Title:", "Add", "url"},
      {" Add Folder", "Name:", "Add", ""},          {" Add Folder", "Name:", "Add", ""},
      {" Add Bookmark", " Title:", "Add", "url"}};
  ASSERT_EQ(answers.seen.size(), seen.size());
  for (size_t i = 0; i < seen.size(); ++i) {
    const SeenDialog& s = answers.seen[i];
    EXPECT_EQ((std::vector<std::string>{s.caption, s.label, s.button, s.urlShown ? "url" : ""}), seen[i]) << i;
  }
  EXPECT_EQ(form.Root().Text, "Renamed root");
  BookmarkNode& colours = Node(form, {0, 1});
  EXPECT_TRUE(SendMessageA(form.TreeView1->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ItemOf(colours)),
                           TVIS_EXPANDED));
  EXPECT_EQ(Saved(form),
            "+ Design\n  - Validator | http://validator.w3.org/\n  + Colours\n    - Safe | http://safe/\n"
            "    + Tools\n- Home Page | http://home.page/\n- W3C | http://www.w3.org/\n");
}

TEST_F(EditBookmarksTest, WithNoNodeSelectedNoCommandChangesAnything) {
  TfrmEditBookmarks form(bookmarks);
  form.SetAppName("Tessaly");
  form.Select(nullptr);
  ASSERT_EQ(form.Selected(), nullptr);
  answers.title = "Anything";
  form.Edit1Click();
  form.AddFolder1Click();
  form.AddBookmark1Click();
  form.btnDeleteClick();
  SendMessageA(form.TreeView1->Handle(), WM_KEYUP, VK_DELETE, 0);
  EXPECT_TRUE(answers.seen.empty());
  EXPECT_EQ(Saved(form), testing::ReadText(kStored));
}

TEST_F(EditBookmarksTest, ADragScrollsInTheBandsOverFoldersAndDropsOnAFolderLabel) {
  for (int i = 0; i < 30; ++i) main.Add(TCorvaneBookmarks::NewFolder("Folder " + std::to_string(i)));
  TfrmEditBookmarks form(bookmarks);
  ShowWindow(form.Handle(), SW_SHOW);
  HWND tree = form.TreeView1->Handle();
  BookmarkNode& home = Node(form, {1});
  BookmarkNode& target = Node(form, {5});
  auto beginDrag = [&] {
    NMTREEVIEWA begin{};
    begin.hdr = NMHDR{tree, static_cast<UINT_PTR>(form.TreeView1->Id()), static_cast<UINT>(TVN_BEGINDRAGA)};
    begin.itemNew.hItem = ItemOf(home);
    form.TreeView1->OnNotify(&begin.hdr);
  };
  auto moveTo = [&](int x, int y) {
    SendMessageA(tree, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpMessages();  // the scrolling is posted
  };
  beginDrag();
  EXPECT_TRUE(form.TreeView1->Dragging());
  EXPECT_EQ(form.Selected(), &home);  // the dragged node is the selected one

  RECT area{};
  GetWindowRect(tree, &area);
  const int height = area.bottom - area.top, x = LabelCentre(tree, target).x;
  HTREEITEM top = FirstVisible(tree);
  HTREEITEM second = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(top)));
  moveTo(x, height - 10);  // over a folder in the bottom band: a line down
  EXPECT_EQ(FirstVisible(tree), second);
  moveTo(x, 40);  // between the bands
  EXPECT_EQ(FirstVisible(tree), second);
  moveTo(x, 10);  // the top band: a line up
  EXPECT_EQ(FirstVisible(tree), top);
  const MSG escape{tree, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(form.TreeView1->FormKey(escape));
  EXPECT_FALSE(form.TreeView1->Dragging());
  EXPECT_EQ(home.Parent(), &form.Root());

  beginDrag();
  const POINT label = LabelCentre(tree, target);
  moveTo(label.x, label.y);
  SendMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(label.x, label.y));
  EXPECT_FALSE(form.TreeView1->Dragging());
  EXPECT_EQ(home.Parent(), &target);
  EXPECT_EQ(form.Selected(), &home);
  EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ItemOf(target)), TVIS_EXPANDED));
}

TEST_F(EditBookmarksTest, NearTheEdgesThePointerScrollsALineOrAPage) {
  for (int i = 0; i < 40; ++i) main.Add(bookmarks.NewBookmark("Page " + std::to_string(i), "http://p/"));
  main.Add(bookmarks.NewBookmark(std::string(200, 'W'), "http://wide/"));
  TfrmEditBookmarks form(bookmarks);
  ShowWindow(form.Handle(), SW_SHOW);
  TCorvaneTreeView& view = *form.TreeView1;
  HWND tree = view.Handle();
  RECT area{};
  GetWindowRect(tree, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int margin = 5;  // half of 8 points' 11 pixels; both scroll bars are there
  SendMessageA(tree, WM_VSCROLL, SB_LINEDOWN, 0);
  HTREEITEM second = FirstVisible(tree);
  HTREEITEM top = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));

  view.DoAutoScroll(100, 100);
  EXPECT_EQ(FirstVisible(tree), second);
  view.DoAutoScroll(100, height - 16 - margin + 1);
  EXPECT_NE(FirstVisible(tree), second);  // a line down
  SendMessageA(tree, WM_MOUSEMOVE, 0, MAKELPARAM(100, margin - 1));
  EXPECT_EQ(FirstVisible(tree), second);  // a line up, through the pointer's move
  view.DoAutoScroll(width - 16 - margin + 1, 100);
  EXPECT_GT(GetScrollPos(tree, SB_HORZ), 0);  // a page right
  view.DoAutoScroll(margin - 1, 100);
  EXPECT_EQ(GetScrollPos(tree, SB_HORZ), 0);  // a page left
  view.AutoScroll = false;
  view.DoAutoScroll(100, 0);
  EXPECT_EQ(FirstVisible(tree), second);
  view.AutoScroll = true;
  view.DoAutoScroll(100, 0);
  EXPECT_EQ(FirstVisible(tree), top);
}

TEST_F(EditBookmarksTest, AHundredThousandFoldersDeepOpenSortSaveAndClose) {
  constexpr int kDepth = 100000;
  MenuItem* level = &main;
  for (int i = 0; i < kDepth; ++i) level = &level->Add(TCorvaneBookmarks::NewFolder("Folder " + std::to_string(i)));
  level->Add(bookmarks.NewBookmark("Bottom", "http://bottom/"));
  {
    TfrmEditBookmarks form(bookmarks);
    BookmarkNode* node = &form.Root();
    for (int i = 0; i < 20; ++i) {  // as deep as a user opens by hand
      node = &(*node)[node->Count() - 1];
      SendMessageA(form.TreeView1->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(*node)));
    }
    EXPECT_TRUE(ItemOf((*node)[0]));
    form.btnSortClick();
    form.SaveTree();
  }
  const MenuItem* item = main.Find("Folder 0");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->MenuIndex(), bookmarks.FirstBookmark());  // sorted before "Web Design"
  int depth = 1;
  for (; item->Count() > 0; ++depth) item = &(*item)[0];
  EXPECT_EQ(depth, kDepth + 1);  // the bookmark at the bottom
  EXPECT_EQ(item->Hint, "http://bottom/");
  main.DeleteFrom(bookmarks.FirstBookmark());
}

}  // namespace
}  // namespace tessaly
