#pragma once
#include "framework/registry.h"
#include "framework/win/handles.h"

namespace tessaly::win {

// The registry below one root: HKEY_LOCAL_MACHINE, where the program keeps
// its settings, unless another is named. view, when given, chooses the 32-bit
// or the 64-bit view of a 64-bit system (KEY_WOW64_32KEY, KEY_WOW64_64KEY);
// without it a program sees its own architecture's.
class Win32Registry : public Registry {
 public:
  explicit Win32Registry(HKEY root = HKEY_LOCAL_MACHINE, REGSAM view = 0) : root_(root), view_(view) {}
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
  REGSAM view_;
  UniqueKey key_;
};

}  // namespace tessaly::win
