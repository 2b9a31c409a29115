#include "net/donation.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QWidget>
#include <stdexcept>

#include "common/folders.h"
#include "core/text.h"
#include "net/online.h"

QString DonationStand = QStringLiteral("0");

namespace {
// The status is a short amount in its first line; a larger file is read only this far.
constexpr qint64 kMaxStatusBytes = 64 * 1024;

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
  const QStringList lines = SplitFileLines(DecodeText(bytes));
  if (lines.isEmpty()) throw std::runtime_error("List index out of bounds (0)");
  return OneLineText(lines.first());
}

QString FetchDonationStand() {
  const QString result = DonationStand;
  OnlineServices& net = OnlineServices::current();
  if (!net.IsOnline()) return result;
  const QString local = DonationStatusLocalPath();
  if (QFile::exists(local)) QFile::remove(local);
  net.PurgeUrlCache();
  bool ok = false;
  try {
    ok = net.DownloadToFile(DonationStatusUrl(), local);
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

void ShowDonationStand(const QString& text) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() != QLatin1String("FMain")) continue;
    if (auto* leur = w->findChild<QLabel*>(QStringLiteral("leur"))) {
      leur->setTextFormat(Qt::PlainText);
      leur->setText(OneLineText(text));
      return;
    }
  }
}

void RefreshDonationStand() {
  QString text;
  try {
    text = FetchDonationStand();
  } catch (...) {
    text = DonationStand;
  }
  ShowDonationStand(text);
}
