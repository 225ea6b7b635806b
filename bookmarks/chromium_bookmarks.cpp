#include "bookmarks/chromium_bookmarks.h"

#include <nlohmann/json.hpp>

#include <vector>

#include "bookmarks/bookmark_entry.h"

namespace tessaly {

namespace {

// The order of the roots as they stand in the file matters, so the objects
// keep theirs.
using Json = nlohmann::ordered_json;

// The roots the browsers show, with the names they give them when the file
// names none.
struct Root {
  const char* key;
  const char* name;
};
constexpr Root kRoots[] = {
    {"bookmark_bar", "Bookmarks bar"}, {"other", "Other bookmarks"}, {"synced", "Mobile bookmarks"}};

std::string StringOf(const Json& node, const char* key) {
  const auto it = node.find(key);
  return it != node.end() && it->is_string() ? it->get<std::string>() : std::string();
}

const Json* ChildrenOf(const Json& node) {
  const auto it = node.find("children");
  return it != node.end() && it->is_array() ? &*it : nullptr;
}

// Adds the entries of one root's children under folder: a list of open
// levels instead of recursion, since the nesting is the file's to choose.
void AddChildren(const Json& children, MenuItem& folder, const NewBookmarkEntryFn& newBookmark) {
  struct Level {
    const Json* children;
    std::size_t next;
    MenuItem* folder;
  };
  std::vector<Level> open{{&children, 0, &folder}};
  while (!open.empty()) {
    Level& level = open.back();
    if (level.next >= level.children->size()) {
      open.pop_back();
      continue;
    }
    const Json& node = (*level.children)[level.next++];
    if (!node.is_object()) continue;
    const std::string type = StringOf(node, "type");
    if (type == "url") {
      const auto url = node.find("url");
      if (url != node.end() && url->is_string())
        level.folder->Add(newBookmark(CheckLong(StringOf(node, "name")), url->get<std::string>()));
    } else if (type == "folder") {
      MenuItem& sub = level.folder->Add(NewFolderEntry(CheckLong(StringOf(node, "name"))));
      if (const Json* inner = ChildrenOf(node)) open.push_back(Level{inner, 0, &sub});  // level is not used past here
    }
  }
}

Json Parse(const std::string& text) {
  // No exceptions: a damaged file is an ordinary finding here.
  return Json::parse(text, nullptr, false);
}

}  // namespace

bool ReadChromiumBookmarks(const std::string& json, MenuItem& folder, const NewBookmarkEntryFn& newBookmark) {
  const Json file = Parse(json);
  if (file.is_discarded() || !file.is_object()) return false;
  const auto roots = file.find("roots");
  if (roots == file.end() || !roots->is_object()) return false;
  for (const auto& [key, root] : roots->items()) {
    const Root* known = nullptr;
    for (const Root& r : kRoots)
      if (key == r.key) known = &r;
    if (!known || !root.is_object()) continue;
    std::string name = StringOf(root, "name");
    if (name.empty()) name = known->name;
    MenuItem& sub = folder.Add(NewFolderEntry(CheckLong(name)));
    if (const Json* children = ChildrenOf(root)) AddChildren(*children, sub, newBookmark);
  }
  return true;
}

std::map<std::string, std::string> ChromiumProfileNames(const std::string& localState) {
  std::map<std::string, std::string> names;
  const Json state = Parse(localState);
  if (state.is_discarded() || !state.is_object()) return names;
  const auto profile = state.find("profile");
  if (profile == state.end() || !profile->is_object()) return names;
  const auto cache = profile->find("info_cache");
  if (cache == profile->end() || !cache->is_object()) return names;
  for (const auto& [folder, info] : cache->items()) {
    if (!info.is_object()) continue;
    const std::string name = StringOf(info, "name");
    if (!name.empty()) names[folder] = name;
  }
  return names;
}

}  // namespace tessaly
