// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus in the ticket area: where each key moves it, and the view scrolling after it.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "core/evaluation.h"
#include "ui/main/tickets/ticketkeys.h"
#include "ui/main/tickets/ticketview.h"

namespace {

TEST(TicketCursor, KeysMoveByCellAcrossTicketEdgesByScreenAndToTheEnds) {
  struct Case {
    const char* what;
    TicketCursor from;
    Qt::Key key;
    int count;
    TicketCursor to;
  };
  const Case cases[] = {
      {"right inside a ticket", {3, 7}, Qt::Key_Right, 12, {3, 8}},
      {"right from the last column enters the next ticket", {3, 9}, Qt::Key_Right, 12, {4, 5}},
      {"right at the last ticket stays", {11, 4}, Qt::Key_Right, 12, {11, 4}},
      {"left from the first column enters the ticket before", {4, 10}, Qt::Key_Left, 12, {3, 14}},
      {"left at the first ticket stays", {0, 0}, Qt::Key_Left, 12, {0, 0}},
      {"down from the last row enters the ticket below", {2, 21}, Qt::Key_Down, 12, {7, 1}},
      {"down into a shorter last row takes its last ticket", {8, 23}, Qt::Key_Down, 12, {11, 3}},
      {"down in the last row of tickets stays", {10, 22}, Qt::Key_Down, 12, {10, 22}},
      {"up from the first row enters the ticket above", {7, 2}, Qt::Key_Up, 12, {2, 22}},
      {"up in the first row of tickets stays", {2, 2}, Qt::Key_Up, 12, {2, 2}},
      {"page down moves by a screen", {1, 6}, Qt::Key_PageDown, 40, {16, 6}},
      {"page down stops at the last ticket", {30, 6}, Qt::Key_PageDown, 40, {39, 6}},
      {"page up stops at the first ticket", {9, 6}, Qt::Key_PageUp, 40, {0, 6}},
      {"end goes to the last ticket", {2, 3}, Qt::Key_End, 40, {39, 3}},
      {"home goes to the first ticket", {33, 3}, Qt::Key_Home, 40, {0, 3}},
      {"another key leaves it", {5, 5}, Qt::Key_A, 40, {5, 5}},
      {"no ticket, no cursor", {5, 5}, Qt::Key_Right, 0, {0, 0}},
  };
  for (const Case& c : cases) {
    const TicketCursor got = MoveTicketCursor(c.from, c.key, c.count, 15);
    EXPECT_EQ(got.ticket, c.to.ticket) << c.what;
    EXPECT_EQ(got.cell, c.to.cell) << c.what;
  }
}

TicketList numberedTickets(int count) {
  TicketList list;
  for (int t = 0; t < count; ++t) {
    TicketCells cells;
    for (int c = 0; c < 25; ++c) cells[c] = QString::number(c + 1);
    list.append(cells);
  }
  return list;
}

TEST(TicketKeys, KeysOnTheAreaMoveTheFocusAndScrollItIntoView) {
  LotteryCheck check;
  check.addTickets(numberedTickets(500));
  TicketView view(check);
  view.resize(660, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.ticketsChanged();
  view.setFocus();
  QScrollBar* bar = view.verticalScrollBar();

  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.keys()->cursor().ticket, 499);
  EXPECT_EQ(bar->value(), bar->maximum());
  QTest::keyClick(&view, Qt::Key_Home);
  EXPECT_EQ(view.keys()->cursor().ticket, 0);
  EXPECT_EQ(bar->value(), 0);
  QTest::keyClick(&view, Qt::Key_Right);
  QTest::keyClick(&view, Qt::Key_Down);
  EXPECT_EQ(view.keys()->cursor(), (TicketCursor{0, 6}));
  // Three rows of frames fit into 300 pixels: a page is fifteen tickets.
  QTest::keyClick(&view, Qt::Key_PageDown);
  EXPECT_EQ(view.keys()->cursor(), (TicketCursor{15, 6}));
  for (int i = 0; i < 4; ++i) QTest::keyClick(&view, Qt::Key_Down);
  EXPECT_EQ(view.keys()->cursor(), (TicketCursor{20, 1}));
  EXPECT_GE(view.visibleTickets().second, 20) << "the area follows the focus down";
}

TEST(TicketKeys, TheMarkShowsOnceAKeyMovesItNotAfterAClick) {
  LotteryCheck check;
  check.addTickets(numberedTickets(3));
  TicketView view(check);
  view.resize(660, 300);
  view.show();
  view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  view.ticketsChanged();
  const QColor mark(0xE6, 0x51, 0x00);
  // The top edge of the mark around the first ticket's first and second cell.
  const QPoint firstCell(30, 5), secondCell(50, 5);
  view.clearFocus();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(300, 200));
  ASSERT_TRUE(view.hasFocus());
  EXPECT_NE(view.viewport()->grab().toImage().pixelColor(firstCell), mark);
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(secondCell), mark);
}

TEST(TicketKeys, RemovingTicketsKeepsTheFocusOnOneThatExists) {
  LotteryCheck check;
  check.addTickets(numberedTickets(30));
  TicketView view(check);
  view.keys()->setCursor({29, 24});
  check.clearTickets();
  check.addTickets(numberedTickets(3));
  view.ticketsChanged();
  EXPECT_EQ(view.keys()->cursor(), (TicketCursor{2, 24}));
}

}  // namespace
