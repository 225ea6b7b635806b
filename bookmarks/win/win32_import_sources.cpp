#include "bookmarks/win/win32_import_sources.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include <shlobj.h>

#include "framework/win/handles.h"
#include "framework/win/wide_text.h"

namespace tessaly::win {

bool Win32ImportSources::DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<DirectoryEntry> Win32ImportSources::List(const std::string& directory, const std::string& pattern) {
  std::vector<DirectoryEntry> entries;
  // The wide-character calls: with the ANSI ones a name with a character
  // the code page lacks comes back with "?" in its place, and no file of
  // that name can be opened.
  WIN32_FIND_DATAW found;
  // A path past MAX_PATH finds nothing, which also bounds how deep a scan goes.
  UniqueFind search(FindFirstFileW(Wide(directory + "\\" + pattern).c_str(), &found));
  if (!search) return entries;
  do {
    if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0) continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back({Utf8(found.cFileName, static_cast<int>(std::wcslen(found.cFileName))),
                       (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                       (attributes & FILE_ATTRIBUTE_SYSTEM) != 0, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileW(search.Get(), &found));
  return entries;
}

std::string Win32ImportSources::ReadIniString(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& fallback) {
  // GetPrivateProfileString reads the whole file before it looks for the
  // key: a large one is not read at all.
  const std::wstring path = Wide(file);
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      ((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) > kLargestIniFile)
    return fallback;
  // A shortcut file without a byte-order mark is read in the ANSI code page,
  // as Windows writes it.
  std::vector<wchar_t> value(kLongestIniValue + 1);
  const DWORD length =
      GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(), value.data(),
                               static_cast<DWORD>(value.size()), path.c_str());
  return Utf8(value.data(), static_cast<int>(length));
}

std::string Win32ImportSources::LocalAppData() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return Utf8(path, static_cast<int>(std::wcslen(path)));
}

}  // namespace tessaly::win
