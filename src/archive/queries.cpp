// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's read-only queries and its backup copy.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

#include "archive/archive.h"

namespace {

// Open ends compare below and above every ISO date.
void bindRange(QSqlQuery& q, const DrawRange& range) {
  q.addBindValue(range.from.isValid() ? range.from.toString(Qt::ISODate) : QStringLiteral("0000-00-00"));
  q.addBindValue(range.to.isValid() ? range.to.toString(Qt::ISODate) : QStringLiteral("9999-99-99"));
}

QList<int> numbersOf(const QByteArray& blob) {
  QList<int> out;
  out.reserve(blob.size());
  for (char c : blob) out.append(int(std::uint8_t(c)));
  return out;
}

}  // namespace

ArchiveFault Archive::list(const DrawRange& range, QList<DrawSummary>& out) {
  out.clear();
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral(
      "SELECT id, date, name, numbers, tickets, class1, class2, class3 FROM draw WHERE date BETWEEN ? AND ? "
      "ORDER BY date DESC, id DESC"));
  bindRange(q, range);
  if (!q.exec()) return faultOf(q.lastError(), false);
  QHash<qint64, qsizetype> index;
  while (q.next()) {
    DrawSummary d;
    d.id = q.value(0).toLongLong();
    d.date = QDate::fromString(q.value(1).toString(), Qt::ISODate);
    d.name = q.value(2).toString();
    d.numbers = numbersOf(q.value(3).toByteArray());
    d.tickets = q.value(4).toInt();
    for (int c = 0; c < 3; ++c) d.winners[std::size_t(c)] = q.value(5 + c).toInt();
    index.insert(d.id, out.size());
    out.append(std::move(d));
  }
  if (q.lastError().isValid()) return faultOf(q.lastError(), false);
  q.prepare(QStringLiteral(
      "SELECT f.draw, f.name FROM draw_file f JOIN draw d ON d.id = f.draw WHERE d.date BETWEEN ? AND ? "
      "ORDER BY f.draw, f.position"));
  bindRange(q, range);
  if (!q.exec()) return faultOf(q.lastError(), false);
  while (q.next()) {
    const auto it = index.constFind(q.value(0).toLongLong());
    if (it != index.constEnd()) out[*it].files << q.value(1).toString();
  }
  if (q.lastError().isValid()) return faultOf(q.lastError(), false);
  return {};
}

ArchiveFault Archive::drawNumbers(const DrawRange& range, QList<DrawSummary>& out) {
  out.clear();
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral(
      "SELECT id, date, name, numbers FROM draw WHERE date BETWEEN ? AND ? ORDER BY date, id"));
  bindRange(q, range);
  if (!q.exec()) return faultOf(q.lastError(), false);
  while (q.next()) {
    DrawSummary d;
    d.id = q.value(0).toLongLong();
    d.date = QDate::fromString(q.value(1).toString(), Qt::ISODate);
    d.name = q.value(2).toString();
    d.numbers = numbersOf(q.value(3).toByteArray());
    out.append(std::move(d));
  }
  if (q.lastError().isValid()) return faultOf(q.lastError(), false);
  return {};
}

ArchiveFault Archive::years(QList<int>& out) {
  out.clear();
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  // The dates are ISO text, so the year is their first four characters.
  if (!q.exec(QStringLiteral("SELECT DISTINCT substr(date, 1, 4) FROM draw ORDER BY 1 DESC")))
    return faultOf(q.lastError(), false);
  while (q.next()) out.append(q.value(0).toInt());
  if (q.lastError().isValid()) return faultOf(q.lastError(), false);
  return {};
}

ArchiveFault Archive::find(const QDate& date, const QString& name, qint64& id) {
  id = 0;
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("SELECT id FROM draw WHERE date = ? AND name = ?"));
  q.addBindValue(date.toString(Qt::ISODate));
  q.addBindValue(nonNull(name));
  if (!q.exec()) return faultOf(q.lastError(), false);
  if (q.next()) id = q.value(0).toLongLong();
  return {};
}

ArchiveFault Archive::load(qint64 id, ArchiveDraw& out) {
  using K = ArchiveFault::Kind;
  out = ArchiveDraw{};
  if (!open_) return ArchiveFault::of(K::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral(
      "SELECT d.date, d.name, d.numbers, d.tickets, t.ticket_values, t.classes, t.lines FROM draw d "
      "JOIN draw_tickets t ON t.draw = d.id WHERE d.id = ?"));
  q.addBindValue(id);
  if (!q.exec()) return faultOf(q.lastError(), false);
  if (!q.next()) {
    if (q.lastError().isValid()) return faultOf(q.lastError(), false);
    return ArchiveFault::of(K::NotFound, QString::number(id));
  }
  out.id = id;
  out.date = QDate::fromString(q.value(0).toString(), Qt::ISODate);
  out.name = q.value(1).toString();
  out.numbers = numbersOf(q.value(2).toByteArray());
  const int n = q.value(3).toInt();
  const QByteArray values = q.value(4).toByteArray();
  const QByteArray classes = q.value(5).toByteArray();
  const QByteArray lines = q.value(6).toByteArray();
  if (n < 0 || values.size() != qsizetype(n) * 25 || classes.size() != n || lines.size() != qsizetype(n) * 2)
    return ArchiveFault::of(K::Damaged, path_, QStringLiteral("Ziehung %1 unvollständig").arg(id));
  out.tickets.reserve(n);
  std::array<std::uint8_t, 25> codes{};
  std::array<QString, 25> texts;
  for (int t = 0; t < n; ++t) {
    std::memcpy(codes.data(), values.constData() + qsizetype(t) * 25, 25);
    // Values are 0..75 as stored; anything else would be taken for a text cell.
    for (std::uint8_t& c : codes)
      if (c > 75) c = 0;
    out.tickets.appendCoded(codes, texts);
  }
  out.classes.assign(classes.begin(), classes.end());
  out.lines.resize(std::size_t(n));
  for (int t = 0; t < n; ++t)
    out.lines[std::size_t(t)] =
        std::uint16_t(std::uint8_t(lines[2 * t]) | std::uint8_t(lines[2 * t + 1]) << 8);

  q.prepare(QStringLiteral("SELECT name, tickets FROM draw_file WHERE draw = ? ORDER BY position"));
  q.addBindValue(id);
  if (!q.exec()) return faultOf(q.lastError(), false);
  while (q.next()) out.files.append({q.value(0).toString(), q.value(1).toInt()});
  return {};
}

ArchiveFault Archive::statistics(const DrawRange& range, NumberStatistics& out) {
  out = NumberStatistics{};
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT numbers FROM draw WHERE date BETWEEN ? AND ?"));
  bindRange(q, range);
  if (!q.exec()) return faultOf(q.lastError(), false);
  while (q.next()) {
    ++out.draws;
    const QByteArray numbers = q.value(0).toByteArray();
    for (char c : numbers) {
      const int n = std::uint8_t(c);
      if (n >= 1 && n <= 75) ++out.drawn[std::size_t(n)];
    }
  }
  if (q.lastError().isValid()) return faultOf(q.lastError(), false);
  return {};
}

ArchiveFault Archive::backup(const QString& target) {
  if (!open_) return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  // Qt SQL offers no handle to SQLite's backup API. VACUUM INTO writes the database as one read
  // transaction sees it, so the copy is consistent even while another program writes; it is written
  // beside the target under a name of our own and renamed over it only when complete.
  const QString final = QFileInfo(target).absoluteFilePath();
  const QString part = final + QStringLiteral(".teil");
  QFile::remove(part);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("VACUUM INTO ?"));
  q.addBindValue(part);
  if (!q.exec()) {
    ArchiveFault f = faultOf(q.lastError(), true);
    f.item = final;
    QFile::remove(part);
    return f;
  }
  if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(final).constData()) != 0) {
    QFile::remove(part);
    return ArchiveFault::of(ArchiveFault::Kind::WriteFailed, final,
                            QString::fromLocal8Bit(std::strerror(errno)));
  }
  return {};
}
