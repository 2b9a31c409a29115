// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe/ticketcelldelegate.h"

#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include "ui/eingabe/frlos2.h"
#include "ui/eingabe/ticketcellsmodel.h"
#include "ui/shared/drawcell.h"
#include "ui/shared/filedrop.h"

void TicketCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  painter->save();
  QFont font = option.font;
  font.setBold(false);
  font.setItalic(false);
  font.setUnderline(false);
  painter->setFont(font);
  painter->setPen(Qt::black);
  const QVariant marked = index.data(Qt::BackgroundRole);
  if (marked.isValid())
    DrawCellText(*painter, option.rect, Qt::AlignHCenter, index.data(Qt::DisplayRole).toString(),
                 marked.value<QColor>());
  else
    TFfrLos2::gLosDrawCell(*painter, option.rect, index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QWidget* TicketCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setAlignment(Qt::AlignCenter);
  editor->setContentsMargins(0, 0, 0, 0);
  editor->setTextMargins(0, 0, 0, 0);
  QFont font = parent->font();
  font.setBold(false);
  editor->setFont(font);
  ForwardFileDrops(editor);
  editor_ = editor;
  return editor;
}

void TicketCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void TicketCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  QStyledItemDelegate::setModelData(editor, model, index);
  // Typing the number that was read, to say it is right, takes its mark away too; an editor that is
  // merely passed through (every cell opens one) leaves it.
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (line && line->isModified()) static_cast<TicketCellsModel*>(model)->confirm(index);
}
