#include "bookmarks/win/win32_import_sources.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/win/handles.h"

namespace tessaly::win {

bool Win32ImportSources::DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<DirectoryEntry> Win32ImportSources::List(const std::string& directory, const std::string& pattern) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAA found;
  // A path past MAX_PATH finds nothing, which also bounds how deep a scan goes.
  UniqueFind search(FindFirstFileA((directory + "\\" + pattern).c_str(), &found));
  if (!search) return entries;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back({found.cFileName, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (attributes & FILE_ATTRIBUTE_HIDDEN) != 0, (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                       (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileA(search.Get(), &found));
  return entries;
}

std::string Win32ImportSources::ReadIniString(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& fallback) {
  // GetPrivateProfileString reads the whole file before it looks for the
  // key: a large one is not read at all.
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      ((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) > kLargestIniFile)
    return fallback;
  std::vector<char> value(kLongestIniValue + 1);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value.data(),
                                                static_cast<DWORD>(value.size()), file.c_str());
  return std::string(value.data(), length);
}

}  // namespace tessaly::win
