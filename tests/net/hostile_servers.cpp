// SPDX-License-Identifier: GPL-3.0-or-later
// Servers that try to hang the client, eat its memory or slip it a broken download. Every case ends
// within its time-out with an error, and a download never leaves a partial file behind.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <string>

#include "hostile_server.h"
#include "loopback_server.h"
#include "net/http_client.h"
#include "net/http_download.h"
#include "support/test_env.h"

namespace {

using Connection = HostileServer::Connection;

const std::string kOk = "HTTP/1.1 200 OK\r\n";

// The error text of a GET through a client with short time-outs and small limits.
std::string getError(const std::string& url, HttpLimits limits = HttpLimits(),
                     std::uint64_t* received = nullptr) {
  HttpClient client(false);
  client.setConnectTimeout(2000);
  client.setReadTimeout(1000);
  client.setLimits(limits);
  std::uint64_t bytes = 0;
  try {
    client.get(QString::fromStdString(url), [&](std::string_view piece) { bytes += piece.size(); });
  } catch (const std::runtime_error& e) {
    if (received) *received = bytes;
    return e.what();
  }
  if (received) *received = bytes;
  return "<no error>";
}

// Sends the piece again and again until the client gives up.
HostileServer::Script endless(std::string head, std::string piece, int pauseMs = 0) {
  return [head, piece, pauseMs](Connection& c) {
    c.readRequest();
    if (!c.send(head)) return;
    while (c.send(piece)) c.pause(pauseMs);
  };
}

TEST(HostileServer, endless_header_lines_fail_at_the_header_size_limit) {
  HostileServer server({endless(kOk, "X-Pad: " + std::string(1000, 'p') + "\r\n")});
  EXPECT_EQ(getError(server.url()), "Response header section too large");
}

TEST(HostileServer, endless_short_header_lines_fail_at_the_header_line_limit) {
  HostileServer server({endless(kOk, "X: y\r\n")});
  EXPECT_EQ(getError(server.url()), "Too many response header lines");
}

TEST(HostileServer, endless_interim_answers_fail_at_the_header_size_limit) {
  HostileServer server({endless("", "HTTP/1.1 100 Continue\r\n\r\n")});
  EXPECT_EQ(getError(server.url()), "Response header section too large");
}

TEST(HostileServer, a_header_that_drips_a_byte_at_a_time_fails_within_the_read_time_out) {
  // Each byte comes well within the read time-out, so only a limit on the whole header ends this.
  HostileServer server({endless(kOk, "X", 100)});
  EXPECT_EQ(getError(server.url()), "Response header timed out");
}

TEST(HostileServer, a_body_that_drips_fails_at_the_deadline_of_the_whole_transfer) {
  HostileServer server({endless(kOk + "\r\n", "b", 100)});
  HttpClient client(false);
  client.setReadTimeout(1000);
  client.setTotalTimeout(1500);
  std::string error = "<no error>";
  try {
    client.get(QString::fromStdString(server.url()), [](std::string_view) {});
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "Transfer timed out");
}

struct BodyLimitCase {
  const char* sentence;
  std::string head;
  std::string piece;
  std::string error;
};

class BodyLimit : public ::testing::TestWithParam<BodyLimitCase> {};

TEST_P(BodyLimit, ends_the_answer_before_more_than_the_limit_is_taken) {
  HostileServer server({endless(GetParam().head, GetParam().piece)});
  HttpLimits limits;
  limits.maxBodyBytes = 64 * 1024;
  std::uint64_t received = 0;
  EXPECT_EQ(getError(server.url(), limits, &received), GetParam().error) << GetParam().sentence;
  EXPECT_LE(received, limits.maxBodyBytes) << GetParam().sentence;
}

const std::string kLimitError = "Response body larger than the limit of 65536 bytes";

INSTANTIATE_TEST_SUITE_P(
    Table, BodyLimit,
    ::testing::Values(
        BodyLimitCase{"a body that runs until the server closes, and never closes", kOk + "\r\n",
                      std::string(4096, 'b'), kLimitError},
        BodyLimitCase{"a length beyond the limit is refused before the body",
                      kOk + "Content-Length: 1000000000000\r\n\r\n", std::string(4096, 'b'), kLimitError},
        BodyLimitCase{"endless chunks", kOk + "Transfer-Encoding: chunked\r\n\r\n",
                      "1000\r\n" + std::string(4096, 'c') + "\r\n", kLimitError},
        BodyLimitCase{"one chunk beyond the limit", kOk + "Transfer-Encoding: chunked\r\n\r\n",
                      "FFFFFFFF\r\n" + std::string(4096, 'c'), kLimitError},
        BodyLimitCase{"a chunk size that overflows 64 bits", kOk + "Transfer-Encoding: chunked\r\n\r\n",
                      "1FFFFFFFFFFFFFFFF\r\n", "Chunk size out of range"},
        BodyLimitCase{"the largest 64-bit chunk size", kOk + "Transfer-Encoding: chunked\r\n\r\n",
                      "FFFFFFFFFFFFFFFF\r\n", kLimitError},
        BodyLimitCase{"an endless chunk size line", kOk + "Transfer-Encoding: chunked\r\n\r\n", "0000000000",
                      "Chunk line too long"},
        BodyLimitCase{"endless trailer lines", kOk + "Transfer-Encoding: chunked\r\n\r\n0\r\n", "T: x\r\n",
                      "Too many response trailer lines"}));

class HostileDownload : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/download-XXXXXX"};
  QString target = dir.path() + "/Update.exe";
  HttpSettings settings;

  void SetUp() override {
    settings.connectTimeoutMs = 2000;
    settings.probeReadTimeoutMs = 1000;
    settings.readTimeoutMs = 1000;
  }

  // The download's error text; the target file must then exist and be empty.
  std::string failedDownload(const std::string& url) {
    try {
      downloadToFile(QString::fromStdString(url), target, settings);
    } catch (const std::runtime_error& e) {
      EXPECT_TRUE(QFile::exists(target));
      EXPECT_EQ(QFile(target).size(), 0);
      return e.what();
    }
    return "<no error>";
  }
};

HostileServer::Script answer(std::string bytes) {
  return [bytes](Connection& c) {
    c.readRequest();
    c.send(bytes);
  };
}

TEST_F(HostileDownload, a_connection_reset_in_the_middle_of_the_body_leaves_no_partial_file) {
  HostileServer server({answer(kOk + "Content-Length: 1000\r\n\r\n"), [](Connection& c) {
                          c.readRequest();
                          c.send(kOk + "Content-Length: 100000\r\n\r\n" + std::string(50000, 'x'));
                          c.pause(200);
                          c.reset();
                        }});
  EXPECT_EQ(failedDownload(server.url()), "Connection reset by peer");
}

TEST_F(HostileDownload, a_connection_closed_before_the_announced_length_leaves_no_partial_file) {
  HostileServer server({answer(kOk + "Content-Length: 1000\r\n\r\n"),
                        answer(kOk + "Content-Length: 1000\r\n\r\n" + std::string(400, 'x'))});
  EXPECT_EQ(failedDownload(server.url()), "Connection closed after 400 of 1000 body bytes");
}

TEST_F(HostileDownload, a_chunked_body_cut_off_in_a_chunk_leaves_no_partial_file) {
  HostileServer server(
      {answer(kOk + "\r\n"),
       answer(kOk + "Transfer-Encoding: chunked\r\n\r\n10\r\n0123456789abcdef\r\n10\r\n01234")});
  EXPECT_EQ(failedDownload(server.url()), "Connection closed in the middle of a chunked body");
}

TEST_F(HostileDownload, a_probe_that_answers_with_garbage_is_no_download) {
  HostileServer server({answer(std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15))});
  EXPECT_FALSE(downloadToFile(QString::fromStdString(server.url()), target, settings));
  EXPECT_FALSE(QFile::exists(target));
}

TEST(HostileTls, a_handshake_that_stalls_ends_at_the_read_time_out) {
  testpki::Identity identity;
  ScriptedReply stall;
  stall.skipHandshake = true;
  LoopbackServer server({stall, stall}, &identity);
  HttpClient client(true);
  client.setReadTimeout(500);
  std::string error = "<no error>";
  try {
    client.head(QString::fromStdString(server.base("https")) + "/");
  } catch (const std::runtime_error& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "TLS handshake timed out");

  HttpSettings settings;
  settings.probeReadTimeoutMs = 500;
  EXPECT_FALSE(urlReachable(QString::fromStdString(server.base("https")) + "/", settings));
}

TEST(HostileTls, a_plain_http_answer_to_a_tls_handshake_is_an_error) {
  // The server does not wait for the client's hello and answers in plain text at once.
  HostileServer server({[](Connection& c) { c.send(kOk + "Content-Length: 2\r\n\r\nhi"); }});
  HttpClient client(true);
  client.setReadTimeout(1000);
  const std::string url = "https://127.0.0.1:" + server.url().substr(std::string("http://127.0.0.1:").size());
  EXPECT_THROW(client.head(QString::fromStdString(url)), std::runtime_error);
}

}  // namespace
