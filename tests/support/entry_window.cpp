// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/entry_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/eingabe/eingabe.h"

std::unique_ptr<TFEingabe> OpenEntryWindow(int count) {
  auto w = std::make_unique<TFEingabe>();
  w->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  if (count > 0) {
    w->newTicketCountField->setText(QString::number(count));
    w->createTicketsButton->click();
    EXPECT_EQ(w->EinLosCount, count);
  }
  return w;
}
