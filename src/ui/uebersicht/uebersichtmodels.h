// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

class NearWins;

// The overview's three lists, each deriving its rows from the winners, near lines and waiting
// numbers of the last evaluation, so that a hundred thousand rows cost no item each. Qt::UserRole
// gives a row's ticket (0-based) or, for waiting numbers, the number.
class OverviewModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  OverviewModel(const NearWins& wins, QStringList headers, QObject* parent);
  // Call after every evaluation and after the tickets were removed.
  void refresh();
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 protected:
  const NearWins& wins_;

 private:
  QStringList headers_;
};

// "Los", "Klasse", "Linien", "Neu": sorted by class (3 and more first), then by ticket.
class WinnerModel : public OverviewModel {
  Q_OBJECT
 public:
  WinnerModel(const NearWins& wins, QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// "Los", "Linie", "Fehlt": one row per near line.
class NearLineModel : public OverviewModel {
  Q_OBJECT
 public:
  NearLineModel(const NearWins& wins, QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// "Wartezahl" ("17 — 3 Lose (2 neue Gewinner)") and "Linien".
class WaitingModel : public OverviewModel {
  Q_OBJECT
 public:
  WaitingModel(const NearWins& wins, QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
