// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

// The raw bytes of the file; nullopt when it is missing, unreadable or too large.
std::optional<QByteArray> readBytes(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.size() > IniFile::kMaxBytes) return std::nullopt;
  // Only regular files get here, so the size is known: reading the limit at once would reserve all
  // of it for every read of a small file. One byte more shows a file that grew past the limit.
  QByteArray bytes = file.read(qMin(file.size(), IniFile::kMaxBytes) + 1);
  if (bytes.size() > IniFile::kMaxBytes || file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes;
}

// The parser works on NUL-terminated text: a file saved as UTF-16 is turned into UTF-8 first, and stray
// NUL bytes are dropped, so that none of them can hide the keys behind it (and a write lose them).
QByteArray parsableBytes(const QByteArray& bytes) {
  QByteArray text = bytes;
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
    QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    text = QString(utf16(bytes.mid(2))).toUtf8();
  }
  text.replace('\0', QByteArray());
  return text;
}

// The file as lines, each with its own line end ("\r\n", "\n", "\r" or none at the end), so that a
// write can change one line and give back every other byte as it was. SimpleIni, which we used
// before, saves the whole file anew: it drops lines it does not understand, turns CR LF into LF and
// keeps the last of two equal keys where the platform's profile functions read the first.
struct IniLines {
  QByteArray bom;  // a UTF-8 byte-order mark in front of the first line
  QList<QByteArray> text;
  QList<QByteArray> ends;

  explicit IniLines(const QByteArray& bytes) {
    QByteArray all = parsableBytes(bytes);
    if (all.startsWith("\xEF\xBB\xBF")) {
      bom = all.left(3);
      all.remove(0, 3);
    }
    qsizetype start = 0;
    while (start < all.size()) {
      qsizetype end = start;
      while (end < all.size() && all[end] != '\n' && all[end] != '\r') ++end;
      text << all.mid(start, end - start);
      qsizetype next = end;
      if (next < all.size() && all[next] == '\r') ++next;
      if (next < all.size() && all[next] == '\n' && (next == end || all[end] == '\r')) ++next;
      ends << all.mid(end, next - end);
      start = next;
    }
  }

  // The line end that new lines get: the file's first, or LF in a file without one.
  QByteArray newLine() const {
    for (const QByteArray& e : ends)
      if (!e.isEmpty()) return e;
    return QByteArrayLiteral("\n");
  }

  QByteArray joined() const {
    QByteArray out = bom;
    for (qsizetype i = 0; i < text.size(); ++i) out += text[i] + ends[i];
    return out;
  }
};

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(QByteArray t) {
  qsizetype from = 0, to = t.size();
  while (from < to && isBlank(t[from])) ++from;
  while (to > from && isBlank(t[to - 1])) --to;
  return t.mid(from, to - from);
}

bool sameName(const QByteArray& a, const QByteArray& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one line is: a section header, a key with its value, or anything else (blank, comment, junk).
struct IniLine {
  enum Kind { Other, Section, Key } kind = Other;
  QByteArray name;   // the section's or the key's name, without the blanks around it
  QByteArray value;  // the key's value, without the blanks around it
};

IniLine parseLine(const QByteArray& line) {
  const QByteArray t = trimmedBlanks(line);
  IniLine out;
  if (t.isEmpty() || t[0] == ';' || t[0] == '#') return out;
  if (t[0] == '[') {
    const qsizetype close = t.indexOf(']');
    if (close < 0) return out;
    out.kind = IniLine::Section;
    out.name = trimmedBlanks(t.mid(1, close - 1));
    return out;
  }
  const qsizetype eq = t.indexOf('=');
  if (eq <= 0) return out;
  out.name = trimmedBlanks(t.left(eq));
  if (out.name.isEmpty()) return out;
  out.kind = IniLine::Key;
  out.value = trimmedBlanks(t.mid(eq + 1));
  return out;
}

// Where a key stands: its line (the first of its name in the sections of that name), or -1; and the
// line after which a new key of that section goes, or -1 when there is no such section.
struct KeyPlace {
  qsizetype line = -1;
  qsizetype insertAfter = -1;
};

KeyPlace findKey(const IniLines& lines, const QByteArray& section, const QByteArray& key) {
  KeyPlace place;
  bool inSection = false;
  bool firstSection = false;
  for (qsizetype i = 0; i < lines.text.size(); ++i) {
    const IniLine l = parseLine(lines.text[i]);
    if (l.kind == IniLine::Section) {
      inSection = sameName(l.name, section);
      firstSection = inSection && place.insertAfter < 0;
      if (firstSection) place.insertAfter = i;
    } else if (inSection && l.kind == IniLine::Key) {
      if (sameName(l.name, key)) {
        place.line = i;
        return place;
      }
      if (firstSection) place.insertAfter = i;
    }
  }
  return place;
}

// The stored value of a key, or nullopt when the file or key is missing or unreadable.
std::optional<QByteArray> rawValue(const QString& path, const QString& section, const QString& key) {
  const std::optional<QByteArray> bytes = readBytes(path);
  if (!bytes) return std::nullopt;
  const IniLines lines(*bytes);
  const KeyPlace place = findKey(lines, section.toUtf8(), key.toUtf8());
  if (place.line < 0) return std::nullopt;
  return parseLine(lines.text[place.line]).value;
}

QString decodeValue(const QByteArray& bytes) {
  // A value may begin with U+FEFF; the decoder must not take it for a byte-order mark.
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder ansi("windows-1252");
  if (ansi.isValid()) {
    text = ansi(bytes);
    if (!ansi.hasError()) return text;
  }
  return QString::fromLatin1(bytes);
}

[[noreturn]] void failWrite(const QString& path) {
  throw std::runtime_error(("Unable to write to " + path).toStdString());
}

// Reads the file (a missing file is an empty one), rewrites the one line of the key, or adds it to
// its section, or the section at the end, and saves the whole file atomically.
void writeValue(const QString& path, const QString& section, const QString& key, const QString& value) {
  QByteArray bytes;
  if (QFileInfo::exists(path)) {
    // Rewriting a file that could not be read would throw its other keys away.
    const std::optional<QByteArray> read = readBytes(path);
    if (!read) failWrite(path);
    bytes = *read;
  }
  IniLines lines(bytes);
  const QByteArray sectionUtf8 = section.toUtf8();
  const QByteArray keyUtf8 = key.toUtf8();
  const QByteArray valueUtf8 = value.toUtf8();
  const QByteArray eol = lines.newLine();
  const KeyPlace place = findKey(lines, sectionUtf8, keyUtf8);
  if (place.line >= 0) {
    // The key keeps its spelling and its indentation; only what follows the "=" changes.
    QByteArray& line = lines.text[place.line];
    line = line.left(line.indexOf('=') + 1) + valueUtf8;
  } else if (place.insertAfter >= 0) {
    lines.text.insert(place.insertAfter + 1, keyUtf8 + '=' + valueUtf8);
    lines.ends.insert(place.insertAfter + 1, eol);
    if (lines.ends[place.insertAfter].isEmpty()) lines.ends[place.insertAfter] = eol;
  } else {
    // A new section goes at the end, after a blank line.
    if (!lines.ends.isEmpty() && lines.ends.last().isEmpty()) lines.ends.last() = eol;
    if (!lines.text.isEmpty()) {
      lines.text << QByteArray();
      lines.ends << eol;
    }
    lines.text << '[' + sectionUtf8 + ']' << keyUtf8 + '=' + valueUtf8;
    lines.ends << eol << eol;
  }
  QByteArray text = lines.joined();
  // A junk line can come first and begin with the bytes of a UTF-16 byte-order mark once its NUL
  // bytes are gone; the next read would then take the whole file for UTF-16 and lose every key. A
  // UTF-8 mark in front keeps it UTF-8.
  if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) text.prepend("\xEF\xBB\xBF");

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) failWrite(path);
  // QSaveFile::commit() may report success after a failed final flush, so the write is checked here.
  if (file.write(text) != text.size() || !file.flush()) {
    file.cancelWriting();
    failWrite(path);
  }
  if (!file.commit()) failWrite(path);
}

// The digit's value in base 10 or 16 (ASCII digits and letters only), or -1.
int digitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (base == 16 && u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (base == 16 && u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

QString withoutLineBreaks(QString value) {
  value.replace(QLatin1Char('\r'), QLatin1Char(' '));
  value.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return value;
}

}  // namespace

bool ParseIniInt(const QString& text, int* value) {
  qint64 result = 0;
  bool negative = false;
  int base = 10;
  int i = 0;
  if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    i = 2;
  } else if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
    negative = text.front() == QLatin1Char('-');
    i = 1;
  }
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(text[i], base);
    if (digit < 0) return false;
    result = result * base + digit;
    if (result > qint64(std::numeric_limits<int>::max()) + 1) return false;
  }
  if (negative) result = -result;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return false;
  *value = static_cast<int>(result);
  return true;
}

bool IniFile::exists() const {
  return QFileInfo(path_).isFile();
}

int IniFile::readInt(const QString& section, const QString& key, int def) const {
  const std::optional<QByteArray> raw = rawValue(path_, section, key);
  int value = 0;
  if (!raw || !ParseIniInt(QString::fromLatin1(*raw), &value)) return def;
  return value;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
  return readInt(section, key, def ? 1 : 0) != 0;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
  const std::optional<QByteArray> raw = rawValue(path_, section, key);
  return raw ? decodeValue(*raw) : def;
}

void IniFile::writeInt(const QString& section, const QString& key, int value) const {
  writeValue(path_, section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) const {
  writeValue(path_, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const {
  writeValue(path_, section, key, withoutLineBreaks(value));
}
