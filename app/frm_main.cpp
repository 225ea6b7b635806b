#include "app/frm_main.h"

#include <shellapi.h>

#include "app/frm_about_box.h"
#include "app/hotkey_registrar.h"
#include "app/menu_glyphs.h"
#include "app/settings.h"
#include "app/version.h"
#include "bookmarks/bookmark_entry.h"
#include "framework/notice.h"
#include "framework/win/application.h"
#include "framework/win/modal_scope.h"
#include "framework/win/program_path.h"
#include "sizes/custom_size.h"
#include "sizes/win/frm_custom_sizes.h"
#include "update/win/frm_update.h"

namespace tessaly {

TfrmMain::TfrmMain(Registry& registry) : registry_(registry) {
  FormParams fp;
  fp.className = "TfrmMain";
  fp.caption = " Tessaly 2";
  fp.clientWidth = 200;
  fp.clientHeight = 283;
  fp.left = 1068;
  fp.top = 109;
  fp.hasMenuBar = true;
  CreateForm(fp);

  CreateControls();
  menuIcons = std::make_unique<MenuGlyphs>();
  CreateMainMenu();
  CreateTrayMenu();
  TrayIcon = std::make_unique<win::TrayIcon>(win::Application::Instance()->SmallIcon(), "Tessaly 2",
                                             trayMenuBinding_.get());
  TrayIcon->OnDblClick = [this] { TrayIconDblClick(); };
  TrayIcon->OnMouseMove = [this] { TrayIconMouseMove(); };
  CreateBookmarks();
  ConnectImporters();

  SetMainMenuOwnerDraw(true);
  exitRequested = false;
  ieController = std::make_unique<IEController>(automationPlatform_, kSupportAddress);
  nsController = std::make_unique<NSController>(netscapePlatform_, codePage_);
  windowController = std::make_unique<WindowController>(windowPlatform_);
  ReadWriteSettings(false);
  BuildCustomSizeMenus();
  hotkeys_ = std::make_unique<HotkeyRegistrar>(Handle());
  RegisterHotkeys();
  cbColorCount->SetItemIndex(0);
  cbTaskBar->SetItemIndex(1);
  cbOfficeBar->SetItemIndex(0);
}

TfrmMain::~TfrmMain() {
  hotkeys_.reset();
  ieController.reset();
  nsController.reset();
  windowController.reset();
}

void TfrmMain::CreateControls() {
  using win::Bounds;
  TabControl1 = std::make_unique<win::TabControl>(*this, Bounds{0, 0, 200, 283},
                                                  std::vector<std::string>{"Internet Explorer", "Netscape Navigator"});
  TabControl1->OnChange = [this] { TabControl1Change(); };

  // Group boxes lie on the tab control; their controls are placed relative to them.
  const int gx = 10, gy = 24;
  grpScreenResolution = std::make_unique<win::GroupBox>(*this, " Screen Resolution ", Bounds{gx, gy, 180, 140});
  lblTaskBar = std::make_unique<win::Label>(*this, "TaskBar:", Bounds{gx + 19, gy + 21, 42, 13});
  cbTaskBar = std::make_unique<win::ComboBox>(*this, Bounds{gx + 63, gy + 17, 106, 21},
                                              std::vector<std::string>{"Minimized", "Horizontal", "Vertical"});
  Label1 = std::make_unique<win::Label>(*this, "Office Bar:", Bounds{gx + 12, gy + 48, 50, 13});
  cbOfficeBar = std::make_unique<win::ComboBox>(
      *this, Bounds{gx + 63, gy + 44, 106, 21}, std::vector<std::string>{"Minimized/None", "Horizontal", "Vertical"});
  btn640x480 = std::make_unique<win::Button>(*this, "640 x 480", Bounds{gx + 7, gy + 76, 75, 25});
  btn800x600 = std::make_unique<win::Button>(*this, "800 x 600", Bounds{gx + 96, gy + 76, 75, 25});
  btnWebTV = std::make_unique<win::Button>(*this, "Web TV", Bounds{gx + 7, gy + 108, 75, 25});
  btn1024x768 = std::make_unique<win::Button>(*this, "1024 x 768", Bounds{gx + 96, gy + 108, 75, 25});

  const int cy = 168;
  grpCustomSize = std::make_unique<win::GroupBox>(*this, " Custom Window Size ", Bounds{gx, cy, 180, 49});
  cbCustomSizes = std::make_unique<win::ComboBox>(*this, Bounds{gx + 8, cy + 18, 81, 21});
  btnCustomSize = std::make_unique<win::Button>(*this, "Size", Bounds{gx + 96, cy + 16, 75, 25});

  const int py = 224;
  grpColorDepth = std::make_unique<win::GroupBox>(*this, " Page Color Depth", Bounds{gx, py, 180, 49});
  cbColorCount = std::make_unique<win::ComboBox>(*this, Bounds{gx + 8, py + 18, 81, 21},
                                                 std::vector<std::string>{"Web Safe", "MS Win 256"});
  btnWebView = std::make_unique<win::Button>(*this, "View", Bounds{gx + 97, py + 16, 75, 25});

  for (win::GroupBox* g : {grpScreenResolution.get(), grpCustomSize.get(), grpColorDepth.get()}) g->SendToBack();
  TabControl1->SendToBack();
  // Behind everything, the tabs come last in the tab order: they start with
  // the focus, so that Tab goes on from them to the controls on the page.
  SetActiveControl(TabControl1->Handle());

  btnWebTV->OnClick = [this] { currentController->SetPresetSize(0, 0, 0); };
  btn640x480->OnClick = [this] {
    currentController->SetPresetSize(1, cbTaskBar->ItemIndex(), cbOfficeBar->ItemIndex());
  };
  btn800x600->OnClick = [this] {
    currentController->SetPresetSize(2, cbTaskBar->ItemIndex(), cbOfficeBar->ItemIndex());
  };
  btn1024x768->OnClick = [this] {
    currentController->SetPresetSize(3, cbTaskBar->ItemIndex(), cbOfficeBar->ItemIndex());
  };
  btnCustomSize->OnClick = [this] { btnCustomSizeClick(); };
  btnWebView->OnClick = [this] { btnWebViewClick(); };
}

void TfrmMain::CreateMainMenu() {
  MenuItem& file = MainMenu1.Add("&File", {}, MenuItem::kTagTopLevel);
  file.Add("E&xit", [this](MenuItem&) { Exit1Click(); });

  MenuItem& options = MainMenu1.Add("&Options", {}, MenuItem::kTagTopLevel);
  AlwaysonTop1 = &options.Add("Always on Top", [this](MenuItem&) { AlwaysonTop1Click(); });
  AlwaysRunMinimized1 = &options.Add("Always Run Minimized", [this](MenuItem&) { AlwaysRunMinimized1Click(); });
  options.Add("Edit Custom Sizes...", [this](MenuItem&) { EditCustomSizes1Click(); });
  SizePageArea1 = &options.Add("Size Page Area", [this](MenuItem&) { SizePageArea1Click(); });
  options.Add("Hotkeys...", [this](MenuItem&) { Hotkeys1Click(); });
  OpenBookmarksinDefaultBrowser1 =
      &options.Add("Open Bookmarks in Default Browser", [this](MenuItem&) { OpenBookmarksinDefaultBrowser1Click(); });

  Bookmarks1 = &MainMenu1.Add("Bookmarks", {}, MenuItem::kTagTopLevel);
  Bookmarks1->Add("Add Bookmark...", [this](MenuItem&) { AddBookmark1Click(); });
  Bookmarks1->Add("Organize Bookmarks...", [this](MenuItem&) { OrganizeBookmarks1Click(); });
  MenuItem& smart = Bookmarks1->Add("Smart Import");
  smart.Add("Internet Explorer Favorites", [this](MenuItem&) { InternetExplorerFavorites1Click(); });
  smart.Add("Netscape Navigator Bookmarks", [this](MenuItem&) { NetscapeNavigatorBookmarks1Click(); });
  smart.Add("From File...", [this](MenuItem&) { bookmarkshtmFile1Click(); });
  smart.Add("Google Chrome Bookmarks", [this](MenuItem&) { GoogleChromeBookmarks1Click(); });
  smart.Add("Microsoft Edge Bookmarks", [this](MenuItem&) { MicrosoftEdgeBookmarks1Click(); });
  Bookmarks1->AddSeparator();

  MenuItem& help = MainMenu1.Add("&Help", {}, MenuItem::kTagTopLevel);
  help.Add("Tessaly Help", [this](MenuItem&) { TessalyHelp1Click(); });
  help.Add("Tessaly Home Page", [this](MenuItem&) { TessalyHomePage1Click(); });
  help.AddSeparator();
  help.Add("Check for Update...", [this](MenuItem&) { CheckforUpdate1Click(); });
  help.Add("&About...", [this](MenuItem&) { About1Click(); });

  mainMenuBinding_ = std::make_unique<win::MenuBinding>(MainMenu1, win::MenuBinding::Kind::Bar);
  mainMenuBinding_->Glyphs = menuIcons->Bitmap();
  mainMenuBinding_->GlyphWidth = MenuGlyphs::kCellWidth;
  mainMenuBinding_->OnGetItemParams = [this](MenuItem& item, win::MenuItemParams& p) {
    MainMenu1GetItemParams(item, p);
  };
  mainMenuBinding_->AttachTo(Handle());
  BindMenu(mainMenuBinding_.get());
}

void TfrmMain::AddBrowserSubMenu(const std::string& caption, MenuItem*& customSizes) {
  MenuItem& head = TrayMenu1.Add(caption, {}, MenuItem::kTagBrowserHead);
  MenuItem& color = head.Add("Check Color");
  color.Add("Web Safe", [this](MenuItem& item) { TrayColorClick(item); });
  color.Add("MS Win 256", [this](MenuItem& item) { TrayColorClick(item); });
  customSizes = &head.Add("Custom Sizes");
  head.AddSeparator();
  for (const char* preset : {"640 x 480", "800 x 600", "Web TV", "1024 x 768"})
    head.Add(preset, [this](MenuItem& item) { SizeTrayMenuClick(item); });
}

void TfrmMain::CreateTrayMenu() {
  Bookmarks2 = &TrayMenu1.Add("Bookmarks");
  TrayMenu1.Add("Add Bookmark...", [this](MenuItem&) { AddBookmark1Click(); });
  TrayMenu1.Add("Organize Bookmarks...", [this](MenuItem&) { OrganizeBookmarks1Click(); });
  TrayMenu1.AddSeparator();
  AddBrowserSubMenu("Internet Explorer", CustomSizes1);
  AddBrowserSubMenu("Netscape Navigator", CustomSizes2);
  AddBrowserSubMenu("Active Window", CustomSizes3);
  MenuItem& activeWindow = *CustomSizes3->Parent();
  activeWindow.AddSeparator();
  activeWindow.Add("Other Size...", [this](MenuItem&) { OtherSize1Click(); });
  TrayMenu1.AddSeparator();
  TrayMenu1.Add("Edit Custom Sizes...", [this](MenuItem&) { EditCustomSizes1Click(); });
  TrayMenu1.AddSeparator();
  TrayMenu1.Add("E&xit", [this](MenuItem&) { Exit1Click(); });

  trayMenuBinding_ = std::make_unique<win::MenuBinding>(TrayMenu1, win::MenuBinding::Kind::Popup);
  trayMenuBinding_->Glyphs = menuIcons->Bitmap();
  trayMenuBinding_->GlyphWidth = MenuGlyphs::kCellWidth;
  trayMenuBinding_->MarginWidth = 24;
  trayMenuBinding_->OnGetItemParams = [this](MenuItem& item, win::MenuItemParams& p) {
    TrayMenu1GetItemParams(item, p);
  };
  trayMenuBinding_->OnDrawMargin = [this](HDC dc, const RECT& r) { TrayMenu1DrawMargin(dc, r); };
  trayMenuBinding_->SetOwnerDraw(true);
}

ControllerSet TfrmMain::Controllers() {
  return ControllerSet{currentController, ieController.get(), nsController.get(), windowController.get()};
}

void TfrmMain::ReadWriteSettings(bool write) {
  if (write) {
    WindowSettings s;
    RECT r = WindowRect();
    s.left = r.left;
    s.top = r.top;
    s.runMinimized = AlwaysRunMinimized1->IsChecked();
    s.alwaysOnTop = AlwaysonTop1->IsChecked();
    s.sizePageArea = SizePageArea1->IsChecked();
    s.bookmarksInDefaultBrowser = OpenBookmarksinDefaultBrowser1->IsChecked();
    StoreWindowSettings(registry_, s, TabControl1->TabIndex());
    return;
  }
  WindowSettings s = ReadWindowSettings(registry_);
  SetPosition(s.left, s.top);
  if (s.runMinimized) AlwaysRunMinimized1->SetChecked(true);
  if (s.sizePageArea) SizePageArea1->SetChecked(true);
  if (s.bookmarksInDefaultBrowser) OpenBookmarksinDefaultBrowser1->SetChecked(true);
  if (s.alwaysOnTop) {
    AlwaysonTop1->SetChecked(true);
    SetMainMenuOwnerDraw(false);
    SetStayOnTop(true);
    SetMainMenuOwnerDraw(true);
  }
  SelectBrowser(s.browser);
}

void TfrmMain::SelectBrowser(const std::string& code) {
  if (code == "ns") {
    currentController = nsController.get();
    TabControl1->SetTabIndex(1);
  } else {
    currentController = ieController.get();
    TabControl1->SetTabIndex(0);
  }
}

void TfrmMain::TabControl1Change() {
  switch (TabControl1->TabIndex()) {
    case 0:
      SelectBrowser("ie");
      break;
    case 1:
      SelectBrowser("ns");
      break;
    default:
      break;
  }
}

void TfrmMain::AlwaysonTop1Click() {
  AlwaysonTop1->SetChecked(!AlwaysonTop1->IsChecked());
  SetMainMenuOwnerDraw(false);
  SetStayOnTop(AlwaysonTop1->IsChecked());
  SetMainMenuOwnerDraw(true);
}

void TfrmMain::AlwaysRunMinimized1Click() {
  AlwaysRunMinimized1->SetChecked(!AlwaysRunMinimized1->IsChecked());
}

void TfrmMain::SizePageArea1Click() {
  SizePageArea1->SetChecked(!SizePageArea1->IsChecked());
}

void TfrmMain::OpenBookmarksinDefaultBrowser1Click() {
  OpenBookmarksinDefaultBrowser1->SetChecked(!OpenBookmarksinDefaultBrowser1->IsChecked());
}

void TfrmMain::HideToTray() {
  Show();
  Hide();
  ShowWindow(win::Application::Instance()->Handle(), SW_HIDE);
}

bool TfrmMain::CloseQuery() {
  if (exitRequested) return true;
  HideToTray();
  return false;
}

void TfrmMain::FormClose() { ReadWriteSettings(true); }

void TfrmMain::TrayIconDblClick() {
  HWND app = win::Application::Instance()->Handle();
  if (IsWindowVisible(app)) {
    HideToTray();
  } else {
    ShowWindow(Handle(), SW_SHOW);
    ShowWindow(app, SW_SHOW);
    SetForegroundWindow(Handle());  // the form, not the application window, in front
  }
}

void TfrmMain::TrayIconMouseMove() {
  HWND w = GetForegroundWindow();
  const WindowHandle handle = reinterpret_cast<WindowHandle>(w);
  if (IsTrackableWindowClass(windowController->WindowClassName(handle))) windowController->SetTargetWindow(handle);
}

void TfrmMain::Exit1Click() {
  exitRequested = true;
  Close();
}

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_QUERYENDSESSION:
      // Ending the Windows session must not be refused by the close query.
      exitRequested = true;
      return TRUE;
    case WM_HOTKEY:
      // Under the modal rule a hotkey does nothing while a modal window is up.
      if (!win::ModalScope::Active()) HotkeyPressed(wp);
      return 0;
    case WM_ENDSESSION:
      if (wp) Close();  // stores the settings before the process goes
      return 0;
  }
  return Form::HandleMessage(msg, wp, lp);
}

void TfrmMain::TessalyHelp1Click() {
  const std::string file = win::ProgramDirectory() + "help\\index.htm";
  ShellExecuteA(Handle(), "open", file.c_str(), nullptr, nullptr, SW_SHOW);
}

void TfrmMain::TessalyHomePage1Click() {
  ShellExecuteA(Handle(), "open", Addresses().homePageUrl.c_str(), nullptr, nullptr, SW_SHOW);
}

void TfrmMain::CheckforUpdate1Click() {
  int outcome = 0;
  {
    TfrmUpdate frmUpdate(registry_, Addresses(), kVersionText, kBetaNumber);
    outcome = frmUpdate.ShowModal();
  }
  // The user agreed to install the downloaded update, which now runs.
  if (outcome == TfrmUpdate::kInstallStarted) {
    exitRequested = true;
    Close();
  }
}

void TfrmMain::About1Click() {
  TfrmAboutBox aboutBox;
  aboutBox.ShowModal();
}

void TfrmMain::EditCustomSizes1Click() {
  const std::vector<std::string> before = LoadCustomSizes(registry_);
  {
    TfrmCustomSizes editor(registry_);
    editor.ShowModal();
  }
  BuildCustomSizeMenus();
  // A size that left the list takes its hotkey with it.
  if (RemoveHotkeysOfRemovedSizes(registry_, before, LoadCustomSizes(registry_))) RegisterHotkeys();
}

void TfrmMain::btnCustomSizeClick() {
  if (cbCustomSizes->ItemIndex() >= 0) {
    SizeToCustom(kTargetCurrent, cbCustomSizes->Item(cbCustomSizes->ItemIndex()));
    return;
  }
  if (win::Application::ShowMessageBox(Handle(),
                                      "There are no custom sizes defined.\nWould you like to define a custom size?",
                                      kNoticeCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
    EditCustomSizes1Click();
}

void TfrmMain::SizeToCustom(int targetKind, const std::string& text) {
  tessaly::SizeToCustom(Controllers(), targetKind, text, PageAreaSizing());
}

void TfrmMain::SizeTrayMenuClick(MenuItem& item) {
  tessaly::SizeTrayMenuClick(item, Controllers(), cbTaskBar->ItemIndex(), cbOfficeBar->ItemIndex(),
                             PageAreaSizing());
}

void TfrmMain::BuildCustomSizeMenus() {
  cbCustomSizes->Clear();
  for (MenuItem* m : {CustomSizes1, CustomSizes2, CustomSizes3}) m->Clear();
  for (const std::string& name : LoadCustomSizes(registry_)) {
    cbCustomSizes->Add(name);
    for (MenuItem* m : {CustomSizes1, CustomSizes2, CustomSizes3})
      m->Add(name, [this](MenuItem& item) { SizeTrayMenuClick(item); });
  }
  cbCustomSizes->SetItemIndex(0);
}

void TfrmMain::MainMenu1GetItemParams(MenuItem& item, win::MenuItemParams& params) {
  params.fontName = "Arial";
  switch (item.HelpContext) {
    case MenuItem::kTagOrdinary:
      params.glyph = MenuGlyphs::kEmpty;
      break;
    case MenuItem::kTagChecked:
      params.glyph = MenuGlyphs::kCheck;
      break;
    case MenuItem::kTagBookmarkEntry:
      params.glyph = IsFolder(item) ? MenuGlyphs::kFolder : MenuGlyphs::kPage;
      break;
    default:
      params.glyph = -1;
  }
}

void TfrmMain::TrayMenu1GetItemParams(MenuItem& item, win::MenuItemParams& params) {
  params.fontName = "Arial";
  params.glyph = -1;
  if (item.IsBookmarkEntry()) params.glyph = IsFolder(item) ? MenuGlyphs::kFolder : MenuGlyphs::kPage;
}

void TfrmMain::TrayMenu1DrawMargin(HDC dc, const RECT& rect) {
  // Gradient in 32 bands from the active caption colour at the top to black.
  const COLORREF top = GetSysColor(COLOR_ACTIVECAPTION);
  const int bands = 32;
  const int height = rect.bottom - rect.top;
  for (int i = 0; i < bands; ++i) {
    const int f = bands - 1 - i;  // weight of the caption colour, bands-1 .. 0
    COLORREF c = RGB(GetRValue(top) * f / (bands - 1), GetGValue(top) * f / (bands - 1),
                     GetBValue(top) * f / (bands - 1));
    RECT band{rect.left, rect.top + height * i / bands, rect.right - 3, rect.top + height * (i + 1) / bands};
    win::UniqueBrush brush(CreateSolidBrush(c));
    FillRect(dc, &band, brush.Get());
  }
  RECT edge{rect.right - 3, rect.top, rect.right, rect.bottom};
  FillRect(dc, &edge, GetSysColorBrush(COLOR_MENU));
  {
    win::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    win::SelectObjectScope sel(dc, shadow.Get());
    MoveToEx(dc, rect.right - 2, rect.bottom, nullptr);
    LineTo(dc, rect.right - 2, rect.top);
  }
  {
    win::UniquePen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    win::SelectObjectScope sel(dc, light.Get());
    MoveToEx(dc, rect.right - 1, rect.bottom, nullptr);
    LineTo(dc, rect.right - 1, rect.top);
  }
  // "Tessaly 2" in white bold Arial 13 pt, turned to read from bottom to top.
  const int pixels = -MulDiv(13, GetDeviceCaps(dc, LOGPIXELSY), 72);
  win::UniqueFont font(CreateFontA(pixels, 0, 900, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
  win::SelectObjectScope sel(dc, font.Get());
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  const char* title = "Tessaly 2";
  ExtTextOutA(dc, rect.left + 1, rect.bottom - 5, ETO_CLIPPED, &rect, title, lstrlenA(title), nullptr);
}

}  // namespace tessaly
