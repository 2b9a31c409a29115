#include "net/http_download.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <string>

namespace {
using Clock = HttpClient::Clock;

// The client for url: TLS is attached only when the protocol is written exactly "https".
HttpClient makeClient(const Url& url, const HttpSettings& settings, int readTimeoutMs,
                      Clock::time_point deadline) {
  HttpClient client(url.protocol == QLatin1String("https"));
  client.setConnectTimeout(settings.connectTimeoutMs);
  client.setReadTimeout(readTimeoutMs);
  client.setConnectAddress(settings.connectAddress);
  client.setDeadline(deadline);
  return client;
}

std::string fileError(const char* what, const QFileDevice& file, const QString& path) {
  return (QLatin1String(what) + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QLatin1String(". ") +
          file.errorString())
      .toStdString();
}

bool probe(const QString& url, const HttpSettings& settings, Clock::time_point deadline) {
  try {
    HttpClient client = makeClient(parseUrl(url), settings, settings.probeReadTimeoutMs, deadline);
    return client.head(url) == 200;
  } catch (const std::exception&) {
    return false;
  }
}

// After a failed download the target is an empty file of its own (a link there is replaced, not
// followed). Best effort: the download's error is what the caller learns.
void leaveEmpty(const QString& path) {
  QSaveFile empty(path);
  empty.setDirectWriteFallback(false);
  if (empty.open(QIODevice::WriteOnly)) empty.commit();
}
}  // namespace

bool urlReachable(const QString& url, const HttpSettings& settings) {
  return probe(url, settings, Clock::time_point::max());
}

bool downloadToFile(const QString& url, const QString& localPath, const HttpSettings& settings,
                    const TransferLimits& limits, const HttpClient::Progress& progress) {
  const Clock::time_point deadline = limits.totalMs > 0
                                         ? Clock::now() + std::chrono::milliseconds(limits.totalMs)
                                         : Clock::time_point::max();
  if (!probe(url, settings, deadline)) return false;
  const Url parsed = parseUrl(url);
  HttpClient client = makeClient(parsed, settings, settings.readTimeoutMs, deadline);
  HttpLimits httpLimits;
  httpLimits.maxBodyBytes = limits.maxBytes;
  client.setLimits(httpLimits);
  client.setProgress(progress);

  // The body goes into a new file of its own (created exclusively, readable by the user alone), which
  // takes the target's name only once it is complete.
  QSaveFile file(localPath);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly))
    throw std::runtime_error(fileError("Cannot create file", file, localPath));
  ::fchmod(file.handle(), S_IRUSR | S_IWUSR);
  try {
    client.get(parsed.fullForm(), [&](std::string_view piece) {
      const qint64 size = static_cast<qint64>(piece.size());
      if (file.write(piece.data(), size) != size)
        throw std::runtime_error(fileError("Cannot write file", file, localPath));
    });
    // QSaveFile's commit can report success after a failed final flush, so flush first.
    if (!file.flush()) throw std::runtime_error(fileError("Cannot write file", file, localPath));
    if (!file.commit()) throw std::runtime_error(fileError("Cannot write file", file, localPath));
  } catch (const HttpSizeLimitError&) {
    file.cancelWriting();
    QFile::remove(localPath);
    throw;
  } catch (...) {
    file.cancelWriting();
    leaveEmpty(localPath);
    throw;
  }
  return true;
}
