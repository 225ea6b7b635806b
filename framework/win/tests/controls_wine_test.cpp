// Controls own their windows: a control that goes takes its window along and
// leaves its form's dispatch; a window that goes first (with its form) leaves
// the control without one; every control's messages pass the exception barrier.
#include "framework/win/controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "framework/win/application.h"
#include "framework/win/form.h"

namespace tessaly::win {
namespace {

class TestForm : public Form {
 public:
  TestForm() {
    FormParams fp;
    fp.className = "TControlsTestForm";
    fp.clientWidth = 200;
    fp.clientHeight = 100;
    CreateForm(fp);
  }
};

constexpr UINT kFailingMessage = WM_APP + 1;

// A control whose handler fails on one message.
class FailingEdit : public Edit {
 public:
  using Edit::Edit;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kFailingMessage) throw std::runtime_error("The field failed");
    return Edit::HandleMessage(msg, wp, lp);
  }
};

// The text of the first message box of this thread, answered at once.
std::string* g_boxText = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK AnswerBox(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && g_boxText && g_boxText->empty()) {
    HWND box = reinterpret_cast<HWND>(wp);
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    *g_boxText = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

class ControlsTest : public ::testing::Test {
 protected:
  Application app;
};

TEST_F(ControlsTest, AControlThatGoesTakesItsWindowAndLeavesTheDispatch) {
  TestForm form;
  int clicks = 0;
  auto button = std::make_unique<Button>(form, "Go", Bounds{8, 8, 75, 25});
  button->OnClick = [&clicks] { ++clicks; };
  const HWND window = button->Handle();
  const int id = button->Id();
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(clicks, 1);

  button.reset();
  EXPECT_FALSE(IsWindow(window));
  // A late notification with the old number reaches no control.
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(form.Handle()));
  EXPECT_EQ(clicks, 1);
  Button other(form, "Other", Bounds{8, 40, 75, 25});
  EXPECT_NE(other.Id(), id);
}

TEST_F(ControlsTest, AWindowThatGoesWithItsFormLeavesTheControlWithoutOne) {
  auto form = std::make_unique<TestForm>();
  Label label(*form, "Name:", Bounds{8, 8, 40, 13});
  const HWND window = label.Handle();
  DestroyWindow(form->Handle());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(label.Handle(), nullptr);  // so the control does not destroy a stranger's window later
}

TEST_F(ControlsTest, AFailingControlHandlerShowsTheErrorBoxAndTheProgramGoesOn) {
  TestForm form;
  FailingEdit edit(form, Bounds{8, 8, 100, 21});
  std::string boxText;
  g_boxText = &boxText;
  g_hook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(g_hook);
  EXPECT_EQ(SendMessageA(edit.Handle(), kFailingMessage, 0, 0), 0);
  UnhookWindowsHookEx(g_hook);
  g_boxText = nullptr;
  EXPECT_EQ(boxText, "The field failed.");
  // The control's own class still does its work.
  edit.SetText("still here");
  EXPECT_EQ(edit.Text(), "still here");
}

}  // namespace
}  // namespace tessaly::win
