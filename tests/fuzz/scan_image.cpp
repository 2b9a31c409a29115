// SPDX-License-Identifier: GPL-3.0-or-later
// The picture reader on any bytes: decoding refuses or gives a picture, and reading it gives tickets
// whose cells are empty or a number 1..75 that appears once, never a doubtful cell with a number.
#include <QImage>
#include <QImageReader>
#include <QSet>

#include "fuzz_support.h"
#include "scan/scan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString path = fuzz::scratchFile("picture");
  fuzz::writeFile(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  // Small pictures only, so that each input takes bounded time; the reader scales large ones down
  // before anything else happens, which the tests check.
  {
    QImageReader probe(path);
    const QSize s = probe.size();
    if (s.isValid() && qint64(s.width()) * s.height() > 400 * 400) return 0;
  }
  QImage image;
  try {
    image = LoadScanImage(path);
  } catch (const ScanError& e) {
    FUZZ_CHECK(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Das Bild")));
    return 0;
  }
  FUZZ_CHECK(!image.isNull() && image.format() == QImage::Format_Grayscale8);
  if (qint64(image.width()) * image.height() > 400 * 400) return 0;
  const ScanResult result = ScanImage(image);
  FUZZ_CHECK(!result.cancelled);
  for (const ScannedTicket& t : result.tickets) {
    QSet<int> seen;
    for (int c = 0; c < 25; ++c) {
      const QString& cell = t.cells[std::size_t(c)];
      if (t.doubtful[std::size_t(c)]) FUZZ_CHECK(cell.isEmpty());
      if (cell.isEmpty()) continue;
      bool ok = false;
      const int n = cell.toInt(&ok);
      FUZZ_CHECK(ok && n >= 1 && n <= 75 && !seen.contains(n));
      seen.insert(n);
    }
  }
  return 0;
}
