// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <vector>

// Encodes a picture as a colour JPEG with IJG libjpeg: converted to 24-bit RGB, three components,
// the given quality (1..100), progressive with the library's simple progression (SOF2) when asked,
// otherwise the library's defaults.
// Throws std::runtime_error for an empty picture and with the library's own text when libjpeg
// refuses the picture (for instance a side longer than 65500 pixels); it never ends the program.
std::vector<unsigned char> EncodeJpeg(const QImage& picture, int quality = 100, bool progressive = true);
