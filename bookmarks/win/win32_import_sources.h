#pragma once
#include "bookmarks/import_sources.h"
#include "framework/win/win32_registry.h"

namespace tessaly::win {

// The importers' sources on Windows: the current user's and the machine's
// registry, directories listed with FindFirstFileW, Internet shortcut files
// read with GetPrivateProfileStringW, the local application data folder from
// the shell.
class Win32ImportSources : public ImportSources {
 public:
  Registry& CurrentUser() override { return currentUser_; }
  Registry& LocalMachine() override { return localMachine_; }
  bool DirectoryExists(const std::string& path) override;
  std::vector<DirectoryEntry> List(const std::string& directory, const std::string& pattern) override;
  std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
  std::string LocalAppData() override;

 private:
  Win32Registry currentUser_{HKEY_CURRENT_USER};
  // The 32-bit view, whatever this build's architecture: Netscape was a
  // 32-bit program, and on 64-bit Windows its keys under HKEY_LOCAL_MACHINE
  // \Software are in that view (Wow6432Node). The shipped i686 build sees it
  // anyway; the x86_64 build would otherwise find no Netscape at all.
  Win32Registry localMachine_{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY};
};

}  // namespace tessaly::win
