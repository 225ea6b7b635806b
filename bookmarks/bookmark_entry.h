#pragma once
#include <memory>
#include <string>

#include "framework/menu_item.h"

namespace tessaly {

// The bookmark tree is kept as menu items: a folder has the hint "Folder"
// and children, a bookmark its URL as hint and its title as caption. Both
// are tagged MenuItem::kTagBookmarkEntry, which the menu drawing reads to give
// them the folder or the page glyph.
constexpr const char* kFolderHint = "Folder";

// The one folder test of the program: the hint compared with "Folder",
// letter case included, so that a bookmark whose URL is "Folder" is a folder.
inline bool IsFolder(const MenuItem& item) { return item.Hint == kFolderHint; }

std::unique_ptr<MenuItem> NewFolderEntry(const std::string& name);
std::unique_ptr<MenuItem> NewBookmarkEntry(const std::string& title, const std::string& url,
                                           MenuItem::ClickHandler onClick);

// A caption of at most 45 characters as it is; a longer one as its first 21
// characters, "..." and its last 21, so that menus stay narrow. Characters,
// not bytes: the caption is UTF-8.
std::string CheckLong(const std::string& text);

}  // namespace tessaly
