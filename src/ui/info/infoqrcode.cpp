// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info/infoqrcode.h"

#include <qrencode.h>

#include <QPainter>
#include <memory>

namespace {
constexpr int kQuietZone = 4;
}

QImage QrCodeImage(const QByteArray& data, int maxSide) {
  if (data.isEmpty()) return {};
  std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
      QRcode_encodeData(static_cast<int>(data.size()),
                        reinterpret_cast<const unsigned char*>(data.constData()), 0, QR_ECLEVEL_M),
      &QRcode_free);
  if (!code) return {};
  const int modules = code->width + 2 * kQuietZone;
  const int scale = maxSide / modules;
  if (scale < 1) return {};

  QImage image(modules * scale, modules * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int y = 0; y < code->width; ++y)
    for (int x = 0; x < code->width; ++x)
      if (code->data[y * code->width + x] & 1)
        painter.fillRect((x + kQuietZone) * scale, (y + kQuietZone) * scale, scale, scale, Qt::black);
  return image;
}
