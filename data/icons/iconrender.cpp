// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an SVG icon to a square PNG of the given size at build time, so that the repository holds
// only the drawing and every hicolor size comes from it. Qt's own SVG renderer is used because the
// program links it anyway; no further build dependency is needed.
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s SVG SIZE PNG\n", argv[0]);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  bool ok = false;
  const int size = QByteArray(argv[2]).toInt(&ok);
  if (!renderer.isValid() || !ok || size <= 0 || size > 1024) {
    std::fprintf(stderr, "%s: cannot render %s at size %s\n", argv[0], argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  QSaveFile out(QString::fromLocal8Bit(argv[3]));
  if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.flush() || !out.commit()) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
    return 1;
  }
  return 0;
}
