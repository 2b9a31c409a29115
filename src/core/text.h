// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <stdexcept>

class QFile;

// Text helpers shared by every format of the program.

// Removes every character with a code of 32 or less from both ends (space, TAB, CR, LF and the other
// control characters); the no-break space and everything else stays.
QString Trimmed(const QString& text);

// True when the text is empty after Trimmed (a single space is blank).
bool IsBlank(const QString& text);

// The lines of a multi-line text field: the pieces between CR LF pairs. A line break at the very end
// opens no further line; an empty text has no lines.
QStringList LinesOf(const QString& text);

// Copy of text with occurrences of search replaced by replacement, scanning left to right over UTF-16
// code units without overlap. flags == 1: every occurrence, otherwise only the first. Unchanged when
// text or search is empty, or search == replacement.
QString XStringReplace(const QString& text, const QString& search, const QString& replacement, int flags);

// Decodes the bytes of a text file: a UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE (FE FF)
// byte-order mark selects that encoding and is skipped; without one, valid UTF-8 is UTF-8 and
// anything else Windows-1252 (Latin-1 where that codec is missing).
QString DecodeText(const QByteArray& bytes);

// Every line-break form (CR LF, lone CR, lone LF, LF CR) becomes CR LF.
QString NormalizeLineBreaks(const QString& text);

// Splits at CR LF, lone CR or lone LF; a last line without a break counts; a break at the very end
// opens no empty line; an empty text has no lines.
QStringList SplitFileLines(const QString& text);

// The same line rules without copying: calls f(QStringView line) for every line in order.
template <class F>
void ForEachFileLine(QStringView text, F&& f) {
  const qsizetype n = text.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text[i].unicode();
    if (c != u'\r' && c != u'\n') continue;
    f(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < n && text[i + 1].unicode() == u'\n') ++i;
    start = i + 1;
  }
  if (start < n) f(text.mid(start));
}

// Number of lines by the rules of SplitFileLines.
qsizetype CountFileLines(QStringView text);

// A file read in pieces, at most maxBytes in all. Throws as ReadWholeFile does: when the file cannot
// be opened or read, and with the German message when it holds more than maxBytes.
class BoundedFileReader {
 public:
  BoundedFileReader(const QString& path, qint64 maxBytes);
  ~BoundedFileReader();
  BoundedFileReader(const BoundedFileReader&) = delete;
  BoundedFileReader& operator=(const BoundedFileReader&) = delete;

  // The file's size, or -1 when it is not known beforehand (a pipe, a device).
  qint64 knownSize() const;
  // Appends up to pieceBytes more bytes to out; returns how many, 0 at the end.
  qint64 readPiece(QByteArray& out, qint64 pieceBytes);
  // The same into memory of the caller's: up to size bytes to data.
  qint64 readInto(char* data, qint64 size);

 private:
  std::runtime_error tooLarge() const;
  QString path_;
  qint64 maxBytes_;
  qint64 read_ = 0;
  std::unique_ptr<QFile> file_;
  QByteArray piece_;
};

// Reads a whole file. Throws std::runtime_error("Cannot open file \"<path>\". <reason>") when it cannot
// be opened or read, and a German message naming the file when it is larger than maxBytes.
QByteArray ReadWholeFile(const QString& path, qint64 maxBytes);

// Writes bytes atomically (QSaveFile, flush checked): on any failure the old file stays untouched and
// std::runtime_error("Cannot create file \"<path>\". <reason>") is thrown.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Strict decimal integer: optional sign, digits only (leading zeros allowed), no blanks, fits in 32 bits.
bool ParseStrictInt(const QString& text, int* value);
bool ParseStrictInt(QStringView text, int* value);

// The platform's message for a failed integer conversion: "''<text>'' is not a valid integer value".
QString InvalidIntegerMessage(const QString& text);
