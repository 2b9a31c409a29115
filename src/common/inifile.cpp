#include "common/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

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

bool load(CSimpleIniA& ini, const QByteArray& bytes) {
  ini.SetUnicode(true);
  ini.SetSpaces(false);
  const QByteArray text = parsableBytes(bytes);
  return ini.LoadData(text.constData(), static_cast<size_t>(text.size())) >= 0;
}

// The stored value of a key, or nullopt when the file or key is missing or unreadable.
std::optional<QByteArray> rawValue(const QString& path, const QString& section, const QString& key) {
  const std::optional<QByteArray> bytes = readBytes(path);
  if (!bytes) return std::nullopt;
  CSimpleIniA ini;
  if (!load(ini, *bytes)) return std::nullopt;
  const char* value = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
  if (!value) return std::nullopt;
  return QByteArray(value);
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

// Loads the file (a missing file is an empty one), sets one value and saves the whole file atomically.
void writeValue(const QString& path, const QString& section, const QString& key, const QString& value) {
  CSimpleIniA ini;
  ini.SetUnicode(true);
  ini.SetSpaces(false);
  if (QFileInfo::exists(path)) {
    // Rewriting a file that could not be read would throw its other keys away.
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes || !load(ini, *bytes)) failWrite(path);
  }
  const QByteArray sectionUtf8 = section.toUtf8();
  const QByteArray keyUtf8 = key.toUtf8();
  const QByteArray valueUtf8 = value.toUtf8();
  if (ini.SetValue(sectionUtf8.constData(), keyUtf8.constData(), valueUtf8.constData()) < 0) failWrite(path);

  std::string text;
  if (ini.Save(text, false) < 0) failWrite(path);
  // A junk key from the file can come first and begin with the bytes of a UTF-16 byte-order mark; the
  // next read would then take the whole file for UTF-16 and lose every key. A UTF-8 mark in front
  // keeps it UTF-8.
  if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0) text.insert(0, "\xEF\xBB\xBF");

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) failWrite(path);
  const qint64 size = static_cast<qint64>(text.size());
  // QSaveFile::commit() may report success after a failed final flush, so the write is checked here.
  if (file.write(text.data(), size) != size || !file.flush()) {
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
