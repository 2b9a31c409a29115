// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Said when a ticket file holds no ticket at all (zero bytes): nothing shown is changed then.
QString EmptyTicketFileMessage(const QString& fileName);

// One action that may report many faults (a pasted list full of wrong lines): the first ten go out
// one by one, the rest are summed up in one information at the end, which names the first ten
// left-out items so that the user can find them.
class MessageCap {
 public:
  static constexpr int kShown = 10;
  static constexpr int kNamed = 10;

  // singular/plural: "Zeile"/"Zeilen"; reason: the text in brackets after "eingetragen werden".
  MessageCap(QString singular, QString plural, QString reason);

  // Shows message as an error, or keeps item for the summary once ten were shown. True when shown.
  bool error(const QString& message);
  // The summary, when anything was left out.
  void finish();

  // The item a transfer message names: the number in "Zahl N ist ..." or "... N konnte nicht ...", the
  // text in "''X'' is not ...". The whole message when it names none.
  static QString itemOf(const QString& message);
  QString summary() const;
  int shownCount() const { return shown_; }

 private:
  QString singular_, plural_, reason_;
  int shown_ = 0;
  int leftOut_ = 0;
  QStringList named_;
};
