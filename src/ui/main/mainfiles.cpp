// SPDX-License-Identifier: GPL-3.0-or-later
// Files that reach the main window without its dialogs: from the command line, from a second start,
// by drag and drop, and from the list of recent ticket files.
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/main/main.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/recentfiles.h"

namespace {
const QString kTicketSuffix = QStringLiteral("lose");
const QString kNumberSuffix = QStringLiteral("zfgz");

// openFiles sorts by kind itself, so the kinds here need no opening of their own.
const FileDrop& mainDrop() {
  static const FileDrop drop({{kTicketSuffix, QStringLiteral("Lose-Dateien (*.lose)"), {}},
                              {kNumberSuffix, QStringLiteral("Gewinnzahlen-Dateien (*.zfgz)"), {}}});
  return drop;
}
}  // namespace

void TFMain::setUpFileCommands() {
  setAcceptDrops(true);
  ForwardFileDrops(numbersField_->viewport());
  AttachRecentTicketsMenu(openTicketsButton_, [this](const QString& path) {
    readTicketFile(path, rebuildTicketsBox_->isChecked());
  });
}

void TFMain::openFiles(const QStringList& paths) {
  CappedFileMessages messages;
  QStringList tickets, numbers, others;
  for (const QString& path : paths) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(kTicketSuffix, Qt::CaseInsensitive) == 0)
      tickets << path;
    else if (suffix.compare(kNumberSuffix, Qt::CaseInsensitive) == 0)
      numbers << path;
    else
      others << QFileInfo(path).fileName();
  }
  // The same refusal as for a drop, so the two ways in never disagree.
  if (!others.isEmpty()) mainDrop().refuse(others);
  // Each file in a guard of its own: a refused file is reported as the button reports it, and the
  // files after it are still read.
  bool ticketsRead = false, numbersRead = false;
  for (const QString& path : tickets) {
    messages.about(QFileInfo(path).fileName());
    ticketsRead |= runGuarded([&] { readTicketFile(path, /*replaceShown=*/false); });
  }
  // Tickets first: a transfer that evaluates on every number then already sees them.
  for (const QString& path : numbers) {
    messages.about(QFileInfo(path).fileName());
    numbersRead |= runGuarded([&] { readNumberFile(path); });
  }
  messages.finish();
  if (ticketsRead && numbersRead) runGuarded([this] { evaluate(); });
}

void TFMain::dragEnterEvent(QDragEnterEvent* event) {
  if (FileDrop::carriesFiles(event->mimeData())) event->acceptProposedAction();
}

void TFMain::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  OpenAfterDrop(this, event->mimeData());
}

void TFMain::openDroppedFiles(const QList<QUrl>& urls) {
  const QStringList paths = mainDrop().takeFiles(urls);
  if (!paths.isEmpty()) openFiles(paths);
}
