// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: reads on any bytes, and a write that changes exactly the key it writes.
#include <QStringList>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/inifile.h"
#include "fuzz_support.h"

namespace {

const std::vector<std::pair<QString, QString>>& tableKeys() {
  static const std::vector<std::pair<QString, QString>> keys = {{"Position", "FMain-left"},
                                                                {"Position", "FMain-top"},
                                                                {"Size", "FMain-breite"},
                                                                {"Size", "FMain-hoehe"},
                                                                {"Position", "FEingabe-left"},
                                                                {"Position", "FEingabe-top"},
                                                                {"Position", "FAbbild-left"},
                                                                {"Position", "FAbbild-top"},
                                                                {"Auswertung", "sofort"},
                                                                {"Wach", "Stand"},
                                                                {"Neue Gewinnzahlen", "Url"},
                                                                {"Lose", "neue"},
                                                                {"Abbild", "Pfad"}};
  return keys;
}

const QString kMissing = QStringLiteral("\x01missing");

// Blanks at the ends of a value are not kept by the file format.
QString withoutOuterBlanks(QString value) {
  const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
  while (!value.isEmpty() && blank(value.front())) value.remove(0, 1);
  while (!value.isEmpty() && blank(value.back())) value.chop(1);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const auto& keys = tableKeys();
  const auto& [section, key] = keys[in.byte() % keys.size()];
  const QString value = QString::fromUtf8(in.bytes(in.byte() % 48));
  const QByteArray bytes = in.rest();

  static const QString path = fuzz::scratchFile("optionen.ini");
  fuzz::writeFile(path, bytes);
  const IniFile ini(path);

  // Reads never fail, and a number is read from the same text as the string.
  QStringList before;
  for (const auto& [s, k] : keys) {
    const QString text = ini.readString(s, k, kMissing);
    int parsed = 0;
    const int expected = text != kMissing && ParseIniInt(text, &parsed) ? parsed : -12345;
    FUZZ_CHECK(ini.readInt(s, k, -12345) == expected);
    FUZZ_CHECK(ini.readBool(s, k, true) == (expected == -12345 ? true : expected != 0));
    before << text;
  }

  // A NUL ends a value in the file, so values with one are not written here.
  if (value.contains(QChar(0))) return 0;
  try {
    ini.writeString(section, key, value);
  } catch (const std::runtime_error&) {
    // Refused: the file must be as it was.
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly) && f.readAll() == bytes);
    return 0;
  }

  // The key reads back as written (line breaks become spaces, outer blanks go); every other key of
  // the table keeps its value.
  QString expected = value;
  expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  FUZZ_CHECK(ini.readString(section, key, kMissing) == withoutOuterBlanks(expected));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto& [s, k] = keys[i];
    if (s == section && k == key) continue;
    FUZZ_CHECK(ini.readString(s, k, kMissing) == before[qsizetype(i)]);
  }
  return 0;
}
