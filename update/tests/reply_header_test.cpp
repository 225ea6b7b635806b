#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "update/reply_header.h"

namespace tessaly {
namespace {

using State = ReplyHeaderReader::State;

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(REPLY_SAMPLES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

ReplyHeaderReader Read(const std::string& reply, std::size_t* taken = nullptr) {
  ReplyHeaderReader r;
  std::size_t n = r.Feed(reply.data(), reply.size());
  if (taken) *taken = n;
  return r;
}

// Replies as servers send them, each followed by the start of its body.
TEST(ReplyHeader, ReadsRealReplies) {
  struct {
    const char* file;
    int number;
    std::int64_t length;
    const char* location;
    const char* cookie;
  } cases[] = {
      {"apache_200.http", 200, 1234, "", ""},
      {"nginx_302.http", 302, 145,
       "http://www.corvane.com/corvane/gallivor/tessaly/update.asp?appVersion=%32%2E%30%31&appBeta=%30", ""},
      {"iis_404.http", 404, 1245, "", ""},
      {"iis6_asp_302_cookie.http", 302, 149, "/corvane/gallivor/tessaly/",
       "ASPSESSIONIDQQGGGNCG=LKJHGFDSAQWERTYUIOPLKJHG; path=/"},
      {"python_http_server_200.http", 200, 56, "", ""},
      {"python_http_server_404.http", 404, 335, "", ""},
      {"ncsa_lf_only.http", 200, 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string reply = Sample(c.file);
    std::size_t taken = 0;
    ReplyHeaderReader r = Read(reply, &taken);
    ASSERT_EQ(r.GetState(), State::kComplete);
    EXPECT_EQ(r.ReplyNumber(), c.number);
    EXPECT_EQ(r.ContentLength(), c.length);
    EXPECT_EQ(r.Location(), c.location);
    EXPECT_EQ(r.Cookie(), c.cookie);
    std::size_t blank = reply.find("\r\n\r\n") != std::string::npos ? reply.find("\r\n\r\n") + 4 : reply.find("\n\n") + 2;
    EXPECT_EQ(taken, blank);
    EXPECT_EQ(r.Text(), reply.substr(0, blank));
  }
}

TEST(ReplyHeader, SameResultWhateverThePiecesItArrivesIn) {
  std::string reply = Sample("iis6_asp_302_cookie.http");
  ReplyHeaderReader whole = Read(reply), bytewise;
  std::size_t taken = 0;
  while (bytewise.Reading()) taken += bytewise.Feed(reply.data() + taken, 1);
  EXPECT_EQ(bytewise.Text(), whole.Text());
  EXPECT_EQ(bytewise.Cookie(), whole.Cookie());
  EXPECT_EQ(bytewise.Location(), whole.Location());
}

TEST(ReplyHeader, RefusesWhatIsNotAnHttpStatusLine) {
  for (const char* reply : {"\r\n\r\n", "garbage\r\n\r\n", "HTTP/1.0 20 OK\r\n\r\n", "HTTP/1.0 2000 OK\r\n\r\n",
                            "HTTP/1.0 70000\r\n\r\n", "HTTP/ 200 OK\r\n\r\n", "HTTP/1.0200 OK\r\n\r\n",
                            "http/1.0 200 OK\r\n\r\n", "HTTP/1.x 200 OK\r\n\r\n", "HTTP/1.0 -20 OK\r\n\r\n",
                            "HTTP/1.0 200OK\r\n\r\n", "HTTP/1.0 020 OK\r\n\r\n"}) {
    ReplyHeaderReader r = Read(reply);
    EXPECT_EQ(r.GetState(), State::kNotHttp) << reply;
    EXPECT_EQ(r.ReplyNumber(), 0);
  }
  // A server that sends no line end at all is refused at its first bytes.
  EXPECT_EQ(Read("<html>").GetState(), State::kNotHttp);
  EXPECT_EQ(Read("HTTP/1.0 200\r\n\r\n").ReplyNumber(), 200);
}

TEST(ReplyHeader, HeaderCutShortByTheEndOfTheConnection) {
  for (const char* reply : {"", "HTTP/1.0 200 OK\r\nContent-Le", "HTTP/1.0 200 OK\r\n"}) {
    ReplyHeaderReader r = Read(reply);
    r.End();
    EXPECT_EQ(r.GetState(), State::kCutShort) << reply;
  }
}

TEST(ReplyHeader, HeaderLongerThanTheLimitIsRefusedWithoutGrowing) {
  ReplyHeaderReader r = Read("HTTP/1.0 200 OK\r\nX-Long: ");
  std::string piece(4096, 'x');
  for (int i = 0; i < 100 && r.Reading(); ++i) r.Feed(piece.data(), piece.size());
  EXPECT_EQ(r.GetState(), State::kTooLong);
  EXPECT_EQ(r.Text(), "HTTP/1.0 200 OK\r\n");
}

TEST(ReplyHeader, ContentLengthOfAnySize) {
  auto length = [](const std::string& field) {
    return Read("HTTP/1.0 200 OK\r\n" + field + "\r\n\r\n").ContentLength();
  };
  EXPECT_EQ(length("Content-Length: 4294967296"), 4294967296);
  EXPECT_EQ(length("content-length:   17 bytes"), 17);
  EXPECT_EQ(length("Content-Length: none"), 0);
  EXPECT_EQ(length("Content-Length: 99999999999999999999999999"), INT64_MAX);
  // With or without a blank after the colon, as the digits are read after it.
  EXPECT_EQ(length("content-length:3"), 3);
  EXPECT_EQ(length("CONTENT-LENGTH:\t12"), 12);
  EXPECT_EQ(length("Content-Lengthy: 5"), 0);  // another field
  EXPECT_EQ(length("X-Content-Length: 5"), 0);
}

TEST(ReplyHeader, LocationAndCookieWithoutLineEndAndCut) {
  std::string url = "http://h/" + std::string(300, 'u');
  ReplyHeaderReader r = Read("HTTP/1.0 302 Found\r\nLocation:  " + url + " \r\nSet-Cookie: a=1\rX\r\n\r\n");
  EXPECT_EQ(r.Location(), url.substr(0, ReplyHeaderReader::kMaxValue));
  EXPECT_EQ(r.Cookie(), "a=1");
  EXPECT_EQ(Read("HTTP/1.0 301 Moved\r\nlocation:/new.htm\r\n\r\n").Location(), "/new.htm");
}

}  // namespace
}  // namespace tessaly
