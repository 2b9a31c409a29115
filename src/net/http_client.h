// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string_view>

#include "net/http_response_parser.h"
#include "net/url.h"

// Time-outs and the connect address of the online operations. The defaults are the program's; tests
// shorten them and point the connection at their loopback server.
struct HttpSettings {
  int connectTimeoutMs = 10000;
  int probeReadTimeoutMs = 5000;  // the HEAD probe
  int readTimeoutMs = 30000;      // the GET of a download
  QString connectAddress;         // when set, connect here instead of resolving the URL's host
};

// An answer whose body breaks the size limit: no file may be taken from it, nor kept.
class HttpSizeLimitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An answer with an error status or a redirect (redirects are never followed).
class HttpProtocolError : public std::runtime_error {
 public:
  HttpProtocolError(int code, const QByteArray& statusLine, const QByteArray& body);
  int code() const { return code_; }
  const QByteArray& statusLine() const { return statusLine_; }
  const QByteArray& body() const { return body_; }  // at most the first 64 KiB of the answer's body

 private:
  int code_;
  QByteArray statusLine_;
  QByteArray body_;
};

// A small HTTP/1.1 client for one request: no cookies, no cache, no proxy, no redirects, no
// compression. Failures throw std::runtime_error (HttpProtocolError for an error status,
// HttpSizeLimitError for a body beyond the limit).
class HttpClient {
 public:
  using BodySink = std::function<void(std::string_view)>;
  // Body bytes received so far and the announced length (-1 when none was announced). Called after
  // every piece of the body and about every 50 ms while a wait lasts; throwing from it cancels.
  using Progress = std::function<void(std::uint64_t received, std::int64_t announced)>;
  using Clock = std::chrono::steady_clock;

  // tlsLayer: whether the caller attached TLS; an "https" request (in any case) without it fails.
  explicit HttpClient(bool tlsLayer) : tls_(tlsLayer) {}

  void setConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
  void setReadTimeout(int ms) { readTimeoutMs_ = ms; }
  // The whole request, from connecting to the last byte, must be done within this time.
  void setTotalTimeout(int ms) { totalTimeoutMs_ = ms; }
  // The same as a point in time, shared by several requests of one transfer.
  void setDeadline(Clock::time_point deadline) { deadline_ = deadline; }
  void setProgress(Progress progress) { progress_ = std::move(progress); }
  void setLookup(std::function<int(const char*, const char*, const struct addrinfo*, struct addrinfo**)> f) {
    lookup_ = std::move(f);
  }
  void setConnectAddress(const QString& address) { connectAddress_ = address; }
  void setLimits(const HttpResponseParser::Limits& limits) { limits_ = limits; }

  // Sends HEAD for url and returns the status code of a 2xx answer.
  int head(const QString& url);
  // Sends GET for url; the body of a 2xx answer goes to sink piece by piece. Returns the status code.
  int get(const QString& url, const BodySink& sink);

  // The request bytes for url: request line, then Host, Accept, Accept-Encoding and User-Agent.
  // Throws when the URL has no usable port or contains control characters or blanks.
  static QByteArray buildRequest(const char* method, const Url& url);
  // The port to connect to: the URL's, else 80 for http and 443 for https; throws for others.
  static QString connectPort(const Url& url);

 private:
  int perform(const char* method, const QString& url, const BodySink* sink);

  bool tls_;
  int connectTimeoutMs_ = 10000;
  int readTimeoutMs_ = 30000;
  int totalTimeoutMs_ = 0;  // 0: only the deadline
  Clock::time_point deadline_ = Clock::time_point::max();
  Progress progress_;
  std::function<int(const char*, const char*, const struct addrinfo*, struct addrinfo**)> lookup_;
  QString connectAddress_;
  HttpResponseParser::Limits limits_;
};
