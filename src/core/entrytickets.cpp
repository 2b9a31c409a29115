// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entrytickets.h"

#include <algorithm>
#include <utility>

void EntryTickets::clear() {
  base_.clear();
  edited_.clear();
  edited_.shrink_to_fit();
}

void EntryTickets::appendEmpty(int count) {
  if (count <= 0) return;
  base_.reserve(base_.count() + count);
  const std::array<std::uint8_t, 25> empty{};
  std::array<QString, 25> texts;
  for (int i = 0; i < count; ++i) base_.appendCoded(empty, texts);
  edited_.resize(edited_.size() + std::size_t(count));
}

void EntryTickets::appendRead(TicketList&& read) {
  const int count = read.count();
  if (base_.isEmpty())
    base_ = std::move(read);
  else
    base_.append(read);
  edited_.resize(edited_.size() + std::size_t(count));
}

void EntryTickets::append(const EntryTicket& ticket) {
  appendEmpty(1);
  setTicket(count() - 1, ticket);
}

TicketCells EntryTickets::baseCells(int index) const {
  TicketCells cells = base_.cells(index);
  for (QString& cell : cells)
    if (cell.size() == 1 && cell[0] == QLatin1Char(' ')) cell.clear();
  return cells;
}

EntryTicket EntryTickets::ticket(int index) const {
  if (const EntryTicket* edited = edited_[std::size_t(index)].get()) return *edited;
  EntryTicket t;
  t.cells = baseCells(index);
  return t;
}

TicketCells EntryTickets::cells(int index) const {
  if (const EntryTicket* edited = edited_[std::size_t(index)].get()) return edited->cells;
  return baseCells(index);
}

void EntryTickets::setTicket(int index, EntryTicket ticket) {
  std::unique_ptr<EntryTicket>& slot = edited_[std::size_t(index)];
  const bool plain = ticket.memo.isEmpty() && ticket.doubtful == std::array<bool, 25>{};
  if (plain && ticket.cells == baseCells(index)) {
    slot.reset();
    return;
  }
  if (slot)
    *slot = std::move(ticket);
  else
    slot = std::make_unique<EntryTicket>(std::move(ticket));
}

int EntryTickets::doubtfulCount(int index) const {
  const EntryTicket* edited = edited_[std::size_t(index)].get();
  return edited ? int(std::count(edited->doubtful.begin(), edited->doubtful.end(), true)) : 0;
}

std::vector<TicketCells> EntryTickets::allCells() const {
  std::vector<TicketCells> out;
  out.reserve(edited_.size());
  for (int i = 0; i < count(); ++i) out.push_back(cells(i));
  return out;
}
