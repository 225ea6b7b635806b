#include "framework/win/win32_registry.h"

namespace tessaly::win {

namespace {
std::string SubKey(const std::string& path) {
  size_t start = path.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : path.substr(start);
}

// The names enumerate(index, buffer, length) gives for 0, 1, 2... until it
// fails; maxLength is the longest name the registry allows for the kind.
template <class Enumerate>
std::vector<std::string> EnumNames(HKEY key, DWORD maxLength, Enumerate enumerate) {
  std::vector<std::string> names;
  if (!key) return names;
  std::string buffer(maxLength, '\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = maxLength;
    if (enumerate(i, &buffer[0], &length) != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), length);
  }
  return names;
}
}  // namespace

bool Win32Registry::OpenKey(const std::string& path, bool create) {
  CloseKey();
  HKEY h = nullptr;
  LONG rc;
  // Only the access the caller needs: asking for more fails on an account
  // without write rights to HKEY_LOCAL_MACHINE, and its settings would read
  // as absent.
  if (create) {
    rc = RegCreateKeyExA(root_, SubKey(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_WRITE | view_, nullptr, &h, nullptr);
  } else {
    rc = RegOpenKeyExA(root_, SubKey(path).c_str(), 0, KEY_READ | view_, &h);
  }
  if (rc != ERROR_SUCCESS) return false;
  key_.Reset(h);
  return true;
}

bool Win32Registry::ValueExists(const std::string& name) {
  return key_ && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                     ERROR_SUCCESS;
}

std::optional<int> Win32Registry::TryReadInteger(const std::string& name) {
  if (!key_) return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return std::nullopt;
  return static_cast<int>(value);
}

std::string Win32Registry::ReadString(const std::string& name) {
  if (!key_) return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw RegistryError("Invalid data type for '" + name + "'");
  std::string buf(size, '\0');
  if (size && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(&buf[0]), &size) != ERROR_SUCCESS)
    return {};
  buf.resize(size);
  while (!buf.empty() && buf.back() == '\0') buf.pop_back();
  return buf;
}

void Win32Registry::WriteInteger(const std::string& name, int value) {
  DWORD v = static_cast<DWORD>(value);
  if (!key_ || RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&v), sizeof(v)) != ERROR_SUCCESS)
    throw RegistryError("Failed to set data for '" + name + "'");
}

void Win32Registry::WriteString(const std::string& name, const std::string& value) {
  if (!key_ || RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw RegistryError("Failed to set data for '" + name + "'");
}

bool Win32Registry::DeleteValue(const std::string& name) {
  return key_ && RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> Win32Registry::GetValueNames() {
  return EnumNames(key_.Get(), 16384, [this](DWORD i, char* name, DWORD* length) {
    return RegEnumValueA(key_.Get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> Win32Registry::GetKeyNames() {
  return EnumNames(key_.Get(), 256, [this](DWORD i, char* name, DWORD* length) {
    return RegEnumKeyExA(key_.Get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

}  // namespace tessaly::win
