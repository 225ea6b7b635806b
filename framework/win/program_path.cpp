#include "framework/win/program_path.h"

#include <windows.h>

#include <vector>

#include "framework/win/wide_text.h"

namespace tessaly::win {

std::string ProgramFileName() {
  // A path that fills the buffer may have been cut short: try a larger one.
  for (DWORD size = MAX_PATH + 1; size <= 32768 * 2; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (n < size - 1) return std::string(buffer.data(), n);
  }
  return {};
}

std::string ProgramFileNameUtf8() {
  for (DWORD size = MAX_PATH + 1; size <= 32768 * 2; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (n < size - 1) return Utf8(buffer.data(), static_cast<int>(n));
  }
  return {};
}

std::string ProgramDirectory() {
  const std::string file = ProgramFileName();
  return file.substr(0, file.rfind('\\') + 1);
}

}  // namespace tessaly::win
