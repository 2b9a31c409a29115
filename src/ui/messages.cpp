// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messages.h"

#include <QRegularExpression>
#include <utility>

#include "common/prompter.h"

QString EmptyTicketFileMessage(const QString& fileName) {
  return QStringLiteral("Die Datei „%1“ enthält keine Lose.").arg(fileName);
}

MessageCap::MessageCap(QString singular, QString plural, QString reason)
    : singular_(std::move(singular)), plural_(std::move(plural)), reason_(std::move(reason)) {}

bool MessageCap::error(const QString& message) {
  if (shown_ < kShown) {
    ++shown_;
    Prompter::current().error(message);
    return true;
  }
  ++leftOut_;
  if (named_.size() < kNamed) named_ << itemOf(message);
  return false;
}

QString MessageCap::summary() const {
  if (leftOut_ == 0) return {};
  QString list = named_.join(QStringLiteral(", "));
  if (leftOut_ > named_.size()) list += QStringLiteral(", …");
  if (leftOut_ == 1)
    return QStringLiteral("1 weitere %1 konnte nicht eingetragen werden (%2): %3")
        .arg(singular_, reason_, list);
  return QStringLiteral("%1 weitere %2 konnten nicht eingetragen werden (%3): %4")
      .arg(QString::number(leftOut_), plural_, reason_, list);
}

void MessageCap::finish() {
  if (leftOut_ > 0) Prompter::current().information(summary());
}

QString MessageCap::itemOf(const QString& message) {
  // The core reports each fault as a finished sentence only; these are its forms.
  static const QRegularExpression forms[] = {
      QRegularExpression(QStringLiteral("^Zahl (.*) ist (?:ungültig|doppelt)\\.$"),
                         QRegularExpression::DotMatchesEverythingOption),
      QRegularExpression(QStringLiteral("\r\r(.*) konnte nicht eingetragen werden\\.$"),
                         QRegularExpression::DotMatchesEverythingOption),
      QRegularExpression(QStringLiteral("^''(.*)'' is not a valid integer value\\.$"),
                         QRegularExpression::DotMatchesEverythingOption),
  };
  for (const QRegularExpression& form : forms) {
    const QRegularExpressionMatch m = form.match(message);
    if (m.hasMatch()) return m.captured(1);
  }
  return message;
}
