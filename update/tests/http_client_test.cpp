// The HTTP client's exchange over scripted connections: the requests it
// sends when a server redirects it, and how it counts a body cut short.
#include "update/http_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "update/http_error.h"
#include "update/tests/script_transport.h"

namespace tessaly {
namespace {

using testing::Connection;
using testing::ScriptedConnection;
using testing::ScriptTransport;

struct Outcome {
  std::vector<Connection> connections;
  int successes = 0, failures = 0;
  std::string body;
  std::string error;
};

Outcome Get(const std::string& url, std::vector<ScriptedConnection> script) {
  Outcome run;
  THttpClient client(std::make_unique<ScriptTransport>(std::move(script), run.connections));
  client.OnSuccess = [&run](int) { ++run.successes; };
  client.OnFailure = [&run](int) { ++run.failures; };
  try {
    client.Get(url);
  } catch (const HttpError& e) {
    run.error = e.what();
  }
  run.body = client.Body;
  return run;
}

std::string RequestLine(const Connection& c) { return c.sent.substr(0, c.sent.find("\r\n")); }

ScriptedConnection Redirect(const std::string& location) {
  return {"HTTP/1.0 302 Found\r\nLocation: " + location + "\r\n\r\n", {}, false, false};
}

ScriptedConnection Ok(const std::string& body) { return {"HTTP/1.0 200 OK\r\n\r\n" + body, {}, false, false}; }

TEST(HttpClient, ARedirectWithoutASchemeStaysOnTheHostAndPortOfTheReply) {
  for (const char* location : {"new.htm", "/new.htm"}) {
    const Outcome run = Get("http://h:8080/start", {Redirect(location), Ok("x")});
    ASSERT_EQ(run.connections.size(), 2u) << location;
    EXPECT_EQ(run.connections[1].port, 8080) << location;
    EXPECT_EQ(run.connections[1].host, "h") << location;
    EXPECT_EQ(RequestLine(run.connections[1]), "GET /new.htm HTTP/1.0") << location;
    EXPECT_EQ(run.successes, 1);
  }
  // "//" and ":" inside a path or query are no scheme, host or port.
  for (const char* location : {"/get?t=12:00", "/download/files//setup.exe", "/x?next=http://evil.example/"}) {
    const Outcome run = Get("http://h:8080/start", {Redirect(location), Ok("x")});
    ASSERT_EQ(run.connections.size(), 2u) << location;
    EXPECT_EQ((std::pair{run.connections[1].host, run.connections[1].port}), (std::pair{std::string("h"), 8080}))
        << location;
    EXPECT_EQ(RequestLine(run.connections[1]), "GET " + std::string(location) + " HTTP/1.0");
  }
  // A scheme at the start goes where it says.
  const Outcome other = Get("http://h:8080/start", {Redirect("http://o/x"), Ok("x")});
  ASSERT_EQ(other.connections.size(), 2u);
  EXPECT_EQ((std::pair{other.connections[1].host, other.connections[1].port}), (std::pair{std::string("o"), 80}));
}

TEST(HttpClient, ALocationCarriesNoBlankOrControlCharacterIntoTheRequest) {
  const Outcome blank = Get("http://h/start", {Redirect("/new page.htm"), Ok("x")});
  ASSERT_EQ(blank.connections.size(), 2u);
  EXPECT_EQ(RequestLine(blank.connections[1]), "GET /new%20page.htm HTTP/1.0");
  for (const std::string& location : {std::string("http://h\0x/", 10), std::string("/a\x01z"), std::string("/a\tz")}) {
    const Outcome run = Get("http://h/start", {Redirect(location), Ok("x")});
    EXPECT_EQ(run.connections.size(), 1u) << "followed a Location with a control character";
    EXPECT_EQ(run.successes, 0);
    EXPECT_FALSE(run.error.empty());
  }
}

TEST(HttpClient, ABodyShorterThanItsLengthIsNoSuccessHoweverTheLengthIsSpelt) {
  for (const char* field : {"Content-Length: 3", "content-length:3", "CONTENT-LENGTH:\t3"}) {
    const Outcome cut = Get("http://h/f", {{std::string("HTTP/1.0 200 OK\r\n") + field + "\r\n\r\nx", {}, false, false}});
    EXPECT_EQ(cut.successes, 0) << field;
    EXPECT_EQ(cut.failures, 1) << field;
    const Outcome whole =
        Get("http://h/f", {{std::string("HTTP/1.0 200 OK\r\n") + field + "\r\n\r\nxyz", {1, 2}, false, false}});
    EXPECT_EQ(whole.successes, 1) << field;
    EXPECT_EQ(whole.body, "xyz");
  }
  // Without a length, a reset ends no document; a close does.
  EXPECT_EQ(Get("http://h/f", {{"HTTP/1.0 200 OK\r\n\r\nabc", {2}, false, true}}).successes, 0);
  EXPECT_EQ(Get("http://h/f", {{"HTTP/1.0 200 OK\r\n\r\nabc", {2}, false, false}}).successes, 1);
}

TEST(HttpClient, ABodyKeptInMemoryEndsTheExchangeOverItsLimit) {
  std::vector<Connection> connections;
  THttpClient client(std::make_unique<ScriptTransport>(
      std::vector<ScriptedConnection>{Ok(std::string(5000, 's'))}, connections));
  client.MaxTextBody = 4096;
  int successes = 0;
  client.OnSuccess = [&successes](int) { ++successes; };
  EXPECT_THROW(client.Get("http://h/setup.exe.sig"), HttpError);
  EXPECT_EQ(successes, 0);
}

}  // namespace
}  // namespace tessaly
