#pragma once
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "framework/registry.h"

namespace tessaly {

// An in-memory registry for tests: keys keep their values in insertion order,
// as a fresh registry key enumerates them. It keeps the access rule of the
// platform: a key opened for reading takes no writes, one opened for writing
// shows no values.
class MemoryRegistry : public Registry {
 public:
  using Value = std::variant<int, std::string>;
  struct Key {
    std::vector<std::pair<std::string, Value>> values;
  };

  bool OpenKey(const std::string& path, bool create) override;
  void CloseKey() override { current_ = nullptr; }
  bool ValueExists(const std::string& name) override;
  std::optional<int> TryReadInteger(const std::string& name) override;
  std::string ReadString(const std::string& name) override;
  void WriteInteger(const std::string& name, int value) override;
  void WriteString(const std::string& name, const std::string& value) override;
  bool DeleteValue(const std::string& name) override;
  std::vector<std::string> GetValueNames() override;
  std::vector<std::string> GetKeyNames() override;

  // An account that may read but not write: opening for writing fails.
  void DenyWrites(bool deny) { denyWrites_ = deny; }

  // Direct access for tests.
  bool HasKey(const std::string& path) const;
  Key& KeyAt(const std::string& path) { return keys_[Normalize(path)]; }
  const Value* Find(const std::string& path, const std::string& name) const;
  int OpenCount() const { return openCount_; }

 private:
  static std::string Normalize(const std::string& path);
  Value* FindValue(const std::string& name);
  Key* Readable() const { return writing_ ? nullptr : current_; }
  Key* Writable() const { return writing_ ? current_ : nullptr; }
  void Put(const std::string& name, Value v);

  std::map<std::string, Key> keys_;
  std::string currentPath_;
  Key* current_ = nullptr;
  bool writing_ = false;
  bool denyWrites_ = false;
  int openCount_ = 0;
};

}  // namespace tessaly
