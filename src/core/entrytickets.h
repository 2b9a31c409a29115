// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "core/ticket.h"

// What the entry window knows of one ticket: its 25 cell texts, the text of its paste field (lines
// separated by CR LF) and the cells whose number a picture reader found doubtful. The frame number is
// the ticket's index + 1.
struct EntryTicket {
  TicketCells cells;
  QString memo;
  std::array<bool, 25> doubtful{};
  bool operator==(const EntryTicket& other) const {
    return cells == other.cells && memo == other.memo && doubtful == other.doubtful;
  }
};

// The entry window's tickets, in ticket order. Tickets as made or read are kept in the compact
// TicketList form (about 40 bytes each); only a ticket that was edited, has a memo or doubtful marks
// holds a full EntryTicket. So 100,000 tickets read from a file cost a few megabytes, not the 1.5 KB
// each that 25 QStrings and a memo would take.
class EntryTickets {
 public:
  int count() const { return int(edited_.size()); }
  bool isEmpty() const { return edited_.empty(); }
  void clear();

  void appendEmpty(int count);
  // Tickets read from a ticket file. The reader gives an empty entry as a single space; here it is a
  // free cell again, so that pasted numbers can go there and saving writes it as it was.
  void appendRead(TicketList&& read);
  void append(const EntryTicket& ticket);

  EntryTicket ticket(int index) const;
  TicketCells cells(int index) const;
  // Stores a ticket's state; a ticket equal to its compact form drops its full copy.
  void setTicket(int index, EntryTicket ticket);

  // The cells of ticket index still marked doubtful; none for a ticket never read from a picture.
  int doubtfulCount(int index) const;

  // Every ticket's cells, in order, as the ticket file writer takes them.
  std::vector<TicketCells> allCells() const;

 private:
  TicketCells baseCells(int index) const;

  TicketList base_;                                   // every ticket as made or read
  std::vector<std::unique_ptr<EntryTicket>> edited_;  // per ticket: its state when it differs from base_
};
