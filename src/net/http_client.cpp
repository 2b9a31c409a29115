// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/http_client.h"

#include <chrono>
#include <string>
#include <vector>

#include "net/http_connection.h"

namespace {
constexpr qsizetype kErrorBodyLimit = 64 * 1024;

// Request text goes out in ASCII: any other character becomes '?'. Control characters and blanks
// would split the request line or smuggle in header lines, so they are refused.
QByteArray toRequestAscii(const QString& text, const char* what) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u <= 32 || u == 127) throw std::runtime_error(std::string("Invalid character in the URL's ") + what);
    out.append(u < 128 ? static_cast<char>(u) : '?');
  }
  return out;
}

bool isHttps(const Url& url) {
  return url.protocol.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}
}  // namespace

HttpProtocolError::HttpProtocolError(int code, const QByteArray& statusLine, const QByteArray& body)
    : std::runtime_error(statusLine.isEmpty() ? "Invalid HTTP answer" : statusLine.toStdString()),
      code_(code),
      statusLine_(statusLine),
      body_(body) {}

QString HttpClient::connectPort(const Url& url) {
  if (!url.port.isEmpty()) return url.port;
  if (url.protocol.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0) return QStringLiteral("80");
  if (isHttps(url)) return QStringLiteral("443");
  throw std::runtime_error("Unsupported protocol: " + url.protocol.toStdString());
}

QByteArray HttpClient::buildRequest(const char* method, const Url& url) {
  const QString port = connectPort(url);
  const QString host =
      port == QLatin1String("80") ? url.hostForUrl() : url.hostForUrl() + QLatin1Char(':') + port;
  QByteArray request;
  request += method;
  request += ' ' + toRequestAscii(url.requestTarget(), "path") + " HTTP/1.1\r\n";
  if (!url.host.isEmpty()) request += "Host: " + toRequestAscii(host, "host") + "\r\n";
  request +=
      "Accept: text/html, */*\r\n"
      "Accept-Encoding: identity\r\n"
      "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
      "\r\n";
  return request;
}

int HttpClient::head(const QString& url) {
  return perform("HEAD", url, nullptr);
}

int HttpClient::get(const QString& url, const BodySink& sink) {
  return perform("GET", url, &sink);
}

int HttpClient::perform(const char* method, const QString& urlText, const BodySink* sink) {
  const Url url = parseUrl(urlText);
  if (isHttps(url) && !tls_) throw std::runtime_error("No TLS layer for an https request");
  const QByteArray request = buildRequest(method, url);

  // The body's progress, reported while data flows and while a wait lasts.
  std::uint64_t received = 0;
  std::int64_t announced = -1;
  auto report = [&] {
    if (progress_) progress_(received, announced);
  };

  using std::chrono::milliseconds;
  const Clock::time_point start = Clock::now();
  Clock::time_point deadline = deadline_;
  if (totalTimeoutMs_ > 0) deadline = std::min(deadline, start + milliseconds(totalTimeoutMs_));

  HttpConnection::Target target;
  target.host = url.host.toStdString();
  target.port = connectPort(url).toStdString();
  target.connectAddress = connectAddress_.toStdString();
  target.tls = tls_;
  target.connectTimeoutMs = connectTimeoutMs_;
  target.readTimeoutMs = readTimeoutMs_;
  target.deadline = deadline;
  if (progress_) target.idle = report;
  target.lookup = lookup_;
  HttpConnection connection(target);
  connection.sendAll(std::string_view(request.constData(), static_cast<std::size_t>(request.size())));

  HttpResponseParser parser(sink == nullptr, limits_);
  std::vector<char> buffer(64 * 1024);
  std::string body;
  // A server that sends a byte now and then keeps every single read within the read time-out, so the
  // answer has deadlines of its own: its header must come within one read time-out of the request,
  // all of it by the transfer's deadline (which also bounds every wait of the connection).
  const Clock::time_point headerDeadline = Clock::now() + milliseconds(readTimeoutMs_);
  // Feeds the parser one read; false once the answer is complete, failed or the server has closed.
  auto readMore = [&]() {
    const std::size_t n = connection.read(buffer.data(), buffer.size());
    if (n == 0)
      parser.finish();
    else
      parser.feed(std::string_view(buffer.data(), n), body);
    if (parser.failed() && parser.tooLarge()) throw HttpSizeLimitError(parser.error());
    const bool open = !parser.done() && !parser.failed();
    if (open && !parser.headersComplete() && Clock::now() > headerDeadline)
      throw std::runtime_error("Response header timed out");
    if (open && Clock::now() > deadline) throw std::runtime_error("Transfer timed out");
    return open;
  };

  while (!parser.headersComplete() && !parser.failed()) readMore();
  if (parser.failed()) throw std::runtime_error(parser.error());

  const int code = parser.statusCode();
  const bool redirect =
      (code >= 300 && code <= 399 && code != 304) || (code != 201 && parser.hasHeader("Location"));
  if (redirect || code < 200 || code > 299) {
    // The body of an error answer is kept in memory for the error, never written to the target.
    try {
      while (!parser.done() && !parser.failed() && body.size() < static_cast<std::size_t>(kErrorBodyLimit))
        readMore();
    } catch (const std::runtime_error&) {
      // A broken or oversized error body changes nothing: the answer is an error either way.
    }
    QByteArray kept = QByteArray::fromStdString(body).left(kErrorBodyLimit);
    throw HttpProtocolError(code, QByteArray::fromStdString(parser.statusLine()), kept);
  }

  if (sink) {
    announced = parser.announcedLength();
    for (;;) {
      if (!body.empty()) {
        received += body.size();
        (*sink)(body);
        report();
      }
      body.clear();
      if (parser.done()) break;
      if (parser.failed()) throw std::runtime_error(parser.error());
      readMore();
    }
  }
  return code;
}
