// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Bounds on what a server may send before the answer fails.
struct HttpLimits {
  std::size_t maxHeaderBytes = 64 * 1024;  // status line and header lines together
  int maxHeaderLines = 100;
  std::uint64_t maxBodyBytes = 256ull * 1024 * 1024;
};

// Reads one HTTP/1.1 answer from the bytes a connection delivers, fed in pieces of any size. It does
// no I/O, so it runs the same over a socket, a TLS stream or a test's byte string.
//
// Framing: a "Transfer-Encoding" naming "chunked" selects chunks; else a "Content-Length" gives the
// exact length (several "Content-Length" headers must agree, else the answer fails); else the body
// runs until the server closes the connection. Interim "100" answers
// are skipped. The answer to a HEAD request, a 204 and a 304 have no body.
class HttpResponseParser {
 public:
  using Limits = HttpLimits;
  enum class State { StatusLine, Headers, Body, Done, Failed };

  explicit HttpResponseParser(bool answerToHead, Limits limits = Limits());

  // Consumes bytes and appends the body bytes they carry to body. Returns how many bytes were
  // consumed: all of them, unless the answer ended (Done) or failed, where the rest is left alone.
  std::size_t feed(std::string_view bytes, std::string& body);
  // The server closed the connection: ends a body that runs until then; any other unfinished answer
  // fails.
  void finish();

  State state() const { return state_; }
  bool headersComplete() const { return state_ == State::Body || state_ == State::Done; }
  bool done() const { return state_ == State::Done; }
  bool failed() const { return state_ == State::Failed; }
  const std::string& error() const { return error_; }
  // Whether the answer failed because its body breaks the size limit.
  bool tooLarge() const { return tooLarge_; }
  // The body length the answer announced with "Content-Length"; -1 when it announced none.
  std::int64_t announcedLength() const { return announced_; }

  // The final answer's status line (without its line end) and code: the second blank-separated word
  // as a decimal number, -1 when it is none.
  const std::string& statusLine() const { return statusLine_; }
  int statusCode() const { return statusCode_; }
  // Header lines in arrival order as (name, value), value trimmed of blanks.
  const std::vector<std::pair<std::string, std::string>>& headers() const { return headers_; }
  bool hasHeader(std::string_view name) const;
  // The first value of a header, compared by name without regard to case; empty when absent.
  std::string header(std::string_view name) const;
  std::uint64_t bodyBytes() const { return bodyBytes_; }

  // Reads a status code from a status line; -1 when its second word is not a decimal number.
  static int parseStatusCode(std::string_view statusLine);

 private:
  enum class Framing { None, Length, Chunked, UntilClose };
  enum class ChunkStep { Size, Data, DataEnd, Trailer };

  bool takeLine(std::string_view bytes, std::size_t& pos, std::string& line, std::size_t maxLength);
  void headerSectionDone();
  void fail(std::string message);
  void failTooLarge();
  bool readContentLength();
  void onStatusLine(const std::string& line);
  void onHeaderLine(const std::string& line);
  void onChunkLine(const std::string& line);
  void appendBody(std::string_view bytes, std::string& body);

  bool head_;
  Limits limits_;
  State state_ = State::StatusLine;
  std::string error_;
  std::string pending_;  // an incomplete line carried over from the last piece
  std::size_t headerBytes_ = 0;
  int headerLines_ = 0;
  std::string statusLine_;
  int statusCode_ = -1;
  std::vector<std::pair<std::string, std::string>> headers_;
  Framing framing_ = Framing::None;
  ChunkStep chunkStep_ = ChunkStep::Size;
  std::uint64_t remaining_ = 0;  // bytes left of the fixed-length body or of the current chunk
  std::uint64_t bodyBytes_ = 0;
  std::int64_t announced_ = -1;
  bool tooLarge_ = false;
};
