// SPDX-License-Identifier: GPL-3.0-or-later
// Finding an open window by its object name.
#include "ui/shared/formexists.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace {

TEST(FormExists, FindsAHiddenWindowByItsExactName) {
  QWidget window;
  window.setObjectName("FInfo");
  EXPECT_TRUE(FormExists("FInfo"));
  EXPECT_FALSE(FormExists("finfo"));
  EXPECT_FALSE(FormExists("FInfo "));
  EXPECT_FALSE(FormExists("FUpdate"));
}

TEST(FormExists, FindsAShownWindowAndOneHiddenAgain) {
  QWidget window;
  window.setObjectName("FMain");
  window.show();
  EXPECT_TRUE(FormExists("FMain"));
  window.hide();
  EXPECT_TRUE(FormExists("FMain"));
}

TEST(FormExists, IgnoresChildWidgetsOfThatName) {
  QWidget window;
  auto* child = new QWidget(&window);
  child->setObjectName("FInfo");
  EXPECT_FALSE(FormExists("FInfo"));
}

TEST(FormExists, ForgetsAWindowThatWasClosedForDeletionBeforeItIsDeleted) {
  QPointer<QWidget> window = new QWidget;
  window->setObjectName("FUpdate");
  window->setAttribute(Qt::WA_DeleteOnClose);
  EXPECT_TRUE(FormExists("FUpdate"));  // created, not shown yet
  window->show();
  EXPECT_TRUE(FormExists("FUpdate"));
  window->close();
  ASSERT_FALSE(window.isNull());  // deletion is pending in the event loop
  EXPECT_FALSE(FormExists("FUpdate"));
  delete window.data();
  EXPECT_FALSE(FormExists("FUpdate"));
}

TEST(FormExists, ForgetsADeletedWindow) {
  auto window = std::make_unique<QWidget>();
  window->setObjectName("FInfo");
  window.reset();
  EXPECT_FALSE(FormExists("FInfo"));
}

}  // namespace
