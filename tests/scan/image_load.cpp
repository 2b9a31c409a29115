// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader: large pictures read and scaled down, too large ones refused as such before they
// are decoded, HEIF photos, and transparent parts as white paper.
#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

#include "scan/scan.h"
#include "scan_pictures/heic.h"
#include "support/test_files.h"

namespace {

// A 24-bit BMP stored bottom row first, with the header only: its pixels are whatever follows.
QByteArray bmpHeader(int width, int height) {
  const quint32 row = quint32((width * 3 + 3) / 4 * 4);
  const quint32 data = row * quint32(height);
  QByteArray header;
  QDataStream s(&header, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("BM", 2);
  s << quint32(54 + data) << quint32(0) << quint32(54);
  s << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(24) << quint32(0) << data
    << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
  return header;
}

std::string refusal(const QString& path) {
  try {
    LoadScanImage(path);
  } catch (const ScanError& e) {
    return e.what();
  }
  return "(read)";
}

class ImageLoad : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(ImageLoad, A40MegapixelBmpIsReadAndScaledDown) {
  // 120 MB on disk in name only: the file is sparse but for its bottom 100 rows, which are white.
  const int width = 7300, height = 5480;
  QFile file(path("gross.bmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const QByteArray header = bmpHeader(width, height);
  file.write(header);
  file.write(QByteArray(width * 3 * 100, '\xff'));
  ASSERT_TRUE(file.resize(header.size() + qint64(width) * 3 * height));
  file.close();

  const QImage loaded = LoadScanImage(file.fileName());
  ASSERT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.format(), QImage::Format_Grayscale8);
  EXPECT_LE(qint64(loaded.width()) * loaded.height(), kScanMaxPixels);
  EXPECT_GE(qint64(loaded.width()) * loaded.height(), kScanMaxPixels * 9 / 10);
  EXPECT_NEAR(double(loaded.width()) / loaded.height(), double(width) / height, 0.01);
  EXPECT_EQ(loaded.pixelColor(loaded.width() / 2, loaded.height() - 1), Qt::white);
  EXPECT_EQ(loaded.pixelColor(loaded.width() / 2, 0), Qt::black);
}

TEST_F(ImageLoad, APictureDeclaringMoreThan50MegapixelsIsTooLargeNotDamaged) {
  // Only the header is there: the size it declares must be refused before anything is allocated.
  ASSERT_TRUE(WriteTestFile(path("riesig.bmp"), bmpHeader(10000, 6000)));
  EXPECT_EQ(refusal(path("riesig.bmp")),
            "Das Bild „riesig.bmp“ kann nicht gelesen werden. "
            "Das Bild ist zu groß: 10000 × 6000 Bildpunkte (höchstens 50 Millionen).");
}

TEST_F(ImageLoad, AJpegOfMoreThan50MegapixelsIsReadAtAReducedSize) {
  QImage big(9000, 6000, QImage::Format_Grayscale8);
  big.fill(255);
  ASSERT_TRUE(big.save(path("gross.jpg"), "JPEG", 10));
  big = QImage();
  const QImage loaded = LoadScanImage(path("gross.jpg"));
  ASSERT_FALSE(loaded.isNull());
  EXPECT_LE(qint64(loaded.width()) * loaded.height(), kScanMaxPixels);
  EXPECT_NEAR(double(loaded.width()) / loaded.height(), 1.5, 0.01);
}

TEST_F(ImageLoad, AGreyPngOfMoreThan50MegapixelsIsTooLargeThoughQtOffersToScaleIt) {
  // Qt's PNG reader says it scales, but decodes grey and palette pictures whole.
  QImage big(12000, 12000, QImage::Format_Mono);
  big.fill(1);
  ASSERT_TRUE(big.save(path("riesig.png")));
  EXPECT_EQ(refusal(path("riesig.png")),
            "Das Bild „riesig.png“ kann nicht gelesen werden. "
            "Das Bild ist zu groß: 12000 × 12000 Bildpunkte (höchstens 50 Millionen).");
}

TEST_F(ImageLoad, TransparentPartsAreWhitePaper) {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) image.setPixel(x, y, qRgba(0, 0, 0, x < 10 ? 255 : 128));
  ASSERT_TRUE(image.save(path("durchsichtig.png")));
  const QImage loaded = LoadScanImage(path("durchsichtig.png"));
  EXPECT_EQ(qGray(loaded.pixel(5, 5)), 0);
  EXPECT_NEAR(qGray(loaded.pixel(15, 5)), 127, 2);
  EXPECT_EQ(qGray(loaded.pixel(30, 5)), 255);
}

TEST_F(ImageLoad, HeifPhotosAreReadAndTheirDeclaredSizeChecked) {
  QImage image(320, 240, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 160; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  // A phone's HEIC, and AVIF where libheif can encode it.
  for (const bool avif : {true, false}) {
    const HeifPicture photo = EncodeHeif(image, avif);
    if (photo.bytes.isEmpty() && avif) continue;
    if (photo.bytes.isEmpty()) GTEST_SKIP() << qPrintable(photo.why);
    const QString name = QStringLiteral("foto.") + photo.suffix;
    ASSERT_TRUE(WriteTestFile(dir.filePath(name), photo.bytes));
    const QImage loaded = LoadScanImage(dir.filePath(name));
    EXPECT_EQ(loaded.size(), QSize(320, 240)) << qPrintable(name);
    EXPECT_EQ(loaded.format(), QImage::Format_Grayscale8);
    EXPECT_LT(qGray(loaded.pixel(80, 120)), 30) << qPrintable(name);
    EXPECT_GT(qGray(loaded.pixel(240, 120)), 225) << qPrintable(name);
    EXPECT_TRUE(ScanImageSuffixes().contains(photo.suffix));
  }
  const HeifPicture heif = EncodeHeif(image);

  // The same file declaring 10000 × 6000 pixels in its size property ("ispe").
  QByteArray big = heif.bytes;
  const qsizetype ispe = big.indexOf("ispe");
  ASSERT_GT(ispe, 0);
  QDataStream s(&big, QIODevice::ReadWrite);
  s.device()->seek(ispe + 8);
  s << quint32(10000) << quint32(6000);
  ASSERT_TRUE(WriteTestFile(dir.filePath("gross." + heif.suffix), big));
  EXPECT_EQ(refusal(dir.filePath("gross." + heif.suffix)),
            "Das Bild „gross." + heif.suffix.toStdString() +
                "“ kann nicht gelesen werden. Das Bild ist zu groß: 10000 × 6000 Bildpunkte (höchstens 50 "
                "Millionen).");
}

}  // namespace
