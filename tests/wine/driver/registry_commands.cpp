// Subcommands on the machine-wide registry, where the program keeps its
// settings, and on the current user's ("HKCU\..." paths), where the browsers
// keep theirs.
#include <windows.h>
#include <sddl.h>

#include <cstdio>

#include "tests/wine/driver/command.h"

namespace tdriver {
namespace {

class Key {
 public:
  Key() = default;
  ~Key() { if (key_) RegCloseKey(key_); }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

const std::string kCurrentUser = "HKCU\\";
// The machine's keys in the 32-bit or the 64-bit view of a 64-bit system,
// whatever the driver's own architecture (a plain path: the driver's own
// view): where Netscape, a 32-bit program, kept its keys, and both views of a
// COM class, which clients of either architecture look for.
const std::string kMachine32 = "HKLM32\\";
const std::string kMachine64 = "HKLM64\\";

bool Starts(const std::string& path, const std::string& prefix) { return path.compare(0, prefix.size(), prefix) == 0; }

HKEY RootOf(const std::string& path) { return Starts(path, kCurrentUser) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

REGSAM ViewOf(const std::string& path) {
  return Starts(path, kMachine32) ? KEY_WOW64_32KEY : Starts(path, kMachine64) ? KEY_WOW64_64KEY : 0;
}

// The program names its keys with a leading backslash; the API wants none.
std::string Relative(const std::string& path) {
  const size_t root = Starts(path, kCurrentUser)                                ? kCurrentUser.size()
                      : Starts(path, kMachine32) || Starts(path, kMachine64) ? kMachine32.size()
                                                                             : 0;
  size_t start = path.find_first_not_of('\\', root);
  return start == std::string::npos ? std::string() : path.substr(start);
}

bool Open(const std::string& path, REGSAM access, Key& key) {
  return RegOpenKeyExA(RootOf(path), Relative(path).c_str(), 0, access | ViewOf(path), key.out()) == ERROR_SUCCESS;
}

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_DWORD: return "dword";
    case REG_SZ: return "sz";
    case REG_EXPAND_SZ: return "expand_sz";
    case REG_MULTI_SZ: return "multi_sz";
    case REG_BINARY: return "binary";
    case REG_QWORD: return "qword";
    case REG_NONE: return "none";
  }
  return "type" + std::to_string(type);
}

std::string Describe(DWORD type, const std::vector<BYTE>& data) {
  if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD value = 0;
    memcpy(&value, data.data(), sizeof value);
    return "dword " + std::to_string(value);
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::string text(data.begin(), data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return TypeName(type) + " " + OneLine(text);
  }
  std::string hex = TypeName(type);
  for (BYTE b : data) {
    char part[4];
    std::snprintf(part, sizeof part, " %02x", b);
    hex += part;
  }
  return hex;
}

int Get(const Args& args) {
  Key key;
  if (!Open(args[0], KEY_QUERY_VALUE, key)) {
    Line("nokey");
    return kNotFound;
  }
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), args[1].c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    Line("missing");
    return kNotFound;
  }
  std::vector<BYTE> data(size);
  RegQueryValueExA(key.get(), args[1].c_str(), nullptr, &type, data.empty() ? nullptr : data.data(),
                   &size);
  data.resize(size);
  Line(Describe(type, data));
  return kOk;
}

int Set(const Args& args) {
  Key key;
  if (RegCreateKeyExA(RootOf(args[0]), Relative(args[0]).c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewOf(args[0]),
                      nullptr, key.out(), nullptr) != ERROR_SUCCESS)
    return kNotFound;
  LONG result;
  if (args[2] == "dword") {
    long long number = 0;
    if (!ParseInt(args[3], number)) return kUsage;
    DWORD value = static_cast<DWORD>(number);
    result = RegSetValueExA(key.get(), args[1].c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&value), sizeof value);
  } else if (args[2] == "sz") {
    result = RegSetValueExA(key.get(), args[1].c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(args[3].c_str()),
                            static_cast<DWORD>(args[3].size() + 1));
  } else {
    return kUsage;
  }
  return result == ERROR_SUCCESS ? kOk : kNotFound;
}

int DeleteValue(const Args& args) {
  Key key;
  if (!Open(args[0], KEY_SET_VALUE, key)) return kNotFound;
  return RegDeleteValueA(key.get(), args[1].c_str()) == ERROR_SUCCESS ? kOk : kNotFound;
}

std::vector<std::string> SubKeys(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  return names;
}

// Sub-keys first: a key with sub-keys cannot be deleted (XP has no RegDeleteTree).
bool DeleteTree(const std::string& path) {
  {
    Key key;
    if (!Open(path, KEY_READ, key)) return false;
    for (const std::string& sub : SubKeys(key.get())) DeleteTree(path + "\\" + sub);
  }
  return RegDeleteKeyExA(RootOf(path), Relative(path).c_str(), ViewOf(path), 0) == ERROR_SUCCESS;
}

int DeleteKey(const Args& args) { return DeleteTree(args[0]) ? kOk : kNotFound; }

int Values(const Args& args) {
  Key key;
  if (!Open(args[0], KEY_QUERY_VALUE, key)) {
    Line("nokey");
    return kNotFound;
  }
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name, type = 0;
    if (RegEnumValueA(key.get(), i, name, &length, nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    Line(std::string(name, length) + "\t" + TypeName(type));
  }
  return kOk;
}

int KeyExists(const Args& args) {
  Key key;
  bool exists = Open(args[0], KEY_QUERY_VALUE, key);
  Line(exists ? "yes" : "no");
  return exists ? kOk : kNotFound;
}

// "read-only": everyone may read the key, nobody may write it, as a standard
// account sees HKEY_LOCAL_MACHINE; "full": everyone may do anything. The owner
// may always change the rights, so a test can give them back.
int Rights(const Args& args) {
  const char* sddl = args[1] == "read-only" ? "D:P(A;;KR;;;WD)" : args[1] == "full" ? "D:(A;;KA;;;WD)" : nullptr;
  if (!sddl) return kUsage;
  Key key;
  if (!Open(args[0], WRITE_DAC, key)) return kNotFound;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) return kNotFound;
  LONG result = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd);
  LocalFree(sd);
  return result == ERROR_SUCCESS ? kOk : kNotFound;
}

}  // namespace

std::vector<Command> RegistryCommands() {
  return {
      {"reg-get", 2, "PATH NAME", Get},
      {"reg-set", 4, "PATH NAME dword|sz VALUE", Set},
      {"reg-delete-value", 2, "PATH NAME", DeleteValue},
      {"reg-delete-key", 1, "PATH", DeleteKey},
      {"reg-values", 1, "PATH", Values},
      {"reg-key-exists", 1, "PATH", KeyExists},
      {"reg-rights", 2, "PATH read-only|full", Rights},
  };
}

}  // namespace tdriver
