// Subcommands on files and folders: the attributes that Windows keeps and a
// Linux file system does not.
#include <windows.h>

#include "tests/wine/driver/command.h"

namespace tdriver {
namespace {

int Hide(const Args& args) {
  const DWORD attributes = GetFileAttributesA(args[0].c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return kNotFound;
  return SetFileAttributesA(args[0].c_str(), attributes | FILE_ATTRIBUTE_HIDDEN) ? kOk : kNotFound;
}

}  // namespace

std::vector<Command> FileCommands() {
  return {
      {"file-hide", 1, "PATH", Hide},
  };
}

}  // namespace tdriver
