#include "update/update_check.h"

#include <climits>

#include "framework/comma_text.h"
#include "framework/settings_keys.h"

namespace tessaly {

std::string EncodeQueryValue(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == ' ') {
      out += '+';
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string QueryUrl(const std::string& updateUrl, const std::string& version, int beta) {
  return updateUrl + "?appVersion=" + EncodeQueryValue(version) + "&appBeta=" + EncodeQueryValue(std::to_string(beta));
}

bool IsSuccessReply(int replyNumber) { return replyNumber >= 200 && replyNumber <= 298; }

std::vector<std::string> SplitReply(const std::string& body) { return SplitCommaText(body); }

bool TakeServerUrls(const std::vector<std::string>& items, WebAddresses& addresses) {
  if (items.size() < 2) return false;
  if (IsWebAddress(items[1])) addresses.homePageUrl = items[1];
  if (items.size() < 4) return false;  // item 2 or item 3 missing
  if (IsQueryAddress(items[3])) addresses.updateUrl = items[3];
  return true;
}

bool StoreServerUrls(Registry& reg, const std::vector<std::string>& items) {
  if (items.size() != 4 || !IsWebAddress(items[1]) || !IsWebAddress(items[2]) || !IsQueryAddress(items[3]))
    return false;
  RegistryKeyScope key(reg, kDefaultsKey, true);
  if (!key.IsOpen()) return false;
  reg.WriteString("HomePageUrl", items[1]);
  reg.WriteString("UpdateURL", items[3]);
  return true;
}

bool UpdateAvailable(const std::string& item0) { return !item0.empty() && item0[0] == '1'; }

std::string DownloadUrl(const std::string& item0) { return item0.size() > 2 ? item0.substr(2) : std::string(); }

ProgressRange ScaleProgress(std::int64_t received, std::int64_t total) {
  if (received < 0) received = 0;
  if (total < 0) total = 0;
  while (total > INT_MAX || received > INT_MAX) {
    received >>= 1;
    total >>= 1;
  }
  return {static_cast<int>(received), static_cast<int>(total)};
}

std::string ProgressText(std::int64_t received, std::int64_t total) {
  return std::to_string(received) + " bytes of " + std::to_string(total) + " received";
}

}  // namespace tessaly
