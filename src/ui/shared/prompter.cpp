// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Prompter* g_current = nullptr;

QString caption() {
  return QApplication::applicationDisplayName();
}

QWidget* parentWindow() {
  return QApplication::activeWindow();
}

QString withSuffix(const QString& path, const QString& defaultSuffix) {
  if (path.isEmpty() || defaultSuffix.isEmpty()) return path;
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + defaultSuffix;
}
}  // namespace

Prompter& Prompter::current() {
  static QtPrompter fallback;
  return g_current ? *g_current : fallback;
}

Prompter* Prompter::install(Prompter* p) {
  Prompter* old = g_current;
  g_current = p;
  return old;
}

QString qtFilterFromPipeFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + QStringLiteral(" (") + parts[i + 1] + ")";
  return out.join(QStringLiteral(";;"));
}

void QtPrompter::information(const QString& text) {
  QMessageBox::information(parentWindow(), caption(), text);
}

void QtPrompter::warning(const QString& text) {
  QMessageBox::warning(parentWindow(), caption(), text);
}

void QtPrompter::error(const QString& text) {
  QMessageBox::critical(parentWindow(), caption(), text);
}

bool QtPrompter::confirm(const QString& text) {
  return QMessageBox::question(parentWindow(), caption(), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

QString QtPrompter::openFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                 const QString& folder) {
  QFileDialog dialog(parentWindow(), title, folder, qtFilterFromPipeFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString QtPrompter::saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                 const QString& folder, const QString& proposedName, bool askOverwrite) {
  QFileDialog dialog(parentWindow(), title, folder, qtFilterFromPipeFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  if (!askOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return withSuffix(dialog.selectedFiles().first(), defaultSuffix);
}

QString QtPrompter::textInput(const QString& title, const QString& label, const QString& proposed) {
  bool ok = false;
  const QString text = QInputDialog::getText(parentWindow(), title, label, QLineEdit::Normal, proposed, &ok);
  return ok ? text : QString();
}
