// The floor for the start-up figure: a plain Win32 program that builds the
// same main window with the same standard controls (tab control, three group
// boxes, two labels, four drop-down lists, six buttons), the menu bar with the
// same items, a hidden owner window and a tray icon, and nothing else.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// A frame over the tab control paints its inside, which the tab control,
// clipped by its siblings, leaves unpainted.
WNDPROC g_buttonProc = nullptr;
LRESULT CALLBACK GroupBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(h, &r);
    FillRect(reinterpret_cast<HDC>(w), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return CallWindowProcA(g_buttonProc, h, m, w, l);
}

HMENU Popup(const char* const* items) {
  HMENU menu = CreatePopupMenu();
  UINT id = 100;
  for (; *items; ++items) {
    if (**items) {
      AppendMenuA(menu, MF_STRING, id++, *items);
    } else {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    }
  }
  return menu;
}

HMENU MenuBar() {
  const char* const file[] = {"E&xit", nullptr};
  const char* const options[] = {"Always on Top", "Always Run Minimized", "Edit Custom Sizes...", nullptr};
  const char* const bookmarks[] = {"Add Bookmark...", "Organize Bookmarks...", nullptr};
  const char* const smart[] = {"Internet Explorer Favorites", "Netscape Navigator Bookmarks", "From File...",
                               nullptr};
  const char* const help[] = {"Tessaly Help", "Tessaly Home Page", "", "Check for Update...", "&About...",
                              nullptr};
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(file)), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(options)), "&Options");
  HMENU marks = Popup(bookmarks);
  AppendMenuA(marks, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(smart)), "Smart Import");
  AppendMenuA(marks, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(marks), "Bookmarks");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(help)), "&Help");
  return bar;
}

struct Builder {
  HWND parent;
  HFONT font;
  HWND Add(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, DWORD ex = 0) {
    HWND c = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
  }
  HWND Combo(int x, int y, int w, const char* const* items) {
    HWND c = Add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x, y, w, 200);
    for (; *items; ++items) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*items));
    SendMessageA(c, CB_SETCURSEL, 0, 0);
    return c;
  }
  HWND Button(const char* text, int x, int y) { return Add("BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, x, y, 75, 25); }
};

void BuildControls(HWND form, HFONT font) {
  Builder b{form, font};
  HWND tab = b.Add(WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH | TCS_FORCELABELLEFT, 0, 0,
                   200, 283);
  SendMessageA(tab, TCM_SETPADDING, 0, MAKELPARAM(3, 3));
  SendMessageA(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(97, 0));
  const char* const tabs[] = {"Internet Explorer", "Netscape Navigator"};
  for (int i = 0; i < 2; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabs[i]);
    SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  const char* const bars[] = {"Minimized", "Horizontal", "Vertical", nullptr};
  const char* const office[] = {"Minimized/None", "Horizontal", "Vertical", nullptr};
  const char* const none[] = {nullptr};
  const char* const colors[] = {"Web Safe", "MS Win 256", nullptr};
  const int gx = 10, gy = 24, cy = 168, py = 224;
  HWND groups[] = {b.Add("BUTTON", " Screen Resolution ", BS_GROUPBOX | WS_CLIPSIBLINGS, gx, gy, 180, 140),
                   b.Add("BUTTON", " Custom Window Size ", BS_GROUPBOX | WS_CLIPSIBLINGS, gx, cy, 180, 49),
                   b.Add("BUTTON", " Page Color Depth", BS_GROUPBOX | WS_CLIPSIBLINGS, gx, py, 180, 49)};
  b.Add("STATIC", "TaskBar:", SS_LEFT, gx + 19, gy + 21, 42, 13);
  b.Combo(gx + 63, gy + 17, 106, bars);
  b.Add("STATIC", "Office Bar:", SS_LEFT, gx + 12, gy + 48, 50, 13);
  b.Combo(gx + 63, gy + 44, 106, office);
  b.Button("640 x 480", gx + 7, gy + 76);
  b.Button("800 x 600", gx + 96, gy + 76);
  b.Button("Web TV", gx + 7, gy + 108);
  b.Button("1024 x 768", gx + 96, gy + 108);
  b.Combo(gx + 8, cy + 18, 81, none);
  b.Button("Size", gx + 96, cy + 16);
  b.Combo(gx + 8, py + 18, 81, colors);
  b.Button("View", gx + 97, py + 16);
  for (HWND g : groups) {
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc)));
    SetWindowPos(g, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON icon = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  HICON smallIcon = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                  LR_DEFAULTCOLOR));
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.lpszClassName = "PlainOwner";
  RegisterClassExA(&wc);
  wc.lpszClassName = "PlainWindow";
  RegisterClassExA(&wc);

  HWND owner = CreateWindowExA(0, "PlainOwner", "Plain", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                               0, 0, 0, nullptr, nullptr, inst, nullptr);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, exStyle = WS_EX_CONTROLPARENT;
  RECT r{0, 0, 200, 283};
  AdjustWindowRectEx(&r, style, TRUE, exStyle);
  HWND form = CreateWindowExA(exStyle, "PlainWindow", " Plain", style, 1068, 109, r.right - r.left,
                              r.bottom - r.top, owner, MenuBar(), inst, nullptr);
  HFONT font = CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           "MS Sans Serif");
  BuildControls(form, font);

  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = owner;
  nid.uID = 1;
  nid.uFlags = NIF_ICON | NIF_TIP;
  nid.hIcon = smallIcon;
  lstrcpynA(nid.szTip, "Plain", sizeof(nid.szTip));
  Shell_NotifyIconA(NIM_ADD, &nid);

  ShowWindow(form, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Shell_NotifyIconA(NIM_DELETE, &nid);
  DeleteObject(font);
  DestroyIcon(smallIcon);
  DestroyIcon(icon);
  return 0;
}
