// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <stdexcept>

#include "ui/abbild/jpeg_markers.h"
#include "ui/abbild/jpegencoder.h"

namespace {

QImage TestPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.fillRect(0, 0, width / 2, height / 2, QColor(0xC0, 0x10, 0x10));
  painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(0x10, 0x20, 0xC0));
  return picture;
}

QImage Decode(const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  QImageReader reader(&buffer, "jpeg");
  return reader.read();
}

}  // namespace

TEST(JpegEncoder, aPictureBecomesAProgressiveColourJpegOfItsSize) {
  const QImage picture = TestPicture(151, 239);
  const QByteArray jpeg = ToByteArray(EncodeJpeg(picture));

  ASSERT_GE(jpeg.size(), 4);
  EXPECT_EQ(uchar(jpeg[0]), 0xFF);
  EXPECT_EQ(uchar(jpeg[1]), 0xD8);
  EXPECT_EQ(uchar(jpeg[jpeg.size() - 2]), 0xFF);
  EXPECT_EQ(uchar(jpeg[jpeg.size() - 1]), 0xD9);
  const JpegSegment sof = JpegFrameHeader(jpeg);
  EXPECT_EQ(sof.marker, 0xC2) << "progressive frames are SOF2";
  ASSERT_GE(sof.payload.size(), 6);
  EXPECT_EQ(FrameWidth(sof), 151);
  EXPECT_EQ(FrameHeight(sof), 239);
  EXPECT_EQ(FrameComponents(sof), 3);

  const QImage decoded = Decode(jpeg);
  ASSERT_FALSE(decoded.isNull());
  EXPECT_EQ(decoded.size(), picture.size());
  EXPECT_FALSE(decoded.allGray()) << "still in colour";
}

TEST(JpegEncoder, qualityHundredWritesQuantisationTablesOfOnlyOnes) {
  const QByteArray jpeg = ToByteArray(EncodeJpeg(TestPicture(32, 32)));
  int tables = 0;
  for (const JpegSegment& s : JpegHeaderSegments(jpeg)) {
    if (s.marker != 0xDB) continue;
    // One or more tables: a precision/id byte and 64 eight-bit entries each.
    for (qsizetype pos = 0; pos + 65 <= s.payload.size(); pos += 65) {
      ASSERT_EQ(uchar(s.payload[pos]) >> 4, 0) << "eight-bit table";
      for (int i = 1; i <= 64; ++i) EXPECT_EQ(uchar(s.payload[pos + i]), 1) << "entry " << i;
      ++tables;
    }
  }
  EXPECT_EQ(tables, 2) << "one table for brightness, one for colour";
}

TEST(JpegEncoder, theColoursSurviveAtQualityHundred) {
  const QImage picture = TestPicture(64, 48);
  const QImage decoded = Decode(ToByteArray(EncodeJpeg(picture))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(decoded.size(), picture.size());
  for (const QPoint p : {QPoint(5, 5), QPoint(58, 40), QPoint(60, 3), QPoint(3, 44)}) {
    const QColor want = picture.pixelColor(p);
    const QColor got = decoded.pixelColor(p);
    EXPECT_NEAR(got.red(), want.red(), 6) << p.x() << "," << p.y();
    EXPECT_NEAR(got.green(), want.green(), 6) << p.x() << "," << p.y();
    EXPECT_NEAR(got.blue(), want.blue(), 6) << p.x() << "," << p.y();
  }
}

TEST(JpegEncoder, withoutProgressionTheFrameIsBaseline) {
  const QByteArray jpeg = ToByteArray(EncodeJpeg(TestPicture(20, 20), 100, false));
  EXPECT_EQ(JpegFrameHeader(jpeg).marker, 0xC0);
}

TEST(JpegEncoder, picturesOfEveryFormatAreConvertedToRgb) {
  for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_Indexed8,
                                      QImage::Format_Grayscale8, QImage::Format_RGB16, QImage::Format_Mono}) {
    const QImage picture = TestPicture(17, 9).convertToFormat(format);
    const QByteArray jpeg = ToByteArray(EncodeJpeg(picture));
    const JpegSegment sof = JpegFrameHeader(jpeg);
    ASSERT_GE(sof.payload.size(), 6) << format;
    EXPECT_EQ(FrameComponents(sof), 3) << format;
    EXPECT_EQ(Decode(jpeg).size(), QSize(17, 9)) << format;
  }
}

TEST(JpegEncoder, anEmptyPictureIsRefusedWithAMessage) {
  EXPECT_THROW(EncodeJpeg(QImage()), std::runtime_error);
  EXPECT_THROW(EncodeJpeg(QImage(0, 10, QImage::Format_RGB32)), std::runtime_error);
}

TEST(JpegEncoder, aPictureTheLibraryRefusesRaisesAnExceptionInsteadOfEndingTheProgram) {
  // libjpeg limits each side to 65500 pixels; its error must come back as an exception.
  QImage tooWide(70000, 1, QImage::Format_RGB32);
  ASSERT_FALSE(tooWide.isNull());
  tooWide.fill(Qt::white);
  try {
    EncodeJpeg(tooWide);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos) << e.what();
  }
  // The library is usable again afterwards.
  EXPECT_EQ(JpegFrameHeader(ToByteArray(EncodeJpeg(TestPicture(8, 8)))).marker, 0xC2);
}

TEST(JpegEncoder, qualityOutsideItsRangeIsRefused) {
  EXPECT_THROW(EncodeJpeg(TestPicture(8, 8), 0), std::invalid_argument);
  EXPECT_THROW(EncodeJpeg(TestPicture(8, 8), 101), std::invalid_argument);
}
