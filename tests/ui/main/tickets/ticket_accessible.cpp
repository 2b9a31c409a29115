// SPDX-License-Identifier: GPL-3.0-or-later
// The ticket area as a screen reader sees it: visible tickets as tables of named cells, and the
// events that tell it about focus and changes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QScrollBar>
#include <QTest>

#include "core/evaluation.h"
#include "support/screen_reader.h"
#include "ui/main/tickets/ticketkeys.h"
#include "ui/main/tickets/ticketview.h"

namespace {

// Tickets whose cells hold first .. first + 24, row by row; ticket 3 has a blank first cell.
TicketList tickets(int count) {
  TicketList list;
  for (int t = 0; t < count; ++t) {
    TicketCells cells;
    for (int c = 0; c < 25; ++c) cells[c] = QString::number(c + 1 + (t % 2) * 25);
    if (t == 2) cells[0] = QString();
    list.append(cells);
  }
  return list;
}

class TicketAccessibility : public ::testing::Test {
 protected:
  void SetUp() override {
    reader = std::make_unique<ScreenReaderEvents>();
    check.addTickets(tickets(1000));
    view = std::make_unique<TicketView>(check);
    view->resize(660, 300);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->ticketsChanged();
    area = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_NE(area, nullptr);
  }
  void TearDown() override {
    view.reset();
    reader.reset();
  }

  void choose(std::initializer_list<int> numbers) {
    for (int n : numbers) check.chosen.toggle(n);
  }
  QAccessibleInterface* cell(QAccessibleInterface* ticket, int row, int col) {
    return ticket->tableInterface()->cellAt(row, col);
  }
  bool heard(QAccessible::Event type, const QString& name) const { return reader->heard(type, name); }

  std::unique_ptr<ScreenReaderEvents> reader;
  LotteryCheck check;
  std::unique_ptr<TicketView> view;
  QAccessibleInterface* area = nullptr;
};

TEST_F(TicketAccessibility, OnlyTheVisibleTicketsAreChildrenAlsoAfterScrolling) {
  // Three rows of frames are in view, the fourth begins at its bottom edge.
  const auto [first, last] = view->visibleTickets();
  EXPECT_EQ(area->childCount(), last - first + 1);
  EXPECT_LE(area->childCount(), 20);
  EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Los 1: kein Gewinn");
  EXPECT_EQ(area->child(0)->role(), QAccessible::Table);

  view->verticalScrollBar()->setValue(int(TicketFrameGeometry::frameTop(500)) - 5);
  EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Los 501: kein Gewinn");
  QAccessibleInterface* third = area->child(2);
  EXPECT_EQ(third->text(QAccessible::Name), "Los 503: kein Gewinn");
  EXPECT_EQ(area->indexOfChild(third), 2);
  EXPECT_EQ(third->parent(), area);
  EXPECT_EQ(third->childCount(), 25);
  EXPECT_EQ(area->child(area->childCount()), nullptr);
  EXPECT_TRUE(heard(QAccessible::ObjectReorder, area->text(QAccessible::Name)));
  view->verticalScrollBar()->setValue(int(TicketFrameGeometry::frameTop(500)) - 6);
  EXPECT_EQ(area->child(0)->text(QAccessible::Name), "Los 496: kein Gewinn") << "one pixel of its row shows";
}

TEST_F(TicketAccessibility, TicketsAreNamedByTheirCompleteLinesAndCellsByNumberAndState) {
  choose({1, 2, 3, 4, 5, 6, 11, 16, 21, 9});
  check.evaluate();
  QAccessibleInterface* one = area->child(0);
  EXPECT_EQ(one->text(QAccessible::Name), "Los 1: 2 volle Linien");
  EXPECT_EQ(area->child(1)->text(QAccessible::Name), "Los 2: kein Gewinn");
  EXPECT_EQ(area->child(2)->text(QAccessible::Name), "Los 3: kein Gewinn")
      << "both lines run through its blank cell";
  EXPECT_EQ(one->tableInterface()->rowCount(), 5);
  EXPECT_EQ(one->tableInterface()->columnCount(), 5);
  EXPECT_EQ(cell(one, 0, 3)->text(QAccessible::Name), "4, auf voller Linie");
  EXPECT_EQ(cell(one, 1, 3)->text(QAccessible::Name), "9, gezogen");
  EXPECT_EQ(cell(one, 1, 4)->text(QAccessible::Name), "10");
  EXPECT_EQ(cell(area->child(2), 0, 0)->text(QAccessible::Name), "leer");
  QAccessibleInterface* nine = cell(one, 1, 3);
  EXPECT_EQ(nine->role(), QAccessible::Cell);
  EXPECT_TRUE(nine->state().checked);
  EXPECT_FALSE(cell(one, 1, 4)->state().checked);
  EXPECT_EQ(nine->tableCellInterface()->rowIndex(), 1);
  EXPECT_EQ(nine->tableCellInterface()->columnIndex(), 3);
  EXPECT_EQ(nine->tableCellInterface()->table(), one);
  EXPECT_EQ(one->indexOfChild(nine), 8);
  EXPECT_TRUE(one->rect().contains(nine->rect()));
  EXPECT_EQ(area->childAt(nine->rect().center().x(), nine->rect().center().y()), one);
  EXPECT_EQ(one->childAt(nine->rect().center().x(), nine->rect().center().y()), nine);
}

TEST_F(TicketAccessibility, AToggleAndAnEvaluationAreAnnouncedForTheCellsThatChanged) {
  QAccessibleInterface* one = area->child(0);
  QAccessibleInterface* ten = cell(one, 1, 4);
  ASSERT_EQ(ten->text(QAccessible::Name), "10");
  choose({10});
  view->cellsChanged();
  EXPECT_TRUE(heard(QAccessible::NameChanged, "10, gezogen"));
  EXPECT_TRUE(heard(QAccessible::StateChanged, "10, gezogen"));
  reader->clear();
  view->cellsChanged();
  EXPECT_TRUE(reader->heard().isEmpty()) << "nothing changed, nothing is said";

  choose({6, 7, 8, 9});
  check.evaluate();
  view->cellsChanged();
  EXPECT_TRUE(heard(QAccessible::NameChanged, "10, auf voller Linie"));
  EXPECT_TRUE(heard(QAccessible::NameChanged, "Los 1: 1 volle Linie"));
}

TEST_F(TicketAccessibility, TheScreenReaderFollowsTheKeyboardFocusFromCellToTicket) {
  view->setFocus();
  EXPECT_TRUE(heard(QAccessible::Focus, "1"));
  QTest::keyClick(view.get(), Qt::Key_Right);
  EXPECT_TRUE(heard(QAccessible::Focus, "2"));
  QTest::keyClick(view.get(), Qt::Key_End);
  EXPECT_TRUE(heard(QAccessible::Focus, "27")) << "ticket 1000 holds 26 to 50";
  QAccessibleInterface* focused = area->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->text(QAccessible::Name), "27");
  EXPECT_TRUE(focused->state().focused);
  EXPECT_EQ(focused->parent()->text(QAccessible::Name), "Los 1000: kein Gewinn");
  EXPECT_GE(area->indexOfChild(focused->parent()), 0) << "the focused ticket is in view";
}

}  // namespace
