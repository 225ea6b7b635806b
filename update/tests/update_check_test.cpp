#include "update/update_check.h"

#include <gtest/gtest.h>

#include "framework/memory_registry.h"
#include "framework/settings_keys.h"

namespace tessaly {
namespace {

TEST(EncodeQueryValue, LettersStayBlanksArePlusEverythingElseIsHex) {
  EXPECT_EQ(EncodeQueryValue(""), "");
  EXPECT_EQ(EncodeQueryValue("AzZa"), "AzZa");
  EXPECT_EQ(EncodeQueryValue("2.01"), "%32%2E%30%31");
  EXPECT_EQ(EncodeQueryValue("a b&c=d/\x7F\xE9"), "a+b%26c%3Dd%2F%7F%E9");
}

TEST(QueryUrl, AddsExactlyTheTwoKeysVersionFirst) {
  EXPECT_EQ(QueryUrl("http://u/tessaly/update.asp", "2.01", 0),
            "http://u/tessaly/update.asp?appVersion=%32%2E%30%31&appBeta=%30");
  EXPECT_EQ(QueryUrl("http://u/", "2.01", 12), "http://u/?appVersion=%32%2E%30%31&appBeta=%31%32");
}

TEST(SplitReply, CommaTextRules) {
  using Items = std::vector<std::string>;
  // As the reference server writes its reply.
  EXPECT_EQ(SplitReply("1|http://h/tessaly-setup.exe,http://h/,http://h/more/,http://h/update.asp\r\n"),
            (Items{"1|http://h/tessaly-setup.exe", "http://h/", "http://h/more/", "http://h/update.asp"}));
  // An unquoted blank ends the item and starts the next: the later items shift.
  EXPECT_EQ(SplitReply("0,http://h/a b,http://m/"), (Items{"0", "http://h/a", "b", "http://m/"}));
  EXPECT_EQ(SplitReply("0,,http://m/"), (Items{"0", "", "http://m/"}));
  EXPECT_EQ(SplitReply("0,http://h/,"), (Items{"0", "http://h/"}));
  EXPECT_EQ(SplitReply("\"1|http://h/a b.exe\",\"http://h/?a,b\",\"say \"\"hi\"\"\",x"),
            (Items{"1|http://h/a b.exe", "http://h/?a,b", "say \"hi\"", "x"}));
  EXPECT_EQ(SplitReply(""), Items{});
}

TEST(IsSuccessReply, OnlyTheTwoHundreds) {
  EXPECT_TRUE(IsSuccessReply(200));
  EXPECT_TRUE(IsSuccessReply(298));
  for (int n : {0, 100, 199, 299, 302, 404, 500}) EXPECT_FALSE(IsSuccessReply(n)) << n;
}

struct ReplyCase {
  std::string body;
  bool complete;
  std::string home, update;  // in memory afterwards
  bool stored;
};

TEST(ServerUrls, FourThreeAndEmptyReplies) {
  const WebAddresses builtIn;
  const std::vector<ReplyCase> cases = {
      {"1|http://d/x.exe,http://h/,http://m/,http://u/q.asp", true, "http://h/", "http://u/q.asp", true},
      // Item 2 is not kept, but an item that is no address keeps the reply from being stored.
      {"0,http://h/,m,http://u/q.asp", true, "http://h/", "http://u/q.asp", false},
      {"0,http://h/,http://m/", false, "http://h/", builtIn.updateUrl, false},
      {"0,http://h/", false, "http://h/", builtIn.updateUrl, false},
      {"0", false, builtIn.homePageUrl, builtIn.updateUrl, false},
      {"", false, builtIn.homePageUrl, builtIn.updateUrl, false},
      // A fifth item: taken in memory, not stored.
      {"0,http://h/,http://m/,http://u/q.asp,x", true, "http://h/", "http://u/q.asp", false},
      // Addresses that are not of their kind are neither taken nor stored.
      {"0,file:///c:/windows/calc.exe,http://m/,https://u/q.asp", true, builtIn.homePageUrl, builtIn.updateUrl,
       false},
      {"0,https://h/,https://m/,c:\\q.asp", true, "https://h/", builtIn.updateUrl, false},
      {"0,https://h/,https://m/,http://u/q.asp", true, "https://h/", "http://u/q.asp", true},
      // Addresses the client could not request: an empty host, an update query without a path.
      {"0,http://:80/,http://m/,http://u/q.asp", true, builtIn.homePageUrl, "http://u/q.asp", false},
      {"0,http://h/,http://m/,http://updates.example.com", true, "http://h/", builtIn.updateUrl, false},
      // A home page without a path is a page like any other.
      {"0,http://www.example.com,http://m/,http://u/q.asp", true, "http://www.example.com", "http://u/q.asp", true},
      {"0,http://h/,http://m/,http://user@u/q.asp", true, "http://h/", builtIn.updateUrl, false},
  };
  for (const ReplyCase& c : cases) {
    WebAddresses a;
    MemoryRegistry reg;
    const std::vector<std::string> items = SplitReply(c.body);
    EXPECT_EQ(TakeServerUrls(items, a), c.complete) << c.body;
    EXPECT_EQ(a.homePageUrl, c.home) << c.body;
    EXPECT_EQ(a.updateUrl, c.update) << c.body;
    EXPECT_EQ(StoreServerUrls(reg, items), c.stored) << c.body;
    EXPECT_EQ(reg.HasKey(kDefaultsKey), c.stored) << c.body;
    if (c.stored) {
      EXPECT_EQ(std::get<std::string>(*reg.Find(kDefaultsKey, "HomePageUrl")), items[1]);
      EXPECT_EQ(std::get<std::string>(*reg.Find(kDefaultsKey, "UpdateURL")), items[3]);
    }
  }
}

TEST(ServerUrls, StoringIntoAKeyThatCannotBeCreatedWritesNothing) {
  MemoryRegistry reg;
  reg.DenyWrites(true);
  EXPECT_FALSE(StoreServerUrls(reg, SplitReply("0,http://h/,http://m/,http://u/")));
  EXPECT_FALSE(reg.HasKey(kDefaultsKey));
}

TEST(UpdateOffer, OnlyADownloadAddressTheClientCanRequestIsTaken) {
  // A quoted first item may hold anything, a line break into the request among it.
  const std::vector<std::string> items =
      SplitReply("\"1|http://h/a\r\nX-Injected: 1\",http://h/,http://m/,http://u/q.asp");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_TRUE(UpdateAvailable(items[0]));
  EXPECT_FALSE(IsDownloadAddress(DownloadUrl(items[0])));
  for (const char* offer : {"1|file:///c:/x.exe", "1|https://h/x.exe", "1|ftp://h/x.exe", "1|", "1|http:///x.exe",
                            "1|http://h"})
    EXPECT_FALSE(IsDownloadAddress(DownloadUrl(offer))) << offer;
  EXPECT_TRUE(IsDownloadAddress(DownloadUrl("1|http://h:8080/tessaly-2.02-setup.exe")));
}

TEST(UpdateOffer, FirstCharacterOneAndTheAddressFromTheThird) {
  EXPECT_TRUE(UpdateAvailable("1|http://d/x.exe"));
  EXPECT_EQ(DownloadUrl("1|http://d/x.exe"), "http://d/x.exe");
  EXPECT_TRUE(UpdateAvailable("1"));
  EXPECT_EQ(DownloadUrl("1"), "");
  EXPECT_EQ(DownloadUrl("1|"), "");
  for (const char* no : {"", "0|http://d/x.exe", "2", " 1", "yes"}) EXPECT_FALSE(UpdateAvailable(no)) << no;
}

TEST(DownloadProgress, FiguresAndScaleBeyond32Bits) {
  EXPECT_EQ(ProgressText(16383, 1000000), "16383 bytes of 1000000 received");
  EXPECT_EQ(ProgressText(10, 0), "10 bytes of 0 received");
  ProgressRange small = ScaleProgress(16383, 1000000);
  EXPECT_EQ(small.position, 16383);
  EXPECT_EQ(small.maximum, 1000000);
  const std::int64_t total = 6'000'000'000;  // 6 GB
  ProgressRange big = ScaleProgress(total / 2, total);
  EXPECT_LE(big.maximum, INT32_MAX);
  EXPECT_GT(big.maximum, INT32_MAX / 2);  // no more precision lost than needed
  EXPECT_NEAR(static_cast<double>(big.position) / big.maximum, 0.5, 1e-6);
  // Without a Content-Length the total is 0 and only the count grows.
  ProgressRange open = ScaleProgress(total, 0);
  EXPECT_LE(open.position, INT32_MAX);
  EXPECT_EQ(open.maximum, 0);
}

}  // namespace
}  // namespace tessaly
