// libFuzzer target: any bytes as the update server's reply. Whatever the
// rules take from it (the addresses kept in memory and stored, the download
// address) must be an address the HTTP client itself can request: it parses,
// to a host without "@", with no blank or control character anywhere.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "framework/memory_registry.h"
#include "framework/settings_keys.h"
#include "update/http_error.h"
#include "update/http_url.h"
#include "update/update_check.h"

using namespace tessaly;

namespace {

void MustBeRequestable(const std::string& url) {
  for (unsigned char c : url)
    if (c <= ' ' || c == 0x7F) std::abort();
  try {
    const HttpUrlParts parts = ParseHttpUrl(url, 0);
    if (parts.host.empty() || parts.host.find('@') != std::string::npos || parts.port < 1 ||
        parts.path.empty() || parts.path[0] != '/')
      std::abort();
  } catch (const HttpError&) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> items = SplitReply(body);
  const WebAddresses builtIn;
  WebAddresses taken;
  TakeServerUrls(items, taken);
  if (taken.homePageUrl != builtIn.homePageUrl) MustBeRequestable(taken.homePageUrl);
  if (taken.updateUrl != builtIn.updateUrl) {
    MustBeRequestable(taken.updateUrl);
    MustBeRequestable(QueryUrl(taken.updateUrl, "2.01", 0));
  }
  MemoryRegistry reg;
  if (StoreServerUrls(reg, items)) {
    MustBeRequestable(std::get<std::string>(*reg.Find(kDefaultsKey, "HomePageUrl")));
    MustBeRequestable(std::get<std::string>(*reg.Find(kDefaultsKey, "UpdateURL")));
  }
  if (!items.empty() && UpdateAvailable(items[0]) && IsDownloadAddress(DownloadUrl(items[0])))
    MustBeRequestable(DownloadUrl(items[0]));
  return 0;
}
