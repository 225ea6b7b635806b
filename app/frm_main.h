#pragma once
#include <memory>
#include <set>
#include <string>

#include "app/hotkeys.h"
#include "app/size_commands.h"
#include "bookmarks/cvbookmarks.h"
#include "bookmarks/win/win32_bookmark_files.h"
#include "bookmarks/win/win32_import_sources.h"
#include "controllers/ie_controller.h"
#include "controllers/ns_controller.h"
#include "controllers/win/win32_automation_platform.h"
#include "controllers/win/win32_netscape_platform.h"
#include "controllers/win/win32_window_platform.h"
#include "controllers/window_controller.h"
#include "framework/menu_item.h"
#include "framework/registry.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/menu_binding.h"
#include "framework/win/tray_icon.h"
#include "framework/win/win32_code_page.h"

namespace tessaly {

class HotkeyRegistrar;
class MenuGlyphs;

// The main window: the browser tab, the sizing and preview controls, the main
// menu, the tray icon with its menu, and the three controllers for the run.
class TfrmMain : public win::Form {
 public:
  explicit TfrmMain(Registry& registry);
  ~TfrmMain() override;

  void ReadWriteSettings(bool write);
  void SelectBrowser(const std::string& code);
  void BuildCustomSizeMenus();
  // Sizes the target to a custom size text; with "Size Page Area" checked,
  // the page inside the window gets the size.
  void SizeToCustom(int targetKind, const std::string& text);
  bool PageAreaSizing() const { return SizePageArea1->IsChecked(); }
  Controller& ControllerFor(int targetKind) { return Controllers().For(targetKind); }
  void ShowColorPreview(int targetKind, int paletteChoice);

 protected:
  bool CloseQuery() override;
  void FormClose() override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateControls();
  void CreateMainMenu();
  void CreateTrayMenu();
  void AddBrowserSubMenu(const std::string& caption, MenuItem*& customSizes);
  void CreateBookmarks();
  void ConnectImporters();
  ControllerSet Controllers();
  std::vector<HotkeyAssignment> StoredHotkeys();
  void RegisterHotkeys();
  // The stored keys that other programs hold, leaving none registered.
  std::set<std::string> TakenHotkeys();
  void HotkeyPressed(WPARAM id);
  void HideToTray();
  void SetMainMenuOwnerDraw(bool on) { mainMenuBinding_->SetOwnerDraw(on); }

  // Handlers.
  void TabControl1Change();
  void AlwaysonTop1Click();
  void AlwaysRunMinimized1Click();
  void SizePageArea1Click();
  void OtherSize1Click();
  void Exit1Click();
  void TrayIconDblClick();
  void TrayIconMouseMove();
  void TessalyHelp1Click();
  void TessalyHomePage1Click();
  void CheckforUpdate1Click();
  void About1Click();
  void EditCustomSizes1Click();
  void btnCustomSizeClick();
  void SizeTrayMenuClick(MenuItem& item);
  void btnWebViewClick();
  void TrayColorClick(MenuItem& item);
  void MainMenu1GetItemParams(MenuItem& item, win::MenuItemParams& params);
  void TrayMenu1GetItemParams(MenuItem& item, win::MenuItemParams& params);
  void TrayMenu1DrawMargin(HDC dc, const RECT& rect);
  void AddBookmark1Click();
  void OrganizeBookmarks1Click();
  void cvBookmarksItemClick(MenuItem& item);
  void InternetExplorerFavorites1Click();
  void NetscapeNavigatorBookmarks1Click();
  void bookmarkshtmFile1Click();
  void GoogleChromeBookmarks1Click();
  void MicrosoftEdgeBookmarks1Click();
  void OpenBookmarksinDefaultBrowser1Click();
  void Hotkeys1Click();

  Registry& registry_;

  // Controls, in the order of the design.
  std::unique_ptr<win::TabControl> TabControl1;
  std::unique_ptr<win::GroupBox> grpScreenResolution, grpCustomSize, grpColorDepth;
  std::unique_ptr<win::Label> lblTaskBar, Label1;
  std::unique_ptr<win::ComboBox> cbTaskBar, cbOfficeBar, cbCustomSizes, cbColorCount;
  std::unique_ptr<win::Button> btn640x480, btn800x600, btnWebTV, btn1024x768, btnCustomSize, btnWebView;

  // Menus.
  MenuItem MainMenu1;
  MenuItem TrayMenu1;
  MenuItem* AlwaysonTop1 = nullptr;
  MenuItem* AlwaysRunMinimized1 = nullptr;
  MenuItem* SizePageArea1 = nullptr;
  MenuItem* OpenBookmarksinDefaultBrowser1 = nullptr;
  MenuItem* Bookmarks1 = nullptr;
  MenuItem* Bookmarks2 = nullptr;
  MenuItem* CustomSizes1 = nullptr;
  MenuItem* CustomSizes2 = nullptr;
  MenuItem* CustomSizes3 = nullptr;
  std::unique_ptr<MenuGlyphs> menuIcons;
  std::unique_ptr<win::MenuBinding> mainMenuBinding_;
  std::unique_ptr<win::MenuBinding> trayMenuBinding_;
  std::unique_ptr<win::TrayIcon> TrayIcon;
  // The ANSI code page, for the bookmark files and Netscape's addresses.
  win::Win32CodePage codePage_;
  // After the menus: its entries leave them before the menus go.
  win::Win32BookmarkFiles bookmarkFiles_;
  win::Win32ImportSources importSources_;
  std::unique_ptr<TCorvaneBookmarks> cvBookmarks;

  // Controllers for the whole run.
  win::Win32AutomationPlatform automationPlatform_;
  win::Win32NetscapePlatform netscapePlatform_;
  win::Win32WindowPlatform windowPlatform_;
  std::unique_ptr<IEController> ieController;
  std::unique_ptr<NSController> nsController;
  std::unique_ptr<WindowController> windowController;
  Controller* currentController = nullptr;
  bool exitRequested = false;
  // Released first in the destructor, before the controllers they act through.
  std::unique_ptr<HotkeyRegistrar> hotkeys_;
};

}  // namespace tessaly
