// The importers' sources for native tests: two in-memory registries and the
// local disk. Paths come with backslashes, as on Windows, and are used with
// slashes. POSIX has no hidden or system attribute: the test names the
// entries that carry one; a symbolic link is reported as a reparse point.
#pragma once
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "bookmarks/import_sources.h"
#include "framework/memory_registry.h"

namespace tessaly::testing {

class FilesystemImportSources : public ImportSources {
 public:
  MemoryRegistry currentUser, localMachine;
  std::set<std::filesystem::path> hidden, system;

  Registry& CurrentUser() override { return currentUser; }
  Registry& LocalMachine() override { return localMachine; }

  bool DirectoryExists(const std::string& path) override {
    std::error_code error;
    return std::filesystem::is_directory(Native(path), error);
  }

  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override {
    std::vector<DirectoryEntry> entries;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(Native(directory), error)) {
      DirectoryEntry entry{item.path().filename().string()};
      if (pattern != "*.*" && Lower(item.path().extension().string()) != Lower(pattern.substr(1))) continue;
      entry.directory = item.is_directory(error);
      entry.reparsePoint = item.is_symlink(error);
      entry.hidden = hidden.count(item.path()) > 0;
      entry.system = system.count(item.path()) > 0;
      entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
    return entries;
  }

  // Sections and keys match whatever their letter case; blanks around a key
  // or value do not count.
  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
    std::error_code error;
    if (std::filesystem::file_size(Native(file), error) > kLargestIniFile || error) return fallback;
    std::ifstream in(Native(file), std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
      line = Trim(line);
      if (!line.empty() && line.front() == '[') {
        inSection = Lower(line) == "[" + Lower(section) + "]";
      } else if (inSection && line.find('=') != std::string::npos &&
                 Lower(Trim(line.substr(0, line.find('=')))) == Lower(key)) {
        return Trim(line.substr(line.find('=') + 1));
      }
    }
    return fallback;
  }

  static std::filesystem::path Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }

 private:
  static std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  static std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
  }
};

}  // namespace tessaly::testing
