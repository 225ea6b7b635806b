// The importers' sources for native tests: two in-memory registries and the
// local disk, paths written with backslashes as on Windows. POSIX has no
// hidden or system attribute: the test names the entries that carry one. A
// symbolic link counts as a reparse point.
#pragma once
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "bookmarks/import_sources.h"
#include "framework/memory_registry.h"

namespace tessaly::testing {

class FilesystemImportSources : public ImportSources {
 public:
  MemoryRegistry currentUser, localMachine;
  std::set<std::filesystem::path> hidden, system;
  std::string localAppData;

  Registry& CurrentUser() override { return currentUser; }
  Registry& LocalMachine() override { return localMachine; }
  bool DirectoryExists(const std::string& path) override { return std::filesystem::is_directory(Native(path)); }

  // "*.*" or "*.URL" (which a name in any letter case matches), sorted by name.
  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override {
    std::vector<DirectoryEntry> entries;
    for (const auto& item : std::filesystem::directory_iterator(Native(directory))) {
      const std::string name = item.path().filename().string();
      if (pattern == "*.*" || (name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".url"))
        entries.push_back({name, item.is_directory(), hidden.count(item.path()) > 0, system.count(item.path()) > 0,
                           item.is_symlink()});
    }
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
    return entries;
  }

  // The key's line in the section, "key=value" exactly as shortcut files hold it.
  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
    std::ifstream in(Native(file), std::ios::binary);
    std::string line, current;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] == '[') current = line;
      if (current == "[" + section + "]" && line.compare(0, key.size() + 1, key + "=") == 0)
        return line.substr(key.size() + 1);
    }
    return fallback;
  }

  std::string LocalAppData() override { return localAppData; }

 private:
  static std::filesystem::path Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }
  static std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  }
};

}  // namespace tessaly::testing
