#include "framework/registry.h"

namespace tessaly {

int Registry::ReadInteger(const std::string& name) {
  std::optional<int> v = TryReadInteger(name);
  if (!v) throw RegistryError("Invalid data type for '" + name + "'");
  return *v;
}

int Registry::ReadIntegerOr(const std::string& name, int fallback) {
  return TryReadInteger(name).value_or(fallback);
}

std::string Registry::ReadStringOr(const std::string& name, const std::string& fallback) {
  try {
    return ReadString(name);
  } catch (const RegistryError&) {
    return fallback;
  }
}

}  // namespace tessaly
