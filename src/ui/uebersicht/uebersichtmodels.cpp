// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uebersicht/uebersichtmodels.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "core/nearwins.h"

namespace {
const QColor kFreshText(0xB0, 0x00, 0x00);
}  // namespace

OverviewModel::OverviewModel(const NearWins& wins, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), wins_(wins), headers_(std::move(headers)) {}

void OverviewModel::refresh() {
  beginResetModel();
  endResetModel();
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(headers_.size());
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size())
    return {};
  return headers_[section];
}

WinnerModel::WinnerModel(const NearWins& wins, QObject* parent)
    : OverviewModel(
          wins,
          {QStringLiteral("Los"), QStringLiteral("Klasse"), QStringLiteral("Linien"), QStringLiteral("Neu")},
          parent) {}

int WinnerModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(wins_.winners().size());
}

QVariant WinnerModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Winner& w = wins_.winners()[std::size_t(index.row())];
  if (role == Qt::UserRole) return w.ticket;
  // The mark of a ticket that has just won stands out on the whole row.
  if (role == Qt::ForegroundRole && w.fresh) return QBrush(kFreshText);
  if (role == Qt::FontRole && w.fresh) {
    QFont f;
    f.setBold(true);
    return f;
  }
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0:
      return w.ticket + 1;
    case 1:
      return QStringLiteral("%1 x").arg(w.winClass);
    case 2:
      return LineNames(w.lines);
    case 3:
      return w.fresh ? QStringLiteral("neu") : QString();
  }
  return {};
}

NearLineModel::NearLineModel(const NearWins& wins, QObject* parent)
    : OverviewModel(wins, {QStringLiteral("Los"), QStringLiteral("Linie"), QStringLiteral("Fehlt")}, parent) {
}

int NearLineModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(wins_.nearLines().size());
}

QVariant NearLineModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const NearLine& n = wins_.nearLines()[std::size_t(index.row())];
  if (role == Qt::UserRole) return n.ticket;
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0:
      return n.ticket + 1;
    case 1:
      return LineName(n.line);
    case 2:
      return int(n.missing);
  }
  return {};
}

WaitingModel::WaitingModel(const NearWins& wins, QObject* parent)
    : OverviewModel(wins, {QStringLiteral("Wartezahl"), QStringLiteral("Linien")}, parent) {}

int WaitingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(wins_.waiting().size());
}

QVariant WaitingModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const WaitingNumber& w = wins_.waiting()[std::size_t(index.row())];
  if (role == Qt::UserRole) return w.number;
  if (role != Qt::DisplayRole) return {};
  return index.column() == 0 ? QVariant(WaitingNumberText(w)) : QVariant(w.lines);
}
