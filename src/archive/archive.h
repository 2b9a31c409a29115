// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "archive/fault.h"
#include "core/evaluation.h"
#include "core/ticket.h"

// Qt binds a null QString as NULL; a draw without a name has the empty one.
inline QString nonNull(const QString& text) {
  return text.isNull() ? QStringLiteral("") : text;
}

// The file name of the program's own archive in its data folder.
inline QString ArchiveFileName() {
  return QStringLiteral("archiv.db");
}

// A ticket file a draw was checked with: its name for display and how many tickets came from it.
struct ArchiveFile {
  QString name;
  int tickets = 0;
  bool operator==(const ArchiveFile&) const = default;
};

// A draw as it is stored: the tickets' lottery values are copied in, so the archive stands alone.
struct ArchiveDraw {
  qint64 id = 0;  // given by the archive
  QDate date;
  QString name;        // may be empty
  QList<int> numbers;  // ascending
  TicketList tickets;
  std::vector<std::uint8_t> classes;  // per ticket 0..3
  std::vector<std::uint16_t> lines;   // per ticket: bit L-1 = line L complete
  QList<ArchiveFile> files;
};

// The draw of a finished check: its numbers, tickets and results. files name where the tickets came
// from, in order.
ArchiveDraw DrawOfCheck(const LotteryCheck& check, const QDate& date, const QString& name,
                        const QList<ArchiveFile>& files);

// A line of the list of draws.
struct DrawSummary {
  qint64 id = 0;
  QDate date;
  QString name;
  QList<int> numbers;
  int tickets = 0;
  std::array<int, 3> winners{};  // tickets of class 1, 2, 3
  QStringList files;
};

// A range of draw dates; an invalid end is open.
struct DrawRange {
  QDate from, to;
  static DrawRange year(int y) { return {QDate(y, 1, 1), QDate(y, 12, 31)}; }
};

// How often each number was drawn over a set of draws.
struct NumberStatistics {
  int draws = 0;
  std::array<int, 76> drawn{};  // index = number; [0] unused
};

// The draw's title for messages: "2026-12-05" or "2026-12-05 „Silvester“".
QString DrawTitle(const QDate& date, const QString& name);

// The list as CSV (semicolon-separated, UTF-8, LF): a header, then one row per draw.
QByteArray DrawsCsv(const QList<DrawSummary>& draws);

struct ArchiveOptions {
  // How long a change waits for another program that writes to the archive.
  int busyTimeoutMs = 5000;
};

// One archive file, used from the thread that opened it (each Archive has a connection of its own).
// Every change is one transaction: after a crash, a kill or a full disk the archive holds exactly
// what the last finished change left.
class Archive {
 public:
  Archive() = default;
  ~Archive();
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  // Opens the archive at path, creating it and its schema when missing and bringing an older one up
  // to date. A file that is no database or is damaged is put aside (never deleted) and a new archive
  // started: the open succeeds and the fault says so. An archive of a newer version is opened
  // read-only (fault Newer, isOpen() true). Other faults leave the archive closed.
  ArchiveFault open(const QString& path, const ArchiveOptions& options = {});
  bool isOpen() const { return open_; }
  bool isReadOnly() const { return readOnly_; }
  const QString& path() const { return path_; }

  // Stores a draw. When a draw of the same date and name is there, the fault is Exists unless replace
  // is set, which replaces it within the same transaction. On success id receives the new draw's id.
  ArchiveFault store(const ArchiveDraw& draw, bool replace, qint64* id = nullptr);
  ArchiveFault remove(qint64 id);

  // The draws in range, newest first (date, then newest stored first).
  ArchiveFault list(const DrawRange& range, QList<DrawSummary>& out);
  // A whole draw with its tickets and results.
  ArchiveFault load(qint64 id, ArchiveDraw& out);
  // The years that have draws, newest first, for choosing one.
  ArchiveFault years(QList<int>& out);
  // The id of the draw of this date and name, 0 when there is none.
  ArchiveFault find(const QDate& date, const QString& name, qint64& id);
  ArchiveFault statistics(const DrawRange& range, NumberStatistics& out);
  // The numbers of the draws in range, oldest first, for checking tickets against them.
  ArchiveFault drawNumbers(const DrawRange& range, QList<DrawSummary>& out);
  // A consistent copy of the whole archive to target (replaced when it exists).
  ArchiveFault backup(const QString& target);

 private:
  ArchiveFault openFile(bool& damaged, QString& why);
  ArchiveFault faultOf(const class QSqlError& error, bool writing) const;
  ArchiveFault putAside(const QString& why);
  void close();

  QString path_;
  QString connection_;
  ArchiveOptions options_;
  bool open_ = false;
  bool readOnly_ = false;
};
