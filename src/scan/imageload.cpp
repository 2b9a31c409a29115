// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are decoded with Qt's image readers rather than OpenCV's codecs: Qt reads every format the
// windows offer, applies the photo's orientation, and keeps OpenCV's large codec libraries out. HEIF
// photos, which Qt has no reader for here, go through libheif.
#include <QFileInfo>
#include <QImageReader>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "scan/heifload.h"
#include "scan/scan.h"

namespace {

// Qt refuses to allocate more than its allocation limit (128 MB) for one picture, which a large BMP
// or TIFF exceeds although it is fine. The limit for our reads: the largest picture read, in the widest
// format Qt decodes into (four channels of 16 bits).
constexpr int kAllocationLimitMb = int((kScanMaxPicturePixels * 8 + (1 << 20) - 1) >> 20);

QString reasonOf(const QImageReader& reader) {
  switch (reader.error()) {
    case QImageReader::FileNotFoundError:
      return QStringLiteral("Die Datei wurde nicht gefunden.");
    case QImageReader::DeviceError:
      return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case QImageReader::UnsupportedFormatError:
      return UnsupportedReason();
    case QImageReader::InvalidDataError:
      return DamagedReason();
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

QSize scaledToFit(QSize size) {
  const qint64 pixels = qint64(size.width()) * size.height();
  if (pixels <= kScanMaxPixels) return size;
  const double f = std::sqrt(double(kScanMaxPixels) / double(pixels));
  return {std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f))};
}

QImage decodeWithQt(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid()) {
    // JPEG and WEBP decode at a reduced size and never hold the whole picture, whatever its size
    // (libjpeg scales by up to 1/8 while decoding, Qt the rest). Others that offer a scaled size, PNG
    // among them, often decode whole and scale afterwards: they keep the limit.
    const QByteArray format = reader.format();
    const bool scalable =
        (format == "jpeg" || format == "webp") && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (!scalable && qint64(size.width()) * size.height() > kScanMaxPicturePixels)
      refuse(path, TooLargeReason(size.width(), size.height()));
    reader.setAllocationLimit(kAllocationLimitMb);
    // A photo's orientation is applied after decoding, so the scaled size is in stored orientation.
    if (scalable && scaledToFit(size) != size) reader.setScaledSize(scaledToFit(size));
  }
  QImage image = reader.read();
  if (image.isNull()) {
    // Qt calls a picture beyond its allocation limit damaged.
    if (size.isValid() && qint64(size.width()) * size.height() > kScanMaxPicturePixels)
      refuse(path, TooLargeReason(size.width(), size.height()));
    refuse(path, reasonOf(reader));
  }
  return image;
}

}  // namespace

QString DamagedReason() {
  return QStringLiteral("Die Bilddaten sind beschädigt.");
}

QString UnsupportedReason() {
  return QStringLiteral("Das Format der Datei wird nicht unterstützt, oder sie ist kein Bild.");
}

QString TooLargeReason(qint64 width, qint64 height) {
  return QStringLiteral("Das Bild ist zu groß: %1 × %2 Bildpunkte (höchstens %3 Millionen).")
      .arg(width)
      .arg(height)
      .arg(kScanMaxPicturePixels / 1'000'000);
}

QImage LoadScanImage(const QString& path) {
  if (QFileInfo(path).isDir()) refuse(path, QStringLiteral("Das ist ein Ordner."));
  QImage image;
  if (IsHeifFile(path)) {
    QString reason;
    image = DecodeHeif(path, reason);
    if (image.isNull()) refuse(path, reason);
  } else {
    image = decodeWithQt(path);
  }
  const QSize size = image.size();
  QImage ready = ScanReadyImage(std::move(image));
  // Only the memory for the grey copy can be missing here.
  if (ready.isNull()) refuse(path, TooLargeReason(size.width(), size.height()));
  return ready;
}

QImage ScanReadyImage(QImage image) {
  if (image.isNull()) return image;
  QImage gray;
  if (image.hasAlphaChannel()) {
    // Transparent parts show as white paper, not as black: premultiplied colour plus the white behind.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    gray = QImage(image.size(), QImage::Format_Grayscale8);
    if (gray.isNull()) return gray;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      uchar* out = gray.scanLine(y);
      for (int x = 0; x < image.width(); ++x) {
        const int white = 255 - qAlpha(line[x]);
        out[x] = uchar(qGray(qRed(line[x]) + white, qGreen(line[x]) + white, qBlue(line[x]) + white));
      }
    }
  } else {
    gray = image.convertToFormat(QImage::Format_Grayscale8);
  }
  image = QImage();  // the colour picture is no longer needed while the grey one is scaled
  const QSize target = scaledToFit(gray.size());
  if (target == gray.size()) return gray;
  // On the grey picture and by area: Qt's smooth scaling would first widen it to 32 bits a pixel.
  QImage scaled(target, QImage::Format_Grayscale8);
  if (scaled.isNull()) return scaled;
  const cv::Mat from(gray.height(), gray.width(), CV_8UC1, gray.bits(), std::size_t(gray.bytesPerLine()));
  cv::Mat to(scaled.height(), scaled.width(), CV_8UC1, scaled.bits(), std::size_t(scaled.bytesPerLine()));
  cv::resize(from, to, to.size(), 0, 0, cv::INTER_AREA);
  return scaled;
}

QStringList ScanImageSuffixes() {
  QStringList suffixes;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    suffixes << QString::fromLatin1(format).toLower();
  suffixes << HeifSuffixes();
  suffixes.removeDuplicates();
  return suffixes;
}
