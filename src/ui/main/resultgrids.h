// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QTableView;

// GGewDrawCell: data cells of the result table on light green (#AAFFAA) when they hold "x", else on
// white, bold and centred; column 0 drawn like a fixed cell, its padded number at the left.
class ResultCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// GGesDrawCell: the counts on light blue (#CEF1FF), bold and centred; "Ges.:" drawn like a fixed cell.
class TotalCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Sets up the result table: column 0 40 pixels, the others 30, rows 16 high, the header row
// "Los", "1 x", "2 x", "3 x" from the model, not editable.
void InitResultGrid(QTableView* grid);
// Sets up the totals table: one row 16 high, column 0 40 pixels holding "Ges.:", no header row.
void InitTotalGrid(QTableView* grid);
