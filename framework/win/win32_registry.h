#pragma once
#include "framework/registry.h"
#include "framework/win/handles.h"

namespace tessaly::win {

// The settings registry on HKEY_LOCAL_MACHINE.
class Win32Registry : public Registry {
 public:
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
  UniqueKey key_;
};

}  // namespace tessaly::win
