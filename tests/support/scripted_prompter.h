// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "ui/shared/prompter.h"

// A Prompter for tests: records every message and answers the dialogs from queues.
// Installs itself on construction and restores the previous one on destruction.
class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    QString kind;  // "information", "warning", "error", "confirm"
    QString text;
  };
  struct Dialog {
    QString kind;  // "open", "save" or "input" (its label in proposedName)
    QString title, filter, defaultSuffix, folder, proposedName;
    bool askOverwrite = false;
  };

  ScriptedPrompter();
  ~ScriptedPrompter() override;

  QList<Message> messages;
  QList<Dialog> dialogs;
  QStringList fileAnswers;     // next answers of the file dialogs; empty queue = cancel
  QList<bool> confirmAnswers;  // next answers of confirm(); empty queue = No
  QStringList textAnswers;     // next answers of textInput(); empty queue = cancel

  QStringList texts() const;  // the texts of all messages, in order

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
  Prompter* previous_;
};
