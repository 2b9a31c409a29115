// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

#include "archive/archive.h"

class LotteryCheck;
class QDateEdit;
class QLineEdit;

// The small dialog of "Ziehung archivieren" (FArchivieren): the draw's date, today at first, and an
// optional name.
class TFArchivieren : public QDialog {
  Q_OBJECT
 public:
  explicit TFArchivieren(QWidget* parent = nullptr);
  QDate date() const;
  QString name() const;  // trimmed

 private:
  QDateEdit* deDatum_;
  QLineEdit* eName_;
};

// The draw the main window shows, to be archived: its numbers, its tickets (from files, in order) and
// their result for exactly these numbers, worked out afresh, so that a check not yet evaluated
// (immediate evaluation off) is stored with its true result.
ArchiveDraw CurrentDraw(const LotteryCheck& check, const QDate& date, const QString& name,
                        const QList<ArchiveFile>& files);

// Stores draw in the program's archive. A draw of the same date and name is replaced only when the
// user agrees; faults and the stored draw are reported. True when stored. An open archive window
// shows it at once.
bool StoreDraw(const ArchiveDraw& draw);

// "Ziehung archivieren" (Ctrl+Shift+A in the main window): without chosen numbers it says so;
// otherwise it opens the dialog (window-modal, returning at once) and, when the dialog is accepted,
// stores the draw as it is then.
void ArchiveCurrentDraw(QWidget* parent, const LotteryCheck& check, const QList<ArchiveFile>& files);
