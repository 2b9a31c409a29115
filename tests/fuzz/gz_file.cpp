// SPDX-License-Identifier: GPL-3.0-or-later
// Winning-number files: the reader on any bytes, the transfer of what it reads, and files written in
// the numbers form reading back to the same numbers.
#include <stdexcept>

#include "core/text.h"
#include "core/winningnumbers.h"
#include "fuzz_support.h"
#include "gz_board.h"

namespace {

// Every line break is CR LF: no lone CR, no lone LF.
bool onlyCrLf(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\r') && (i + 1 == text.size() || text[i + 1] != QLatin1Char('\n')))
      return false;
    if (text[i] == QLatin1Char('\n') && (i == 0 || text[i - 1] != QLatin1Char('\r'))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  static const QString path = fuzz::scratchFile("numbers.zfgz");
  fuzz::writeFile(path, bytes);

  const QString text = ReadWinningNumberFile(path);
  FUZZ_CHECK(onlyCrLf(text));
  FUZZ_CHECK(text == NormalizeLineBreaks(DecodeText(bytes)));

  fuzz::Board board;
  TransferGZText(text, board);
  board.checkInvariants();

  // Saved in the numbers form, the chosen numbers read back the same when the file's text is long
  // enough to be read line by line (45 characters or more without the final line break); a shorter
  // one is cut as a run of digits.
  if (board.chosen.isEmpty()) {
    // The text form holds the field's text; read back it is the same text, with a lone CR or LF (a
    // digit run may cut a line break in two) read as CR LF. Lone surrogates have no UTF-8 form and
    // are left out.
    if (board.field.toUtf8() != QString::fromUtf8(board.field.toUtf8()).toUtf8() ||
        QString::fromUtf8(board.field.toUtf8()) != board.field)
      return 0;
    // A text that begins with U+FEFF loses that character (two of them, if so many): the reader
    // takes it for a byte-order mark.
    fuzz::writeFile(path, WinningNumberFileBytes(board.chosen, board.field));
    QString expected = NormalizeLineBreaks(board.field);
    for (int i = 0; i < 2 && expected.startsWith(QChar(0xFEFF)); ++i) expected.remove(0, 1);
    FUZZ_CHECK(ReadWinningNumberFile(path) == expected);
    return 0;
  }
  const QByteArray saved = WinningNumberFileBytes(board.chosen, board.field);
  fuzz::writeFile(path, saved);
  const QString again = ReadWinningNumberFile(path);
  FUZZ_CHECK(again == QString::fromLatin1(saved));
  if (Trimmed(again).size() >= 45) {
    fuzz::Board reread;
    TransferGZText(again, reread);
    reread.checkInvariants();
    FUZZ_CHECK(reread.chosen == board.chosen);
    FUZZ_CHECK(reread.messages.isEmpty());
  }
  return 0;
}
