#include "update/web_addresses.h"

#include <gtest/gtest.h>

#include "framework/memory_registry.h"
#include "framework/settings_keys.h"

using namespace tessaly;

namespace {

MemoryRegistry::Key& Key(MemoryRegistry& reg, const char* path) { return reg.KeyAt(path); }

TEST(StartupSettings, NoKeysMeansBuiltInAddresses) {
  MemoryRegistry reg;
  WebAddresses a;
  const WebAddresses builtIn;
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, builtIn.homePageUrl);
  EXPECT_EQ(a.updateUrl, builtIn.updateUrl);
  EXPECT_FALSE(reg.HasKey(kDefaultsKey));  // reading never creates a key
}

TEST(StartupSettings, StoredAddressReplacesBuiltInUnlessEmptyOrZero) {
  MemoryRegistry reg;
  WebAddresses a;
  const std::string builtInUpdate = a.updateUrl;
  Key(reg, kDefaultsKey).values = {{"HomePageUrl", std::string("0")}, {"UpdateURL", std::string("")}};
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, WebAddresses().homePageUrl);
  EXPECT_EQ(a.updateUrl, builtInUpdate);
  Key(reg, kDefaultsKey).values = {{"HomePageUrl", std::string("http://h/")}, {"UpdateURL", std::string("http://u/")}};
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, "http://h/");
  EXPECT_EQ(a.updateUrl, "http://u/");
}

TEST(WebAddress, OnlyAbsoluteHttpOrHttpsUrlsThatTheClientCanRequest) {
  for (const char* good : {"http://h/", "https://www.example.com/a?b=1", "HTTP://H:8080/", "http://h/?x",
                           "Https://h/#f", "http://h:1/u", "http://h:65535/u",
                           // a page the browser opens needs no path
                           "http://www.example.com", "https://h:8080"})
    EXPECT_TRUE(IsWebAddress(good)) << good;
  for (const char* bad : {"", "0", "http://", "https:///path", "xhttp://h/", "file:///c:/x.exe", "c:\\x.exe",
                          "mailto:a@b", "javascript:alert(1)", "http://h/a b", "http://h/\tx", "http:\\\\h\\",
                          "http://\\\\server\\share", "ftp://h/", "www.example.com/x http://h/",
                          // no host; a "?" in the host; an empty port,
                          // port 0 or one out of range; "#" or a user before the host
                          "http://:80/", "http://h?x", "http://updates.example.com:/u",
                          "http://h:0/", "http://h:65536/", "http://updates.example.com#x/update.asp",
                          "http://user@updates.example.com/update.asp", "http://h/a\r\nX-Injected: 1"})
    EXPECT_FALSE(IsWebAddress(bad)) << bad;
  EXPECT_TRUE(IsQueryAddress("http://h/update.asp"));
  // The HTTP client has no TLS: an https address would go out as plain HTTP to port 80.
  EXPECT_FALSE(IsQueryAddress("https://h/update.asp"));
  EXPECT_FALSE(IsQueryAddress("file:///c:/update.asp"));
}

TEST(StartupSettings, StoredAddressOfAnotherKindLeavesTheBuiltInOne) {
  MemoryRegistry reg;
  WebAddresses a;
  const WebAddresses builtIn;
  Key(reg, kDefaultsKey).values = {{"HomePageUrl", std::string("c:\\windows\\system32\\calc.exe")},
                                   {"UpdateURL", std::string("https://u/update.asp")}};
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, builtIn.homePageUrl);
  EXPECT_EQ(a.updateUrl, builtIn.updateUrl);
  Key(reg, kDefaultsKey).values = {{"HomePageUrl", std::string("https://h/")}};
  ReadStoredAddresses(reg, a);
  EXPECT_EQ(a.homePageUrl, "https://h/");
}

}  // namespace
