// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/http_download.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <memory>
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

// progress also runs while the probe waits, so that a slow server cannot freeze the window behind it.
bool probe(const QString& url, const HttpSettings& settings, Clock::time_point deadline,
           const HttpClient::Progress& progress = nullptr) {
  try {
    HttpClient client = makeClient(parseUrl(url), settings, settings.probeReadTimeoutMs, deadline);
    client.setProgress(progress);
    return client.head(url) == 200;
  } catch (const std::exception&) {
    return false;
  }
}

// The new file takes the target's name. rename() replaces whatever has that name, a link included,
// and never writes through it (QSaveFile would follow a link and write to where it points).
bool takeName(QTemporaryFile& part, const QString& path) {
  part.close();
  if (part.error() != QFileDevice::NoError) return false;
  if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
    return false;
  part.setAutoRemove(false);
  return true;
}

// A new file beside path: created exclusively, readable by the user alone, removed unless it takes
// the target's name. Check isOpen().
std::unique_ptr<QTemporaryFile> newFileBeside(const QString& path) {
  auto part = std::make_unique<QTemporaryFile>(path + QStringLiteral(".part-XXXXXX"));
  (void)part->open();
  return part;
}

// After a failed download the target is an empty file of its own. Best effort: the download's error
// is what the caller learns.
void leaveEmpty(const QString& path) {
  const auto empty = newFileBeside(path);
  if (empty->isOpen()) takeName(*empty, path);
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
  if (!probe(url, settings, deadline, progress)) return false;
  const Url parsed = parseUrl(url);
  HttpClient client = makeClient(parsed, settings, settings.readTimeoutMs, deadline);
  HttpLimits httpLimits;
  httpLimits.maxBodyBytes = limits.maxBytes;
  client.setLimits(httpLimits);
  client.setProgress(progress);

  // The body goes into a new file of its own, which takes the target's name only once it is complete.
  const auto part = newFileBeside(localPath);
  if (!part->isOpen()) throw std::runtime_error(fileError("Cannot create file", *part, localPath));
  try {
    client.get(parsed.fullForm(), [&](std::string_view piece) {
      const qint64 size = static_cast<qint64>(piece.size());
      if (part->write(piece.data(), size) != size)
        throw std::runtime_error(fileError("Cannot write file", *part, localPath));
    });
    if (!part->flush() || !takeName(*part, localPath))
      throw std::runtime_error(fileError("Cannot write file", *part, localPath));
  } catch (const HttpSizeLimitError&) {
    QFile::remove(localPath);
    throw;
  } catch (...) {
    leaveEmpty(localPath);
    throw;
  }
  return true;
}
