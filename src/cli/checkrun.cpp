// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checkrun.h"

#include <QFileInfo>
#include <utility>

#include "core/text.h"
#include "core/ticketfile.h"
#include "core/winningnumbers.h"

namespace {

// The transfer drives the checker's state as it drives the main window's board and text field.
class CheckerTarget : public TransferTarget {
 public:
  explicit CheckerTarget(CheckOutcome& outcome) : outcome_(outcome) {}

  void clearAll() override { outcome_.check.chosen.clear(); }
  void setFieldText(const QString& text) override { outcome_.fieldText = text; }
  void toggle(int n) override {
    if (outcome_.check.chosen.toggle(n) == ChosenNumbers::Toggle::LimitReached)
      outcome_.messages.append({CheckMessage::Kind::Information, LimitMessage()});
  }
  void error(const Fault& fault) override {
    outcome_.messages.append({CheckMessage::Kind::Error, FaultText(fault)});
  }

 private:
  CheckOutcome& outcome_;
};

}  // namespace

bool CheckOutcome::hasError() const {
  for (const CheckMessage& m : messages)
    if (m.kind == CheckMessage::Kind::Error) return true;
  return false;
}

void TransferNumbers(const QString& field, CheckOutcome& outcome) {
  CheckerTarget target(outcome);
  TransferGZText(field, target);
}

CheckOutcome RunCheck(const CheckerOptions& options) {
  CheckOutcome outcome;
  outcome.near = options.near;
  if (options.fromImage) {
    AddTicketsFromImages(options.ticketFiles, outcome);
    for (const TicketOrigin& origin : outcome.origins) {
      const QString name = QFileInfo(origin.image).fileName();
      if (outcome.files.isEmpty() || outcome.files.last().name != name) outcome.files.append({name, 0});
      ++outcome.files.last().tickets;
    }
  }
  for (const QString& path : options.fromImage ? QStringList() : options.ticketFiles) {
    TicketList tickets = ReadTicketFile(path);
    const int invalidCells = tickets.invalidCellCount();
    outcome.files.append({QFileInfo(path).fileName(), tickets.count()});
    outcome.check.addTickets(std::move(tickets));
    if (invalidCells > 0)
      outcome.messages.append(
          {CheckMessage::Kind::Warning, InvalidCellsWarning(QFileInfo(path).fileName(), invalidCells)});
  }

  // The file is read completely before the transfer starts, so an unreadable file changes nothing.
  QString field;
  if (options.hasNumbersFile) field = ReadWinningNumberFile(options.numbersFile);
  if (options.hasNumbersText) field = NormalizeLineBreaks(options.numbersText);
  if (options.hasNumbersFile || options.hasNumbersText) TransferNumbers(field, outcome);

  outcome.check.evaluate();
  return outcome;
}
