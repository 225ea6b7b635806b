// What the browser controllers' tests share: where the test peers are, the
// log each peer keeps of the calls it received, and waiting under messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace peers {

// A program's path as Windows sees it: ctest passes the build's Unix paths,
// which Wine shows on drive Z.
inline std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

inline std::string PeerPath(const char* variable) {
  const char* path = std::getenv(variable);
  return path ? WindowsPath(path) : std::string();
}

// Polls while running this thread's messages, as the program's loop would.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
}

// The file a peer appends its calls to, one per line after the peer's
// process id; removed when the test ends.
class CallLog {
 public:
  explicit CallLog(const std::string& name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + name + "-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(path_.c_str());
  }
  ~CallLog() { DeleteFileA(path_.c_str()); }
  const std::string& Path() const { return path_; }

  // The calls in order, without the process ids.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    std::ifstream in(path_);
    std::string line;
    while (std::getline(in, line)) calls.push_back(line.substr(line.find(' ') + 1));
    return calls;
  }
  bool Has(const std::string& call) const {
    std::vector<std::string> calls = Calls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

 private:
  std::string path_;
};

inline RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace peers
