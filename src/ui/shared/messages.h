// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "core/fault.h"
#include "ui/shared/prompter.h"

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

  // Shows the fault's sentence as an error, or keeps its item for the summary once ten were shown.
  // True when shown.
  bool error(const Fault& fault);
  // The summary, when anything was left out.
  void finish();

  QString summary() const;
  int shownCount() const { return shown_; }

 private:
  QString singular_, plural_, reason_;
  int shown_ = 0;
  int leftOut_ = 0;
  QStringList named_;
};

// Files opened together (named on the command line, handed over by another start, dropped): while it
// lives, the first ten messages about them are shown and the others only counted; finish() then sums
// them up in one information naming the files they were about. Questions and dialogs pass through.
class CappedFileMessages : public Prompter {
 public:
  static constexpr int kShown = MessageCap::kShown;
  static constexpr int kNamed = MessageCap::kNamed;

  CappedFileMessages();
  ~CappedFileMessages() override;
  CappedFileMessages(const CappedFileMessages&) = delete;
  CappedFileMessages& operator=(const CappedFileMessages&) = delete;

  // The file the following messages are about (its name as shown).
  void about(const QString& fileName) { current_ = fileName; }
  // Puts the previous prompter back and shows the summary when anything was left out.
  void finish();
  QString summary() const;

  void information(const QString& text) override;
  void warning(const QString& text) override;
  void error(const QString& text) override;
  bool confirm(const QString& text) override;
  QString openFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                       const QString& folder) override;
  QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                       const QString& folder, const QString& proposedName, bool askOverwrite) override;
  QString textInput(const QString& title, const QString& label, const QString& proposed) override;

 private:
  // True when the message is to be shown.
  bool pass();

  Prompter* shownBy_;
  Prompter* previous_;  // null when none was installed
  bool installed_ = true;
  int shown_ = 0;
  int leftOut_ = 0;
  QString current_;
  QStringList named_;
  bool moreFiles_ = false;
};
