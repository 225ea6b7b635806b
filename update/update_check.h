#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/registry.h"
#include "update/web_addresses.h"

namespace tessaly {

// The rules of the update check that need no window: the query sent to the
// update server, what its reply changes and offers, and the download's
// progress as the window shows it.

// A blank becomes "+", a letter stays, every other character becomes "%" and
// its code in two upper-case hexadecimal digits (digits and "." included).
std::string EncodeQueryValue(const std::string& text);

// updateUrl + "?appVersion=" + the encoded version + "&appBeta=" + the
// encoded beta number.
std::string QueryUrl(const std::string& updateUrl, const std::string& version, int beta);

// Only a reply of the 2xx family answers the query: anything else (including
// the 1xx that the HTTP client also counts as success) is a failed query.
bool IsSuccessReply(int replyNumber);

// The reply body's items (comma text): availability and download address,
// home page, a further address, update query address.
std::vector<std::string> SplitReply(const std::string& body);

// Takes items 1 to 3 in order into the program's addresses: item 1 as the home
// page and item 3 as the update query address, each only if it is an address
// of its kind (IsWebAddress, IsQueryAddress); item 2 is not kept. Returns
// false when an item is missing: the check stops there, and what was taken
// before stays taken.
bool TakeServerUrls(const std::vector<std::string>& items, WebAddresses& addresses);

// Writes items 1 and 3 as "HomePageUrl" and "UpdateURL" under the Defaults
// key, only for a reply of exactly four items whose items 1 to 3 are all
// addresses of their kind; returns whether it wrote. A key that cannot be
// opened or created writes nothing; a value that cannot be written raises.
bool StoreServerUrls(Registry& reg, const std::vector<std::string>& items);

// Item 0 offers an update when its first character is "1"; the download
// address follows from its third character on.
bool UpdateAvailable(const std::string& item0);
std::string DownloadUrl(const std::string& item0);

// The download's progress for a bar that counts in 32-bit integers: both
// figures halved together until the total fits.
struct ProgressRange {
  int position;
  int maximum;
};
ProgressRange ScaleProgress(std::int64_t received, std::int64_t total);
// "N bytes of M received".
std::string ProgressText(std::int64_t received, std::int64_t total);

}  // namespace tessaly
