#pragma once
#include <cstddef>
#include <map>
#include <string>

#include "bookmarks/bookmark_tree.h"
#include "framework/menu_item.h"

namespace tessaly {

// The bookmark files of Chromium's browsers, Google Chrome and Microsoft
// Edge: JSON, one "Bookmarks" file per profile folder under "User Data",
// with the profiles' names in "User Data\Local State".

// Larger files are not read: no real one comes near, and a 32-bit program
// would not have room for what such a file parses into.
constexpr std::size_t kLargestChromiumFile = 64u * 1024 * 1024;

// Appends to folder one sub-folder for each of the file's roots, the
// bookmarks bar, the other and the mobile bookmarks, in the order the file
// has them, named as the file names them; each holds its folders and
// bookmarks in the file's order, to any depth (walked without recursion).
// Names and titles are shortened by CheckLong. A root the file lacks is left
// out; an entry of no known kind, or a bookmark without an address, is
// passed over. False, with nothing added, when the text is no such file
// (damaged JSON, no "roots").
bool ReadChromiumBookmarks(const std::string& json, MenuItem& folder, const NewBookmarkEntryFn& newBookmark);

// The profiles' names that a "Local State" file gives, by the name of their
// folder; empty when it gives none or is damaged.
std::map<std::string, std::string> ChromiumProfileNames(const std::string& localState);

}  // namespace tessaly
