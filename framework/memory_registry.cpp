#include "framework/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace tessaly {

namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
bool SameName(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }
}  // namespace

std::string MemoryRegistry::Normalize(const std::string& path) {
  std::string p = Lower(path);
  while (!p.empty() && p.front() == '\\') p.erase(p.begin());
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p;
}

bool MemoryRegistry::OpenKey(const std::string& path, bool create) {
  CloseKey();
  if (create && denyWrites_) return false;
  std::string key = Normalize(path);
  auto it = keys_.find(key);
  if (it == keys_.end()) {
    if (!create) return false;
    // Creating a key creates its parents, as the platform does.
    for (size_t pos = key.find('\\'); pos != std::string::npos; pos = key.find('\\', pos + 1))
      keys_.emplace(key.substr(0, pos), Key{});
    it = keys_.emplace(key, Key{}).first;
  }
  currentPath_ = key;
  current_ = &it->second;
  writing_ = create;
  ++openCount_;
  return true;
}

MemoryRegistry::Value* MemoryRegistry::FindValue(const std::string& name) {
  Key* key = Readable();
  if (!key) return nullptr;
  for (auto& [n, v] : key->values)
    if (SameName(n, name)) return &v;
  return nullptr;
}

bool MemoryRegistry::ValueExists(const std::string& name) { return FindValue(name) != nullptr; }

std::optional<int> MemoryRegistry::TryReadInteger(const std::string& name) {
  Value* v = FindValue(name);
  if (!v || !std::holds_alternative<int>(*v)) return std::nullopt;
  return std::get<int>(*v);
}

std::string MemoryRegistry::ReadString(const std::string& name) {
  Value* v = FindValue(name);
  if (!v) return {};
  if (!std::holds_alternative<std::string>(*v))
    throw RegistryError("Invalid data type for '" + name + "'");
  return std::get<std::string>(*v);
}

void MemoryRegistry::Put(const std::string& name, Value value) {
  Key* key = Writable();
  if (!key) throw RegistryError("Failed to set data for '" + name + "'");
  for (auto& [n, v] : key->values) {
    if (SameName(n, name)) {
      v = std::move(value);
      return;
    }
  }
  key->values.emplace_back(name, std::move(value));
}

void MemoryRegistry::WriteInteger(const std::string& name, int value) { Put(name, value); }
void MemoryRegistry::WriteString(const std::string& name, const std::string& value) {
  Put(name, value);
}

bool MemoryRegistry::DeleteValue(const std::string& name) {
  Key* key = Writable();
  if (!key) return false;
  auto& vals = key->values;
  auto it = std::find_if(vals.begin(), vals.end(),
                         [&](const auto& p) { return SameName(p.first, name); });
  if (it == vals.end()) return false;
  vals.erase(it);
  return true;
}

std::vector<std::string> MemoryRegistry::GetValueNames() {
  std::vector<std::string> names;
  if (Key* key = Readable())
    for (auto& [n, v] : key->values) names.push_back(n);
  return names;
}

std::vector<std::string> MemoryRegistry::GetKeyNames() {
  std::vector<std::string> names;
  if (!Readable()) return names;
  const std::string prefix = currentPath_ + "\\";
  for (auto& [k, v] : keys_)
    if (k.compare(0, prefix.size(), prefix) == 0 && k.find('\\', prefix.size()) == std::string::npos)
      names.push_back(k.substr(prefix.size()));
  return names;
}

bool MemoryRegistry::HasKey(const std::string& path) const {
  return keys_.count(Normalize(path)) != 0;
}

const MemoryRegistry::Value* MemoryRegistry::Find(const std::string& path,
                                                   const std::string& name) const {
  auto it = keys_.find(Normalize(path));
  if (it == keys_.end()) return nullptr;
  for (auto& [n, v] : it->second.values)
    if (SameName(n, name)) return &v;
  return nullptr;
}

}  // namespace tessaly
