// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/digitshape.h"

// A digit recognised by its shape alone, as a second reader beside Tesseract: the nearest of the
// digit glyphs rendered at build time in the common type faces (ziehfix-digitglyphs).
struct DigitGuess {
  int digit = -1;    // 0..9, -1 for no shape at all
  float margin = 0;  // distance to the nearest glyph of another digit by that to the nearest of this one
};

DigitGuess ClassifyDigit(const DigitShape& shape);
