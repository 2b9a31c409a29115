// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/messages.h"

#include <utility>

#include "ui/shared/prompter.h"

QString EmptyTicketFileMessage(const QString& fileName) {
  return QStringLiteral("Die Datei „%1“ enthält keine Lose.").arg(fileName);
}

MessageCap::MessageCap(QString singular, QString plural, QString reason)
    : singular_(std::move(singular)), plural_(std::move(plural)), reason_(std::move(reason)) {}

bool MessageCap::error(const Fault& fault) {
  if (shown_ < kShown) {
    ++shown_;
    Prompter::current().error(FaultText(fault));
    return true;
  }
  ++leftOut_;
  if (named_.size() < kNamed) named_ << fault.item;
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

// The messages go to the prompter in force before, the fallback one when none was installed.
CappedFileMessages::CappedFileMessages()
    : shownBy_(&Prompter::current()), previous_(Prompter::install(this)) {}

CappedFileMessages::~CappedFileMessages() {
  if (installed_) Prompter::install(previous_);
}

bool CappedFileMessages::pass() {
  if (shown_ < kShown) {
    ++shown_;
    return true;
  }
  ++leftOut_;
  if (!current_.isEmpty() && !named_.contains(current_)) {
    if (named_.size() < kNamed)
      named_ << current_;
    else
      moreFiles_ = true;
  }
  return false;
}

QString CappedFileMessages::summary() const {
  if (leftOut_ == 0) return {};
  QString text = leftOut_ == 1
                     ? QStringLiteral("1 weitere Meldung wurde nicht einzeln angezeigt.")
                     : QStringLiteral("%1 weitere Meldungen wurden nicht einzeln angezeigt.").arg(leftOut_);
  if (named_.isEmpty()) return text;
  QString list = QStringLiteral("„") + named_.join(QStringLiteral("“, „")) + QStringLiteral("“");
  if (moreFiles_) list += QStringLiteral(", …");
  if (!moreFiles_) list += QLatin1Char('.');  // "…" ends the sentence itself
  return text +
         QStringLiteral(" Sie %1 die %2 %3")
             .arg(leftOut_ == 1 ? QStringLiteral("betrifft") : QStringLiteral("betreffen"),
                  named_.size() == 1 && !moreFiles_ ? QStringLiteral("Datei") : QStringLiteral("Dateien"),
                  list);
}

void CappedFileMessages::finish() {
  if (!installed_) return;
  installed_ = false;
  Prompter::install(previous_);
  if (leftOut_ > 0) shownBy_->information(summary());
}

void CappedFileMessages::information(const QString& text) {
  if (pass()) shownBy_->information(text);
}
void CappedFileMessages::warning(const QString& text) {
  if (pass()) shownBy_->warning(text);
}
void CappedFileMessages::error(const QString& text) {
  if (pass()) shownBy_->error(text);
}
bool CappedFileMessages::confirm(const QString& text) {
  return shownBy_->confirm(text);
}
QString CappedFileMessages::openFileName(const QString& title, const QString& filter,
                                         const QString& defaultSuffix, const QString& folder) {
  return shownBy_->openFileName(title, filter, defaultSuffix, folder);
}
QString CappedFileMessages::saveFileName(const QString& title, const QString& filter,
                                         const QString& defaultSuffix, const QString& folder,
                                         const QString& proposedName, bool askOverwrite) {
  return shownBy_->saveFileName(title, filter, defaultSuffix, folder, proposedName, askOverwrite);
}
QString CappedFileMessages::textInput(const QString& title, const QString& label, const QString& proposed) {
  return shownBy_->textInput(title, label, proposed);
}
