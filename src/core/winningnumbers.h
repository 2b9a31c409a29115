// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "core/fault.h"
#include "core/numberset.h"

// The winning-number text field, its transfer to the board, and winning-number files (*.zfgz).

struct SplitResult {
  QString fieldText;  // the field's new text
  QStringList items;  // number items in transfer order
};

// Cuts the field's text by its trimmed length: >= 56 separator mode, 45..55 line mode, 23..44 a run of
// 22 numbers without separators; a text of at most 22 characters is cut at runs of commas, semicolons
// and blanks, each piece on a line of its own.
SplitResult SplitGZText(const QString& text);

// What a transfer drives: the main window's board and text field, or the checker's state.
class TransferTarget {
 public:
  virtual ~TransferTarget() = default;
  virtual void clearAll() = 0;                         // clear every chosen number (BDelGZClick)
  virtual void setFieldText(const QString& text) = 0;  // the field shows the split text
  virtual void toggle(int n) = 0;                      // n in 1..75; shows the limit message itself
  virtual void error(const Fault& fault) = 0;          // an error message box
};

// The transfer: clear, split, show the new text, toggle each item. A non-integer item is reported
// (NotAnInteger) and stops the transfer; an item outside 1..75 is reported (InvalidNumber) and skipped.
void TransferGZText(const QString& fieldText, TransferTarget& target);

// Reads a winning-number file: decoded (byte-order mark honoured), every line-break form as CR LF.
// Throws std::runtime_error on a file that cannot be opened or is too large.
constexpr qint64 kMaxNumberFileBytes = 1LL * 1024 * 1024;
QString ReadWinningNumberFile(const QString& path);

// Numbers form (chosen ascending, CR LF after each) when chosen is not empty, else the field's text.
QByteArray WinningNumberFileBytes(const NumberSet& chosen, const QString& fieldText);
void WriteWinningNumberFile(const QString& path, const NumberSet& chosen, const QString& fieldText);
