// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/resultmodel.h"

#include <QFontMetrics>
#include <cmath>

#include "core/evaluation.h"
#include "core/report.h"

int MeasureTextWidth(const QFont& font, const QString& text) {
  return QFontMetrics(font).horizontalAdvance(text);
}

QString PadTicketNumberBy(int n, int width, int textWidth, int spaceWidth) {
  // std::nearbyint rounds halves to the even neighbour in the default rounding mode.
  const double target = std::nearbyint(width * 0.7);
  const QString digits = QString::number(n);
  if (spaceWidth <= 0) return digits;
  const double k = std::nearbyint((target - textWidth) / (2.0 * spaceWidth));
  if (k <= 0) return digits;
  return QString(int(k), QLatin1Char(' ')) + digits;
}

QString PadTicketNumber(int n, int width, const QFont& font) {
  return PadTicketNumberBy(n, width, MeasureTextWidth(font, QString::number(n)),
                           MeasureTextWidth(font, QStringLiteral(" ")));
}

namespace {
const char* const kHeader[4] = {"Los", "1 x", "2 x", "3 x"};
}

ResultModel::ResultModel(const LotteryCheck& check, const QFont& font, QObject* parent)
    : QAbstractTableModel(parent), check_(check), font_(font) {}

int ResultModel::gridRowCount() const {
  return shownRows_ + 1;
}

QString ResultModel::cellText(int gridRow, int col) const {
  if (col < 0 || col > 3 || gridRow < 0 || gridRow > shownRows_) return {};
  if (gridRow == 0) return QString::fromLatin1(kHeader[col]);
  if (!check_.hasResult()) return {};
  const auto& classes = check_.resultClasses();
  if (gridRow > int(classes.size())) return {};
  if (col == 0) return PadTicketNumber(gridRow, 34, font_);
  return QString::fromLatin1(ResultMark(classes[gridRow - 1], col));
}

void ResultModel::refresh() {
  if (!check_.hasResult()) return;
  // A grid keeps at least one data row below its fixed header row.
  const int rows = std::max(1, int(check_.resultClasses().size()));
  if (rows != shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
  } else {
    emit dataChanged(index(0, 0), index(rows - 1, 3), {Qt::DisplayRole});
  }
}

int ResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return cellText(index.row() + 1, index.column());
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return cellText(0, section);
  return {};
}

TotalsModel::TotalsModel(const LotteryCheck& check, QObject* parent)
    : QAbstractTableModel(parent), check_(check) {}

QString TotalsModel::cellText(int col) const {
  if (col == 0) return QStringLiteral("Ges.:");
  if (col < 0 || col > 3 || !check_.hasResult()) return {};
  const Totals t = check_.totals();
  const int count = col == 1 ? t.one : col == 2 ? t.two : t.three;
  return QString::fromLatin1(TotalText(count));
}

void TotalsModel::refresh() {
  emit dataChanged(index(0, 0), index(0, 3), {Qt::DisplayRole});
}

int TotalsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1;
}

int TotalsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant TotalsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return cellText(index.column());
}
