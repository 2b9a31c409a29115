// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <cstdint>
#include <vector>

#include "archive/archive.h"

// "3 7 12 40"
QString NumbersText(const QList<int>& numbers);

// The list of draws in the archive window, one row per draw as the archive lists them (newest first):
// Datum, Name, Zahlen, Lose, 1 x, 2 x, 3 x, Dateien. Rows are derived from the summaries on demand.
class DrawListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { Date, Name, Numbers, Tickets, Class1, Class2, Class3, Files, ColumnCount };
  using QAbstractTableModel::QAbstractTableModel;

  void setDraws(QList<DrawSummary> draws);
  const QList<DrawSummary>& draws() const { return draws_; }
  const DrawSummary& draw(int row) const { return draws_[row]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QList<DrawSummary> draws_;
};

// The tickets of the main window against many draws: one row per ticket (or per ticket that won, when
// only winners are asked for), the ticket's number, "gewonnen in 3 von 12 Ziehungen", then one column
// per draw (oldest first) with the class the ticket had in it. Only the wins are kept, per ticket in
// draw order, so 100,000 tickets against 1,000 draws take a few megabytes.
class AllDrawsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kFirstDrawColumn = 2;
  using QAbstractTableModel::QAbstractTableModel;

  // Checks tickets against draws (oldest first) and shows the result.
  void check(const TicketList& tickets, QList<DrawSummary> draws);
  void clear();
  void setOnlyWinners(bool on);

  int ticketCount() const { return int(winCount_.size()); }
  int drawCount() const { return int(draws_.size()); }
  int winnerCount() const { return int(winners_.size()); }
  const DrawSummary& draw(int index) const { return draws_[index]; }
  // 0-based ticket of a row; the draw index of a column, -1 for the first two.
  int ticketOfRow(int row) const;
  int drawOfColumn(int column) const { return column >= kFirstDrawColumn ? column - kFirstDrawColumn : -1; }
  // The class of ticket in draw (0 for none); the draws a ticket won in.
  int classOf(int ticket, int draw) const;
  int winsOf(int ticket) const { return winCount_[std::size_t(ticket)]; }
  int firstWinOf(int ticket) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QList<DrawSummary> draws_;
  // The wins of ticket t are wins_[offset_[t] .. offset_[t + 1]), each (draw index << 2) | class.
  std::vector<std::uint32_t> wins_;
  std::vector<std::uint32_t> offset_;
  std::vector<int> winCount_;
  std::vector<int> winners_;  // the tickets that won at least once
  bool onlyWinners_ = false;
};
