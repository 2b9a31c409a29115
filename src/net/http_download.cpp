#include "net/http_download.h"

#include <QDir>
#include <QFile>
#include <string>

namespace {
// The client for url: TLS is attached only when the protocol is written exactly "https".
HttpClient makeClient(const Url& url, const HttpSettings& settings, int readTimeoutMs) {
  HttpClient client(url.protocol == QLatin1String("https"));
  client.setConnectTimeout(settings.connectTimeoutMs);
  client.setReadTimeout(readTimeoutMs);
  client.setConnectAddress(settings.connectAddress);
  return client;
}

std::string fileError(const char* what, const QFile& file) {
  return (QLatin1String(what) + QLatin1Char(' ') + QDir::toNativeSeparators(file.fileName()) +
          QLatin1String(". ") + file.errorString())
      .toStdString();
}
}  // namespace

bool urlReachable(const QString& url, const HttpSettings& settings) {
  try {
    HttpClient client = makeClient(parseUrl(url), settings, settings.probeReadTimeoutMs);
    return client.head(url) == 200;
  } catch (const std::exception&) {
    return false;
  }
}

bool downloadToFile(const QString& url, const QString& localPath, const HttpSettings& settings) {
  if (!urlReachable(url, settings)) return false;
  const Url parsed = parseUrl(url);
  HttpClient client = makeClient(parsed, settings, settings.readTimeoutMs);

  QFile file(localPath);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error(fileError("Cannot create file", file));
  try {
    client.get(parsed.fullForm(), [&file](std::string_view piece) {
      const qint64 size = static_cast<qint64>(piece.size());
      if (file.write(piece.data(), size) != size)
        throw std::runtime_error(fileError("Cannot write file", file));
    });
    if (!file.flush()) throw std::runtime_error(fileError("Cannot write file", file));
    file.close();
    if (file.error() != QFileDevice::NoError) throw std::runtime_error(fileError("Cannot write file", file));
  } catch (...) {
    // An error answer writes nothing; a broken transfer must not leave a partial file that looks whole.
    if (!file.isOpen()) file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.resize(0);
    file.close();
    throw;
  }
  return true;
}
