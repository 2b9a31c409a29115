// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <string>
#include <utility>
#include <vector>

#include "loopback_server.h"
#include "net/http_download.h"
#include "support/test_env.h"

namespace {

const std::string kHeadOk = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";

QString freshPath(const char* name) {
  const QString path = testRootDir() + "/tmp/" + name;
  QFile::remove(path);
  return path;
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct BodyCase {
  const char* sentence;
  std::string answer;
  QByteArray file;
};

// Failures name the row by its sentence.
void PrintTo(const BodyCase& c, std::ostream* os) {
  *os << c.sentence;
}

const BodyCase kBodies[] = {
    {"a body with a length is written whole",
     std::string("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nab\0\r\nz", 44), QByteArray("ab\0\r\nz", 6)},
    {"a chunked body is written without its framing",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nWiki\r\n5\r\npedia\r\n0\r\n\r\n",
     "Wikipedia"},
    {"a body that runs until the server closes is written whole",
     "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n1;2;3", "1;2;3"},
    {"another success status writes its body",
     "HTTP/1.1 203 Non-Authoritative\r\nContent-Length: 2\r\n\r\nok", "ok"},
    {"a length of zero gives an empty file", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
};

class Download : public ::testing::TestWithParam<BodyCase> {};

TEST_P(Download, WritesTheBodyIntoTheFile) {
  const BodyCase& c = GetParam();
  LoopbackServer server({{kHeadOk}, {c.answer}});
  const QString path = freshPath("body.bin");
  EXPECT_TRUE(downloadToFile(QString::fromStdString(server.base() + "/downloads/file.bin"), path))
      << c.sentence;
  EXPECT_EQ(contents(path), c.file) << c.sentence;
}

INSTANTIATE_TEST_SUITE_P(Table, Download, ::testing::ValuesIn(kBodies));

TEST(Download, ProbesWithHeadThenGetsTheFullFormOnASecondConnection) {
  LoopbackServer server({{kHeadOk}, {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nx"}});
  const std::string host = "127.0.0.1:" + std::to_string(server.port());
  EXPECT_TRUE(
      downloadToFile(QString::fromStdString(server.base() + "/d/f.txt?a=b#mark"), freshPath("f.txt")));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "HEAD /d/f.txt?a=b HTTP/1.1");
  EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n\r\n") + 4),
            "GET /d/f.txt?a=b HTTP/1.1\r\nHost: " + host +
                "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
                "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n");
}

struct FailedGetCase {
  const char* sentence;
  std::string answer;
  int protocolCode;  // 0: an error that is no protocol error
};

// Failures name the row by its sentence.
void PrintTo(const FailedGetCase& c, std::ostream* os) {
  *os << c.sentence;
}

const FailedGetCase kFailedGets[] = {
    {"an error status leaves an empty file", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
     404},
    {"a server error leaves an empty file", "HTTP/1.1 503 Busy\r\n\r\nlater", 503},
    {"a redirect of the GET leaves an empty file",
     "HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 0\r\n\r\n", 302},
    {"a 200 with a Location leaves an empty file",
     "HTTP/1.1 200 OK\r\nLocation: /x\r\nContent-Length: 3\r\n\r\nabc", 200},
    {"a body cut short of its length leaves an empty file",
     "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly a part of it", 0},
    {"a chunked body cut short leaves an empty file",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nonly a part", 0},
    {"a connection closed without an answer leaves an empty file", "", 0},
};

class FailedGet : public ::testing::TestWithParam<FailedGetCase> {};

TEST_P(FailedGet, RaisesAndLeavesTheFileEmpty) {
  const FailedGetCase& c = GetParam();
  LoopbackServer server({{kHeadOk}, {c.answer}});
  const QString path = freshPath("failed.bin");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older download");
  }
  try {
    downloadToFile(QString::fromStdString(server.base() + "/f"), path);
    ADD_FAILURE() << c.sentence << ": no error";
  } catch (const HttpProtocolError& e) {
    EXPECT_EQ(e.code(), c.protocolCode) << c.sentence;
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(c.protocolCode, 0) << c.sentence << ": " << e.what();
  }
  EXPECT_TRUE(QFileInfo::exists(path)) << c.sentence;
  EXPECT_EQ(contents(path), QByteArray()) << c.sentence;
}

INSTANTIATE_TEST_SUITE_P(Table, FailedGet, ::testing::ValuesIn(kFailedGets));

TEST(Download, AFailedProbeReturnsFalseAndCreatesNoFile) {
  LoopbackServer server({{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}});
  const QString path = freshPath("never.bin");
  EXPECT_FALSE(downloadToFile(QString::fromStdString(server.base() + "/f"), path));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(server.requests().size(), 1u);
}

TEST(Download, CapitalHttpsReturnsFalseAndCreatesNoFile) {
  LoopbackServer server({});
  const QString path = freshPath("capital.bin");
  EXPECT_FALSE(downloadToFile(QString::fromStdString(server.base("HTTPS") + "/f"), path));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_TRUE(server.requests().empty());
}

TEST(Download, AFileThatCannotBeCreatedRaisesBeforeTheGetIsSent) {
  LoopbackServer server({{kHeadOk}, {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nx"}});
  const QString path = testRootDir() + "/tmp/no-such-folder/f.bin";
  try {
    downloadToFile(QString::fromStdString(server.base() + "/f"), path);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(
        QString::fromUtf8(e.what()).startsWith("Cannot create file " + QDir::toNativeSeparators(path)))
        << e.what();
  }
  EXPECT_EQ(server.requests().size(), 1u);  // the HEAD probe only
}

TEST(Download, AGetThatStallsRaisesAfterTheReadTimeOutWithAnEmptyFile) {
  LoopbackServer server({{kHeadOk}, {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true}});
  HttpSettings settings;
  settings.readTimeoutMs = 200;
  const QString path = freshPath("stalled.bin");
  EXPECT_THROW(downloadToFile(QString::fromStdString(server.base() + "/f"), path, settings),
               std::runtime_error);
  EXPECT_EQ(contents(path), QByteArray());
}

TEST(Download, ABodyBeyondTheLimitLeavesNoFileAtAll) {
  for (const std::string& answer : {std::string("HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n0123456789a"),
                                    std::string("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n0123456789a")}) {
    LoopbackServer server({{kHeadOk}, {answer}});
    const QString path = freshPath("oversized.bin");
    TransferLimits limits;
    limits.maxBytes = 10;
    EXPECT_THROW(downloadToFile(QString::fromStdString(server.base() + "/f"), path, HttpSettings(), limits),
                 HttpSizeLimitError);
    EXPECT_FALSE(QFileInfo::exists(path));
  }
}

TEST(Download, ReportsItsProgressAndACancelFromThereLeavesTheFileEmpty) {
  LoopbackServer server({{kHeadOk},
                         {"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcd"},
                         {kHeadOk},
                         {"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nabcd"}});
  const QString url = QString::fromStdString(server.base() + "/f");
  const QString path = freshPath("progress.bin");
  std::vector<std::pair<std::uint64_t, std::int64_t>> seen;
  ASSERT_TRUE(downloadToFile(
      url, path, HttpSettings(), TransferLimits(),
      [&](std::uint64_t received, std::int64_t announced) { seen.emplace_back(received, announced); }));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), (std::pair<std::uint64_t, std::int64_t>(4, 4)));

  struct Cancelled {};
  EXPECT_THROW(downloadToFile(url, path, HttpSettings(), TransferLimits(),
                              [](std::uint64_t, std::int64_t) { throw Cancelled(); }),
               Cancelled);
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(contents(path), QByteArray());
}

TEST(Download, ItsProgressRunsWhileTheProbeWaitsSoACancelComesAtOnce) {
  LoopbackServer server({{"", true}});  // reads the HEAD request and never answers
  const QString path = freshPath("probe-cancel.bin");
  struct Cancelled {};
  int calls = 0;
  QElapsedTimer waited;
  waited.start();
  EXPECT_THROW(
      downloadToFile(QString::fromStdString(server.base() + "/f"), path, HttpSettings(), TransferLimits(),
                     [&](std::uint64_t, std::int64_t) {
                       if (++calls == 3) throw Cancelled();
                     }),
      Cancelled);
  EXPECT_LT(waited.elapsed(), 4500) << "the probe's own time-out is 5 s";
  EXPECT_FALSE(QFileInfo::exists(path)) << "a cancel during the probe touches no file";
}

TEST(Download, ALinkAtTheTargetIsReplacedNotWrittenThrough) {
  LoopbackServer server({{kHeadOk}, {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nneu"}});
  const QString elsewhere = freshPath("elsewhere.txt");
  {
    QFile f(elsewhere);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("fremd");
  }
  const QString path = freshPath("linked.txt");
  ASSERT_TRUE(QFile::link(elsewhere, path));
  ASSERT_TRUE(downloadToFile(QString::fromStdString(server.base() + "/f"), path));
  EXPECT_FALSE(QFileInfo(path).isSymLink());
  EXPECT_EQ(contents(path), "neu");
  EXPECT_EQ(contents(elsewhere), "fremd");
  EXPECT_EQ(QFile::permissions(path) & 0x0077, 0) << "readable by the user alone";
}

}  // namespace
