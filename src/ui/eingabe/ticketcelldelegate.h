// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

// The entry grid's cells: painted as the frame paints them (amber while doubtful), edited in a
// frameless, centred line edit that fits the 20 × 16 cell.
class TicketCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  // The editor open on a cell, if any.
  QWidget* openEditor() const { return editor_.data(); }

 private:
  mutable QPointer<QWidget> editor_;
};
