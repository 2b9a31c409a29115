// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripted_prompter.h"

ScriptedPrompter::ScriptedPrompter() : previous_(Prompter::install(this)) {}

ScriptedPrompter::~ScriptedPrompter() {
  Prompter::install(previous_);
}

QStringList ScriptedPrompter::texts() const {
  QStringList out;
  for (const auto& m : messages) out << m.text;
  return out;
}

void ScriptedPrompter::information(const QString& text) {
  messages.append({"information", text});
}
void ScriptedPrompter::warning(const QString& text) {
  messages.append({"warning", text});
}
void ScriptedPrompter::error(const QString& text) {
  messages.append({"error", text});
}

bool ScriptedPrompter::confirm(const QString& text) {
  messages.append({"confirm", text});
  return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

QString ScriptedPrompter::openFileName(const QString& title, const QString& filter,
                                       const QString& defaultSuffix, const QString& folder) {
  dialogs.append({"open", title, filter, defaultSuffix, folder, QString(), false});
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPrompter::saveFileName(const QString& title, const QString& filter,
                                       const QString& defaultSuffix, const QString& folder,
                                       const QString& proposedName, bool askOverwrite) {
  dialogs.append({"save", title, filter, defaultSuffix, folder, proposedName, askOverwrite});
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPrompter::textInput(const QString& title, const QString& label, const QString&) {
  dialogs.append({"input", title, QString(), QString(), QString(), label, false});
  return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
}
