// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "loopback_server.h"
#include "net/http_client.h"
#include "net/http_download.h"
#include "support/test_env.h"

namespace {

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";

// Trusts a throwaway CA through $ZIEHFIX_CA_FILE for the length of a test.
class Tls : public ::testing::Test {
 protected:
  void SetUp() override { trust(identity); }
  void TearDown() override { qunsetenv("ZIEHFIX_CA_FILE"); }

  void trust(const testpki::Identity& ca) {
    const std::string path = (testRootDir() + "/tmp/ca-" + QString::number(++files_) + ".pem").toStdString();
    ca.writeCaFile(path);
    qputenv("ZIEHFIX_CA_FILE", QByteArray::fromStdString(path));
  }

  // The error text of a HEAD request, or "" when it succeeded.
  static std::string headError(const std::string& url, const QString& connectAddress = QString()) {
    HttpClient client(true);
    client.setReadTimeout(2000);
    client.setConnectAddress(connectAddress);
    try {
      client.head(QString::fromStdString(url));
      return "";
    } catch (const std::runtime_error& e) {
      return e.what();
    }
  }

  testpki::Identity identity;
  int files_ = 0;
};

TEST_F(Tls, AnIpAddressIsCheckedAgainstTheCertificateAndSendsNoServerName) {
  LoopbackServer server({{kOk}}, &identity);
  EXPECT_EQ(headError(server.base("https") + "/f"), "");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].substr(0, server.requests()[0].find("\r\nAccept")),
            "HEAD /f HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()));
  EXPECT_EQ(server.serverNames()[0], "");
}

TEST_F(Tls, AHostNameIsSentAsServerNameAndNamedInTheHostHeader) {
  LoopbackServer server({{kOk}}, &identity);
  EXPECT_EQ(headError(server.base("https", "localhost") + "/f", "127.0.0.1"), "");
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_NE(server.requests()[0].find("\r\nHost: localhost:" + std::to_string(server.port()) + "\r\n"),
            std::string::npos);
  EXPECT_EQ(server.serverNames()[0], "localhost");
}

TEST_F(Tls, AnIpv6AddressIsNamedInBracketsAndCheckedAsAnAddress) {
  const testpki::Identity v6("IP:::1");
  trust(v6);
  // The connection itself goes to the IPv4 loopback server; only the names in the URL are IPv6.
  LoopbackServer server({{kOk}, {kOk}}, &v6);
  const std::string port = std::to_string(server.port());
  EXPECT_EQ(headError("https://[::1]:" + port + "/f", "127.0.0.1"), "");
  EXPECT_NE(headError("https://[::2]:" + port + "/f", "127.0.0.1").find("certificate refused"),
            std::string::npos);
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_NE(requests[0].find("\r\nHost: [::1]:" + port + "\r\n"), std::string::npos);
  EXPECT_EQ(server.serverNames()[0], "");
  EXPECT_EQ(requests[1], "");
}

TEST_F(Tls, ADownloadOverTlsWritesTheWholeBody) {
  LoopbackServer server(
      {{kOk}, {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n4\r\ndefg\r\n0\r\n\r\n"}},
      &identity);
  HttpSettings settings;
  settings.connectAddress = "127.0.0.1";
  const QString path = testRootDir() + "/tmp/tls.bin";
  EXPECT_TRUE(
      downloadToFile(QString::fromStdString(server.base("https", "localhost") + "/f"), path, settings));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "abcdefg");
}

TEST_F(Tls, ACertificateForAnotherHostIsRefused) {
  const testpki::Identity other("DNS:other.example,IP:127.0.0.2");
  trust(other);
  LoopbackServer server({{kOk}, {kOk}}, &other);
  EXPECT_NE(headError(server.base("https") + "/f").find("certificate refused"), std::string::npos);
  EXPECT_NE(headError(server.base("https", "localhost") + "/f", "127.0.0.1").find("certificate refused"),
            std::string::npos);
  EXPECT_EQ(server.requests(), std::vector<std::string>({"", ""}));
}

TEST_F(Tls, AHostNameTheCertificateDoesNotNameIsRefusedThoughItsCaIsTrusted) {
  LoopbackServer server({{kOk}}, &identity);
  HttpSettings settings;
  settings.connectAddress = "127.0.0.1";
  EXPECT_FALSE(
      urlReachable(QString::fromStdString(server.base("https", "download.example") + "/f"), settings));
  EXPECT_EQ(server.requests(), std::vector<std::string>({""}));
}

TEST_F(Tls, ACertificateFromAnUnknownCaIsRefused) {
  const testpki::Identity stranger;
  trust(stranger);  // trusts another CA than the one that signed the server's certificate
  LoopbackServer server({{kOk}, {kOk}}, &identity);
  EXPECT_NE(headError(server.base("https") + "/f").find("certificate refused"), std::string::npos);
  qunsetenv("ZIEHFIX_CA_FILE");  // the system's trust store alone does not know it either
  EXPECT_FALSE(urlReachable(QString::fromStdString(server.base("https") + "/f")));
  EXPECT_EQ(server.requests(), std::vector<std::string>({"", ""}));
}

TEST_F(Tls, AServerOfferingOnlyTls11IsRefused) {
  LoopbackServer server({{kOk}}, &identity, TLS1_1_VERSION);
  EXPECT_NE(headError(server.base("https") + "/f"), "");
  EXPECT_EQ(server.requests(), std::vector<std::string>({""}));
}

TEST_F(Tls, AMissingCaFileIsAnError) {
  qputenv("ZIEHFIX_CA_FILE", QFile::encodeName(testRootDir() + "/tmp/no-such-ca.pem"));
  LoopbackServer server({{kOk}}, &identity);
  EXPECT_NE(headError(server.base("https") + "/f").find("Cannot load the CA file"), std::string::npos);
}

TEST_F(Tls, AServerThatNeverAnswersTheHandshakeEndsWithinTheTimeOut) {
  LoopbackServer server({{"", false, true}}, &identity);
  HttpSettings settings;
  settings.probeReadTimeoutMs = 200;
  EXPECT_FALSE(urlReachable(QString::fromStdString(server.base("https") + "/f"), settings));
}

TEST_F(Tls, AServerSilentAfterTheHandshakeEndsWithinTheTimeOut) {
  LoopbackServer server({{"", true}}, &identity);
  HttpClient client(true);
  client.setReadTimeout(200);
  try {
    client.head(QString::fromStdString(server.base("https") + "/f"));
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Read timed out");
  }
}

}  // namespace
