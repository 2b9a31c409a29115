// SPDX-License-Identifier: GPL-3.0-or-later
// The number board, the strip of chosen numbers and the winning-number text field of the main window.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextDocument>

#include "core/winningnumbers.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/prompter.h"

namespace {
const QString kNumbersFilter = QStringLiteral("Gewinnzahlen-Datei|*.zfgz");
const QString kNumbersSuffix = QStringLiteral("zfgz");
}  // namespace

// The transfer drives the board exactly as clicks do.
class MainTransferTarget : public TransferTarget {
 public:
  explicit MainTransferTarget(TFMain& w)
      : w_(w), cap_(QStringLiteral("Zahl"), QStringLiteral("Zahlen"), QStringLiteral("ungültig")) {}
  // The faults left out of the ten shown are summed up once the transfer is through.
  void finish() { cap_.finish(); }
  void clearAll() override { w_.clearChosen(); }
  void setFieldText(const QString& text) override { w_.setFieldText(text); }
  void toggle(int n) override { w_.toggleNumber(n); }
  void error(const Fault& fault) override { cap_.error(fault); }

 private:
  TFMain& w_;
  MessageCap cap_;
};

QString TFMain::fieldText() const {
  // The raw text keeps no-break spaces (toPlainText() would turn them into blanks that trimming
  // removes); the editor's block and line separators become CR LF.
  QString text = numbersField_->document()->toRawText();
  for (QChar& c : text) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
  }
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void TFMain::setFieldText(const QString& crlfText) {
  QString text = crlfText;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  numbersField_->setPlainText(text);
}

void TFMain::BMusterClick(TBZahl* sender) {
  runGuarded([&] {
    if (sender) clickedNumber(sender->tag());
  });
}

void TFMain::toggleNumber(int n) {
  TBZahl* b = Button(n);
  if (!b) return;
  const ChosenNumbers::Toggle result = check_.chosen.toggle(n);
  if (result == ChosenNumbers::Toggle::LimitReached) {
    b->setChosen(false);
    Prompter::current().information(LimitMessage());
    return;
  }
  if (result == ChosenNumbers::Toggle::OutOfRange) return;
  b->setChosen(result == ChosenNumbers::Toggle::Added);
  chosenCountLabel_->setText(QString::number(check_.chosen.count()));
  refillStrip();
  // A ticket cell is light green while its number is chosen, evaluated or not: without an
  // evaluation the cells are repainted (and announced) at once.
  if (evaluateAtOnceBox_->isChecked())
    evaluate();
  else
    ticketView_->cellsChanged();
}

void TFMain::refillStrip() {
  const QList<int> chosen = check_.chosen.sorted();
  for (int k = 1; k <= 22; ++k)
    Panel(k)->setText(k <= chosen.size() ? QString::number(chosen[k - 1]) : QString());
}

void TFMain::clearStrip() {
  for (TPZahl* p : panels_) p->clear();
}

void TFMain::clearChosen() {
  for (int n = 1; n <= 75; ++n) {
    if (check_.chosen.contains(n)) Button(n)->setChosen(false);
  }
  check_.chosen.clear();
  chosenCountLabel_->setText(QStringLiteral("0"));
  // The strip shows the chosen numbers too, so clearing empties it as well.
  clearStrip();
  evaluate();
}

void TFMain::BDelGZClick() {
  runGuarded([this] { clearChosenRecorded(); });
}

// Both clear buttons clear everything: a strip that still showed numbers the board no longer has
// (or the reverse) would misreport the draw.
void TFMain::BDelZahlenClick() {
  runGuarded([this] { clearChosenRecorded(); });
}

void TFMain::BTransferClick() {
  runGuarded([this] {
    // A transfer stopped by a bad item has changed the numbers all the same: one step either way.
    const QList<int> before = check_.chosen.sorted();
    const auto record = qScopeGuard([&] { recordChange(DrawHistory::Kind::Transfer, 0, before); });
    MainTransferTarget target(*this);
    TransferGZText(fieldText(), target);
    target.finish();
  });
}

void TFMain::BOpenGZClick() {
  runGuarded([this] {
    const QString path = Prompter::current().openFileName(
        QStringLiteral("Gewinnzahlen einlesen"), kNumbersFilter, kNumbersSuffix, FileHistory::numberFolder());
    if (path.isEmpty()) return;
    readNumberFile(path);
  });
}

void TFMain::readNumberFile(const QString& path) {
  numbersField_->clear();
  const QString text = ReadWinningNumberFile(path);
  FileHistory::numberFileUsed(path);
  showNumberText(text, QFileInfo(path).fileName());
}

void TFMain::showNumberText(const QString& crlfText, const QString& label) {
  setFieldText(crlfText);
  numberFileLabel_->setText(label);
  MainTransferTarget target(*this);
  TransferGZText(fieldText(), target);
  target.finish();
  // Numbers from a file start a new draw.
  forgetHistory();
}

void TFMain::BSaveGZClick() {
  runGuarded([this] {
    const QString path = Prompter::current().saveFileName(
        QStringLiteral("Gewinnzahlen speichern"), kNumbersFilter, kNumbersSuffix, FileHistory::numberFolder(),
        QString(), /*askOverwrite=*/false);
    if (path.isEmpty()) return;
    WriteWinningNumberFile(path, check_.chosen.set(), fieldText());
    FileHistory::numberFileUsed(path);
    numberFileLabel_->setText(QFileInfo(path).fileName());
  });
}

void TFMain::bsSkinSpeedButton3Click() {
  runGuarded([this] { numbersField_->clear(); });
}
