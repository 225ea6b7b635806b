// What the importers read on Windows (directories with their attributes,
// shortcut files, the current user's registry) and the open-file dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "bookmarks/win/import_file_dialog.h"
#include "bookmarks/win/win32_import_sources.h"

namespace tessaly {
namespace {

class Win32ImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "tessaly-import-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir + "\\" + name, std::ios::binary) << text;
    return dir + "\\" + name;
  }

  win::Win32ImportSources sources;
  std::string dir;
};

TEST_F(Win32ImportTest, ListsWithAttributesAndReadsShortcutsUpToTheirLimits) {
  CreateDirectoryA((dir + "\\Folder.url").c_str(), nullptr);
  CreateDirectoryA((dir + "\\Hidden").c_str(), nullptr);
  SetFileAttributesA((dir + "\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string page = Write("Page.url", "[InternetShortcut]\r\nURL=http://page/\r\n");
  SetFileAttributesA(Write("Secret.url", "").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  Write("notes.txt", "");
  // A shortcut as large as the reader still takes, one past it, binary bytes.
  const std::string url(ImportSources::kLongestIniValue + 10, 'u');
  std::string text = "[InternetShortcut]\r\nURL=" + url + "\r\n";
  const std::string longest = Write("Long.url", text + std::string(ImportSources::kLargestIniFile - text.size(), ' '));
  const std::string huge = Write("Huge.url", text + std::string(ImportSources::kLargestIniFile, ' '));
  std::string bytes;
  for (int i = 0; i < 60000; ++i) bytes += static_cast<char>((i * 7919) >> 3);
  const std::string binary = Write("Binary.url", bytes);

  std::map<std::string, std::string> all;
  for (const DirectoryEntry& e : sources.List(dir, "*.*"))
    all[e.name] = std::string(e.directory ? "d" : "") + (e.hidden ? "h" : "") + (e.system ? "s" : "");
  EXPECT_EQ(all, (std::map<std::string, std::string>{{"Binary.url", ""}, {"Folder.url", "d"}, {"Hidden", "dh"},
                                                     {"Huge.url", ""}, {"Long.url", ""}, {"Page.url", ""},
                                                     {"Secret.url", "hs"}, {"notes.txt", ""}}));
  std::vector<std::string> shortcuts;
  for (const DirectoryEntry& e : sources.List(dir, "*.URL")) shortcuts.push_back(e.name);
  EXPECT_EQ(shortcuts.size(), 6u);  // the folder named like one too
  EXPECT_EQ(sources.List(dir, "*.URL").size(), shortcuts.size());

  EXPECT_TRUE(sources.DirectoryExists(dir));
  EXPECT_FALSE(sources.DirectoryExists(page));
  EXPECT_EQ(sources.ReadIniString(page, "InternetShortcut", "URL", "N/A"), "http://page/");
  EXPECT_EQ(sources.ReadIniString(page, "InternetShortcut", "IconFile", "N/A"), "N/A");
  EXPECT_EQ(sources.ReadIniString(dir + "\\Folder.url", "InternetShortcut", "URL", "N/A"), "N/A");
  EXPECT_EQ(sources.ReadIniString(longest, "InternetShortcut", "URL", "N/A"), url.substr(0, url.size() - 10));
  EXPECT_EQ(sources.ReadIniString(huge, "InternetShortcut", "URL", "N/A"), "N/A");
  EXPECT_EQ(sources.ReadIniString(binary, "InternetShortcut", "URL", "N/A"), "N/A");
}

TEST_F(Win32ImportTest, TheCurrentUsersRegistryIsReadWithoutMakingKeys) {
  const std::string key = "\\Software\\Tessaly Import Test " + std::to_string(GetCurrentProcessId());
  Registry& user = sources.CurrentUser();
  EXPECT_FALSE(user.OpenKey(key, false));
  HKEY made = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.substr(1).c_str(), 0, KEY_READ, &made), ERROR_SUCCESS);
  ASSERT_TRUE(user.OpenKey(key + "\\anna", true));
  user.WriteString("DirRoot", "C:\\anna");
  ASSERT_TRUE(user.OpenKey(key, false));
  EXPECT_EQ(user.GetKeyNames(), std::vector<std::string>{"anna"});
  EXPECT_FALSE(sources.LocalMachine().OpenKey(key, false));
  user.CloseKey();
  RegDeleteKeyA(HKEY_CURRENT_USER, (key.substr(1) + "\\anna").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, key.substr(1).c_str());
}

// The dialog as the timer finds it, and what to do with it.
struct DialogSeen {
  std::string fileName, filters;
  std::string answer;  // a path to open, or empty for Cancel
};
DialogSeen* seen = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  // The file name field: a combo box (cmb13) on newer systems, an edit (edt1) on older.
  HWND name = GetDlgItem(dialog, 0x47c) ? GetDlgItem(dialog, 0x47c) : GetDlgItem(dialog, 0x480);
  char text[MAX_PATH] = {};
  GetWindowTextA(name, text, sizeof text);
  seen->fileName = text;
  HWND types = GetDlgItem(dialog, 0x470);  // cmb1
  for (LRESULT i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
    SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    seen->filters += std::string(text) + "|";
  }
  SetWindowTextA(name, seen->answer.c_str());
  PostMessageA(dialog, WM_COMMAND, seen->answer.empty() ? IDCANCEL : IDOK, 0);
}

std::string RunDialog(DialogSeen& what) {
  seen = &what;
  SetTimer(nullptr, 0, 100, ActOnDialog);
  return win::Win32ImportFileDialog(nullptr).Execute();
}

TEST_F(Win32ImportTest, TheOpenDialogLeavesTheWorkingDirectory) {
  // The dialog remembers the folder last chosen in it: not past this test.
  const char* memory = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU";
  HKEY remembered = nullptr;
  const bool forget = RegOpenKeyExA(HKEY_CURRENT_USER, memory, 0, KEY_READ, &remembered) != ERROR_SUCCESS;
  if (remembered) RegCloseKey(remembered);
  const std::string file = Write("Bookmark.htm", "<DL><p>\r\n</DL><p>\r\n");
  char before[MAX_PATH] = {}, after[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  ASSERT_STRNE(before, dir.c_str());
  DialogSeen chosen{"", "", file};
  EXPECT_EQ(RunDialog(chosen), file);
  EXPECT_EQ(chosen.fileName, "Bookmark.htm");
  EXPECT_EQ(chosen.filters, "Netscape Bookmark files|All files (*.*)|");
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(after, before);
  DialogSeen cancelled;
  EXPECT_EQ(RunDialog(cancelled), "");

  win::Win32ImportFileDialog dialog(nullptr);
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  SetCursor(arrow);
  dialog.ShowBusyCursor();
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  dialog.RestoreCursor();
  EXPECT_EQ(GetCursor(), arrow);
  if (forget) RegDeleteKeyA(HKEY_CURRENT_USER, memory);
}

}  // namespace
}  // namespace tessaly
