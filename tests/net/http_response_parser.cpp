// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "net/http_response_parser.h"

namespace {

struct Parsed {
  HttpResponseParser::State state;
  int code;
  std::string body;
  std::string error;
};

// Feeds text in pieces of the given size (0 = all at once), then closes when closeAtEnd.
Parsed parse(const std::string& text, std::size_t piece = 0, bool closeAtEnd = true, bool head = false,
             HttpLimits limits = HttpLimits()) {
  HttpResponseParser p(head, limits);
  std::string body;
  const std::size_t step = piece == 0 ? text.size() : piece;
  for (std::size_t i = 0; i < text.size() && !p.done() && !p.failed(); i += step)
    p.feed(std::string_view(text).substr(i, step), body);
  if (closeAtEnd) p.finish();
  return {p.state(), p.statusCode(), body, p.error()};
}

using State = HttpResponseParser::State;

struct FramingCase {
  const char* sentence;
  std::string answer;
  bool closeAtEnd;
  State state;
  std::string body;
};

// Failures name the row by its sentence.
void PrintTo(const FramingCase& c, std::ostream* os) {
  *os << c.sentence;
}

const FramingCase kFraming[] = {
    {"a content length reads exactly that many bytes and leaves the rest",
     "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA", false, State::Done, "hello"},
    {"a content length of zero has no body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false,
     State::Done, ""},
    {"without a length the body runs until the server closes", "HTTP/1.1 200 OK\r\n\r\nall of\r\nit", true,
     State::Done, "all of\r\nit"},
    {"chunks are joined and the size is hexadecimal",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: "
     "chunked\r\n\r\n5\r\nhello\r\n1A\r\nabcdefghijklmnopqrstuvwxyz\r\n0\r\n\r\n",
     false, State::Done, "helloabcdefghijklmnopqrstuvwxyz"},
    {"chunked is recognised in any case and among other codings",
     "HTTP/1.1 200 OK\r\ntransfer-encoding: gzip, CHUNKED\r\n\r\n3\r\nabc\r\n0\r\n\r\n", false, State::Done,
     "abc"},
    {"a chunk size ends at the first blank or extension",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3 ;x=y\r\nabc\r\n2;ext\r\nde\r\n0\r\n\r\n", false,
     State::Done, "abcde"},
    {"trailer lines after the last chunk are skipped",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nz\r\n0\r\nX-Sum: 1\r\n\r\n", false,
     State::Done, "z"},
    {"a server closing right after the last chunk's size ends the body",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nz\r\n0\r\n", true, State::Done, "z"},
    {"chunked framing wins over a content length",
     "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n",
     false, State::Done, "ok"},
    {"interim 100 answers are skipped",
     "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", false, State::Done, "ok"},
    {"a 204 has no body even with bytes following", "HTTP/1.1 204 No Content\r\n\r\njunk", false, State::Done,
     ""},
    {"a 304 has no body", "HTTP/1.1 304 Not Modified\r\n\r\n", false, State::Done, ""},
    {"repeated equal content lengths are one length",
     "HTTP/1.1 200 OK\r\nContent-Length: 2\r\ncontent-length: 2, 2\r\n\r\nokEXTRA", false, State::Done, "ok"},
    {"bare line feeds end lines as well", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", false, State::Done,
     "ok"},
    {"an error status still has its body read", "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone",
     false, State::Done, "gone"},
};

class ResponseFraming : public ::testing::TestWithParam<FramingCase> {};

TEST_P(ResponseFraming, GivesTheBodyWholeAndPieceByPiece) {
  const FramingCase& c = GetParam();
  for (std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{7}}) {
    const Parsed r = parse(c.answer, piece, c.closeAtEnd);
    EXPECT_EQ(r.state, c.state) << c.sentence << " (pieces of " << piece << ") " << r.error;
    EXPECT_EQ(r.body, c.body) << c.sentence << " (pieces of " << piece << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ResponseFraming, ::testing::ValuesIn(kFraming));

struct FailureCase {
  const char* sentence;
  std::string answer;
  bool closeAtEnd;
};

// Failures name the row by its sentence.
void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.sentence;
}

const FailureCase kFailures[] = {
    {"a body cut short of its announced length fails", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort",
     true},
    {"a chunked body cut off inside a chunk fails",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nabc", true},
    {"a chunked body cut off before its last chunk fails",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", true},
    {"a chunk not followed by a line end fails",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabcX\r\n", false},
    {"an unreadable chunk size fails", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", false},
    {"a chunk size that overflows 64 bits fails",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10000000000000000\r\n", false},
    {"a chunk size beyond the body limit fails",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFF\r\n", false},
    {"a content length that is no number fails", "HTTP/1.1 200 OK\r\nContent-Length: 12abc\r\n\r\n", false},
    {"a negative content length fails", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false},
    {"a content length beyond the body limit fails", "HTTP/1.1 200 OK\r\nContent-Length: 268435457\r\n\r\n",
     false},
    {"two different content lengths fail",
     "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nabc", false},
    {"a content length list that disagrees fails", "HTTP/1.1 200 OK\r\nContent-Length: 3, 2\r\n\r\nabc",
     false},
    {"a connection closed before any answer fails", "", true},
    {"a connection closed inside the header fails", "HTTP/1.1 200 OK\r\nContent-Le", true},
};

class ResponseFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ResponseFailure, FailsWithAMessage) {
  const FailureCase& c = GetParam();
  const Parsed r = parse(c.answer, 0, c.closeAtEnd);
  EXPECT_EQ(r.state, State::Failed) << c.sentence;
  EXPECT_FALSE(r.error.empty()) << c.sentence;
}

INSTANTIATE_TEST_SUITE_P(Table, ResponseFailure, ::testing::ValuesIn(kFailures));

TEST(ResponseParser, StatusCodeIsTheSecondWordOrMinusOne) {
  const std::pair<const char*, int> cases[] = {
      {"HTTP/1.1 200 OK", 200},      {"HTTP/1.0 404", 404}, {"HTTP/1.1  301  Moved", 301},
      {"HTTP/1.1 OK 200", -1},       {"HTTP/1.1", -1},      {"HTTP/1.1 2x0 ?", -1},
      {"HTTP/1.1 9999999999 x", -1},
  };
  for (const auto& [line, code] : cases) EXPECT_EQ(HttpResponseParser::parseStatusCode(line), code) << line;
}

TEST(ResponseParser, AnswerToHeadHasNoBodyWhateverItsLength) {
  const Parsed r = parse("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", 0, false, true);
  EXPECT_EQ(r.state, State::Done);
  EXPECT_EQ(r.body, "");
}

TEST(ResponseParser, HeadersAreFoundWithoutRegardToCaseAndTrimmed) {
  HttpResponseParser p(true);
  std::string body;
  p.feed("HTTP/1.1 302 Found\r\nlocation:   https://elsewhere/  \r\nX-A: 1\r\nX-A: 2\r\n\r\n", body);
  ASSERT_TRUE(p.done());
  EXPECT_TRUE(p.hasHeader("Location"));
  EXPECT_EQ(p.header("LOCATION"), "https://elsewhere/");
  EXPECT_EQ(p.header("x-a"), "1");
  EXPECT_FALSE(p.hasHeader("Content-Length"));
  EXPECT_EQ(p.statusLine(), "HTTP/1.1 302 Found");
}

TEST(ResponseParser, AHeaderSectionBeyondItsLimitFailsWithoutWaitingForItsEnd) {
  std::string endless = "HTTP/1.1 200 OK\r\n";
  HttpResponseParser p(false);
  std::string body;
  p.feed(endless, body);
  const std::string line = "X-Filler: " + std::string(1000, 'a') + "\r\n";
  for (int i = 0; i < 80 && !p.failed(); ++i) p.feed(line, body);
  EXPECT_TRUE(p.failed());
}

TEST(ResponseParser, ASingleEndlessHeaderLineFails) {
  HttpResponseParser p(false);
  std::string body;
  p.feed("HTTP/1.1 200 OK\r\nX: ", body);
  const std::string filler(4096, 'a');
  for (int i = 0; i < 20 && !p.failed(); ++i) p.feed(filler, body);
  EXPECT_TRUE(p.failed());
}

TEST(ResponseParser, MoreThanAHundredHeaderLinesFail) {
  std::string answer = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 99; ++i) answer += "X-N: " + std::to_string(i) + "\r\n";
  answer += "Content-Length: 0\r\n";
  EXPECT_EQ(parse(answer + "\r\n", 0, false).state, State::Done);
  EXPECT_EQ(parse(answer + "X-N: 100\r\n\r\n", 0, false).state, State::Failed);
}

TEST(ResponseParser, EndlessInterimAnswersRunIntoTheHeaderLimit) {
  std::string answer;
  for (int i = 0; i < 5000; ++i) answer += "HTTP/1.1 100 Continue\r\n\r\n";
  EXPECT_EQ(parse(answer, 0, false).state, State::Failed);
}

TEST(ResponseParser, AClosedBodyBeyondTheLimitFails) {
  HttpLimits small;
  small.maxBodyBytes = 10;
  EXPECT_EQ(parse("HTTP/1.1 200 OK\r\n\r\n0123456789", 0, true, false, small).state, State::Done);
  EXPECT_EQ(parse("HTTP/1.1 200 OK\r\n\r\n0123456789A", 0, true, false, small).state, State::Failed);
  EXPECT_EQ(
      parse("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\n012345\r\n5\r\n6789A\r\n0\r\n\r\n", 0,
            false, false, small)
          .state,
      State::Failed);
}

TEST(ResponseParser, BytesAfterTheAnswerAreNotConsumed) {
  HttpResponseParser p(false);
  std::string body;
  const std::string text = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokNEXT";
  EXPECT_EQ(p.feed(text, body), text.size() - 4);
  EXPECT_EQ(p.feed("more", body), 0u);
  EXPECT_EQ(body, "ok");
}

}  // namespace
