#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly {

// One entry of a main menu or pop-up menu, kept as a tree independent of the
// platform's menu handles. HelpContext doubles as the item's kind and state
// tag, which the menu drawing reads; its values have names below.
class MenuItem {
 public:
  using ClickHandler = std::function<void(MenuItem&)>;

  // What HelpContext marks: an ordinary item, an entry of the main menu's
  // bar, the head of a tray browser sub-menu, a checked option, an entry of
  // the bookmark tree.
  static constexpr int kTagOrdinary = 0;
  static constexpr int kTagTopLevel = 1;
  static constexpr int kTagBrowserHead = 2;
  static constexpr int kTagChecked = 3;
  static constexpr int kTagBookmarkEntry = 4;

  explicit MenuItem(std::string caption = {}, ClickHandler onClick = {}, int helpContext = 0);
  // Frees the whole subtree without recursion, so that a tree of any depth
  // (a bookmark file may nest folders as deep as it likes) ends safely.
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  static constexpr const char* kSeparator = "-";

  std::string Caption;
  std::string Name;
  std::string Hint;
  int HelpContext = 0;
  bool Enabled = true;
  // A check shows as a dot: the item is one choice of several.
  bool Radio = false;
  ClickHandler OnClick;

  bool IsSeparator() const { return Caption == kSeparator; }
  // A number no other item of the run has had: what tells an item apart from
  // one that the allocator made at the address of a freed one.
  std::uint64_t Serial() const { return serial_; }
  // An option's check mark, kept in HelpContext.
  bool IsChecked() const { return HelpContext == kTagChecked; }
  void SetChecked(bool checked) { HelpContext = checked ? kTagChecked : kTagOrdinary; }
  bool IsBookmarkEntry() const { return HelpContext == kTagBookmarkEntry; }
  MenuItem* Parent() const { return parent_; }
  // Position among the parent's items, or -1 for a root.
  int MenuIndex() const;
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem& operator[](int index) const { return *items_.at(static_cast<size_t>(index)); }

  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Add(std::string caption, ClickHandler onClick = {}, int helpContext = 0);
  MenuItem& AddSeparator() { return Add(kSeparator); }
  MenuItem& Insert(int index, std::unique_ptr<MenuItem> item);
  // Takes the item out of this menu and hands it to the caller.
  std::unique_ptr<MenuItem> Remove(int index);
  // Removes and frees every item from index on (nothing when index >= Count()).
  void DeleteFrom(int index);
  void Clear() { DeleteFrom(0); }
  // First direct child with this caption, or null.
  MenuItem* Find(const std::string& caption) const;

  // Runs the handler from a copy of it: what the handler does may free this
  // item (a bookmark command that waits with the message loop turning, while
  // the user changes the bookmarks), and the handler's own function object
  // with it. The handler reads what it needs of the item before any wait.
  void Click() {
    const ClickHandler handler = OnClick;
    if (handler) handler(*this);
  }

 private:
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
  const std::uint64_t serial_;
};

}  // namespace tessaly
