#pragma once
#include "framework/registry.h"
#include "framework/win/handles.h"

namespace tessaly::win {

// The registry below one root: HKEY_LOCAL_MACHINE, where the program keeps
// its settings, unless another is named.
class Win32Registry : public Registry {
 public:
  explicit Win32Registry(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {}
  bool OpenKey(const std::string& path, bool create) override;
  void CloseKey() override { key_.Reset(); }
  bool ValueExists(const std::string& name) override;
  std::optional<int> TryReadInteger(const std::string& name) override;
  std::string ReadString(const std::string& name) override;
  void WriteInteger(const std::string& name, int value) override;
  void WriteString(const std::string& name, const std::string& value) override;
  bool DeleteValue(const std::string& name) override;
  std::vector<std::string> GetValueNames() override;
  std::vector<std::string> GetKeyNames() override;

 private:
  HKEY root_;
  UniqueKey key_;
};

}  // namespace tessaly::win
