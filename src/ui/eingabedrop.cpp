// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the ticket entry window. Each kind it takes is one entry in the list below.
#include <QDragEnterEvent>
#include <QDropEvent>

#include "common/guard.h"
#include "ui/eingabe.h"
#include "ui/filedrop.h"

void TFEingabe::dragEnterEvent(QDragEnterEvent* event) {
  if (FileDrop::carriesFiles(event->mimeData())) event->acceptProposedAction();
}

void TFEingabe::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  const FileDrop drop({
      {QStringLiteral("lose"), QStringLiteral("Lose-Dateien (*.lose)"),
       [this](const QString& path) { runGuarded([&] { readTicketFile(path); }); }},
  });
  drop.openDropped(event->mimeData());
}
