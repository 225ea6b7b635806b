// The add dialog: its layout, its folder form, and how it closes.
#include "bookmarks/win/frm_add_bookmark.h"

#include <gtest/gtest.h>

#include "framework/win/application.h"

namespace tessaly {
namespace {

RECT Placed(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE ClientSize(HWND form) {
  RECT r{};
  GetClientRect(form, &r);
  return SIZE{r.right, r.bottom};
}

class AddBookmarkTest : public ::testing::Test {
 protected:
  win::Application app;
};

TEST_F(AddBookmarkTest, FullAndFolderForms) {
  TfrmAddBookmark form;
  char caption[64] = {};
  GetWindowTextA(form.Handle(), caption, sizeof(caption));
  EXPECT_STREQ(caption, " Add Bookmark");
  EXPECT_EQ(ClientSize(form.Handle()).cx, 290);
  EXPECT_EQ(ClientSize(form.Handle()).cy, 107);
  const RECT title = Placed(form.edtTitle->Handle()), url = Placed(form.edtUrl->Handle());
  EXPECT_EQ(title.left, 40);
  EXPECT_EQ(title.top, 8);
  EXPECT_EQ(title.right - title.left, 241);
  EXPECT_EQ(url.top, 40);
  EXPECT_EQ(Placed(form.btnAdd->Handle()).top, 73);
  EXPECT_EQ(Placed(form.btnCancel->Handle()).left, 200);
  EXPECT_EQ(Placed(form.Label1->Handle()).right, 34);  // right-aligned labels end left of the fields
  EXPECT_EQ(Placed(form.Label2->Handle()).right, 33);

  form.SetFolderForm();
  EXPECT_EQ(form.Label1->Text(), "Name:");
  EXPECT_EQ(Placed(form.Label1->Handle()).right, 34);
  EXPECT_FALSE(GetWindowLongPtrA(form.edtUrl->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongPtrA(form.Label2->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(Placed(form.btnAdd->Handle()).top, 41);
  EXPECT_EQ(Placed(form.btnCancel->Handle()).top, 41);
  EXPECT_EQ(ClientSize(form.Handle()).cy, 75);
}

TEST_F(AddBookmarkTest, AddEnterCancelAndTheCloseBox) {
  struct Case {
    const char* what;
    bool ok;
    void (*act)(TfrmAddBookmark&);
  };
  const Case cases[] = {
      {"Add", true, [](TfrmAddBookmark& f) { PostMessageA(f.btnAdd->Handle(), BM_CLICK, 0, 0); }},
      {"Enter", true, [](TfrmAddBookmark& f) { PostMessageA(f.edtUrl->Handle(), WM_KEYDOWN, VK_RETURN, 0); }},
      {"Cancel", false, [](TfrmAddBookmark& f) { PostMessageA(f.btnCancel->Handle(), BM_CLICK, 0, 0); }},
      {"Escape", false, [](TfrmAddBookmark& f) { PostMessageA(f.edtTitle->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", false, [](TfrmAddBookmark& f) { PostMessageA(f.Handle(), WM_CLOSE, 0, 0); }},
  };
  for (const Case& c : cases) {
    TfrmAddBookmark form;
    form.edtTitle->SetText("Validator");
    form.edtUrl->SetText("http://validator.w3.org/");
    c.act(form);
    EXPECT_EQ(form.ShowModal() == IDOK, c.ok) << c.what;
    EXPECT_FALSE(IsWindowVisible(form.Handle())) << c.what;
  }
}

TEST_F(AddBookmarkTest, TheFieldWithTheFocusKeepsItWhenTheFormIsActivatedAgain) {
  TfrmAddBookmark form;
  ShowWindow(form.Handle(), SW_SHOW);
  SendMessageA(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), form.edtTitle->Handle());  // the first field, not the form
  form.edtUrl->SetFocus();
  SendMessageA(form.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(form.Handle());
  SendMessageA(form.Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_EQ(GetFocus(), form.edtUrl->Handle());
}

}  // namespace
}  // namespace tessaly
