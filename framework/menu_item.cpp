#include "framework/menu_item.h"

#include <iterator>
#include <stdexcept>
#include <utility>

#include "framework/tree_walk.h"

namespace tessaly {

namespace {
// Counts the items made in the run (the user-interface thread makes them all).
std::uint64_t NextSerial() {
  static std::uint64_t made = 0;
  return ++made;
}
}  // namespace

MenuItem::MenuItem(std::string caption, ClickHandler onClick, int helpContext)
    : Caption(std::move(caption)), HelpContext(helpContext), OnClick(std::move(onClick)), serial_(NextSerial()) {}

MenuItem::~MenuItem() { FreeSubtrees(items_, &MenuItem::items_); }

int MenuItem::MenuIndex() const { return parent_ ? IndexAmong(parent_->items_, this) : -1; }

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }

MenuItem& MenuItem::Add(std::string caption, ClickHandler onClick, int helpContext) {
  return Add(std::make_unique<MenuItem>(std::move(caption), std::move(onClick), helpContext));
}

MenuItem& MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
  if (index < 0 || index > Count()) throw std::out_of_range("menu index out of bounds");
  item->parent_ = this;
  MenuItem& ref = *item;
  items_.insert(items_.begin() + index, std::move(item));
  return ref;
}

std::unique_ptr<MenuItem> MenuItem::Remove(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("menu index out of bounds");
  std::unique_ptr<MenuItem> item = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  return item;
}

void MenuItem::DeleteFrom(int index) {
  if (index < 0) throw std::out_of_range("menu index out of bounds");
  if (index >= Count()) return;
  // Moved out first: an item's destructor must not see a half-erased list.
  std::vector<std::unique_ptr<MenuItem>> gone(std::make_move_iterator(items_.begin() + index),
                                              std::make_move_iterator(items_.end()));
  items_.erase(items_.begin() + index, items_.end());
}

MenuItem* MenuItem::Find(const std::string& caption) const {
  for (auto& it : items_)
    if (it->Caption == caption) return it.get();
  return nullptr;
}

}  // namespace tessaly
