// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QRgb>
#include <array>

#include "core/ticket.h"

// The colour of a cell whose number the picture reader was not sure of.
inline constexpr QRgb kDoubtfulCellColour = 0xFFFFC000;

// The grid's data: 25 plain cell texts, row by row.

class TicketCellsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (index.isValid() && role == Qt::BackgroundRole &&
        doubtful_[std::size_t(index.row() * 5 + index.column())])
      return QColor::fromRgb(kDoubtfulCellColour);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return cells_[index.row() * 5 + index.column()];
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole) return false;
    QString& cell = cells_[index.row() * 5 + index.column()];
    const QString text = value.toString();
    if (cell == text) return true;
    cell = text;
    doubtful_[std::size_t(index.row() * 5 + index.column())] = false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::BackgroundRole});
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  const TicketCells& cells() const { return cells_; }

  void setCells(const TicketCells& cells) {
    cells_ = cells;
    doubtful_.fill(false);
    emit dataChanged(index(0, 0), index(4, 4), {Qt::DisplayRole, Qt::EditRole, Qt::BackgroundRole});
  }

  // The user typed into the cell: its number is theirs now, even when it reads as before.
  void confirm(const QModelIndex& index) {
    bool& mark = doubtful_[std::size_t(index.row() * 5 + index.column())];
    if (!mark) return;
    mark = false;
    emit dataChanged(index, index, {Qt::BackgroundRole});
  }

  const std::array<bool, 25>& doubtful() const { return doubtful_; }
  void setDoubtful(const std::array<bool, 25>& doubtful) {
    doubtful_ = doubtful;
    emit dataChanged(index(0, 0), index(4, 4), {Qt::BackgroundRole});
  }

 private:
  TicketCells cells_;
  std::array<bool, 25> doubtful_{};
};
