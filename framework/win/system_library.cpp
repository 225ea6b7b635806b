#include "framework/win/system_library.h"

#include <stdexcept>
#include <string>

namespace tessaly::win {

namespace {

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n ? std::string(text, n) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
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
    throw std::runtime_error(std::string("Cannot load ") + library + ": " + SystemMessage(GetLastError()));
  FARPROC function = GetProcAddress(module, name);
  if (!function)
    throw std::runtime_error(std::string("Cannot find ") + name + " in " + library + ": " +
                             SystemMessage(GetLastError()));
  return function;
}

}  // namespace tessaly::win
