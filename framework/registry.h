#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly {

// Raised when a value that must be there is missing or has another type.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Access to the registry: one key open at a time below one root
// (HKEY_LOCAL_MACHINE for the program's machine-wide settings), paths written
// with backslashes ("\Software\...").
// Booleans are stored as REG_DWORD 0 or 1, texts as REG_SZ.
//
// A key is opened either for reading or for writing, never both: an account
// that may read HKEY_LOCAL_MACHINE but not write it must still get its
// settings. Reads through a key opened for writing find nothing, and writes
// through a key opened for reading fail, as the platform has it.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the key (closing any other first): without create for reading only;
  // with create for writing only, making it if missing.
  virtual bool OpenKey(const std::string& path, bool create) = 0;
  virtual void CloseKey() = 0;

  virtual bool ValueExists(const std::string& name) = 0;
  // The value if it exists as REG_DWORD, else nothing.
  virtual std::optional<int> TryReadInteger(const std::string& name) = 0;
  // A missing value reads as the empty text; another type raises.
  virtual std::string ReadString(const std::string& name) = 0;
  virtual void WriteInteger(const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
  virtual std::vector<std::string> GetValueNames() = 0;
  virtual std::vector<std::string> GetKeyNames() = 0;

  // Raise RegistryError when the value is missing or not an integer.
  int ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  // The stored value, or fallback when it is missing or of another type.
  int ReadIntegerOr(const std::string& name, int fallback);
  // The text, or fallback when the value is of another type.
  std::string ReadStringOr(const std::string& name, const std::string& fallback);
  bool ReadBoolOr(const std::string& name, bool fallback) {
    return ReadIntegerOr(name, fallback ? 1 : 0) != 0;
  }
};

// Keeps the key open for one scope, as every reader and writer of settings does.
class RegistryKeyScope {
 public:
  RegistryKeyScope(Registry& reg, const std::string& path, bool create)
      : reg_(reg), open_(reg.OpenKey(path, create)) {}
  ~RegistryKeyScope() {
    if (open_) reg_.CloseKey();
  }
  RegistryKeyScope(const RegistryKeyScope&) = delete;
  RegistryKeyScope& operator=(const RegistryKeyScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  Registry& reg_;
  bool open_;
};

}  // namespace tessaly
