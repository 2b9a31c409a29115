// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/donation.h"

#include <QFile>
#include <algorithm>
#include <stdexcept>

#include "common/folders.h"
#include "core/text.h"
#include "net/online.h"

QString DonationStand = QStringLiteral("0");

namespace {
// The status is a short amount in its first line; the download takes no larger file.
constexpr qint64 kMaxStatusBytes = 64 * 1024;
// What the label shows and the settings file keeps of it.
constexpr qsizetype kMaxStatusChars = 64;

// The first line, decoded by itself: bytes further down (a broken character, a cut) must not change
// how it reads. CR and LF are single bytes in every encoding but UTF-16, where the (small) file is
// decoded whole first.
QString decodedFirstLine(const QByteArray& bytes) {
  const auto noLine = [] { return std::runtime_error("List index out of bounds (0)"); };
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
    const QStringList lines = SplitFileLines(DecodeText(bytes));
    if (lines.isEmpty()) throw noLine();
    return lines.first();
  }
  const bool utf8Mark = bytes.startsWith("\xEF\xBB\xBF");
  if (bytes.size() == (utf8Mark ? 3 : 0)) throw noLine();
  qsizetype end = bytes.size();
  for (const char lineEnd : {'\r', '\n'}) {
    const qsizetype at = bytes.indexOf(lineEnd);
    if (at >= 0) end = std::min(end, at);
  }
  return DecodeText(bytes.left(end));
}

// At most kMaxStatusChars, never ending in half a surrogate pair.
QString capped(const QString& text) {
  if (text.size() <= kMaxStatusChars) return text;
  const qsizetype keep =
      text.at(kMaxStatusChars - 1).isHighSurrogate() ? kMaxStatusChars - 1 : kMaxStatusChars;
  return text.left(keep);
}

bool isLineBreakOrControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}
}  // namespace

QString DonationStatusUrl() {
  return DownloadServer() + QStringLiteral("/downloads/wachziehfix.txt");
}

QString DonationStatusLocalPath() {
  return TempDir() + QStringLiteral("wachziehfix.txt");
}

QString OneLineText(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (isLineBreakOrControl(c)) c = QLatin1Char(' ');
  return out;
}

QString DonationStandFromBytes(const QByteArray& bytes) {
  return capped(OneLineText(decodedFirstLine(bytes)));
}

QString FetchDonationStand(const HttpClient::Progress& progress) {
  const QString result = DonationStand;
  OnlineServices& net = OnlineServices::current();
  if (!net.IsOnline()) return result;
  const QString local = DonationStatusLocalPath();
  if (QFile::exists(local)) QFile::remove(local);
  net.PurgeUrlCache();
  bool ok = false;
  try {
    ok = net.DownloadToFile(DonationStatusUrl(), local, Transfer::DonationStatus, progress);
  } catch (const TransferCancelled&) {
    throw;
  } catch (...) {
    ok = false;
  }
  if (!ok) return result;

  QFile file(local);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(local, file.errorString()).toStdString());
  const QByteArray bytes = file.read(kMaxStatusBytes);
  if (file.error() != QFileDevice::NoError)
    throw std::runtime_error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(local, file.errorString()).toStdString());
  return DonationStandFromBytes(bytes);
}

QString DonationStandForLabel(const QString& text) {
  return capped(OneLineText(text));
}

QString RefreshedDonationStand(const HttpClient::Progress& progress) {
  QString text;
  try {
    text = FetchDonationStand(progress);
  } catch (const TransferCancelled&) {
    throw;
  } catch (...) {
    text = DonationStand;
  }
  return DonationStandForLabel(text);
}
