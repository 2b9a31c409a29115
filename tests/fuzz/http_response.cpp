// SPDX-License-Identifier: GPL-3.0-or-later
// The HTTP response parser: status line, header lines, chunked and fixed-length bodies, fed in pieces.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "net/http_response_parser.h"

namespace {

struct Outcome {
  HttpResponseParser::State state;
  int code;
  std::string statusLine;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::size_t consumed;
};

// Feeds the answer in pieces of the given sizes (the last size repeats), then reports the close of the
// connection when the answer wants more. Checks what must hold after every piece.
Outcome run(std::string_view answer, bool head, const HttpLimits& limits,
            const std::vector<std::size_t>& sizes, bool closeAtEnd) {
  HttpResponseParser parser(head, limits);
  std::string body;
  std::size_t pos = 0;
  std::size_t step = 0;
  while (pos < answer.size() && !parser.done() && !parser.failed()) {
    std::size_t n = sizes[step < sizes.size() ? step : sizes.size() - 1];
    ++step;
    if (n > answer.size() - pos) n = answer.size() - pos;
    const std::size_t used = parser.feed(answer.substr(pos, n), body);
    FUZZ_CHECK(used <= n);
    // Bytes are left only when the answer has ended or failed.
    FUZZ_CHECK(used == n || parser.done() || parser.failed());
    pos += used;
    if (used < n) break;
    FUZZ_CHECK(parser.bodyBytes() == body.size());
    FUZZ_CHECK(body.size() <= pos);
    FUZZ_CHECK(body.size() <= limits.maxBodyBytes);
  }
  // A finished answer takes nothing more.
  if (parser.done() || parser.failed()) {
    std::string more;
    FUZZ_CHECK(parser.feed("HTTP/1.1 200 OK\r\n\r\nmore", more) == 0);
    FUZZ_CHECK(more.empty());
  }
  if (closeAtEnd) {
    parser.finish();
    FUZZ_CHECK(parser.done() || parser.failed());
  }
  FUZZ_CHECK(parser.bodyBytes() == body.size());
  FUZZ_CHECK(body.size() <= answer.size());
  FUZZ_CHECK(body.size() <= limits.maxBodyBytes);
  if (parser.failed()) FUZZ_CHECK(!parser.error().empty());
  if (parser.done() && head) FUZZ_CHECK(body.empty());
  const int code = parser.statusCode();
  FUZZ_CHECK(code >= -1 && code <= 999999999);
  if (parser.headersComplete()) FUZZ_CHECK(code == HttpResponseParser::parseStatusCode(parser.statusLine()));
  return {parser.state(), code, parser.statusLine(), parser.headers(), body, pos};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool head = in.byte() & 1;
  HttpLimits limits;
  limits.maxHeaderBytes = 64 + in.byte() * 8;
  limits.maxHeaderLines = 1 + in.byte() % 32;
  limits.maxBodyBytes = in.byte() * 16;
  std::vector<std::size_t> sizes;
  for (int i = 0; i < 4; ++i) sizes.push_back(1 + in.byte() % 64);
  const QByteArray bytes = in.rest();
  const std::string_view answer(bytes.constData(), static_cast<std::size_t>(bytes.size()));

  // However the connection cuts the bytes into pieces, the answer is the same.
  const Outcome whole = run(answer, head, limits, {answer.size() + 1}, true);
  const Outcome pieces = run(answer, head, limits, sizes, true);
  const Outcome single = run(answer, head, limits, {1}, true);
  for (const Outcome* o : {&pieces, &single}) {
    FUZZ_CHECK(o->state == whole.state);
    FUZZ_CHECK(o->code == whole.code);
    FUZZ_CHECK(o->statusLine == whole.statusLine);
    FUZZ_CHECK(o->headers == whole.headers);
    // A failure may strike at a different byte (a line or a body is refused as soon as it is too
    // long), so what was taken up to then is compared only for complete answers.
    if (whole.state == HttpResponseParser::State::Done) {
      FUZZ_CHECK(o->body == whole.body);
      FUZZ_CHECK(o->consumed == whole.consumed);
    }
  }
  // Without the close, nothing is decided that the close would change, apart from ending the answer.
  const Outcome open = run(answer, head, limits, sizes, false);
  FUZZ_CHECK(open.body == whole.body || whole.state == HttpResponseParser::State::Failed);
  return 0;
}
