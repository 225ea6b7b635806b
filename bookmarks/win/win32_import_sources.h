#pragma once
#include "bookmarks/import_sources.h"
#include "framework/win/win32_registry.h"

namespace tessaly::win {

// The importers' sources on Windows: the current user's and the machine's
// registry, directories listed with FindFirstFile, Internet shortcut files
// read with GetPrivateProfileString.
class Win32ImportSources : public ImportSources {
 public:
  Registry& CurrentUser() override { return currentUser_; }
  Registry& LocalMachine() override { return localMachine_; }
  bool DirectoryExists(const std::string& path) override;
  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override;
  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;

 private:
  Win32Registry currentUser_{HKEY_CURRENT_USER};
  Win32Registry localMachine_{HKEY_LOCAL_MACHINE};
};

}  // namespace tessaly::win
