// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe/ticketeditgrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include "ui/eingabe/ticketcelldelegate.h"
#include "ui/eingabe/ticketcellsmodel.h"

TicketEditGrid::TicketEditGrid(QWidget* parent) : QTableView(parent), model_(new TicketCellsModel(this)) {
  setModel(model_);
  setItemDelegate(new TicketCellDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setDefaultSectionSize(16);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // Moving onto a cell opens its editor, so the editor is always at hand.
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setTabKeyNavigation(true);
}

TicketCells TicketEditGrid::cells() const {
  return model_->cells();
}

void TicketEditGrid::setCells(const TicketCells& cells) {
  model_->setCells(cells);
}

QString TicketEditGrid::cellText(int row, int column) const {
  return model_->cells()[row * 5 + column];
}

void TicketEditGrid::setCellText(int row, int column, const QString& text) {
  model_->setData(model_->index(row, column), text, Qt::EditRole);
}

void TicketEditGrid::setDoubtfulCells(const std::array<bool, 25>& doubtful) {
  model_->setDoubtful(doubtful);
}

bool TicketEditGrid::isDoubtful(int cell) const {
  return model_->doubtful()[std::size_t(cell)];
}

const std::array<bool, 25>& TicketEditGrid::doubtfulCells() const {
  return model_->doubtful();
}

void TicketEditGrid::closeOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return;
  auto* delegate = static_cast<TicketCellDelegate*>(itemDelegate());
  if (QWidget* editor = delegate->openEditor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TicketEditGrid::focusInEvent(QFocusEvent* event) {
  if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason)
    selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);
  QTableView::focusInEvent(event);
}

void TicketEditGrid::commitOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return;
  auto* delegate = static_cast<TicketCellDelegate*>(itemDelegate());
  if (QWidget* editor = delegate->openEditor()) commitData(editor);
}
