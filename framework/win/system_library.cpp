#include "framework/win/system_library.h"

#include <stdexcept>
#include <string>

#include "framework/win/system_error.h"

namespace tessaly::win {

namespace {

// The system's reason for a failure, or its number when it gives none.
std::string Reason(DWORD code) {
  const std::string text = SystemErrorText(code);
  return text.empty() ? "error " + std::to_string(code) : text;
}

std::string SystemDirectoryPath(const char* library) {
  std::string path(MAX_PATH, '\0');
  UINT n = GetSystemDirectoryA(&path[0], static_cast<UINT>(path.size()));
  if (n >= path.size()) {
    path.resize(n);
    n = GetSystemDirectoryA(&path[0], static_cast<UINT>(path.size()));
  }
  path.resize(n < path.size() ? n : 0);
  return path.empty() ? std::string(library) : path + "\\" + library;
}

}  // namespace

FARPROC FindSystemFunction(const char* library, const char* name) {
  // A library already mapped (by an earlier call, or by another library) is
  // found without adding to its count; otherwise it is loaded once and stays,
  // from the system directory by its full path: a bare name would be looked
  // for beside the program first, where anyone could plant a library.
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(SystemDirectoryPath(library).c_str());
  if (!module)
    throw std::runtime_error(std::string("Cannot load ") + library + ": " + Reason(GetLastError()));
  FARPROC function = GetProcAddress(module, name);
  if (!function)
    throw std::runtime_error(std::string("Cannot find ") + name + " in " + library + ": " +
                             Reason(GetLastError()));
  return function;
}

}  // namespace tessaly::win
