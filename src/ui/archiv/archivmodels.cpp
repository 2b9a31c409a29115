// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/archivmodels.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <algorithm>

#include "archive/alldraws.h"

namespace {
QString classText(int c) {
  return c > 0 ? QStringLiteral("%1 x").arg(c) : QString();
}
const QColor kWinColour(198, 239, 206);
}  // namespace

QString NumbersText(const QList<int>& numbers) {
  QStringList parts;
  parts.reserve(numbers.size());
  for (int n : numbers) parts << QString::number(n);
  return parts.join(QLatin1Char(' '));
}

void DrawListModel::setDraws(QList<DrawSummary> draws) {
  beginResetModel();
  draws_ = std::move(draws);
  endResetModel();
}

int DrawListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(draws_.size());
}

int DrawListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant DrawListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= draws_.size()) return {};
  const DrawSummary& d = draws_[index.row()];
  const int column = index.column();
  if (role == Qt::TextAlignmentRole && column >= Tickets && column <= Class3)
    return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (column) {
    case Date:
      return d.date.toString(Qt::ISODate);
    case Name:
      return d.name;
    case Numbers:
      return NumbersText(d.numbers);
    case Tickets:
      return d.tickets;
    case Class1:
    case Class2:
    case Class3:
      return d.winners[std::size_t(column - Class1)];
    case Files:
      return d.files.join(QStringLiteral(", "));
    default:
      return {};
  }
}

QVariant DrawListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const titles[] = {"Datum", "Name", "Zahlen", "Lose", "1 x", "2 x", "3 x", "Dateien"};
  return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

void AllDrawsModel::clear() {
  check(TicketList(), {});
}

void AllDrawsModel::check(const TicketList& tickets, QList<DrawSummary> draws) {
  beginResetModel();
  draws_ = std::move(draws);
  const std::size_t n = std::size_t(tickets.count());
  // The kernel gives draw after draw; the wins are gathered in that order and then sorted by ticket
  // (counting sort), which keeps each ticket's draws in order.
  std::vector<std::uint64_t> found;  // ticket << 32 | draw << 2 | class
  winCount_.assign(n, 0);
  CheckAgainstDraws(tickets, draws_, [&](qsizetype d, const LineKernelResult& r) {
    for (std::size_t t = 0; t < n; ++t) {
      if (const std::uint8_t c = r.classes[t]) {
        found.push_back(std::uint64_t(t) << 32 | std::uint32_t(d) << 2 | c);
        ++winCount_[t];
      }
    }
  });
  offset_.assign(n + 1, 0);
  for (std::size_t t = 0; t < n; ++t) offset_[t + 1] = offset_[t] + std::uint32_t(winCount_[t]);
  wins_.assign(found.size(), 0);
  std::vector<std::uint32_t> next(offset_.begin(), offset_.end() - 1);
  for (std::uint64_t f : found) wins_[next[std::size_t(f >> 32)]++] = std::uint32_t(f);
  winners_.clear();
  for (std::size_t t = 0; t < n; ++t)
    if (winCount_[t] > 0) winners_.push_back(int(t));
  endResetModel();
}

void AllDrawsModel::setOnlyWinners(bool on) {
  if (on == onlyWinners_) return;
  beginResetModel();
  onlyWinners_ = on;
  endResetModel();
}

int AllDrawsModel::ticketOfRow(int row) const {
  if (row < 0 || row >= rowCount()) return -1;
  return onlyWinners_ ? winners_[std::size_t(row)] : row;
}

int AllDrawsModel::classOf(int ticket, int draw) const {
  const auto first = wins_.begin() + offset_[std::size_t(ticket)];
  const auto last = wins_.begin() + offset_[std::size_t(ticket) + 1];
  const std::uint32_t key = std::uint32_t(draw) << 2;
  const auto it = std::lower_bound(first, last, key);
  return it != last && (*it >> 2) == std::uint32_t(draw) ? int(*it & 3) : 0;
}

int AllDrawsModel::firstWinOf(int ticket) const {
  const std::uint32_t begin = offset_[std::size_t(ticket)];
  return begin < offset_[std::size_t(ticket) + 1] ? int(wins_[begin] >> 2) : -1;
}

int AllDrawsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return onlyWinners_ ? int(winners_.size()) : int(winCount_.size());
}

int AllDrawsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || winCount_.empty() ? 0 : kFirstDrawColumn + int(draws_.size());
}

QVariant AllDrawsModel::data(const QModelIndex& index, int role) const {
  const int ticket = ticketOfRow(index.row());
  if (!index.isValid() || ticket < 0) return {};
  const int draw = drawOfColumn(index.column());
  if (role == Qt::BackgroundRole)
    return draw >= 0 && classOf(ticket, draw) > 0 ? QBrush(kWinColour) : QVariant();
  if (role == Qt::TextAlignmentRole)
    return index.column() == 1 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  if (index.column() == 0) return ticket + 1;
  if (index.column() == 1)
    return QStringLiteral("gewonnen in %1 von %2 Ziehungen").arg(winsOf(ticket)).arg(draws_.size());
  return classText(classOf(ticket, draw));
}

QVariant AllDrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  if (section == 0) return QStringLiteral("Los");
  if (section == 1) return QStringLiteral("Gewinne");
  const int draw = drawOfColumn(section);
  if (draw < 0 || draw >= draws_.size()) return {};
  const DrawSummary& d = draws_[draw];
  if (role == Qt::ToolTipRole)
    return DrawTitle(d.date, d.name) + QStringLiteral(": ") + NumbersText(d.numbers);
  return d.name.isEmpty() ? d.date.toString(Qt::ISODate) : d.date.toString(Qt::ISODate) + '\n' + d.name;
}
