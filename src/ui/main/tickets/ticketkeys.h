// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QPainter;
class TicketView;

// The keyboard focus in the ticket area: a ticket (0-based) and one of its 25 cells (0-based, row by
// row).
struct TicketCursor {
  int ticket = 0;
  int cell = 0;
  bool operator==(const TicketCursor&) const = default;
};

// Where a key moves the cursor among count tickets, five to a row. The arrows move by cell and
// cross into the neighbouring ticket at a ticket's edge; Page Up/Down move by pageTickets tickets;
// Home and End go to the first and the last ticket. Any other key, or no ticket, leaves it.
TicketCursor MoveTicketCursor(TicketCursor c, int key, int count, int pageTickets);

// The ticket area by keyboard: moves the cursor, scrolls it into view, paints its mark while the area
// has the focus and tells the screen reader where it is.
class TicketKeys : public QObject {
  Q_OBJECT
 public:
  explicit TicketKeys(TicketView* view);

  TicketCursor cursor() const { return cursor_; }
  // Moves the cursor (kept inside the tickets), scrolls to it and repaints.
  void setCursor(TicketCursor c);
  // Keeps the cursor on a ticket that exists after tickets were added or removed.
  void ticketsChanged();
  // Paints the cursor's mark when the area has the focus by keyboard; offset is the vertical scroll
  // position.
  void paint(QPainter& p, qint64 offset) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int pageTickets() const;
  void repaintCursor(TicketCursor c) const;

  TicketView* view_;
  TicketCursor cursor_;
  bool markShown_ = false;
};
