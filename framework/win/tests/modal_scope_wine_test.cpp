// The modal rule of the program's windows: while a form runs modally the
// program's other windows are disabled and a modal window is known to be up;
// a quit message ends the modal loop and is left for the main loop.
#include "framework/win/modal_scope.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/win/application.h"
#include "framework/win/form.h"

namespace tessaly::win {
namespace {

// A form that runs code from inside its own modal loop (a posted WM_APP).
class ProbeForm : public Form {
 public:
  explicit ProbeForm(const char* className) {
    FormParams fp;
    fp.className = className;
    fp.clientWidth = 120;
    fp.clientHeight = 60;
    CreateForm(fp);
  }
  std::function<void()> OnApp;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP && OnApp) {
      OnApp();
      return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
  }
};

bool QuitWaits() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void TakeQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

TEST(ModalScopeOnWine, AModalFormDisablesTheOthersUntilItEnds) {
  Application app;
  ProbeForm main("TModalTestMain");
  main.Show();
  ProbeForm dialog("TModalTestDialog");
  bool upInside = false, mainEnabledInside = true, dialogEnabledInside = false;
  dialog.OnApp = [&] {
    upInside = ModalScope::Active();
    mainEnabledInside = IsWindowEnabled(main.Handle()) != FALSE;
    dialogEnabledInside = IsWindowEnabled(dialog.Handle()) != FALSE;
    dialog.EndModal(IDOK);
  };
  EXPECT_FALSE(ModalScope::Active());
  PostMessageA(dialog.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  EXPECT_TRUE(upInside);
  EXPECT_FALSE(mainEnabledInside) << "the main window took input under a modal form";
  EXPECT_TRUE(dialogEnabledInside);
  EXPECT_FALSE(ModalScope::Active());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

TEST(ModalScopeOnWine, ScopesNest) {
  Application app;
  ProbeForm main("TModalTestNestMain");
  main.Show();
  {
    ModalScope outer;
    EXPECT_FALSE(IsWindowEnabled(main.Handle()));
    {
      ModalScope inner;
      EXPECT_TRUE(ModalScope::Active());
    }
    EXPECT_TRUE(ModalScope::Active()) << "the inner scope ended the outer one";
    EXPECT_FALSE(IsWindowEnabled(main.Handle())) << "the inner scope enabled what the outer disabled";
  }
  EXPECT_FALSE(ModalScope::Active());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

TEST(ModalScopeOnWine, AQuitMessageEndsTheModalLoopAndIsLeftForTheMainLoop) {
  Application app;
  ProbeForm main("TModalTestQuitMain");
  main.Show();
  ProbeForm dialog("TModalTestQuitDialog");
  dialog.OnApp = [] { PostQuitMessage(0); };  // the end of the session, say
  PostMessageA(dialog.Handle(), WM_APP, 0, 0);
  dialog.ShowModal();
  EXPECT_TRUE(QuitWaits()) << "the modal loop swallowed the quit";
  EXPECT_FALSE(ModalScope::Active());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_TRUE(Application::Ending());
  EXPECT_FALSE(Application::ProcessPendingMessages()) << "a wait would go on while the program ends";
  EXPECT_TRUE(QuitWaits());
  TakeQuit();
}

}  // namespace
}  // namespace tessaly::win
