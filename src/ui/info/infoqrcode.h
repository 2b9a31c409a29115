// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// A QR code of data (error correction level M) drawn black on white with the quiet zone of four
// modules that readers need, each module as large as lets the whole code fit into a square of
// maxSide pixels. A null image when the data do not fit or cannot be encoded.
QImage QrCodeImage(const QByteArray& data, int maxSide);
