// Subcommands about the controls inside a top-level window: listing, reading and
// operating them the way a user's input would reach the program.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/remote_memory.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

HWND TopOf(const Args& args) {
  HWND top = FindTopLevel(WindowPattern{args[0], args[1]});
  if (!top) std::fprintf(stderr, "no window %s \"%s\"\n", args[0].c_str(), args[1].c_str());
  return top;
}

// The control named by arguments 0..2 (window pattern, index among its kind).
HWND ControlOf(const Args& args, ControlKind kind) {
  long long index = 0;
  if (!ParseInt(args[2], index)) return nullptr;
  HWND top = TopOf(args);
  return top ? NthDescendant(top, kind, index) : nullptr;
}

// Tells the control's parent what a user's action on the control would tell it.
void NotifyParent(HWND control, WORD code) {
  PostMessageW(GetParent(control), WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
               reinterpret_cast<LPARAM>(control));
}

int Children(const Args& args) {
  HWND top = TopOf(args);
  if (!top) return kNotFound;
  for (HWND child : Descendants(top)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
    Line(ClassOf(child) + "\t" + OneLine(TextOf(child)) + "\t" + std::to_string(rect.left) + "," +
         std::to_string(rect.top) + "," + std::to_string(rect.right - rect.left) + "," +
         std::to_string(rect.bottom - rect.top) + "\t" + (IsWindowVisible(child) ? "1" : "0") +
         "\t" + (IsWindowEnabled(child) ? "1" : "0") + "\t" + std::to_string(GetDlgCtrlID(child)) +
         "\t" + HandleText(child));
  }
  return kOk;
}

// Combo boxes and list boxes differ only in their message numbers.
struct ItemMessages {
  ControlKind kind;
  UINT count, text_length, text, current, set_current;
  WORD selection_changed;
};
const ItemMessages kCombo{ControlKind::kComboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                          CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE};
const ItemMessages kList{ControlKind::kListBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT,
                         LB_GETCURSEL, LB_SETCURSEL, LBN_SELCHANGE};

// Read with the wide messages: across processes Wine's ANSI variant returned
// only the first character.
std::vector<std::string> ItemsOf(HWND control, const ItemMessages& m) {
  std::vector<std::string> items;
  LRESULT count = SendWide(control, m.count, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendWide(control, m.text_length, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    LRESULT got = SendWide(control, m.text, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    items.push_back(ToUtf8(text));
  }
  return items;
}

int ListItems(const Args& args, const ItemMessages& m) {
  HWND control = ControlOf(args, m.kind);
  if (!control) return kNotFound;
  Line("selected " + std::to_string(static_cast<long long>(SendWide(control, m.current, 0, 0))));
  for (const std::string& item : ItemsOf(control, m)) Line("item " + OneLine(item));
  return kOk;
}

int SelectItem(const Args& args, const ItemMessages& m) {
  HWND control = ControlOf(args, m.kind);
  if (!control) return kNotFound;
  std::vector<std::string> items = ItemsOf(control, m);
  long long index = -1;
  if (!ParseInt(args[3], index)) {
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == args[3]) index = static_cast<long long>(i);
  }
  if (index < 0 || index >= static_cast<long long>(items.size())) return kNotFound;
  LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  if (m.kind == ControlKind::kListBox && (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) {
    SendWide(control, LB_SETSEL, FALSE, -1);
    SendWide(control, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
    SendWide(control, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  } else {
    SendWide(control, m.set_current, static_cast<WPARAM>(index), 0);
  }
  NotifyParent(control, m.selection_changed);
  return kOk;
}

int ComboItems(const Args& args) { return ListItems(args, kCombo); }

// Every combo box of the window in z-order: a "combo SELECTED" line, then its items.
int Combos(const Args& args) {
  HWND top = TopOf(args);
  if (!top) return kNotFound;
  for (HWND child : Descendants(top)) {
    if (!IsKind(child, ControlKind::kComboBox)) continue;
    Line("combo " + std::to_string(static_cast<long long>(SendWide(child, CB_GETCURSEL, 0, 0))));
    for (const std::string& item : ItemsOf(child, kCombo)) Line("item " + OneLine(item));
  }
  return kOk;
}

int ListBoxItems(const Args& args) { return ListItems(args, kList); }
int SelectCombo(const Args& args) { return SelectItem(args, kCombo); }
int SelectList(const Args& args) { return SelectItem(args, kList); }

HWND FirstTabControl(const Args& args) {
  HWND top = TopOf(args);
  return top ? NthDescendant(top, ControlKind::kTabControl, 0) : nullptr;
}

int TabIndex(const Args& args) {
  HWND tab = FirstTabControl(args);
  if (!tab) return kNotFound;
  Line(std::to_string(static_cast<long long>(SendWide(tab, TCM_GETCURSEL, 0, 0))));
  return kOk;
}

// The tabs' texts and screen rectangles, read as accessibility tools read them:
// TCM_GETITEM and TCM_GETITEMRECT carry pointers, so they point into memory of
// the program's own process.
int TabItems(const Args& args) {
  HWND tab = FirstTabControl(args);
  if (!tab) return kNotFound;
  const LRESULT count = SendWide(tab, TCM_GETITEMCOUNT, 0, 0);
  Line("count " + std::to_string(static_cast<long long>(count)));
  constexpr int kTextMax = 256;
  const size_t textAt = sizeof(TCITEMW), rectAt = textAt + kTextMax * sizeof(wchar_t);
  RemoteMemory remote(tab, rectAt + sizeof(RECT));
  if (!remote.ok()) return kNotFound;
  for (LRESULT i = 0; i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPWSTR>(remote.at(textAt));
    item.cchTextMax = kTextMax;
    std::wstring text(kTextMax, L'\0');
    RECT rect{};
    if (!remote.Write(0, &item, sizeof item) ||
        !SendWide(tab, TCM_GETITEMW, static_cast<WPARAM>(i), remote.at()) ||
        !remote.Read(textAt, &text[0], kTextMax * sizeof(wchar_t)) ||
        !SendWide(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), remote.at(rectAt)) ||
        !remote.Read(rectAt, &rect, sizeof rect))
      return kNotFound;
    text.resize(wcsnlen(text.c_str(), kTextMax));
    MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    Line("item " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + " " + OneLine(ToUtf8(text)));
  }
  return kOk;
}

// Setting the focus tab (not the selection) makes the control send its parent
// the same change notifications as a click on the tab.
int TabSelect(const Args& args) {
  long long index = 0;
  if (!ParseInt(args[2], index)) return kUsage;
  HWND tab = FirstTabControl(args);
  if (!tab) return kNotFound;
  if (index < 0 || index >= SendWide(tab, TCM_GETITEMCOUNT, 0, 0)) return kNotFound;
  SendWide(tab, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
  return SendWide(tab, TCM_GETCURSEL, 0, 0) == index ? kOk : kNotFound;
}

// The window with the keyboard focus in the foreground window's thread.
int Focus(const Args&) {
  HWND front = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!front || !GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info) || !info.hwndFocus)
    return kNotFound;
  Line(ClassOf(info.hwndFocus) + "\t" + OneLine(TextOf(info.hwndFocus)) + "\t" + HandleText(info.hwndFocus));
  return kOk;
}

// Posted, so that a modal window the button opens does not block the driver.
int Click(const Args& args) {
  HWND top = TopOf(args);
  if (!top) return kNotFound;
  std::string seen;
  for (HWND child : Descendants(top)) {
    if (!IsKind(child, ControlKind::kButton)) continue;
    const std::string caption = TextOf(child);
    if (caption == args[2] || WithoutAccelerator(caption) == args[2]) {
      PostMessageW(child, BM_CLICK, 0, 0);
      return kOk;
    }
    seen += " \"" + caption + "\"";
  }
  std::fprintf(stderr, "no such button; the window's buttons:%s\n", seen.c_str());
  return kNotFound;
}

int SetText(const Args& args) {
  HWND edit = ControlOf(args, ControlKind::kEdit);
  if (!edit) return kNotFound;
  std::wstring text = FromUtf8(args[3]);
  SendWide(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return TextOf(edit) == args[3] ? kOk : kNotFound;
}

// Types text into an edit box as the keyboard would reach it: one WM_CHAR
// per UTF-16 unit, posted with the wide call, so that the program's message
// loop, the box and its window procedure each have to keep every character.
int TypeWide(const Args& args) {
  HWND edit = ControlOf(args, ControlKind::kEdit);
  if (!edit) return kNotFound;
  for (wchar_t unit : FromUtf8(args[3]))
    if (!PostMessageW(edit, WM_CHAR, static_cast<WPARAM>(unit), 1)) return kNotFound;
  return kOk;
}

int GetText(const Args& args) {
  HWND edit = ControlOf(args, ControlKind::kEdit);
  if (!edit) return kNotFound;
  Line(OneLine(TextOf(edit)));
  return kOk;
}

// The first progress bar's position and range.
int Progress(const Args& args) {
  HWND top = TopOf(args);
  if (!top) return kNotFound;
  for (HWND child : Descendants(top)) {
    if (ClassOf(child) != PROGRESS_CLASSA) continue;
    // Without a PBRANGE pointer the limit asked for comes back as the result.
    const LRESULT low = SendWide(child, PBM_GETRANGE, TRUE, 0);
    const LRESULT high = SendWide(child, PBM_GETRANGE, FALSE, 0);
    Line("position " + std::to_string(static_cast<long long>(SendWide(child, PBM_GETPOS, 0, 0))));
    Line("range " + std::to_string(static_cast<long long>(low)) + " " + std::to_string(static_cast<long long>(high)));
    return kOk;
  }
  return kNotFound;
}

}  // namespace

std::vector<Command> ControlCommands() {
  return {
      {"children", 2, "CLASS TITLE", Children},
      {"combo-items", 3, "CLASS TITLE INDEX", ComboItems},
      {"combos", 2, "CLASS TITLE", Combos},
      {"list-items", 3, "CLASS TITLE INDEX", ListBoxItems},
      {"select-combo", 4, "CLASS TITLE INDEX ITEM(index or text)", SelectCombo},
      {"select-list", 4, "CLASS TITLE INDEX ITEM(index or text)", SelectList},
      {"tab-index", 2, "CLASS TITLE", TabIndex},
      {"tab-items", 2, "CLASS TITLE", TabItems},
      {"tab-select", 3, "CLASS TITLE INDEX", TabSelect},
      {"focus", 0, "", Focus},
      {"click", 3, "CLASS TITLE BUTTONCAPTION", Click},
      {"set-text", 4, "CLASS TITLE CHILDINDEX TEXT", SetText},
      {"get-text", 3, "CLASS TITLE CHILDINDEX", GetText},
      {"type-wide", 4, "CLASS TITLE EDITINDEX TEXT", TypeWide},
      {"progress", 2, "CLASS TITLE", Progress},
  };
}

}  // namespace tdriver
