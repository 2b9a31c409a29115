// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture encoded as a HEIF file at test time, with HEVC (a phone's HEIC) when libheif has an
// encoder for it here, else with AV1; with AV1 only when avif is set. bytes is empty when libheif
// cannot encode; why says why.
struct HeifPicture {
  QByteArray bytes;
  QString suffix;  // "heic" or "avif"
  QString why;
};
HeifPicture EncodeHeif(const QImage& image, bool avif = false);
