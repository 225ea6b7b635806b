// The bookmark component's importers: Internet Explorer's Favorites, the
// bookmark files of Netscape Navigator 2.0/3.0, Communicator 4.0 and 4.5 found
// through their registry keys, a bookmark file the user picks, and the
// profiles of Google Chrome and Microsoft Edge.
#include <algorithm>
#include <cctype>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "bookmarks/bookmark_entry.h"
#include "bookmarks/chromium_bookmarks.h"
#include "bookmarks/cvbookmarks.h"

namespace tessaly {

namespace {

const std::string kShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string kNavigator = "\\Software\\Netscape\\Netscape Navigator";
const std::string kUserFile = "\\bookmark.htm";
const std::string kNoUrl = "N/A";

// A text value of the open key; a value of another type counts as missing.
std::string TextValue(Registry& registry, const std::string& name) {
  try {
    return registry.ReadString(name);
  } catch (const RegistryError&) {
    return {};
  }
}

// A text value, empty also when the key cannot be opened (for reading only).
std::string TextValue(Registry& registry, const std::string& key, const std::string& name) {
  RegistryKeyScope scope(registry, key, false);
  return scope.IsOpen() ? TextValue(registry, name) : std::string();
}

// The whole file, when it can be read and is no larger than most bytes.
bool ReadWhole(BookmarkFiles& files, const std::string& path, std::size_t most, std::string& text) {
  std::unique_ptr<ByteSource> source = files.Exists(path) ? files.OpenRead(path) : nullptr;
  if (!source) return false;
  text.clear();
  std::vector<char> buffer(64 * 1024);
  while (const std::size_t got = source->Read(buffer.data(), buffer.size())) {
    if (text.size() + got > most) return false;
    text.append(buffer.data(), got);
  }
  return true;
}

// Communicator 4.5 keeps its users' directories beside its own: the install
// directory up to "Communicator", then "users". Empty without "Communicator".
std::string UsersDirectory(const std::string& installDirectory) {
  const std::size_t at = installDirectory.find("Communicator");
  return at == std::string::npos ? std::string() : installDirectory.substr(0, at) + "users";
}

bool EndsWithUrl(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ending = name.substr(name.size() - 4);
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending == ".url";
}

// What a shortcut file's URL line gives, as text: up to the first control
// character, at most kLongestIniValue characters; "N/A" when nothing is left.
std::string ShortcutUrl(std::string value) {
  value.erase(std::find_if(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
              value.end());
  if (value.size() > ImportSources::kLongestIniValue) value.resize(ImportSources::kLongestIniValue);
  return value.empty() ? kNoUrl : value;
}

// The sub-folders a scan enters: directories that are neither hidden nor
// system folders, do not begin with a full stop, and are no junction or link,
// which could lead back into the tree.
std::vector<std::string> SubFolders(ImportSources& sources, const std::string& directory) {
  std::vector<std::string> names;
  for (DirectoryEntry& entry : sources.List(directory, "*.*"))
    if (entry.directory && !entry.hidden && !entry.system && !entry.reparsePoint && !entry.name.empty() &&
        entry.name[0] != '.')
      names.push_back(std::move(entry.name));
  return names;
}

}  // namespace

TCorvaneBookmarks::Item& TCorvaneBookmarks::AddImportFolder(const std::string& caption) {
  return MenuItem->Add(NewFolder(caption));
}

void TCorvaneBookmarks::ImportUserFile(Item& parent, const std::string& caption, const std::string& file) {
  ReadNetscapeFile(file, parent.Add(NewFolder(caption)));
  MenuChanged();
}

bool TCorvaneBookmarks::ImportFavorites() {
  if (!MenuItem || !Sources) return false;
  const std::string path = AnsiToText(codePage_, TextValue(Sources->CurrentUser(), kShellFolders, "Favorites"));
  if (path.empty() || !Sources->DirectoryExists(path)) return false;
  ScanDir({}, path, AddImportFolder("IE Favorites"));
  MenuChanged();
  return true;
}

void TCorvaneBookmarks::ScanDir(const std::string&, const std::string& directory, Item& parent) {
  // Depth first, sub-folders before shortcuts, as a recursive scan would go,
  // but with the open levels in a list: the depth of the tree never reaches
  // the call stack. One path grows and shrinks with the levels.
  struct Level {
    Item* folder;
    std::size_t pathLength;
    std::vector<std::string> subFolders;
    std::size_t next;
  };
  std::string path = directory;
  std::vector<Level> open;
  open.push_back({&parent, path.size(), SubFolders(*Sources, path), 0});
  while (!open.empty()) {
    Level& level = open.back();
    path.resize(level.pathLength);
    if (level.next < level.subFolders.size()) {
      const std::string& name = level.subFolders[level.next++];
      Item& folder = level.folder->Add(NewFolder(CheckLong(name)));
      path += '\\';
      path += name;
      open.push_back({&folder, path.size(), SubFolders(*Sources, path), 0});  // level is not used past this point
      continue;
    }
    // Hidden and system shortcuts count. The pattern also matches a name
    // whose short 8.3 alias ends in .URL: only real ".url" files are taken.
    for (const DirectoryEntry& entry : Sources->List(path, "*.URL")) {
      if (entry.directory || !EndsWithUrl(entry.name)) continue;
      const std::string url =
          ShortcutUrl(Sources->ReadIniString(path + '\\' + entry.name, "InternetShortcut", "URL", kNoUrl));
      level.folder->Add(NewBookmark(CheckLong(entry.name.substr(0, entry.name.size() - 4)), url));
    }
    open.pop_back();
  }
}

bool TCorvaneBookmarks::ImportNavigator() {
  if (!MenuItem || !Sources) return false;
  const std::string file =
      AnsiToText(codePage_, TextValue(Sources->CurrentUser(), kNavigator + "\\Bookmark List", "File Location"));
  if (file.empty() || !files_.Exists(file)) return false;
  ReadNetscapeFile(file, AddImportFolder("NS v2.0/v3.0 Bookmarks"));
  MenuChanged();
  return true;
}

bool TCorvaneBookmarks::ImportUserFiles(const char* folderName, const std::vector<std::string>& users,
                                        const std::function<std::string(const std::string&)>& fileOf) {
  if (users.empty()) return false;
  Item& top = AddImportFolder(folderName);
  bool added = false;
  try {
    for (const std::string& user : users) {
      // The users are registry key names, and their files' paths registry
      // texts: both in the ANSI code page.
      const std::string file = AnsiToText(codePage_, fileOf(user));
      if (file.empty() || !files_.Exists(file)) continue;
      ImportUserFile(top, AnsiToText(codePage_, user), file);
      added = true;
    }
  } catch (const std::exception&) {
    // The import ends here; what it added stays.
  }
  // A folder that stays empty must show in the copy too.
  if (!added) MenuChanged();
  return added;
}

bool TCorvaneBookmarks::ImportCommunicator4() {
  if (!MenuItem || !Sources) return false;
  Registry& machine = Sources->LocalMachine();
  const std::string usersKey = kNavigator + "\\Users";
  try {
    std::vector<std::string> users;
    {
      RegistryKeyScope key(machine, usersKey, false);
      if (!key.IsOpen()) return false;
      users = machine.GetKeyNames();
    }
    return ImportUserFiles("NS v4.0 Bookmarks", users, [&](const std::string& user) {
      RegistryKeyScope key(machine, usersKey + "\\" + user, false);
      const std::string dirRoot = key.IsOpen() ? TextValue(machine, "DirRoot") : std::string();
      return dirRoot.empty() ? std::string() : dirRoot + kUserFile;
    });
  } catch (const std::exception&) {
    return false;  // the users could not be read: nothing was added
  }
}

bool TCorvaneBookmarks::ImportCommunicator45() {
  if (!MenuItem || !Sources) return false;
  Registry& user = Sources->CurrentUser();
  try {
    std::string usersDirectory;
    {
      RegistryKeyScope key(user, kNavigator + "\\main", false);
      if (!key.IsOpen()) return false;
      usersDirectory = UsersDirectory(TextValue(user, "Install Directory"));
    }
    std::vector<std::string> users;
    {
      RegistryKeyScope key(user, kNavigator + "\\biff\\users", false);
      if (!key.IsOpen()) return false;
      users = user.GetKeyNames();
    }
    return ImportUserFiles("NS v4.5 Bookmarks", users, [&](const std::string& name) {
      return usersDirectory.empty() ? std::string() : usersDirectory + "\\" + name + kUserFile;
    });
  } catch (const std::exception&) {
    return false;  // the users could not be read: nothing was added
  }
}

bool TCorvaneBookmarks::ImportChromeBookmarks() {
  return ImportChromiumProfiles("Chrome Bookmarks", "\\Google\\Chrome\\User Data");
}

bool TCorvaneBookmarks::ImportEdgeBookmarks() {
  return ImportChromiumProfiles("Edge Bookmarks", "\\Microsoft\\Edge\\User Data");
}

bool TCorvaneBookmarks::ImportChromiumProfiles(const char* folderName, const std::string& userDataPath) {
  if (!MenuItem || !Sources) return false;
  const std::string localAppData = Sources->LocalAppData();
  if (localAppData.empty()) return false;
  const std::string userData = localAppData + userDataPath;
  if (!Sources->DirectoryExists(userData)) return false;
  std::string text;
  const std::map<std::string, std::string> names =
      ReadWhole(files_, userData + "\\Local State", kLargestChromiumFile, text) ? ChromiumProfileNames(text)
                                                                                : std::map<std::string, std::string>();
  // Each profile is read into a folder of its own before it joins the tree:
  // a file that turns out damaged leaves nothing behind.
  std::vector<std::unique_ptr<Item>> profiles;
  const NewBookmarkEntryFn newBookmark = [this](const std::string& title, const std::string& url) {
    return NewBookmark(title, url);
  };
  for (const DirectoryEntry& entry : Sources->List(userData, "*.*")) {
    if (!entry.directory) continue;
    if (!ReadWhole(files_, userData + "\\" + entry.name + "\\Bookmarks", kLargestChromiumFile, text)) continue;
    const auto named = names.find(entry.name);
    std::unique_ptr<Item> profile = NewFolder(named != names.end() ? named->second : entry.name);
    if (ReadChromiumBookmarks(text, *profile, newBookmark)) profiles.push_back(std::move(profile));
  }
  if (profiles.empty()) return false;
  Item& top = AddImportFolder(folderName);
  for (std::unique_ptr<Item>& profile : profiles) top.Add(std::move(profile));
  MenuChanged();
  return true;
}

bool TCorvaneBookmarks::ImportNetscapeFile(const std::string& fileName) {
  if (!MenuItem || !files_.Exists(fileName)) return false;
  ReadNetscapeFile(fileName, AddImportFolder("NS Bookmarks"));
  MenuChanged();
  return true;
}

void TCorvaneBookmarks::ImportNetscapeFile() {
  if (!MenuItem || !NewImportFileDialog) return;
  std::unique_ptr<ImportFileDialog> dialog = NewImportFileDialog();
  const std::string file = dialog->Execute();
  if (file.empty() || !files_.Exists(file)) return;
  // The cursor comes back however the import ends; an error goes on.
  struct CursorBack {
    ImportFileDialog& dialog;
    ~CursorBack() { dialog.RestoreCursor(); }
  } cursorBack{*dialog};
  dialog->ShowBusyCursor();
  ImportNetscapeFile(file);
  StoreBookmarks();
}

}  // namespace tessaly
