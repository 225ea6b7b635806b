// The record a test peer keeps of every call it receives: one line per call,
// appended to a file that the test reads. The file is opened for each line, so
// several peer processes can share it and the test sees each line at once.
#pragma once
#include <windows.h>

#include <string>

namespace tpeer {

class CallLog {
 public:
  explicit CallLog(std::string path = {}) : path_(std::move(path)) {}

  void Write(const std::string& line) const {
    if (path_.empty()) return;
    HANDLE file = CreateFileA(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = std::to_string(GetCurrentProcessId()) + " " + line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }

 private:
  std::string path_;
};

}  // namespace tpeer
