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
      // A scheme only at the start: "//" and ":" later on are the path's or the query's.
      {"/get?t=12:00", 8080, "", 8080, "/get?t=12:00", "/get?t=12:00"},
      {"/download/files//setup.exe", 8080, "", 8080, "/download/files//setup.exe", "/download/files//setup.exe"},
      {"/x?next=http://evil.example/", 8080, "", 8080, "/x?next=http://evil.example/", "/x?next=http://evil.example/"},
      {"http://h:8080/a//b?u=http://o:1/", 0, "h", 8080, "/a//b?u=http://o:1/", "http://h:8080/a//b?u=http://o:1/"},
      // Blanks are sent as %20: a blank would end the request line's path.
      {"http://h/new page.htm", 0, "h", 80, "/new%20page.htm", "http://h/new%20page.htm"},
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

TEST(HttpUrl, ControlCharactersNoHostAndStrangeHostsAreRefused) {
  for (const std::string& url : {std::string("http://h/a\r\nX-Injected: 1"), std::string("http://h/\tx"),
                                std::string("http://h\0x/", 10), std::string("/a\x7f"), std::string("http:///path"),
                                std::string("http://:80/"), std::string("http://user@h/"), std::string("http://h#x/u"),
                                std::string("http://evil host/"), std::string("http://h?q/")})
    EXPECT_THROW(ParseHttpUrl(url, 0), HttpError) << url;
}

TEST(HttpUrl, ARedirectWithoutASchemeStaysOnTheHostAndPort) {
  EXPECT_EQ(RedirectUrl("http://o/x"), "http://o/x");
  EXPECT_EQ(RedirectUrl("/new.htm"), "/new.htm");
  EXPECT_EQ(RedirectUrl("new.htm"), "/new.htm");  // a bare name: at the root
  EXPECT_EQ(RedirectUrl("dir/new.htm"), "/dir/new.htm");  // never a host called "dir"
  EXPECT_EQ(RedirectUrl("//evil.example/"), "//evil.example/");
  // On a server at port 8080 the bare name is fetched from port 8080.
  const HttpUrlParts parts = ParseHttpUrl(RedirectUrl("new.htm"), 8080);
  EXPECT_EQ((std::pair{parts.host, parts.port}), (std::pair{std::string(), 8080}));
  EXPECT_EQ(parts.path, "/new.htm");
}

}  // namespace
}  // namespace tessaly
