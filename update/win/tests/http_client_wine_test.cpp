// The HTTP client over real sockets, against the loopback servers that
// http_test_server.py runs around this program.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/win/application.h"
#include "update/http_client.h"
#include "update/http_error.h"
#include "update/win/winsock_transport.h"

namespace tessaly {
namespace {

using Clock = std::chrono::steady_clock;

int Port(const char* variable) {
  const char* v = std::getenv(variable);
  return v ? std::atoi(v) : 0;
}

std::string Url(const std::string& path, const char* port = "TESSALY_HTTP_PORT") {
  return "http://127.0.0.1:" + std::to_string(Port(port)) + path;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A client as the update window sets it up, with a record of its events and
// of what left Get.
class HttpClientOnWine : public ::testing::Test {
 protected:
  HttpClientOnWine() {
    EXPECT_NE(Port("TESSALY_HTTP_PORT"), 0) << "run through http_test_server.py";
    client_.HeaderInfo.LocalProgram = "Tessaly 2.0";
    client_.TimeOut = 25000;
    client_.ReportLevel = 0;
    client_.OnSuccess = [this](int) { events_.push_back("success"); };
    client_.OnFailure = [this](int) { events_.push_back("failure"); };
    client_.OnConnectionFailed = [this] { events_.push_back("connection failed"); };
    client_.OnInvalidHost = [this](bool& handled) {
      events_.push_back("invalid host");
      handled = retryLookup_;
    };
    client_.OnRedirect = [this](bool&) { events_.push_back("redirect"); };
    client_.OnPacketRecvd = [this](std::int64_t received, std::int64_t total) {
      packets_.push_back({received, total});
      if (abortOnPacket_) client_.Abort();
    };
  }
  ~HttpClientOnWine() override { DeleteFileA(file_.c_str()); }

  // Runs Get: the text of the error that left it, empty when none did.
  std::string Get(const std::string& url) {
    events_.clear();
    packets_.clear();
    try {
      client_.Get(url);
      return "";
    } catch (const HttpError& e) {
      return e.what();
    }
  }
  void UseFile() {
    client_.InputFileMode = true;
    client_.Body = file_;
  }
  // Aborts the client from a timer after ms, as the Cancel button would.
  void AbortAfter(UINT ms) {
    target_ = &client_;
    SetTimer(nullptr, 0, ms, &AbortNow);
  }
  static void CALLBACK AbortNow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    abortedAt_ = Clock::now();
    target_->Abort();
  }
  // Milliseconds from the abort to now.
  static long SinceAbort() {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - abortedAt_).count());
  }

  THttpClient client_{win::CreateWinsockTransport()};
  std::vector<std::string> events_;
  std::vector<std::pair<std::int64_t, std::int64_t>> packets_;
  bool retryLookup_ = false;
  bool abortOnPacket_ = false;
  std::string file_ = "http_client_wine_test.tmp";
  static inline THttpClient* target_ = nullptr;
  static inline Clock::time_point abortedAt_;
};

using Events = std::vector<std::string>;

TEST_F(HttpClientOnWine, MemoryModeKeepsBodyAndHeader) {
  EXPECT_EQ(Get(Url("/text")), "");
  EXPECT_EQ(events_, Events{"success"});
  EXPECT_EQ(client_.Body, "1,http://127.0.0.1/update.exe");
  EXPECT_EQ(client_.Header, "HTTP/1.0 200 OK\r\nServer: TessalyTest\r\n\r\n");
  EXPECT_EQ(client_.ReplyNumber(), 200);
  EXPECT_EQ(client_.BytesTotal(), 0);  // no Content-Length
  EXPECT_EQ(client_.BytesReceived(), 29);
}

TEST_F(HttpClientOnWine, FileModeCountsTheBodyThatCameWithTheHeader) {
  win::Application app;  // the program's own message loop turns during Get
  UseFile();
  const int size = 300000;
  EXPECT_EQ(Get(Url("/onepacket/" + std::to_string(size))), "");
  EXPECT_EQ(events_, Events{"success"});
  std::string body = ReadFile(file_);
  ASSERT_EQ(body.size(), static_cast<std::size_t>(size));
  EXPECT_EQ(body[size - 1], static_cast<char>((size - 1) % 251));
  ASSERT_FALSE(packets_.empty());
  EXPECT_GT(packets_.front().first, 0);  // the first block is counted from the start
  EXPECT_EQ(packets_.back(), std::make_pair(std::int64_t{size}, std::int64_t{size}));
  EXPECT_EQ(client_.BytesReceived(), size);
}

TEST_F(HttpClientOnWine, NotFoundFailsAndStillWritesTheErrorPage) {
  UseFile();
  EXPECT_EQ(Get(Url("/404")), "");
  EXPECT_EQ(events_, Events{"failure"});
  EXPECT_EQ(client_.ReplyNumber(), 404);
  EXPECT_EQ(ReadFile(file_), "<html><body>No such page</body></html>");
}

TEST_F(HttpClientOnWine, RefusedConnectionAndUnknownHost) {
  EXPECT_EQ(Get(Url("/", "TESSALY_HTTP_CLOSED_PORT")), "Connection Failed");
  EXPECT_EQ(events_, Events{"connection failed"});
  EXPECT_EQ(Get("http://tessaly-test-host.invalid/"), "Null Remote Address");
  EXPECT_EQ(events_, Events{"invalid host"});
  retryLookup_ = true;  // looked up once more, then given up without asking again
  EXPECT_EQ(Get("http://tessaly-test-host.invalid/"), "Null Remote Address");
  EXPECT_EQ(events_, Events{"invalid host"});
}

TEST_F(HttpClientOnWine, TimeOutAndAbortEndAConnectionThatNeverCompletes) {
  client_.TimeOut = 300;
  EXPECT_EQ(Get(Url("/", "TESSALY_HTTP_STALLED_PORT")), "Connection Timed out");
  EXPECT_EQ(events_, Events{"connection failed"});
  client_.TimeOut = 25000;
  AbortAfter(200);
  EXPECT_EQ(Get(Url("/", "TESSALY_HTTP_STALLED_PORT")), "Connection Canceled");
  EXPECT_EQ(events_, Events{"connection failed"});
  EXPECT_LT(SinceAbort(), 1000);  // ended by the abort, not by anything later
}

TEST_F(HttpClientOnWine, OnlyAbortEndsAServerThatNeverAnswers) {
  client_.TimeOut = 100;  // limits connecting only, not the wait for the reply
  auto start = Clock::now();
  AbortAfter(600);
  EXPECT_EQ(Get(Url("/hang")), "Socket readln aborted");
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(550));
  EXPECT_LT(SinceAbort(), 1000);  // ended by the abort, not by anything later
  EXPECT_TRUE(events_.empty());
  std::printf("Get returned %ld ms after Abort\n", SinceAbort());
}

TEST_F(HttpClientOnWine, AbortWhileReceiving) {
  abortOnPacket_ = true;
  EXPECT_EQ(Get(Url("/slow")), "Socket capture aborted");
  EXPECT_TRUE(events_.empty());
  UseFile();
  EXPECT_EQ(Get(Url("/slow")), "Socket send aborted");
  EXPECT_EQ(ReadFile(file_).size(), static_cast<std::size_t>(packets_.back().first));  // what arrived stays
}

TEST_F(HttpClientOnWine, RedirectIsFollowedWithItsCookie) {
  EXPECT_EQ(Get(Url("/redirect")), "");
  EXPECT_EQ(events_, (Events{"redirect", "success"}));
  EXPECT_EQ(client_.HeaderInfo.Cookie, "session=7");
  // The second request as the server got it.
  EXPECT_EQ(client_.Body.substr(0, 20), "GET /echo HTTP/1.0\r\n");
  EXPECT_NE(client_.Body.find("\r\nUser-Agent: Tessaly 2.0\r\nCookie: session=7\r\n"), std::string::npos);
}

TEST_F(HttpClientOnWine, RedirectLoopEndsAsFailure) {
  int requests = 0;
  client_.OnAboutToSend = [&] { ++requests; };
  EXPECT_EQ(Get(Url("/loop")), "");
  EXPECT_EQ(requests, THttpClient::kMaxRedirects + 1);
  EXPECT_EQ(events_.back(), "failure");
  EXPECT_EQ(events_.size(), THttpClient::kMaxRedirects + 2u);
}

TEST_F(HttpClientOnWine, WhatIsNotAWholeReplyFails) {
  for (const char* path : {"/garbage", "/empty", "/cut-header", "/short"}) {
    EXPECT_EQ(Get(Url(path)), "") << path;
    EXPECT_EQ(events_, Events{"failure"}) << path;
  }
}

}  // namespace
}  // namespace tessaly
