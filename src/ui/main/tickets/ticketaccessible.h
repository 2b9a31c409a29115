// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QString>

class LotteryCheck;
class TicketView;

// "Los 7: 2 volle Linien", "Los 7: 1 volle Linie" or "Los 7: kein Gewinn", by the complete lines of
// ticket index (0-based) at the last evaluation.
QString TicketAccessibleName(const LotteryCheck& check, int ticket);
// "17, auf voller Linie", "17, gezogen", "17", or "leer" for a blank cell; cell 0..24 row by row.
QString CellAccessibleName(const LotteryCheck& check, int ticket, int cell);

// The ticket area for screen readers: each visible ticket a table of 5 x 5 cells. Only the tickets in
// view are children, and their interfaces are made when asked for and dropped when they scroll out,
// so the number of tickets loaded costs nothing.
class TicketViewAccessible : public QAccessibleWidget {
 public:
  explicit TicketViewAccessible(TicketView* view);
  ~TicketViewAccessible() override;

  TicketView* view() const;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // The interface of ticket index (0-based), made on demand.
  QAccessibleInterface* ticket(int index) const;

  void focusMoved();
  void cellsChanged();
  void viewChanged(bool ticketsReplaced);

 private:
  void drop(int index) const;
  mutable QHash<int, QAccessible::Id> tickets_;
};

// What the ticket area tells its screen-reader interface; nothing happens while no screen reader
// listens.
void TicketAccessibleFocusMoved(TicketView* view);
// The colours may have changed (a toggle or an evaluation): changed names and states are announced.
void TicketAccessibleCellsChanged(TicketView* view);
// The area scrolled or resized (the visible tickets changed), or its tickets were replaced.
void TicketAccessibleViewChanged(TicketView* view, bool ticketsReplaced);
