#include "app/open_url_log.h"

#include <windows.h>

#include <vector>

#include "framework/win/handles.h"

namespace tessaly {

void RecordOpenUrl(const char* target, const std::string& url) {
  std::vector<char> path(MAX_PATH + 1);
  const DWORD n =
      GetEnvironmentVariableA("TESSALY_TEST_OPENURL_LOG", path.data(), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return;
  win::UniqueFile file(CreateFileA(path.data(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string line = std::string(target) + "\t" + url + "\r\n";
  DWORD written = 0;
  WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace tessaly
