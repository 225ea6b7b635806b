// The organizer on the real tree-view control: the add dialog for editing
// and adding, nothing done without a selection, the scrolling near the edges
// and in a drag, and a tree 100,000 folders deep.
#include "bookmarks/win/frm_edit_bookmarks.h"

#include <gtest/gtest.h>

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

// The add dialogs that came up, each as "caption|label|button|url shown";
// each is filled with title and url and closed with its first button (or
// Cancel, when cancel is set).
struct DialogAnswers {
  std::vector<std::string> seen;
  HWND last = nullptr;
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
  char name[32] = {};
  GetClassNameA(window, name, sizeof(name));
  if (code == HCBT_ACTIVATE && g_answers && window != g_answers->last && std::string(name) == "TfrmAddBookmark") {
    g_answers->last = window;  // answered once, however often activated
    // In the order of the design: Label1, Label2, edtTitle, edtUrl, btnAdd, btnCancel.
    std::vector<HWND> c;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) c.push_back(child);
    g_answers->seen.push_back(TextOf(window) + "|" + TextOf(c[0]) + "|" + TextOf(c[4]) + "|" +
                              (IsWindowVisible(c[3]) ? "url" : ""));
    SetWindowTextA(c[2], g_answers->title.c_str());
    SetWindowTextA(c[3], g_answers->url.c_str());
    PostMessageA(c[g_answers->cancel ? 5 : 4], BM_CLICK, 0, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

class EditBookmarksTest : public ::testing::Test {
 protected:
  EditBookmarksTest() : bookmarks(files, testing::TestCodePage(), "C:\\Tessaly\\tessaly.exe") {
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

HTREEITEM ItemOf(const BookmarkNode& node) { return static_cast<HTREEITEM>(node.ViewItem); }

HTREEITEM FirstVisible(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST_F(EditBookmarksTest, EditAndAddGoThroughTheAddDialogAndNeedASelection) {
  TfrmEditBookmarks form(bookmarks);
  form.SetAppName("Tessaly");
  answers.title = "Home Page";
  answers.url = "http://home.page/";
  form.Select(&Node(form, {1}));
  form.Edit1Click();
  answers.title = "Renamed root";  // shown, never saved
  form.Select(&form.Root());
  form.Edit1Click();
  answers.title = "Tools";
  form.Select(&Node(form, {0, 1}));  // a closed folder, which opens
  form.AddFolder1Click();
  answers.cancel = true;
  form.AddBookmark1Click();
  form.Select(nullptr);
  form.Edit1Click();
  form.AddFolder1Click();
  form.AddBookmark1Click();
  form.btnDeleteClick();
  SendMessageA(form.TreeView1->Handle(), WM_KEYUP, VK_DELETE, 0);

  EXPECT_EQ(answers.seen, (std::vector<std::string>{" Edit Bookmark| Title:|Edit|url", " Edit Folder|Name:|Edit|",
                                                    " Add Folder|Name:|Add|", " Add Tessaly BookMark| Title:|Add|url"}));
  EXPECT_EQ(form.Root().Text, "Renamed root");
  EXPECT_TRUE(SendMessageA(form.TreeView1->Handle(), TVM_GETITEMSTATE,
                           reinterpret_cast<WPARAM>(ItemOf(Node(form, {0, 1}))), TVIS_EXPANDED));
  EXPECT_EQ(Saved(form), "+ Web Design\n  - Validator | http://validator.w3.org/\n  + Colours\n    - Safe | http://safe/\n"
                         "    + Tools\n- Home Page | http://home.page/\n");
}

TEST_F(EditBookmarksTest, ThePointerScrollsNearTheEdgesAndADragInItsBands) {
  main.Add(bookmarks.NewBookmark(std::string(200, 'W'), "http://wide/"));
  for (int i = 0; i < 30; ++i) main.Add(TCorvaneBookmarks::NewFolder("Folder " + std::to_string(i)));
  TfrmEditBookmarks form(bookmarks);
  ShowWindow(form.Handle(), SW_SHOW);
  TCorvaneTreeView& view = *form.TreeView1;
  HWND tree = view.Handle();
  RECT area{};
  GetWindowRect(tree, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int margin = 5;  // half of 8 points' 11 pixels; both scroll bars are there
  auto line = [&](int n) {
    SendMessageA(tree, WM_VSCROLL, SB_TOP, 0);
    for (int i = 0; i < n; ++i) SendMessageA(tree, WM_VSCROLL, SB_LINEDOWN, 0);
    return FirstVisible(tree);
  };
  const HTREEITEM rows[] = {line(4), line(5), line(3)};  // Folder 0 and 1 at the top; then the wide page

  view.DoAutoScroll(100, 100);
  EXPECT_EQ(FirstVisible(tree), rows[2]);
  view.DoAutoScroll(100, height - 16 - margin + 1);  // a line down
  EXPECT_EQ(FirstVisible(tree), rows[0]);
  SendMessageA(tree, WM_MOUSEMOVE, 0, MAKELPARAM(100, margin - 1));  // through a move: a line up
  EXPECT_EQ(FirstVisible(tree), rows[2]);
  view.DoAutoScroll(width - 16 - margin + 1, 100);
  EXPECT_GT(GetScrollPos(tree, SB_HORZ), 0);  // a page right
  view.DoAutoScroll(margin - 1, 100);
  EXPECT_EQ(GetScrollPos(tree, SB_HORZ), 0);  // a page left
  view.AutoScroll = false;
  view.DoAutoScroll(100, 0);
  EXPECT_EQ(FirstVisible(tree), rows[2]);

  BookmarkNode& home = Node(form, {1});
  auto drag = [&] {
    NMTREEVIEWA begin{};
    begin.hdr = NMHDR{tree, static_cast<UINT_PTR>(view.Id()), static_cast<UINT>(TVN_BEGINDRAGA)};
    begin.itemNew.hItem = ItemOf(home);
    view.OnNotify(&begin.hdr);
    EXPECT_TRUE(view.Dragging());
    EXPECT_EQ(form.Selected(), &home);  // the dragged node is the selected one
  };
  auto moveTo = [&](int x, int y) {
    SendMessageA(tree, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpMessages();  // the scrolling is posted
  };
  drag();
  line(4);  // the selection took Home into view
  RECT client{};
  GetClientRect(tree, &client);
  moveTo(100, client.bottom - 10);  // over a folder in the bottom band, above the scroll bar: a line down
  EXPECT_EQ(FirstVisible(tree), rows[1]);
  moveTo(100, 40);
  EXPECT_EQ(FirstVisible(tree), rows[1]);
  moveTo(100, 10);  // the top band: a line up
  EXPECT_EQ(FirstVisible(tree), rows[0]);
  EXPECT_TRUE(view.FormKey(MSG{tree, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}}));
  EXPECT_FALSE(view.Dragging());
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
