// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include <netdb.h>
#include <chrono>
#include <future>
#include <memory>
#include <string>

#include "loopback_server.h"
#include "net/http_client.h"
#include "net/http_download.h"

namespace {

const std::string kTail =
    "Accept: text/html, */*\r\n"
    "Accept-Encoding: identity\r\n"
    "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
    "\r\n";

struct RequestCase {
  const char* sentence;
  const char* method;
  const char* url;
  std::string expected;
};

// Failures name the row by its sentence.
void PrintTo(const RequestCase& c, std::ostream* os) {
  *os << c.sentence;
}

const RequestCase kRequests[] = {
    {"an https request to the default port names port 443 in its Host header", "HEAD",
     "https://download.example/downloads/verinfos.ziehfix",
     "HEAD /downloads/verinfos.ziehfix HTTP/1.1\r\nHost: download.example:443\r\n" + kTail},
    {"an http request to the default port names the host alone", "GET", "http://download.example/a/b.txt",
     "GET /a/b.txt HTTP/1.1\r\nHost: download.example\r\n" + kTail},
    {"port 80 written out still names the host alone", "GET", "http://h:80/",
     "GET / HTTP/1.1\r\nHost: h\r\n" + kTail},
    {"the protocol's case does not change the default port", "GET", "HTTP://h/x",
     "GET /x HTTP/1.1\r\nHost: h\r\n" + kTail},
    {"params are sent and the bookmark is not", "GET", "http://h:8080/d/doc?a=1&b=2#part",
     "GET /d/doc?a=1&b=2 HTTP/1.1\r\nHost: h:8080\r\n" + kTail},
    {"an IPv6 host goes in brackets", "HEAD", "http://[::1]:8080/",
     "HEAD / HTTP/1.1\r\nHost: [::1]:8080\r\n" + kTail},
    {"user name and password are never sent", "GET", "http://u:p@h/x",
     "GET /x HTTP/1.1\r\nHost: h\r\n" + kTail},
    {"characters beyond ASCII go out as question marks", "GET", "http://h/gr\u00fc\u00dfe",
     "GET /gr??e HTTP/1.1\r\nHost: h\r\n" + kTail},
};

class RequestBuilding : public ::testing::TestWithParam<RequestCase> {};

TEST_P(RequestBuilding, GivesTheExactBytes) {
  const RequestCase& c = GetParam();
  const QByteArray request = HttpClient::buildRequest(c.method, parseUrl(QString::fromUtf8(c.url)));
  EXPECT_EQ(request.toStdString(), c.expected) << c.sentence;
}

INSTANTIATE_TEST_SUITE_P(Table, RequestBuilding, ::testing::ValuesIn(kRequests));

TEST(RequestBuilding, RefusesWhatCannotBeSentSafely) {
  const char* refused[] = {
      "gopher://h/x",                 // no port known for the protocol
      "http://h/a\r\nX-Injected: 1",  // a line break would add a header
      "http://h/a b",                 // a blank would split the request line
      "http://h\r\nX: 1/",            // nor in the host
  };
  for (const char* url : refused)
    EXPECT_THROW(HttpClient::buildRequest("GET", parseUrl(QString::fromUtf8(url))), std::runtime_error)
        << url;
}

TEST(HttpClient, SendsExactlyTheRequestBytesOnTheWire) {
  LoopbackServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}});
  HttpClient client(false);
  const std::string url = server.base() + "/downloads/wachziehfix.txt?v=1#ignored";
  EXPECT_EQ(client.head(QString::fromStdString(url)), 200);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0], "HEAD /downloads/wachziehfix.txt?v=1 HTTP/1.1\r\nHost: 127.0.0.1:" +
                                      std::to_string(server.port()) + "\r\n" + kTail);
}

struct ProbeCase {
  const char* sentence;
  std::string answer;
  bool reachable;
};

// Failures name the row by its sentence.
void PrintTo(const ProbeCase& c, std::ostream* os) {
  *os << c.sentence;
}

const ProbeCase kProbes[] = {
    {"a 200 answer is reachable", "HTTP/1.1 200 OK\r\nContent-Length: 123\r\n\r\n", true},
    {"a 200 without any length is reachable", "HTTP/1.1 200 OK\r\n\r\n", true},
    {"a 204 is not reachable", "HTTP/1.1 204 No Content\r\n\r\n", false},
    {"a 206 is not reachable", "HTTP/1.1 206 Partial Content\r\n\r\n", false},
    {"a redirect is not followed", "HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\n", false},
    {"a 200 carrying a Location counts as a redirect", "HTTP/1.1 200 OK\r\nLocation: /elsewhere\r\n\r\n",
     false},
    {"a 404 is not reachable", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", false},
    {"a 500 is not reachable", "HTTP/1.1 500 Internal Server Error\r\n\r\n", false},
    {"a status that is no number is not reachable", "HTTP/1.1 OK\r\n\r\n", false},
    {"a server closing without an answer is not reachable", "", false},
};

class Probe : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(Probe, IsReachableOnlyForStatus200) {
  const ProbeCase& c = GetParam();
  LoopbackServer server({{c.answer}});
  EXPECT_EQ(urlReachable(QString::fromStdString(server.base() + "/f")), c.reachable) << c.sentence;
  EXPECT_EQ(server.requests().size(), 1u) << c.sentence;
}

INSTANTIATE_TEST_SUITE_P(Table, Probe, ::testing::ValuesIn(kProbes));

TEST(HttpClient, ARedirectRaisesAProtocolErrorWithItsCode) {
  LoopbackServer server(
      {{"HTTP/1.1 301 Moved Permanently\r\nLocation: /new\r\nContent-Length: 4\r\n\r\nmove"}});
  HttpClient client(false);
  try {
    client.get(QString::fromStdString(server.base() + "/old"),
               [](std::string_view) { FAIL() << "body written"; });
    FAIL() << "no error";
  } catch (const HttpProtocolError& e) {
    EXPECT_EQ(e.code(), 301);
    EXPECT_EQ(e.statusLine(), "HTTP/1.1 301 Moved Permanently");
    EXPECT_EQ(e.body(), "move");
  }
}

TEST(HttpClient, A201WithLocationIsNoRedirect) {
  LoopbackServer server({{"HTTP/1.1 201 Created\r\nLocation: /made\r\nContent-Length: 0\r\n\r\n"}});
  HttpClient client(false);
  EXPECT_EQ(client.head(QString::fromStdString(server.base() + "/")), 201);
}

TEST(HttpClient, CapitalHttpsGetsNoTlsLayerAndSendsNothing) {
  LoopbackServer server({});
  const QString url = QString::fromStdString(server.base("HTTPS") + "/downloads/x");
  EXPECT_FALSE(urlReachable(url));
  HttpClient client(false);
  EXPECT_THROW(client.head(url), std::runtime_error);
  EXPECT_TRUE(server.requests().empty());
}

TEST(HttpClient, ASilentServerEndsTheProbeWithinItsTimeOut) {
  LoopbackServer server({{"", true}});
  HttpSettings settings;
  settings.probeReadTimeoutMs = 200;
  EXPECT_FALSE(urlReachable(QString::fromStdString(server.base() + "/"), settings));
}

TEST(HttpClient, AServerStuckInTheMiddleOfABodyEndsTheReadWithAnError) {
  // The header promises more than is ever sent, and the connection stays open.
  LoopbackServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc", true}});
  HttpClient client(false);
  client.setReadTimeout(200);
  std::string body;
  EXPECT_THROW(
      client.get(QString::fromStdString(server.base() + "/"), [&](std::string_view p) { body += p; }),
      std::runtime_error);
}

TEST(HttpClient, ANameLookupThatHangsEndsAtTheConnectTimeOut) {
  // Stands in for a name server that never answers; released at the end, so the lookup's thread ends.
  auto release = std::make_shared<std::promise<void>>();
  std::shared_future<void> released = release->get_future().share();
  HttpClient client(false);
  client.setConnectTimeout(300);
  client.setLookup([released](const char*, const char*, const addrinfo*, addrinfo** list) {
    released.wait();
    *list = nullptr;
    return EAI_AGAIN;
  });
  const auto start = std::chrono::steady_clock::now();
  try {
    client.head("http://download.ziehfix.example/");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "download.ziehfix.example: Name lookup timed out");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  release->set_value();
}

TEST(HttpClient, ARefusedConnectionIsAnErrorWithTheSystemText) {
  int port = 0;
  {
    LoopbackServer gone({});
    port = gone.port();
  }  // closed again: nothing listens on the port now
  HttpClient client(false);
  try {
    client.head(QString("http://127.0.0.1:%1/").arg(port));
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Connection refused");
  }
}

}  // namespace
