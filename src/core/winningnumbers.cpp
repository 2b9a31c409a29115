// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/winningnumbers.h"

#include "core/text.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsShortSeparator(QChar c) {
  return c == QLatin1Char(',') || c == QLatin1Char(';') || c.unicode() <= 32;
}

// Texts too short for a run of 22 numbers: the pieces between runs of commas, semicolons and blanks.
QStringList ShortTextItems(const QString& t) {
  QStringList items;
  qsizetype i = 0;
  while (i < t.size()) {
    while (i < t.size() && IsShortSeparator(t[i])) ++i;
    const qsizetype begin = i;
    while (i < t.size() && !IsShortSeparator(t[i])) ++i;
    if (i > begin) items.append(t.mid(begin, i - begin));
  }
  return items;
}

// A run of 22 numbers without separators: the last 2·(L−22) characters are pairs, the first 44−L
// single digits; pieces are cut from the end.
QStringList DigitRunItems(const QString& t) {
  const qsizetype len = t.size();
  const qsizetype pairs = len - 22;
  QStringList items;
  qsizetype end = len;
  for (qsizetype p = 0; p < pairs; ++p, end -= 2) items.append(t.mid(end - 2, 2));
  for (; end > 0; --end) items.append(t.mid(end - 1, 1));
  return items;
}

}  // namespace

SplitResult SplitGZText(const QString& text) {
  const QString t = Trimmed(text);
  const qsizetype len = t.size();
  SplitResult result;
  if (len >= 56) {
    result.fieldText = t;
    for (const QString& sep : {QStringLiteral(", "), QStringLiteral(","), QStringLiteral("   ")}) {
      if (t.contains(sep)) {
        result.fieldText = XStringReplace(t, sep, kCrLf, 1);
        break;
      }
    }
    result.items = LinesOf(result.fieldText);
    return result;
  }
  if (len >= 45) {
    result.fieldText = t;
    result.items = LinesOf(t);
    return result;
  }
  result.items = len >= 23 ? DigitRunItems(t) : ShortTextItems(t);
  for (const QString& item : result.items) result.fieldText += item + kCrLf;
  return result;
}

void TransferGZText(const QString& fieldText, TransferTarget& target) {
  target.clearAll();
  const SplitResult split = SplitGZText(fieldText);
  target.setFieldText(split.fieldText);
  for (const QString& raw : split.items) {
    const QString item = Trimmed(raw);
    if (item.isEmpty()) continue;
    int n = 0;
    if (!ParseStrictInt(item, &n)) {
      target.error({Fault::Kind::NotAnInteger, item});
      return;
    }
    if (n < 1 || n > 75) {
      target.error({Fault::Kind::InvalidNumber, item});
      continue;
    }
    target.toggle(n);
  }
}

QString ReadWinningNumberFile(const QString& path) {
  return NormalizeLineBreaks(DecodeText(ReadWholeFile(path, kMaxNumberFileBytes)));
}

QByteArray WinningNumberFileBytes(const NumberSet& chosen, const QString& fieldText) {
  QByteArray bytes;
  for (int n = 1; n <= 75; ++n)
    if (chosen.contains(n)) bytes += QByteArray::number(n) + "\r\n";
  if (bytes.isEmpty()) return fieldText.toUtf8();
  return bytes;
}

void WriteWinningNumberFile(const QString& path, const NumberSet& chosen, const QString& fieldText) {
  WriteFileAtomically(path, WinningNumberFileBytes(chosen, fieldText));
}
