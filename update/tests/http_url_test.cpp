#include <gtest/gtest.h>

#include "update/http_error.h"
#include "update/http_url.h"

namespace tessaly {
namespace {

struct UrlCase {
  const char* url;
  int currentPort;
  const char* host;
  int port;
  const char* path;
  const char* requested;
};

TEST(HttpUrl, SplitsHostPortAndPath) {
  const UrlCase cases[] = {
      {"http://www.corvane.com:8080/a/b?x=1", 0, "www.corvane.com", 8080, "/a/b?x=1", "http://www.corvane.com:8080/a/b?x=1"},
      {"http://www.corvane.com", 0, "www.corvane.com", 80, "/", "http://www.corvane.com/"},
      {"http://h:81", 0, "h", 81, "/", "http://h:81/"},
      {"ftp://h/f.zip", 0, "h", 21, "/f.zip", "ftp://h/f.zip"},
      {"GOPHER://h/1", 0, "h", 70, "/1", "GOPHER://h/1"},
      {"HTTP://h/", 8000, "h", 80, "/", "HTTP://h/"},  // a scheme decides over the setting
      {"h/x", 8000, "h", 8000, "/x", "h/x"},             // nothing decides: the setting stays
      {"h", 0, "h", 80, "/", "h/"},
      {"h:8081/x", 0, "h", 8081, "/x", "h:8081/x"},
      {"/moved/here", 8080, "", 8080, "/moved/here", "/moved/here"},  // a redirect within the host
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.url);
    HttpUrlParts p = ParseHttpUrl(c.url, c.currentPort);
    EXPECT_EQ(p.host, c.host);
    EXPECT_EQ(p.port, c.port);
    EXPECT_EQ(p.path, c.path);
    EXPECT_EQ(p.url, c.requested);
  }
}

TEST(HttpUrl, PathIsCutAt256Characters) {
  std::string path = "/" + std::string(300, 'p');
  EXPECT_EQ(ParseHttpUrl("http://h" + path, 0).path, path.substr(0, 256));
  EXPECT_EQ(ParseHttpUrl("h" + path, 0).path, path.substr(0, 256));
}

TEST(HttpUrl, RefusesEmptyUrlAndBadPorts) {
  try {
    ParseHttpUrl("", 0);
    FAIL();
  } catch (const HttpError& e) {
    EXPECT_STREQ(e.what(), "Empty URL");
  }
  for (const char* url : {"http://h:x/", "http://h:/", "http://h:65536/", "http://h:-1/", "http://[::1]:80/"})
    EXPECT_THROW(ParseHttpUrl(url, 0), HttpError) << url;
}

TEST(HttpUrl, RedirectWithoutSlashNamesADocumentOnTheHost) {
  EXPECT_EQ(RedirectUrl("new.htm", "h"), "http://h/new.htm");
  EXPECT_EQ(RedirectUrl("/new.htm", "h"), "/new.htm");
  EXPECT_EQ(RedirectUrl("http://o/x", "h"), "http://o/x");
}

}  // namespace
}  // namespace tessaly
