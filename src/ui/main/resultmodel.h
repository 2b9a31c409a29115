// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QString>

class LotteryCheck;

// Width in pixels of text drawn in font.
int MeasureTextWidth(const QFont& font, const QString& text);

// Column 0 of the result table: the ticket number moved right by leading spaces so that it sits near
// the middle of a column of width pixels. k = round-half-even((round-half-even(width * 0.7) - textWidth)
// / (2 * spaceWidth)) spaces, none when k <= 0.
QString PadTicketNumberBy(int n, int width, int textWidth, int spaceWidth);
QString PadTicketNumber(int n, int width, const QFont& font);

// The result table GGew as a model derived from the last evaluation. The grid has a header row 0
// ("Los", "1 x", "2 x", "3 x") shown by the view's header, and one row per evaluated ticket; before
// the first evaluation it has 39 empty rows. Model rows are the grid rows 1.. (row r of the model is
// grid row r + 1).
class ResultModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  ResultModel(const LotteryCheck& check, const QFont& font, QObject* parent = nullptr);

  // Rows of the grid, header row included: 40 before the first evaluation, N + 1 after.
  int gridRowCount() const;
  // Text of grid cell (row, col), row 0 being the header.
  QString cellText(int gridRow, int col) const;
  // Call after an evaluation with tickets.
  void refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const LotteryCheck& check_;
  QFont font_;
  int shownRows_ = 39;
};

// The totals table GGes: one row "Ges.:", then the count of each class ("-" for none), empty before the
// first evaluation.
class TotalsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TotalsModel(const LotteryCheck& check, QObject* parent = nullptr);

  QString cellText(int col) const;
  void refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const LotteryCheck& check_;
};
