// The menu binding on the real platform: commands by position at any item
// count, sub-menus built when they open and released, no recursion with depth.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/menu_item.h"
#include "framework/win/menu_binding.h"
#include "framework/win/menu_router.h"
#include "framework/win/window.h"

namespace tessaly::win {
namespace {

// A hidden window that owns menus and routes their messages, as forms do.
class Owner : public Window {
 public:
  Owner() {
    CreateParams p;
    p.className = "TMenuTestOwner";
    p.style = WS_POPUP;
    Create(p);
  }
  MenuRouter router;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    LRESULT result = 0;
    if (router.Route(Handle(), msg, wp, lp, result)) return result;
    return Window::HandleMessage(msg, wp, lp);
  }
};

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Keys the menu loop reads from the queue once the menu is up.
void PostKeys(HWND window, std::initializer_list<WPARAM> keys) {
  for (WPARAM key : keys) PostMessageA(window, WM_KEYDOWN, key, 0);
}

void Init(Owner& owner, HMENU menu) {
  SendMessageA(owner.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
}

// Frees a chain link by link from the top, each once its child is taken out,
// so that the test itself never recurses with the depth.
void DismantleChain(MenuItem& root) {
  if (root.Count() == 0) return;
  std::unique_ptr<MenuItem> link = root.Remove(0);
  while (link->Count() > 0) link = link->Remove(0);
}

TEST(MenuBindingWine, EveryItemOfAHugeSubMenuIsReachable) {
  Owner owner;
  MenuItem root;
  std::string chosen;
  auto record = [&chosen](MenuItem& item) { chosen = item.Caption; };
  root.Add("First", record);
  MenuItem& folder = root.Add("Folder");
  for (int i = 0; i <= 10000; ++i) folder.Add("entry " + std::to_string(i), record);
  MenuBinding binding(root, MenuBinding::Kind::Popup);
  binding.SetOwnerDraw(true);
  owner.router.Add(&binding);

  // Down to "Folder", open it (built now), to its last entry, choose it.
  PostKeys(owner.Handle(), {VK_DOWN, VK_DOWN, VK_RIGHT, VK_END, VK_RETURN});
  binding.Popup(owner.Handle(), 10, 10);
  PumpMessages();
  EXPECT_EQ(chosen, "entry 10000");
}

TEST(MenuBindingWine, ManyBindingsRouteTheirOwnItemsAndLeaveNoMenuBehind) {
  Owner owner;
  constexpr int kBindings = 40;  // far more than there were id ranges
  std::vector<std::unique_ptr<MenuItem>> roots;
  std::vector<std::unique_ptr<MenuBinding>> bindings;
  std::vector<int> clicks;
  for (int i = 0; i < kBindings; ++i) {
    roots.push_back(std::make_unique<MenuItem>());
    roots.back()->Add("other");
    roots.back()->Add("mine", [&clicks, i](MenuItem&) { clicks.push_back(i); });
    bindings.push_back(std::make_unique<MenuBinding>(*roots.back(), MenuBinding::Kind::Popup));
    owner.router.Add(bindings.back().get());
  }
  std::vector<HMENU> handles;
  for (auto& b : bindings) {
    Init(owner, b->Handle());
    handles.push_back(b->Handle());
  }
  for (auto h = handles.rbegin(); h != handles.rend(); ++h)
    SendMessageA(owner.Handle(), WM_MENUCOMMAND, 1, reinterpret_cast<LPARAM>(*h));
  // A dialog's OK and Cancel reach the same window and are no menu's.
  SendMessageA(owner.Handle(), WM_COMMAND, IDOK, 0);
  SendMessageA(owner.Handle(), WM_COMMAND, IDCANCEL, 0);
  ASSERT_EQ(clicks.size(), static_cast<size_t>(kBindings));
  for (int i = 0; i < kBindings; ++i) EXPECT_EQ(clicks[static_cast<size_t>(i)], kBindings - 1 - i);

  bindings.clear();
  for (HMENU h : handles) EXPECT_FALSE(IsMenu(h));
}

TEST(MenuBindingWine, SubMenusAreBuiltWhenTheyOpenAndFreedWhenTheirParentIsRebuilt) {
  Owner owner;
  MenuItem root;
  MenuItem& a = root.Add("Folder A");
  a.Add("Sub B").Add("x");
  a.Add("y");
  root.Add("Plain");
  auto binding = std::make_unique<MenuBinding>(root, MenuBinding::Kind::Popup);
  binding->SetOwnerDraw(true);
  owner.router.Add(binding.get());

  Init(owner, binding->Handle());
  ASSERT_EQ(GetMenuItemCount(binding->Handle()), 2);
  HMENU menuA = GetSubMenu(binding->Handle(), 0);
  ASSERT_TRUE(menuA) << "a head shows its arrow before it is opened";
  EXPECT_EQ(GetMenuItemCount(menuA), 0);
  EXPECT_EQ(binding->MenuCount(), 2u);

  Init(owner, menuA);
  ASSERT_EQ(GetMenuItemCount(menuA), 2);
  HMENU menuB = GetSubMenu(menuA, 0);
  EXPECT_EQ(GetMenuItemCount(menuB), 0);
  EXPECT_EQ(binding->MenuCount(), 3u);
  EXPECT_EQ(binding->ItemAt(menuA, 1), &a[1]);

  // What a screen reader reads from an owner-drawn item.
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfoW(menuA, 0, TRUE, &info));
  const auto* accessible = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
  EXPECT_EQ(accessible->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
  EXPECT_EQ(std::wstring(accessible->pszWText, accessible->cchWText), L"Sub B");

  // A change while closed shows at the next opening; nothing stale is chosen.
  a.Remove(1);
  EXPECT_EQ(binding->ItemAt(menuA, 1), nullptr);
  Init(owner, binding->Handle());
  EXPECT_FALSE(IsMenu(menuA));
  EXPECT_FALSE(IsMenu(menuB));
  EXPECT_EQ(binding->MenuCount(), 2u);

  HMENU rootMenu = binding->Handle();
  binding.reset();
  EXPECT_FALSE(IsMenu(rootMenu));
}

TEST(MenuBindingWine, ACommandForAMenuRebuiltMeanwhileChoosesNothingStale) {
  Owner owner;
  MenuItem root;
  std::string chosen;
  root.Add("First", [&chosen](MenuItem& item) { chosen = item.Caption; });
  root.Add("Second", [&chosen](MenuItem& item) { chosen = item.Caption; });
  MenuBinding binding(root, MenuBinding::Kind::Popup);
  owner.router.Add(&binding);
  SendMessageA(owner.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(binding.Handle()), 0);
  const HMENU shown = binding.Handle();

  // The tree changes while the menu is on the screen: the second entry goes.
  root.DeleteFrom(1);
  SendMessageA(owner.Handle(), WM_MENUCOMMAND, 1, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(chosen, "") << "a command reached an entry that had gone";
  SendMessageA(owner.Handle(), WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(chosen, "First");

  // Rebuilt under a different entry at the same place: still nothing stale.
  chosen.clear();
  root.DeleteFrom(0);
  root.Add("Other", [&chosen](MenuItem& item) { chosen = "other:" + item.Caption; });
  SendMessageA(owner.Handle(), WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(chosen, "") << "a command for the old menu chose the entry that took its place";
}

// Opens 12,000 levels of a chain, or as many as the platform gives menus
// (Windows allows a process about 10,000), frees them by rebuilding the top,
// opens them again and lets the binding's end free them. Runs on a thread with
// a stack of 1 MB, which a walk that recursed once per level would overflow.
struct DeepChain {
  MenuItem root;
  bool finished = false;  // a thread that overflows its stack may end quietly
};

DWORD WINAPI OpenAndFreeDeepChain(void* param) {
  DeepChain& chain = *static_cast<DeepChain*>(param);
  MenuItem& root = chain.root;
  HMENU deepest = nullptr;
  {
    MenuBinding binding(root, MenuBinding::Kind::Popup);
    auto openAll = [&binding] {
      HMENU menu = binding.Handle();
      for (int level = 0; level < 12000 && binding.InitPopup(menu) && GetSubMenu(menu, 0); ++level)
        menu = GetSubMenu(menu, 0);
      return menu;
    };
    deepest = openAll();
    EXPECT_GT(binding.MenuCount(), 9000u);
    binding.InitPopup(binding.Handle());  // frees every level below the top
    EXPECT_FALSE(IsMenu(deepest));
    EXPECT_EQ(binding.MenuCount(), 2u);
    deepest = openAll();
  }
  EXPECT_FALSE(IsMenu(deepest));
  chain.finished = true;
  return 0;
}

TEST(MenuBindingWine, AHundredThousandFoldersDeepOpenAndCloseWithoutRecursion) {
  DeepChain chain;
  MenuItem* link = &chain.root;
  for (int i = 0; i < 100000; ++i) link = &link->Add("level " + std::to_string(i));
  link->Add("page");
  HANDLE thread =
      CreateThread(nullptr, 1 << 20, OpenAndFreeDeepChain, &chain, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  ASSERT_TRUE(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_TRUE(chain.finished);
  DismantleChain(chain.root);
}

}  // namespace
}  // namespace tessaly::win
