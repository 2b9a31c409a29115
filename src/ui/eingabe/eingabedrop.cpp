// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the ticket entry window. Each kind it takes is one entry in the list below.
#include <QDragEnterEvent>
#include <QDropEvent>

#include "ui/eingabe/eingabe.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/guard.h"
#ifdef ZIEHFIX_HAVE_SCAN
#include "scan/scan.h"
#include "ui/eingabe/eingabe_scan.h"
#endif

void TFEingabe::dragEnterEvent(QDragEnterEvent* event) {
  if (FileDrop::carriesFiles(event->mimeData())) event->acceptProposedAction();
}

void TFEingabe::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  OpenAfterDrop(this, event->mimeData());
}

void TFEingabe::openDroppedFiles(const QList<QUrl>& urls) {
  QList<DropKind> kinds{
      {QStringLiteral("lose"), QStringLiteral("Lose-Dateien (*.lose)"),
       [this](const QString& path) { runGuarded([&] { readTicketFile(path); }); }},
  };
#ifdef ZIEHFIX_HAVE_SCAN
  // Pictures of paper tickets, in every format the reader reads.
  for (const QString& suffix : ScanImageSuffixes())
    kinds.append({suffix, QStringLiteral("Bilder"),
                  [this](const QString& path) { ReadTicketsFromImageFile(*this, path); }});
#endif
  FileDrop(kinds).openDropped(urls);
}
