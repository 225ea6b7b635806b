#include "app/bookmark_opening.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(BookmarkOpening, OnlyWebAndFileAddressesGoToTheShell) {
  for (const char* url : {"http://example.com/", "HTTPS://example.com/a?b", "file:///C:/site/index.htm",
                          "File:C:\\site\\index.htm", "http://caf\xC3\xA9.example/"})
    EXPECT_TRUE(OpensInDefaultBrowser(url)) << url;
  for (const char* url : {"", "http:", "ftp://example.com/", "javascript:alert(1)", "C:\\Windows\\notepad.exe",
                          "notepad", " http://example.com/", "N/A", "mailto:someone@example.com", "httpx://a/"})
    EXPECT_FALSE(OpensInDefaultBrowser(url)) << url;
}

}  // namespace
}  // namespace tessaly
