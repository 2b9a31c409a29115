// SPDX-License-Identifier: GPL-3.0-or-later
// A whole check without the mouse: a ticket typed and saved in the entry window, read into the main
// window, the draw typed on the board, evaluated and saved, all by keys; and the shortcuts and the
// tab order that make that possible.
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>

#include "core/ticketfile.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"
#include "ui/info/info.h"
#include "ui/main/main_fixture.h"
#include "ui/shared/shortcuts.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

QWidget* focused() {
  return QApplication::focusWidget();
}
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(focused(), key, mods);
}
void type(const QString& text) {
  for (QChar c : text) QTest::keyClick(focused(), c.toLatin1());
}
// Tab until the focus is in target (a grid's cell editor counts); false after a round without it.
bool tabTo(QWidget* target) {
  const auto inside = [target] { return focused() == target || target->isAncestorOf(focused()); };
  for (int i = 0; i < 60 && !inside(); ++i) press(Qt::Key_Tab);
  return inside();
}

void activate(QWidget& w) {
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

class KeyboardCheck : public MainWindowTest {
 protected:
  void TearDown() override {
    entry_.reset();
    FEingabe = nullptr;
    MainWindowTest::TearDown();
  }
  TFEingabe& entry() {
    if (!entry_) entry_ = std::make_unique<TFEingabe>();
    FEingabe = entry_.get();
    return *entry_;
  }

 private:
  std::unique_ptr<TFEingabe> entry_;
};

TEST_F(KeyboardCheck, AWholeCheckRunsOnKeysAlone) {
  // The entry window: one ticket made with Ctrl+N, its 25 cells typed, saved with Ctrl+S.
  TFMain& w = shown();
  activate(w);
  press(Qt::Key_E, Qt::ControlModifier);
  TFEingabe& e = entry();
  press(Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(e.isVisible());
  activate(e);
  e.findChild<QLineEdit*>("eAnz")->setFocus();
  press(Qt::Key_Backspace);
  press(Qt::Key_Backspace);
  type("1");
  press(Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(e.EinLosCount, 1);
  ASSERT_TRUE(tabTo(e.EinLosGrids.first()));
  for (int n = 1; n <= 25; ++n) {
    type(QString::number(n));
    press(Qt::Key_Tab);
  }
  const QString tickets = filePath("beispiel.lose");
  prompter.fileAnswers << tickets;
  press(Qt::Key_S, Qt::ControlModifier);
  ASSERT_TRUE(QFile::exists(tickets)) << prompter.texts().join('|').toStdString();
  // The first Escape closes the cell editor that the last Tab opened, the second the window.
  press(Qt::Key_Escape);
  EXPECT_TRUE(e.isVisible());
  press(Qt::Key_Escape);
  EXPECT_FALSE(e.isVisible()) << "Escape hides the entry window";
  EXPECT_EQ(ReadTicketFile(tickets).cells(0).at(24), "25");

  // The main window: read with Ctrl+O, the draw typed on the board, evaluated with F5.
  activate(w);
  setSofort(false);
  prompter.fileAnswers << tickets;
  press(Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(w.LosCount(), 1);
  EXPECT_EQ(text("LDatei"), "beispiel.lose");
  ASSERT_TRUE(tabTo(w.Button(1)));
  for (const char* n : {"6", "7", "8", "9", "10", "42"}) {
    type(n);
    press(Qt::Key_Return);
  }
  EXPECT_EQ(checkedButtons(), (QList<int>{6, 7, 8, 9, 10, 42}));
  EXPECT_FALSE(w.check().hasResult()) << "no evaluation before F5";
  press(Qt::Key_F5);
  ASSERT_TRUE(w.check().hasResult());
  EXPECT_EQ(w.check().resultClasses().at(0), 1) << "the second row is complete";

  // The numbers saved with Ctrl+S.
  const QString numbers = filePath("ziehung.zfgz");
  prompter.fileAnswers << numbers;
  press(Qt::Key_S, Qt::ControlModifier);
  QFile file(numbers);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray saved = file.readAll();
  for (const char* n : {"6", "10", "42"}) EXPECT_TRUE(saved.contains(n)) << saved.toStdString();
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('|').toStdString();
}

TEST_F(KeyboardCheck, EveryShortcutOfTheMainWindowPressesItsButtonAndShowsInItsTooltip) {
  struct Case {
    const char* button;
    QKeySequence key;
  };
  const Case cases[] = {
      {"BOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"BOpenGZ", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
      {"BSaveGZ", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"BAuswerten", QKeySequence(Qt::Key_F5)},
      {"BAuswerten", QKeySequence(Qt::CTRL | Qt::Key_Return)},
      {"bsSkinSpeedButton2", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"BTransfer", QKeySequence(Qt::CTRL | Qt::Key_T)},
      {"BDelZahlen", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
      {"BInfo", QKeySequence(Qt::Key_F1)},
      {"bsSkinSpeedButton1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
  };
  TFMain& w = shown();
  activate(w);
  // The keys reach the window from the text field too, where most keys type.
  child<QWidget>("MGZ")->setFocus();
  for (const Case& c : cases) {
    auto* b = child<QAbstractButton>(c.button);
    QSignalSpy clicks(b, &QAbstractButton::clicked);
    QTest::keySequence(focused(), c.key);
    EXPECT_EQ(clicks.count(), 1) << c.button;
    EXPECT_TRUE(b->toolTip().contains(c.key.toString(QKeySequence::NativeText)))
        << b->toolTip().toStdString();
  }
  EXPECT_EQ(child<QAbstractButton>("BAuswerten")->toolTip(),
            "Gewinnprüfung (" + ShortcutText({Qt::Key_F5, Qt::CTRL | Qt::Key_Return}) + ")");
  EXPECT_EQ(child<QAbstractButton>("BTransfer")->toolTip(),
            "Textfeld-Transfer (" + ShortcutText({Qt::CTRL | Qt::Key_T}) + ")");
  delete FInfo;
}

TEST_F(KeyboardCheck, TabFollowsTheLayoutAndLeavesTheTextFieldAndTheTables) {
  TFMain& w = shown();
  activate(w);
  child<QWidget>("bsSkinSpeedButton1")->setFocus();
  QStringList order;
  for (int i = 0; i < 40; ++i) {
    order << focused()->objectName();
    press(Qt::Key_Tab);
    if (focused()->objectName() == order.first()) break;
  }
  const QStringList expected = {"bsSkinSpeedButton1",
                                "bsSkinSpeedButton2",
                                "BUebersicht",
                                "BArchivieren",
                                "BArchiv",
                                "BPay",
                                "bsSkinSpeedButton13",
                                "bsSkinSpeedButton8",
                                "BInfo",
                                "BOpenGZ",
                                "BSaveGZ",
                                "BNeueGZ",
                                "bsSkinSpeedButton3",
                                "MGZ",
                                "BTransfer",
                                "BDelGZ",
                                "but1",
                                "BDelZahlen",
                                "cbDran",
                                "cbNeu",
                                "BOpen",
                                "BZuletzt",
                                "bsSkinSpeedButton4",
                                "cbSofort",
                                "BAuswerten",
                                "BDelLose",
                                "Box1",
                                "bsSkinSpeedButton5",
                                "GGew",
                                "GGes",
                                "Image1"};
  EXPECT_EQ(order, expected);
}

TEST_F(KeyboardCheck, TabLeavesAnEntryFramesTextFieldAndCtrlTabTypesATab) {
  TFEingabe& e = entry();
  e.show();
  activate(e);
  TFfrLos2* frame = e.LosBauen();
  frame->m1->setFocus();
  type("5");
  press(Qt::Key_Tab, Qt::ControlModifier);
  type("6");
  EXPECT_EQ(frame->m1->toPlainText(), "5\t6");
  press(Qt::Key_Tab);
  EXPECT_TRUE(frame->gLos->isAncestorOf(focused()) || focused() == frame->gLos);
}

}  // namespace
