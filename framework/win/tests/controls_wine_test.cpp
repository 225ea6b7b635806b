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
    CreateForm(fp);
  }
};

// A control whose handler fails on one message.
class FailingEdit : public Edit {
 public:
  using Edit::Edit;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP) throw std::runtime_error("The field failed");
    return Edit::HandleMessage(msg, wp, lp);
  }
};

// The text of the message box that comes up, which is answered at once.
std::string g_boxText;
HHOOK g_hook = nullptr;
LRESULT CALLBACK AnswerBox(int code, WPARAM wp, LPARAM lp) {
  char name[16] = {};
  if (code == HCBT_ACTIVATE && GetClassNameA(reinterpret_cast<HWND>(wp), name, sizeof(name)) &&
      std::string(name) == "#32770") {
    char text[256] = {};
    GetDlgItemTextA(reinterpret_cast<HWND>(wp), 0xFFFF, text, sizeof(text));
    g_boxText = text;
    PostMessageA(reinterpret_cast<HWND>(wp), WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

TEST(ControlsOnWine, AControlOwnsItsWindowAndItsMessagesPassTheBarrier) {
  Application app;
  auto form = std::make_unique<TestForm>();
  int clicks = 0;
  auto button = std::make_unique<Button>(*form, "Go", Bounds{8, 8, 75, 25});
  button->OnClick = [&clicks] { ++clicks; };
  const HWND window = button->Handle();
  const WPARAM clicked = MAKEWPARAM(button->Id(), BN_CLICKED);
  SendMessageA(form->Handle(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(window));
  button.reset();
  EXPECT_FALSE(IsWindow(window));
  // A late notification with the old number reaches no control.
  SendMessageA(form->Handle(), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(clicks, 1);

  FailingEdit edit(*form, Bounds{8, 8, 100, 21});
  g_hook = SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, GetCurrentThreadId());
  EXPECT_EQ(SendMessageA(edit.Handle(), WM_APP, 0, 0), 0);
  UnhookWindowsHookEx(g_hook);
  EXPECT_EQ(g_boxText, "The field failed.");
  edit.SetText("still here");  // the class's own procedure goes on
  EXPECT_EQ(edit.Text(), "still here");

  // The window goes with its form first: the control is left without one,
  // rather than destroying a stranger's window later.
  const HWND field = edit.Handle();
  DestroyWindow(form->Handle());
  EXPECT_FALSE(IsWindow(field));
  EXPECT_EQ(edit.Handle(), nullptr);
}

}  // namespace
}  // namespace tessaly::win
