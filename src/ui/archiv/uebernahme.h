// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>
#include <QList>

class Archive;
class QTableWidget;

// A winning-number file offered for the archive: the draw it makes (date from the file's time, the
// file's name as the draw's name) or why it cannot be taken.
struct ImportCandidate {
  QString path;
  QDate date;
  QString name;
  QList<int> numbers;  // ascending; empty when the file gives none
  QString note;        // a fault, or that the archive has this draw already
  bool exists = false;
};

// Every winning-number file (*.zfgz) in folder, read as "Gewinnzahlen einlesen..." reads one, sorted by
// date and name.
QList<ImportCandidate> ReadImportCandidates(const QString& folder, Archive& archive);

// The list to confirm (FUebernahme): one row per file, ticked when it can be taken and is not in the
// archive yet. Opened window-modal; the ticked candidates are there once it is accepted.
class TFUebernahme : public QDialog {
  Q_OBJECT
 public:
  TFUebernahme(const QString& folder, QList<ImportCandidate> candidates, QWidget* parent);
  QList<ImportCandidate> chosen() const;

 private:
  QList<ImportCandidate> candidates_;
  QTableWidget* gDateien_;
};
