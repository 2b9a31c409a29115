// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are decoded with Qt's image readers rather than OpenCV's codecs: Qt reads every format the
// windows offer, applies the photo's orientation, and keeps OpenCV's large codec libraries out.
#include <QFileInfo>
#include <QImageReader>
#include <cmath>

#include "scan/scan.h"

namespace {

QString reasonOf(const QImageReader& reader) {
  switch (reader.error()) {
    case QImageReader::FileNotFoundError:
      return QStringLiteral("Die Datei wurde nicht gefunden.");
    case QImageReader::DeviceError:
      return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case QImageReader::UnsupportedFormatError:
      return QStringLiteral("Das Format der Datei wird nicht unterstützt, oder sie ist kein Bild.");
    case QImageReader::InvalidDataError:
      return QStringLiteral("Die Bilddaten sind beschädigt.");
    case QImageReader::UnknownError:
      break;
  }
  return QStringLiteral("Die Bilddaten sind beschädigt oder zu groß.");
}

[[noreturn]] void refuse(const QString& path, const QString& reason) {
  throw ScanError(QStringLiteral("Das Bild „%1“ kann nicht gelesen werden. %2")
                      .arg(QFileInfo(path).fileName(), reason)
                      .toStdString());
}

}  // namespace

QImage LoadScanImage(const QString& path) {
  if (QFileInfo(path).isDir()) refuse(path, QStringLiteral("Das ist ein Ordner."));
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  const qint64 pixels = qint64(size.width()) * size.height();
  if (size.isValid() && pixels > kScanMaxPixels && reader.supportsOption(QImageIOHandler::ScaledSize)) {
    // A photo's orientation is applied after decoding, so the scaled size is in stored orientation.
    const double f = std::sqrt(double(kScanMaxPixels) / double(pixels));
    reader.setScaledSize(QSize(std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f))));
  }
  QImage image = reader.read();
  if (image.isNull()) refuse(path, reasonOf(reader));
  // Formats that cannot decode scaled are scaled after decoding.
  const qint64 decoded = qint64(image.width()) * image.height();
  if (decoded > kScanMaxPixels) {
    const double f = std::sqrt(double(kScanMaxPixels) / double(decoded));
    image = image.scaled(std::max(1, int(image.width() * f)), std::max(1, int(image.height() * f)),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  // Transparent parts show as white paper, not as black: premultiplied colour plus the white behind.
  if (image.hasAlphaChannel()) {
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const int white = 255 - qAlpha(line[x]);
        line[x] = qRgb(qRed(line[x]) + white, qGreen(line[x]) + white, qBlue(line[x]) + white);
      }
    }
  }
  return image.convertToFormat(QImage::Format_Grayscale8);
}
