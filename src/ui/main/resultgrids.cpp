// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/resultgrids.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

#include "ui/shared/drawcell.h"

namespace {
const QColor kFixedCell(0xE4, 0xE9, 0xE2);
const QColor kWin(0xAA, 0xFF, 0xAA);
const QColor kTotal(0xCE, 0xF1, 0xFF);

// The fixed cells (column 0) carry the grid's own look: a plain face with the text at the left.
void paintFixedCell(QPainter* p, const QRect& r, const QString& text, const QFont& font) {
  p->save();
  p->setFont(font);
  p->setPen(Qt::black);
  DrawCellText(*p, r, Qt::AlignLeft, text, kFixedCell);
  p->restore();
}

void paintBoldCell(QPainter* p, const QRect& r, const QString& text, const QFont& font, const QColor& bg) {
  p->save();
  QFont bold = font;
  bold.setBold(true);
  p->setFont(bold);
  p->setPen(Qt::black);
  DrawCellText(*p, r, Qt::AlignHCenter, text, bg);
  p->restore();
}

void setUpColumns(QTableView* grid) {
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setDefaultSectionSize(30);
  grid->horizontalHeader()->setMinimumSectionSize(10);
  grid->setColumnWidth(0, 40);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setMinimumSectionSize(10);
  grid->verticalHeader()->setDefaultSectionSize(16);
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->setFocusPolicy(Qt::NoFocus);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setWordWrap(false);
  grid->setCornerButtonEnabled(false);
}
}  // namespace

void ResultCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const QString text = index.data().toString();
  if (index.column() == 0) {
    paintFixedCell(painter, option.rect, text, option.font);
    return;
  }
  paintBoldCell(painter, option.rect, text, option.font, text == QLatin1String("x") ? kWin : Qt::white);
}

void TotalCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const QString text = index.data().toString();
  if (index.column() == 0) {
    paintFixedCell(painter, option.rect, text, option.font);
    return;
  }
  paintBoldCell(painter, option.rect, text, option.font, kTotal);
}

void InitResultGrid(QTableView* grid) {
  setUpColumns(grid);
  grid->horizontalHeader()->setFixedHeight(16);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setItemDelegate(new ResultCellDelegate(grid));
}

void InitTotalGrid(QTableView* grid) {
  setUpColumns(grid);
  grid->horizontalHeader()->hide();
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setItemDelegate(new TotalCellDelegate(grid));
}
