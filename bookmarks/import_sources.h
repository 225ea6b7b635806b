#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/registry.h"

namespace tessaly {

// One entry of a directory listing, with the attributes the importers judge.
struct DirectoryEntry {
  std::string name;
  bool directory = false;
  bool hidden = false;
  bool system = false;
  // A junction or symbolic link: it may lead back into the tree above it.
  bool reparsePoint = false;
};

// What the importers read besides bookmark files: Internet Explorer's and
// Netscape's registry keys, the Favorites directory tree and its Internet
// shortcut files, the local application data folder where Chrome and Edge
// keep their profiles. Registry keys are only ever opened for reading; their
// texts are in the ANSI code page. Paths and names of files and folders are
// UTF-8, so that a name in any language is found and shown as it is.
class ImportSources {
 public:
  // Larger files are no Internet shortcut (those are a few hundred bytes), and
  // the platform's INI reader takes a file whole: reading one would stall.
  static constexpr std::uint64_t kLargestIniFile = 64 * 1024;
  // The longest value an INI read returns; a longer one is cut.
  static constexpr std::size_t kLongestIniValue = 8192;

  virtual ~ImportSources() = default;

  virtual Registry& CurrentUser() = 0;
  virtual Registry& LocalMachine() = 0;

  virtual bool DirectoryExists(const std::string& path) = 0;
  // The entries of directory whose names match pattern ("*.*" for all, "*.URL"
  // for Internet shortcuts, letter case aside), "." and ".." left out, in the
  // order the file system gives them, the same every time.
  virtual std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) = 0;
  // One value of one section of an INI file, or fallback when the file, the
  // section or the key is missing, or the file is larger than kLargestIniFile.
  virtual std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback) = 0;
  // The user's local application data folder (CSIDL_LOCAL_APPDATA), without
  // a closing backslash; empty when there is none.
  virtual std::string LocalAppData() = 0;
};

}  // namespace tessaly
