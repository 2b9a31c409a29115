// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/tickets/ticketaccessible.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>
#include <array>
#include <bit>

#include "core/evaluation.h"
#include "ui/main/tickets/ticketkeys.h"
#include "ui/main/tickets/ticketview.h"

namespace G = TicketFrameGeometry;

QString TicketAccessibleName(const LotteryCheck& check, int ticket) {
  const int lines = std::popcount(unsigned(check.lineHits(ticket)));
  const QString result = lines == 0   ? QStringLiteral("kein Gewinn")
                         : lines == 1 ? QStringLiteral("1 volle Linie")
                                      : QStringLiteral("%1 volle Linien").arg(lines);
  return QStringLiteral("Los %1: %2").arg(ticket + 1).arg(result);
}

QString CellAccessibleName(const LotteryCheck& check, int ticket, int cell) {
  const QString text = check.tickets().cellText(ticket, cell).trimmed();
  if (text.isEmpty()) return QStringLiteral("leer");
  switch (check.cellColour(ticket, cell)) {
    case CellColour::DarkGreen:
      return text + QStringLiteral(", auf voller Linie");
    case CellColour::LightGreen:
      return text + QStringLiteral(", gezogen");
    case CellColour::White:
      break;
  }
  return text;
}

namespace {

// After the application object has gone, Qt's registry is deleting every interface itself and must
// not be called again.
bool ownsChildren() {
  return QCoreApplication::instance() != nullptr;
}

int ticketCount(const TicketView* view) {
  return view ? view->check().tickets().count() : 0;
}

// The frame of ticket index on the screen.
QRect globalFrameRect(const TicketView* view, int index) {
  const QRect r = G::frameRect(index % G::kPerRow);
  const qint64 top = G::frameTop(index) - view->verticalScrollBar()->value();
  const QPoint origin = view->viewport()->mapToGlobal(QPoint(r.left(), int(top)));
  return QRect(origin, r.size());
}

class TicketAccessible;

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellAccessible(TicketView* view, QAccessibleInterface* ticket, int index, int cell)
      : view_(view), ticket_(ticket), index_(index), cell_(cell) {
    lastName_ = text(QAccessible::Name);
    lastChecked_ = state().checked;
  }

  bool isValid() const override { return view_ && index_ < ticketCount(view_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return ticket_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Cell; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return CellAccessibleName(view_->check(), index_, cell_);
  }

  QRect rect() const override {
    if (!isValid()) return {};
    return G::cellRect(cell_ % 5, cell_ / 5).translated(globalFrameRect(view_, index_).topLeft());
  }

  // A drawn number counts as checked, so a screen reader also says it without reading the name.
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.readOnly = true;
    s.focusable = true;
    const TicketCursor c = view_->keys()->cursor();
    s.focused = view_->hasFocus() && c.ticket == index_ && c.cell == cell_;
    const LotteryCheck& check = view_->check();
    s.checkable = !check.tickets().cellText(index_, cell_).trimmed().isEmpty();
    s.checked = s.checkable && check.cellColour(index_, cell_) != CellColour::White;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return cell_ % 5; }
  int rowIndex() const override { return cell_ / 5; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return ticket_; }

  int cell() const { return cell_; }

  // Tells the screen reader what changed since it was last told.
  void announceChanges() {
    if (!isValid()) return;
    const QString name = text(QAccessible::Name);
    if (name != lastName_) {
      lastName_ = name;
      QAccessibleEvent event(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
    const bool checked = state().checked;
    if (checked != lastChecked_) {
      lastChecked_ = checked;
      QAccessible::State changed;
      changed.checked = true;
      QAccessibleStateChangeEvent event(this, changed);
      QAccessible::updateAccessibility(&event);
    }
  }

 private:
  QPointer<TicketView> view_;
  QAccessibleInterface* ticket_;
  int index_;
  int cell_;
  QString lastName_;
  bool lastChecked_ = false;
};

class TicketAccessible : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  TicketAccessible(TicketView* view, int index) : view_(view), index_(index) {
    lastName_ = text(QAccessible::Name);
  }
  ~TicketAccessible() override {
    if (!ownsChildren()) return;
    for (QAccessible::Id id : cells_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }

  bool isValid() const override { return view_ && index_ < ticketCount(view_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  int childCount() const override { return 25; }
  QAccessibleInterface* child(int i) const override { return cell(i); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < 25; ++i)
      if (cells_[i] && QAccessible::accessibleInterface(cells_[i]) == child) return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (!isValid()) return nullptr;
    const QPoint local = QPoint(x, y) - globalFrameRect(view_, index_).topLeft();
    for (int i = 0; i < 25; ++i)
      if (G::cellRect(i % 5, i / 5).contains(local)) return cell(i);
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!isValid() || !view_->hasFocus()) return nullptr;
    const TicketCursor c = view_->keys()->cursor();
    return c.ticket == index_ ? cell(c.cell) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return TicketAccessibleName(view_->check(), index_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return isValid() ? globalFrameRect(view_, index_) : QRect(); }
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invalid = !isValid();
    s.readOnly = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row > 4 || column < 0 || column > 4) return nullptr;
    return cell(row * 5 + column);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int rowCount() const override { return 5; }
  int columnCount() const override { return 5; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  QAccessibleInterface* cell(int i) const {
    if (i < 0 || i >= 25) return nullptr;
    if (!cells_[i]) {
      auto* self = const_cast<TicketAccessible*>(this);
      cells_[i] = QAccessible::registerAccessibleInterface(new CellAccessible(view_, self, index_, i));
    }
    return QAccessible::accessibleInterface(cells_[i]);
  }

  void announceChanges() {
    if (!isValid()) return;
    const QString name = text(QAccessible::Name);
    if (name != lastName_) {
      lastName_ = name;
      QAccessibleEvent event(this, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
    for (QAccessible::Id id : cells_)
      if (id) static_cast<CellAccessible*>(QAccessible::accessibleInterface(id))->announceChanges();
  }

 private:
  QPointer<TicketView> view_;
  int index_;
  mutable std::array<QAccessible::Id, 25> cells_{};
  QString lastName_;
};

TicketViewAccessible* interfaceOf(TicketView* view) {
  if (!QAccessible::isActive()) return nullptr;
  return dynamic_cast<TicketViewAccessible*>(QAccessible::queryAccessibleInterface(view));
}

}  // namespace

TicketViewAccessible::TicketViewAccessible(TicketView* view) : QAccessibleWidget(view, QAccessible::Pane) {}

TicketViewAccessible::~TicketViewAccessible() {
  if (!ownsChildren()) return;
  for (QAccessible::Id id : std::as_const(tickets_)) QAccessible::deleteAccessibleInterface(id);
}

TicketView* TicketViewAccessible::view() const {
  return static_cast<TicketView*>(widget());
}

QString TicketViewAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Description) return view()->visibleTicketsText();
  return QAccessibleWidget::text(t);
}

int TicketViewAccessible::childCount() const {
  const auto [first, last] = view()->visibleTickets();
  return last < first ? 0 : last - first + 1;
}

QAccessibleInterface* TicketViewAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return ticket(view()->visibleTickets().first + index);
}

int TicketViewAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const int first = view()->visibleTickets().first;
  for (auto it = tickets_.cbegin(); it != tickets_.cend(); ++it) {
    if (QAccessible::accessibleInterface(it.value()) != child) continue;
    const int i = it.key() - first;
    return i >= 0 && i < childCount() ? i : -1;
  }
  return -1;
}

QAccessibleInterface* TicketViewAccessible::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* t = child(i);
    if (t->rect().contains(x, y)) return t;
  }
  return nullptr;
}

QAccessibleInterface* TicketViewAccessible::focusChild() const {
  if (!view()->hasFocus() || ticketCount(view()) == 0) return nullptr;
  return ticket(view()->keys()->cursor().ticket)->focusChild();
}

QAccessibleInterface* TicketViewAccessible::ticket(int index) const {
  if (index < 0 || index >= ticketCount(view())) return nullptr;
  auto it = tickets_.find(index);
  if (it == tickets_.end())
    it =
        tickets_.insert(index, QAccessible::registerAccessibleInterface(new TicketAccessible(view(), index)));
  return QAccessible::accessibleInterface(it.value());
}

void TicketViewAccessible::drop(int index) const {
  auto it = tickets_.find(index);
  if (it == tickets_.end()) return;
  QAccessible::deleteAccessibleInterface(it.value());
  tickets_.erase(it);
}

void TicketViewAccessible::focusMoved() {
  const int count = ticketCount(view());
  if (!view()->hasFocus() || count == 0) return;
  QAccessibleInterface* cell = ticket(view()->keys()->cursor().ticket)->focusChild();
  if (!cell) return;
  QAccessibleEvent event(cell, QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

void TicketViewAccessible::cellsChanged() {
  for (QAccessible::Id id : std::as_const(tickets_))
    static_cast<TicketAccessible*>(QAccessible::accessibleInterface(id))->announceChanges();
}

void TicketViewAccessible::viewChanged(bool ticketsReplaced) {
  const auto [first, last] = view()->visibleTickets();
  const QList<int> held = tickets_.keys();
  const int focused = view()->hasFocus() ? view()->keys()->cursor().ticket : -1;
  for (int index : held)
    if (ticketsReplaced || ((index < first || index > last) && index != focused)) drop(index);
  QAccessibleEvent event(this, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&event);
}

void TicketAccessibleFocusMoved(TicketView* view) {
  if (TicketViewAccessible* a = interfaceOf(view)) a->focusMoved();
}

void TicketAccessibleCellsChanged(TicketView* view) {
  if (TicketViewAccessible* a = interfaceOf(view)) a->cellsChanged();
}

void TicketAccessibleViewChanged(TicketView* view, bool ticketsReplaced) {
  if (TicketViewAccessible* a = interfaceOf(view)) a->viewChanged(ticketsReplaced);
}
