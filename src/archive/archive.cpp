// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archive.h"

#include <sys/resource.h>

#include <QAtomicInteger>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QThread>

#include "archive/schema.h"

namespace {

// SQLite's primary result codes, as Qt's driver reports them in nativeErrorCode().
constexpr int kSqliteIoErr = 10, kSqliteBusy = 5, kSqliteLocked = 6, kSqliteCorrupt = 11, kSqliteFull = 13,
              kSqliteNotADb = 26;

QString newConnectionName() {
  static QAtomicInteger<quint64> counter;
  return QStringLiteral("ziehfix-archive-%1-%2")
      .arg(quintptr(QThread::currentThreadId()))
      .arg(counter.fetchAndAddRelaxed(1));
}

QByteArray numbersBlob(const QList<int>& numbers) {
  QByteArray out;
  for (int n : numbers) out.append(char(n));
  return out;
}

// The tickets' lottery values, 25 bytes per ticket, read straight from TicketList's blocks.
QByteArray valuesBlob(const TicketList& tickets) {
  const int n = tickets.count();
  QByteArray out(qsizetype(n) * 25, Qt::Uninitialized);
  auto* dst = reinterpret_cast<std::uint8_t*>(out.data());
  for (int b = 0; b < tickets.blockCount(); ++b) {
    const std::uint8_t* block = tickets.blockValues(b);
    const int first = b * TicketList::kBlockTickets;
    const int inBlock = std::min(TicketList::kBlockTickets, n - first);
    for (int c = 0; c < 25; ++c)
      for (int t = 0; t < inBlock; ++t)
        dst[std::size_t(first + t) * 25 + c] = block[c * TicketList::kBlockTickets + t];
  }
  return out;
}

// SQLite reports a write that fails for want of space as a plain I/O error unless the disk said
// ENOSPC. Little free space, or archive files that reach this process's file size limit, make it a
// full disk for the user, which it is.
bool diskLooksFull(const QString& path) {
  const QStorageInfo storage(QFileInfo(path).absolutePath());
  if (storage.isValid() && storage.bytesAvailable() < 1024 * 1024) return true;
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return false;
  qint64 largest = 0;
  for (const char* suffix : {"", "-wal", "-journal"})
    largest = std::max(largest, QFileInfo(path + QString::fromLatin1(suffix)).size());
  return largest + 256 * 1024 >= qint64(limit.rlim_cur);
}

// BEGIN IMMEDIATE takes the write lock at once, so waiting for another writer happens here (up to
// the busy timeout) and never halfway through a change. Rolled back unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(QSqlDatabase& db) : query_(db) {}
  ~WriteTransaction() {
    if (begun_) query_.exec(QStringLiteral("ROLLBACK"));
  }
  bool begin() { return begun_ = query_.exec(QStringLiteral("BEGIN IMMEDIATE")); }
  bool commit() {
    if (!query_.exec(QStringLiteral("COMMIT"))) return false;
    begun_ = false;
    return true;
  }
  QSqlError error() const { return query_.lastError(); }

 private:
  QSqlQuery query_;
  bool begun_ = false;
};

}  // namespace

ArchiveDraw DrawOfCheck(const LotteryCheck& check, const QDate& date, const QString& name,
                        const QList<ArchiveFile>& files) {
  ArchiveDraw draw;
  draw.date = date;
  draw.name = name;
  draw.numbers = check.chosen.sorted();
  draw.tickets = check.tickets();
  const int n = draw.tickets.count();
  draw.classes.assign(std::size_t(n), 0);
  draw.lines.assign(std::size_t(n), 0);
  if (check.hasResult() && check.resultClasses().size() == std::size_t(n)) {
    draw.classes = check.resultClasses();
    for (int t = 0; t < n; ++t) draw.lines[std::size_t(t)] = check.lineHits(t);
  }
  draw.files = files;
  return draw;
}

QString DrawTitle(const QDate& date, const QString& name) {
  const QString day = date.toString(Qt::ISODate);
  return name.isEmpty() ? day : QStringLiteral("%1 „%2“").arg(day, name);
}

QByteArray DrawsCsv(const QList<DrawSummary>& draws) {
  auto field = [](const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
      return text.toUtf8();
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return (QLatin1Char('"') + quoted + QLatin1Char('"')).toUtf8();
  };
  QByteArray out = "Datum;Name;Zahlen;Lose;1 x;2 x;3 x;Dateien\n";
  for (const DrawSummary& d : draws) {
    QStringList numbers;
    for (int n : d.numbers) numbers << QString::number(n);
    out += d.date.toString(Qt::ISODate).toUtf8() + ';' + field(d.name) + ';' + numbers.join(' ').toUtf8() +
           ';' + QByteArray::number(d.tickets) + ';' + QByteArray::number(d.winners[0]) + ';' +
           QByteArray::number(d.winners[1]) + ';' + QByteArray::number(d.winners[2]) + ';' +
           field(d.files.join(QStringLiteral(", "))) + '\n';
  }
  return out;
}

Archive::~Archive() {
  close();
}

void Archive::close() {
  if (connection_.isEmpty()) return;
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
  connection_.clear();
  open_ = false;
  readOnly_ = false;
}

ArchiveFault Archive::faultOf(const QSqlError& error, bool writing) const {
  const int code = error.nativeErrorCode().toInt() & 0xff;
  const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  using K = ArchiveFault::Kind;
  if (code == kSqliteBusy || code == kSqliteLocked) return ArchiveFault::of(K::Locked, path_, detail);
  if (code == kSqliteCorrupt || code == kSqliteNotADb) return ArchiveFault::of(K::Damaged, path_, detail);
  if (code == kSqliteFull || (writing && code == kSqliteIoErr && diskLooksFull(path_)))
    return ArchiveFault::of(K::DiskFull, path_, detail);
  return ArchiveFault::of(writing ? K::WriteFailed : K::CannotOpen, path_, detail);
}

ArchiveFault Archive::open(const QString& path, const ArchiveOptions& options) {
  close();
  path_ = QFileInfo(path).absoluteFilePath();
  options_ = options;
  if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
    return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_);
  // SQLite would take a file of any content as an empty database to be, and overwrite it.
  QFile file(path_);
  if (file.exists() && file.size() > 0) {
    if (!file.open(QIODevice::ReadOnly))
      return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_, file.errorString());
    if (file.read(16) != QByteArray("SQLite format 3\0", 16))
      return putAside(QStringLiteral("keine Archivdatei"));
  }
  bool damaged = false;
  QString why;
  const ArchiveFault fault = openFile(damaged, why);
  if (damaged) return putAside(why);
  return fault;
}

ArchiveFault Archive::openFile(bool& damaged, QString& why) {
  using K = ArchiveFault::Kind;
  connection_ = newConnectionName();
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
  if (!db.isValid())
    return ArchiveFault::of(K::CannotOpen, path_, QStringLiteral("SQLite-Treiber für Qt fehlt"));
  db.setDatabaseName(path_);
  const QString timeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs);
  db.setConnectOptions(timeout);
  if (!db.open()) return faultOf(db.lastError(), false);

  QSqlQuery q(db);
  auto failed = [&](bool writing) {
    ArchiveFault f = faultOf(q.lastError(), writing);
    if (f.kind == K::Damaged) {
      damaged = true;
      why = f.detail;
    }
    return f;
  };
  // quick_check reads every page once (without the indexes' cross-checks), so a damaged archive is
  // found now, while it can still be put aside, rather than in the middle of some later query.
  if (!q.exec(QStringLiteral("PRAGMA quick_check"))) return failed(false);
  while (q.next()) {
    const QString line = q.value(0).toString();
    if (line != QLatin1String("ok")) {
      damaged = true;
      if (why.isEmpty()) why = line;
    }
  }
  if (damaged) return ArchiveFault::of(K::Damaged, path_, why);
  if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) return failed(false);
  const int version = q.value(0).toInt();
  if (version > kArchiveSchemaVersion) {
    q = QSqlQuery();
    db.close();
    db.setConnectOptions(timeout + QStringLiteral(";QSQLITE_OPEN_READONLY"));
    if (!db.open()) return faultOf(db.lastError(), false);
    QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    open_ = true;
    readOnly_ = true;
    return ArchiveFault::of(K::Newer, path_);
  }
  if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) return failed(false);
  if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) return failed(true);
  if (version < kArchiveSchemaVersion) {
    WriteTransaction tx(db);
    if (!tx.begin()) return faultOf(tx.error(), true);
    // Another program may have brought it up to date while this one waited for the lock.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) return failed(false);
    const int now = q.value(0).toInt();
    q.finish();
    QSqlError error;
    if (now < kArchiveSchemaVersion && !MigrateArchive(db, now, kArchiveSchemaVersion, error))
      return faultOf(error, true);
    if (!tx.commit()) return faultOf(tx.error(), true);
  }
  open_ = true;
  return {};
}

ArchiveFault Archive::putAside(const QString& why) {
  close();
  const QFileInfo info(path_);
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
  QString target;
  for (int i = 1;; ++i) {
    target = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
             QStringLiteral("-beschädigt-") + stamp + (i > 1 ? QStringLiteral("-%1").arg(i) : QString()) +
             QStringLiteral(".db");
    if (!QFileInfo::exists(target) && !QFileInfo::exists(target + QStringLiteral("-wal"))) break;
  }
  // Its journal files belong to it: they go along under the matching names.
  if (!QFile::rename(path_, target))
    return ArchiveFault::of(ArchiveFault::Kind::CannotOpen, path_,
                            QStringLiteral("beschädigt (%1) und nicht umzubenennen").arg(why));
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    const QString s = QString::fromLatin1(suffix);
    if (QFileInfo::exists(path_ + s)) QFile::rename(path_ + s, target + s);
  }
  bool damaged = false;
  QString again;
  const ArchiveFault fresh = openFile(damaged, again);
  if (!fresh.ok()) return fresh;
  ArchiveFault f = ArchiveFault::of(ArchiveFault::Kind::Damaged, path_, why);
  f.movedTo = target;
  return f;
}

ArchiveFault Archive::store(const ArchiveDraw& draw, bool replace, qint64* id) {
  using K = ArchiveFault::Kind;
  if (!open_) return ArchiveFault::of(K::CannotOpen, path_);
  if (readOnly_) return ArchiveFault::of(K::ReadOnly, path_);
  const int n = draw.tickets.count();
  std::array<int, 3> winners{};
  QByteArray classes(n, Qt::Uninitialized), lines(qsizetype(n) * 2, Qt::Uninitialized);
  for (int t = 0; t < n; ++t) {
    const std::uint8_t c = std::size_t(t) < draw.classes.size() ? draw.classes[std::size_t(t)] : 0;
    const std::uint16_t l = std::size_t(t) < draw.lines.size() ? draw.lines[std::size_t(t)] : 0;
    classes[t] = char(c);
    if (c >= 1 && c <= 3) ++winners[c - 1];
    lines[2 * t] = char(l & 0xff);
    lines[2 * t + 1] = char(l >> 8);
  }
  const QByteArray values = valuesBlob(draw.tickets);

  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  WriteTransaction tx(db);
  if (!tx.begin()) return faultOf(tx.error(), true);
  QSqlQuery q(db);
  auto failed = [&] { return faultOf(q.lastError(), true); };
  q.prepare(QStringLiteral("SELECT id FROM draw WHERE date = ? AND name = ?"));
  q.addBindValue(draw.date.toString(Qt::ISODate));
  q.addBindValue(nonNull(draw.name));
  if (!q.exec()) return failed();
  if (q.next()) {
    const qint64 old = q.value(0).toLongLong();
    if (!replace) return ArchiveFault::of(K::Exists, DrawTitle(draw.date, draw.name));
    q.prepare(QStringLiteral("DELETE FROM draw WHERE id = ?"));
    q.addBindValue(old);
    if (!q.exec()) return failed();
  }
  q.prepare(
      QStringLiteral("INSERT INTO draw (date, name, numbers, tickets, class1, class2, class3, stored) VALUES "
                     "(?, ?, ?, ?, ?, ?, ?, ?)"));
  q.addBindValue(draw.date.toString(Qt::ISODate));
  q.addBindValue(nonNull(draw.name));
  q.addBindValue(numbersBlob(draw.numbers));
  q.addBindValue(n);
  for (int w : winners) q.addBindValue(w);
  q.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
  if (!q.exec()) return failed();
  const qint64 newId = q.lastInsertId().toLongLong();
  q.prepare(
      QStringLiteral("INSERT INTO draw_tickets (draw, ticket_values, classes, lines) VALUES (?, ?, ?, ?)"));
  q.addBindValue(newId);
  q.addBindValue(values);
  q.addBindValue(classes);
  q.addBindValue(lines);
  if (!q.exec()) return failed();
  q.prepare(QStringLiteral("INSERT INTO draw_file (draw, position, name, tickets) VALUES (?, ?, ?, ?)"));
  for (int i = 0; i < draw.files.size(); ++i) {
    q.bindValue(0, newId);
    q.bindValue(1, i);
    q.bindValue(2, draw.files[i].name);
    q.bindValue(3, draw.files[i].tickets);
    if (!q.exec()) return failed();
  }
  q.finish();
  if (!tx.commit()) return faultOf(tx.error(), true);
  if (id) *id = newId;
  return {};
}

ArchiveFault Archive::remove(qint64 id) {
  using K = ArchiveFault::Kind;
  if (!open_) return ArchiveFault::of(K::CannotOpen, path_);
  if (readOnly_) return ArchiveFault::of(K::ReadOnly, path_);
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  WriteTransaction tx(db);
  if (!tx.begin()) return faultOf(tx.error(), true);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("DELETE FROM draw WHERE id = ?"));
  q.addBindValue(id);
  if (!q.exec()) return faultOf(q.lastError(), true);
  if (q.numRowsAffected() == 0) return ArchiveFault::of(K::NotFound, QString::number(id));
  q.finish();
  if (!tx.commit()) return faultOf(tx.error(), true);
  return {};
}
