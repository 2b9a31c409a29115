// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/http_response_parser.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr std::size_t kMaxChunkLine = 4096;

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool containsNoCase(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
    if (equalsNoCase(text.substr(i, word.size()), word)) return true;
  return false;
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

HttpResponseParser::HttpResponseParser(bool answerToHead, Limits limits)
    : head_(answerToHead), limits_(limits) {}

int HttpResponseParser::parseStatusCode(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  while (i < line.size() && line[i] != ' ') ++i;  // the protocol word
  while (i < line.size() && line[i] == ' ') ++i;
  std::size_t end = i;
  while (end < line.size() && line[end] != ' ') ++end;
  const std::string_view word = line.substr(i, end - i);
  if (word.empty() || word.size() > 9) return -1;
  int code = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return -1;
    code = code * 10 + (c - '0');
  }
  return code;
}

bool HttpResponseParser::hasHeader(std::string_view name) const {
  return std::any_of(headers_.begin(), headers_.end(),
                     [&](const auto& h) { return equalsNoCase(h.first, name); });
}

std::string HttpResponseParser::header(std::string_view name) const {
  for (const auto& h : headers_)
    if (equalsNoCase(h.first, name)) return h.second;
  return {};
}

void HttpResponseParser::fail(std::string message) {
  if (state_ == State::Failed) return;
  state_ = State::Failed;
  error_ = std::move(message);
}

void HttpResponseParser::failTooLarge() {
  if (state_ == State::Failed) return;
  tooLarge_ = true;
  fail("Response body larger than the limit of " + std::to_string(limits_.maxBodyBytes) + " bytes");
}

// Every "Content-Length" line, and every entry of a comma-separated one, must carry the same decimal
// length: two different lengths leave it open where the body ends, so no file may be taken from it.
bool HttpResponseParser::readContentLength() {
  bool seen = false;
  std::uint64_t length = 0;
  for (const auto& h : headers_) {
    if (!equalsNoCase(h.first, "Content-Length")) continue;
    std::string_view rest(h.second);
    do {
      const std::size_t comma = rest.find(',');
      const std::string_view item = trimBlanks(rest.substr(0, comma));
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      if (item.empty() || item.size() > 19 ||
          !std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        fail("Invalid Content-Length: " + h.second);
        return false;
      }
      std::uint64_t value = 0;
      for (char c : item) value = value * 10 + static_cast<std::uint64_t>(c - '0');
      if (seen && value != length) {
        fail("Conflicting Content-Length headers");
        return false;
      }
      seen = true;
      length = value;
    } while (!rest.empty());
  }
  if (length > limits_.maxBodyBytes) {
    failTooLarge();
    return false;
  }
  announced_ = static_cast<std::int64_t>(length);
  remaining_ = length;
  return true;
}

// Takes one line ending in LF (a CR before it is dropped). Without a complete line the bytes are kept
// for the next piece; a line longer than maxLength fails the answer.
bool HttpResponseParser::takeLine(std::string_view bytes, std::size_t& pos, std::string& line,
                                  std::size_t maxLength) {
  const std::size_t lf = bytes.find('\n', pos);
  const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
  if (pending_.size() + (end - pos) > maxLength) {
    fail(state_ == State::Body ? "Chunk line too long" : "Response header section too large");
    return false;
  }
  pending_.append(bytes.substr(pos, end - pos));
  if (lf == std::string_view::npos) {
    pos = bytes.size();
    return false;
  }
  pos = lf + 1;
  line.swap(pending_);
  pending_.clear();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void HttpResponseParser::onStatusLine(const std::string& line) {
  statusLine_ = line;
  statusCode_ = parseStatusCode(line);
  headers_.clear();
  state_ = State::Headers;
}

void HttpResponseParser::onHeaderLine(const std::string& line) {
  if (line.empty()) {
    headerSectionDone();
    return;
  }
  if (++headerLines_ > limits_.maxHeaderLines) {
    fail("Too many response header lines");
    return;
  }
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return;  // not a header; ignored
  const std::string_view view(line);
  headers_.emplace_back(std::string(trimBlanks(view.substr(0, colon))),
                        std::string(trimBlanks(view.substr(colon + 1))));
}

void HttpResponseParser::headerSectionDone() {
  if (statusCode_ == 100) {  // an interim answer: the real one follows
    state_ = State::StatusLine;
    return;
  }
  if (head_ || statusCode_ == 204 || statusCode_ == 304 || (statusCode_ >= 100 && statusCode_ < 200)) {
    state_ = State::Done;
    return;
  }
  state_ = State::Body;
  if (containsNoCase(header("Transfer-Encoding"), "chunked")) {
    framing_ = Framing::Chunked;
    chunkStep_ = ChunkStep::Size;
    return;
  }
  if (hasHeader("Content-Length")) {
    if (!readContentLength()) return;
    framing_ = Framing::Length;
    if (remaining_ == 0) state_ = State::Done;
    return;
  }
  framing_ = Framing::UntilClose;
}

void HttpResponseParser::onChunkLine(const std::string& line) {
  // The size is hexadecimal up to the first blank (or ';', where chunk extensions begin).
  std::uint64_t size = 0;
  std::size_t digits = 0;
  for (char c : line) {
    if (c == ' ' || c == '\t' || c == ';') break;
    const int v = hexValue(c);
    if (v < 0) {
      digits = 0;
      break;
    }
    if (++digits > 16 || (size << 4 >> 4) != size) {
      fail("Chunk size out of range");
      return;
    }
    size = size << 4 | static_cast<std::uint64_t>(v);
  }
  if (digits == 0) {
    fail("Unreadable chunk size line");
    return;
  }
  if (size > limits_.maxBodyBytes - std::min(bodyBytes_, limits_.maxBodyBytes)) {
    failTooLarge();
    return;
  }
  remaining_ = size;
  chunkStep_ = size == 0 ? ChunkStep::Trailer : ChunkStep::Data;
}

void HttpResponseParser::appendBody(std::string_view bytes, std::string& body) {
  if (bytes.size() > limits_.maxBodyBytes - bodyBytes_) {
    failTooLarge();
    return;
  }
  bodyBytes_ += bytes.size();
  body.append(bytes);
}

std::size_t HttpResponseParser::feed(std::string_view bytes, std::string& body) {
  std::size_t pos = 0;
  std::string line;
  while (pos < bytes.size() && state_ != State::Done && state_ != State::Failed) {
    const std::size_t headerBudget = limits_.maxHeaderBytes - std::min(headerBytes_, limits_.maxHeaderBytes);
    if (state_ == State::StatusLine || state_ == State::Headers) {
      const std::size_t before = pos;
      const std::size_t pendingBefore = pending_.size();
      if (!takeLine(bytes, pos, line, headerBudget)) break;
      headerBytes_ += pendingBefore + (pos - before);
      if (state_ == State::StatusLine) {
        if (!line.empty()) onStatusLine(line);  // stray empty lines before an answer are skipped
      } else {
        onHeaderLine(line);
      }
      continue;
    }
    const std::string_view rest = bytes.substr(pos);
    switch (framing_) {
      case Framing::UntilClose:
        appendBody(rest, body);
        pos = bytes.size();
        break;
      case Framing::Length: {
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, rest.size()));
        appendBody(rest.substr(0, take), body);
        pos += take;
        remaining_ -= take;
        if (remaining_ == 0 && state_ == State::Body) state_ = State::Done;
        break;
      }
      case Framing::Chunked:
        if (chunkStep_ == ChunkStep::Data) {
          const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, rest.size()));
          appendBody(rest.substr(0, take), body);
          pos += take;
          remaining_ -= take;
          if (remaining_ == 0) chunkStep_ = ChunkStep::DataEnd;
          break;
        }
        if (!takeLine(bytes, pos, line, kMaxChunkLine)) break;
        if (chunkStep_ == ChunkStep::Size) {
          onChunkLine(line);
        } else if (chunkStep_ == ChunkStep::DataEnd) {
          if (!line.empty())
            fail("Chunk data not followed by a line end");
          else
            chunkStep_ = ChunkStep::Size;
        } else if (line.empty()) {
          state_ = State::Done;
        } else if (++headerLines_ > limits_.maxHeaderLines) {
          fail("Too many response trailer lines");
        }
        break;
      case Framing::None:
        state_ = State::Done;
        break;
    }
  }
  return pos;
}

void HttpResponseParser::finish() {
  switch (state_) {
    case State::Done:
    case State::Failed:
      return;
    case State::StatusLine:
      fail(headerBytes_ == 0 && pending_.empty() ? "Connection closed without an answer"
                                                 : "Connection closed before the response header ended");
      return;
    case State::Headers:
      fail("Connection closed before the response header ended");
      return;
    case State::Body:
      break;
  }
  if (framing_ == Framing::UntilClose || (framing_ == Framing::Chunked && chunkStep_ == ChunkStep::Trailer)) {
    state_ = State::Done;
  } else if (framing_ == Framing::Length) {
    fail("Connection closed after " + std::to_string(bodyBytes_) + " of " +
         std::to_string(bodyBytes_ + remaining_) + " body bytes");
  } else {
    fail("Connection closed in the middle of a chunked body");
  }
}
