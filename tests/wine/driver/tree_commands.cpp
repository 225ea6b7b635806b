// A subcommand about tree-view controls: the rows a user sees, each with its
// depth, its label's rectangle, its picture, its state and its text, so that
// tests point at items with the real mouse and check what the tree shows.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/remote_memory.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

HWND TreeOf(const Args& args) {
  HWND top = FindTopLevel(WindowPattern{args[0], args[1]});
  return top ? NthDescendant(top, ControlKind::kTreeView, 0) : nullptr;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendWide(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// One row: "item DEPTH LEFT,TOP,RIGHT,BOTTOM IMAGE FLAGS TEXT", the rectangle
// the label's on the screen (0,0,0,0 when it is not shown), FLAGS from
// s(elected), e(xpanded), b(old), c(hildren marked), or "-".
// TVM_GETITEM and TVM_GETITEMRECT carry pointers, so they point into memory
// of the tree's own process.
bool PrintItem(HWND tree, HTREEITEM handle, int depth, RemoteMemory& remote, bool& expanded) {
  constexpr int kTextMax = 1024;
  const size_t textAt = sizeof(TVITEMW), rectAt = textAt + kTextMax * sizeof(wchar_t);
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_CHILDREN;
  item.hItem = handle;
  item.stateMask = static_cast<UINT>(-1);
  item.pszText = reinterpret_cast<LPWSTR>(remote.at(textAt));
  item.cchTextMax = kTextMax;
  std::wstring text(kTextMax, L'\0');
  if (!remote.Write(0, &item, sizeof item) || !SendWide(tree, TVM_GETITEMW, 0, remote.at()) ||
      !remote.Read(0, &item, sizeof item) || !remote.Read(textAt, &text[0], kTextMax * sizeof(wchar_t)))
    return false;
  text.resize(wcsnlen(text.c_str(), kTextMax));
  RECT rect{};
  // The item goes in where its rectangle comes out.
  if (!remote.Write(rectAt, &handle, sizeof handle) ||
      !SendWide(tree, TVM_GETITEMRECT, TRUE, remote.at(rectAt)) || !remote.Read(rectAt, &rect, sizeof rect))
    rect = RECT{};
  else
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  std::string flags;
  if (item.state & TVIS_SELECTED) flags += 's';
  if (item.state & TVIS_EXPANDED) flags += 'e';
  if (item.state & TVIS_BOLD) flags += 'b';
  if (item.cChildren) flags += 'c';
  expanded = (item.state & TVIS_EXPANDED) != 0;
  Line("item " + std::to_string(depth) + " " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
       std::to_string(rect.right) + "," + std::to_string(rect.bottom) + " " + std::to_string(item.iImage) + " " +
       (flags.empty() ? "-" : flags) + " " + OneLine(ToUtf8(text)));
  return true;
}

// The rows of the first tree view in the window: the items whose parents are
// all open, in the order they show, walked by their links.
int TreeItems(const Args& args) {
  HWND tree = TreeOf(args);
  if (!tree) return kNotFound;
  RemoteMemory remote(tree, sizeof(TVITEMW) + 1024 * sizeof(wchar_t) + sizeof(RECT));
  if (!remote.ok()) return kNotFound;
  HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
  int depth = 0;
  while (item) {
    bool expanded = false;
    if (!PrintItem(tree, item, depth, remote, expanded)) return kNotFound;
    HTREEITEM child = expanded ? Next(tree, item, TVGN_CHILD) : nullptr;
    if (child) {
      item = child;
      ++depth;
      continue;
    }
    while (item && !Next(tree, item, TVGN_NEXT)) {
      item = Next(tree, item, TVGN_PARENT);
      --depth;
    }
    if (item) item = Next(tree, item, TVGN_NEXT);
  }
  return kOk;
}

}  // namespace

std::vector<Command> TreeCommands() {
  return {
      {"tree-items", 2, "CLASS TITLE", TreeItems},
  };
}

}  // namespace tdriver
