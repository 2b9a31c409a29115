// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The picture loader's parts: HEIF photos through libheif, and the reasons both decoders give.

// Whether the file starts as a HEIF (or AVIF) picture that libheif decodes.
bool IsHeifFile(const QString& path);
// Decodes the file's main picture, its rotation and mirroring applied; a null picture and a German
// reason when it cannot. Refuses pictures above kScanMaxPicturePixels before decoding them.
QImage DecodeHeif(const QString& path, QString& reason);
// The suffixes of the HEIF files libheif decodes here.
QStringList HeifSuffixes();

QString DamagedReason();
QString UnsupportedReason();
QString TooLargeReason(qint64 width, qint64 height);
