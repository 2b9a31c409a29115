// SPDX-License-Identifier: GPL-3.0-or-later
// The lock of a long task: a message box that opens under it can still be answered, drops on other
// windows are refused, and work that arrives meanwhile waits for the end of the task.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "ui/update/input_lock.h"

namespace {

// Answers box by answer() once its event loop runs; when that does not close it within two seconds,
// hides it (result -1: done() would need a close event, which the lock may swallow too), so that a
// box that takes nothing fails the test instead of hanging it.
int execAnswering(QMessageBox& box, const std::function<void()>& answer) {
  QTimer::singleShot(50, &box, answer);
  QTimer::singleShot(2000, &box, [&box] {
    box.setResult(-1);
    box.hide();
  });
  return box.exec();
}

class DropTarget : public QWidget {
 public:
  int drops = 0;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
  void dropEvent(QDropEvent* event) override {
    event->acceptProposedAction();
    ++drops;
  }
};

TEST(InputLock, AMessageBoxThatOpensUnderTheLockTakesKeysAndClicks) {
  QWidget locked;
  locked.show();
  const InputLock lock(&locked);

  QMessageBox byKey(QMessageBox::Critical, "ZIEHFIX", "Cannot open file", QMessageBox::Ok);
  EXPECT_EQ(execAnswering(byKey, [&] { QTest::keyClick(&byKey, Qt::Key_Escape); }), QMessageBox::Ok);

  QMessageBox byClick(QMessageBox::Information, "ZIEHFIX", "Hinweis", QMessageBox::Ok);
  EXPECT_EQ(
      execAnswering(byClick, [&] { QTest::mouseClick(byClick.button(QMessageBox::Ok), Qt::LeftButton); }),
      QMessageBox::Ok);
}

TEST(InputLock, DropsOnOtherWindowsAreRefusedWhileItHolds) {
  QWidget locked;
  DropTarget target;
  target.setAcceptDrops(true);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/x.lose")});
  // True when the target took the drag.
  auto drop = [&] {
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent dropped(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &dropped);
    return enter.isAccepted();
  };
  {
    const InputLock lock(&locked);
    EXPECT_FALSE(drop());
    EXPECT_EQ(target.drops, 0);
  }
  EXPECT_TRUE(drop());
  EXPECT_EQ(target.drops, 1);
}

TEST(InputLock, WorkThatArrivesMeanwhileRunsAfterTheTaskInItsOrder) {
  QStringList ran;
  QObject context;
  InputLock::whenReleased(&context, [&] { ran << "frei"; });
  EXPECT_EQ(ran, QStringList{"frei"}) << "without a lock at once";

  QWidget locked;
  {
    const InputLock lock(&locked);
    auto gone = std::make_unique<QObject>();
    InputLock::whenReleased(&context, [&] { ran << "a"; });
    InputLock::whenReleased(gone.get(), [&] { ran << "weg"; });
    InputLock::whenReleased(&context, [&] { ran << "b"; });
    gone.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList{"frei"}) << "nothing runs while the lock holds";
  }
  EXPECT_EQ(ran, QStringList{"frei"}) << "nor inside the task that held it";
  InputLock::whenReleased(&context, [&] { ran << "c"; });
  QCoreApplication::processEvents();
  EXPECT_EQ(ran, (QStringList{"frei", "a", "b", "c"}));
}

}  // namespace
