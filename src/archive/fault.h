// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What went wrong with the archive, as data: the windows and the checker both turn it into the same
// German sentence with ArchiveFaultMessage().
struct ArchiveFault {
  enum class Kind {
    None,
    Damaged,      // not a database or damaged; item = the file, movedTo = where it was put aside
    Newer,        // written by a newer version: opened read-only
    ReadOnly,     // a change was asked of an archive opened read-only
    Locked,       // another program kept writing longer than the wait
    DiskFull,     // the disk (or the file size allowed) is full; the change was rolled back
    WriteFailed,  // any other write error; the change was rolled back
    CannotOpen,   // the file or its folder cannot be opened or created
    Exists,       // a draw of this date and name is there already; item = date and name
    NotFound,     // no draw with this id
  };
  Kind kind = Kind::None;
  QString item;     // the archive file, or the draw the fault is about
  QString movedTo;  // Damaged: the damaged file's new name
  QString detail;   // SQLite's own words, for the reason in brackets

  bool ok() const { return kind == Kind::None; }
  static ArchiveFault of(Kind kind, const QString& item, const QString& detail = {}) {
    ArchiveFault f;
    f.kind = kind;
    f.item = item;
    f.detail = detail;
    return f;
  }
};

// The German sentence for a fault; empty for Kind::None.
QString ArchiveFaultMessage(const ArchiveFault& fault);
