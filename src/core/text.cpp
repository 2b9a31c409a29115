// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <limits>
#include <stdexcept>

namespace {

bool IsBlankChar(QChar c) {
  return c.unicode() <= 32;
}

std::runtime_error FileError(const char* what, const QString& path, const QString& reason) {
  return std::runtime_error(
      QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason).toStdString());
}

}  // namespace

QString Trimmed(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsBlankChar(text.at(begin))) ++begin;
  while (end > begin && IsBlankChar(text.at(end - 1))) --end;
  if (begin == 0 && end == text.size()) return text;
  return text.mid(begin, end - begin);
}

bool IsBlank(const QString& text) {
  for (QChar c : text)
    if (!IsBlankChar(c)) return false;
  return true;
}

QStringList LinesOf(const QString& text) {
  QStringList lines;
  if (text.isEmpty()) return lines;
  lines = text.split(QStringLiteral("\r\n"));
  if (text.endsWith(QStringLiteral("\r\n"))) lines.removeLast();
  return lines;
}

QString XStringReplace(const QString& text, const QString& search, const QString& replacement, int flags) {
  if (text.isEmpty() || search.isEmpty() || search == replacement) return text;
  QString out;
  qsizetype from = 0;
  for (;;) {
    const qsizetype hit = text.indexOf(search, from, Qt::CaseSensitive);
    if (hit < 0) break;
    out += QStringView(text).mid(from, hit - from);
    out += replacement;
    from = hit + search.size();
    if (flags != 1) break;
  }
  if (from == 0) return text;
  out += QStringView(text).mid(from);
  return out;
}

QString DecodeText(const QByteArray& bytes) {
  const auto has = [&](const char* mark, int len) { return bytes.startsWith(QByteArrayView(mark, len)); };
  // Once the mark is skipped, a further U+FEFF is text and stays (ConvertInitialBom).
  constexpr auto keepMarks = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
  if (has("\xEF\xBB\xBF", 3)) {
    QStringDecoder dec(QStringDecoder::Utf8, keepMarks);
    return dec.decode(QByteArrayView(bytes).sliced(3));
  }
  if (has("\xFF\xFE", 2)) {
    QStringDecoder dec(QStringDecoder::Utf16LE, keepMarks);
    return dec.decode(QByteArrayView(bytes).sliced(2));
  }
  if (has("\xFE\xFF", 2)) {
    QStringDecoder dec(QStringDecoder::Utf16BE, keepMarks);
    return dec.decode(QByteArrayView(bytes).sliced(2));
  }
  {
    QStringDecoder utf8(QStringDecoder::Utf8, keepMarks);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
  }
  QStringDecoder ansi("windows-1252", QStringDecoder::Flag::Stateless);
  if (ansi.isValid()) return ansi.decode(bytes);
  return QString::fromLatin1(bytes);
}

QString NormalizeLineBreaks(const QString& text) {
  if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) return text;
  QString out;
  out.reserve(text.size() + text.size() / 16);
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r')) {
      if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
      out += QStringLiteral("\r\n");
    } else if (c == QLatin1Char('\n')) {
      if (i + 1 < n && text.at(i + 1) == QLatin1Char('\r')) ++i;
      out += QStringLiteral("\r\n");
    } else {
      out += c;
    }
  }
  return out;
}

QStringList SplitFileLines(const QString& text) {
  QStringList lines;
  ForEachFileLine(text, [&](QStringView line) { lines.append(line.toString()); });
  return lines;
}

qsizetype CountFileLines(QStringView text) {
  qsizetype count = 0;
  ForEachFileLine(text, [&](QStringView) { ++count; });
  return count;
}

BoundedFileReader::BoundedFileReader(const QString& path, qint64 maxBytes)
    : path_(path), maxBytes_(maxBytes), file_(std::make_unique<QFile>(path)) {
  if (QFileInfo(path).isDir()) throw FileError("Cannot open file", path, QStringLiteral("Is a directory"));
  if (!file_->open(QIODevice::ReadOnly)) throw FileError("Cannot open file", path, file_->errorString());
  if (file_->size() > maxBytes) throw tooLarge();
}

BoundedFileReader::~BoundedFileReader() = default;

std::runtime_error BoundedFileReader::tooLarge() const {
  return std::runtime_error(QStringLiteral("Die Datei \"%1\" ist zu groß: Es werden höchstens %2 MB gelesen.")
                                .arg(QFileInfo(path_).fileName())
                                .arg(maxBytes_ / (1024 * 1024))
                                .toStdString());
}

qint64 BoundedFileReader::knownSize() const {
  return file_->isSequential() ? -1 : file_->size();
}

qint64 BoundedFileReader::readInto(char* data, qint64 size) {
  // Up to one byte more than allowed, so that files whose size is not known beforehand (pipes,
  // devices) and files that grew since they were opened are bounded as well.
  const qint64 want = qMin<qint64>(size, maxBytes_ + 1 - read_);
  if (want <= 0) throw tooLarge();
  const qint64 got = file_->read(data, want);
  if (got < 0) throw FileError("Cannot open file", path_, file_->errorString());
  read_ += got;
  if (read_ > maxBytes_) throw tooLarge();
  return got;
}

qint64 BoundedFileReader::readPiece(QByteArray& out, qint64 pieceBytes) {
  // Through a piece of its own, so that out only grows by what arrived and keeps its reserve.
  if (piece_.size() < pieceBytes) piece_.resize(pieceBytes);
  const qint64 got = readInto(piece_.data(), pieceBytes);
  out.append(piece_.constData(), got);
  return got;
}

QByteArray ReadWholeFile(const QString& path, qint64 maxBytes) {
  BoundedFileReader reader(path, maxBytes);
  // In pieces: a small file costs only its own size (a single read of the limit would reserve all
  // of it).
  QByteArray bytes;
  if (reader.knownSize() >= 0) bytes.reserve(reader.knownSize());
  while (reader.readPiece(bytes, 256 * 1024) > 0) {
  }
  return bytes;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw FileError("Cannot create file", path, file.errorString());
  // A failed final flush can still let commit() succeed with a truncated file, so every step is
  // checked here and the write is cancelled before commit() on any failure.
  const bool ok = file.write(bytes) == bytes.size() && file.flush();
  if (!ok) {
    const QString reason = file.errorString();
    file.cancelWriting();
    file.commit();
    throw FileError("Cannot create file", path, reason);
  }
  if (!file.commit()) throw FileError("Cannot create file", path, file.errorString());
}

bool ParseStrictInt(QStringView text, int* value) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  if (i == text.size()) return false;
  qint64 v = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > qint64(std::numeric_limits<int>::max()) + 1) return false;
  }
  if (negative) v = -v;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  if (value) *value = int(v);
  return true;
}

bool ParseStrictInt(const QString& text, int* value) {
  return ParseStrictInt(QStringView(text), value);
}

QString InvalidIntegerMessage(const QString& text) {
  return QStringLiteral("''%1'' is not a valid integer value").arg(text);
}
