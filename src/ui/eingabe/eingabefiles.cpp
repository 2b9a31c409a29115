// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window's ticket files: opening, reading and saving.
#include "ui/eingabe/eingabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "ui/eingabe/eingabe_scan.h"
#include "ui/eingabe/frlos2.h"
#include "ui/info/info.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/onscreen.h"
#include "ui/shared/prompter.h"
#include "ui/shared/recentfiles.h"
#include "ui/shared/shortcuts.h"
#include "ui/shared/skinwidgets.h"

#include "ui/eingabe/eingabe_parts.h"

using namespace entry;

void TFEingabe::BOpenClick() {
  runGuarded([&] {
    const QString path =
        Prompter::current().openFileName(kOpenTitle, kFilter, kSuffix, FileHistory::ticketFolder());
    if (path.isEmpty()) return;
    readTicketFile(path);
  });
}

void TFEingabe::readTicketFile(const QString& path) {
  // Read in full first: a refused or unreadable file leaves the window as it is.
  TicketList read = ReadTicketFile(path);
  FileHistory::ticketFileUsed(path);
  if (read.count() == 0) {
    Prompter::current().warning(EmptyTicketFileMessage(QFileInfo(path).fileName()));
    return;
  }
  const bool replacing = rebuildTicketsBox->isChecked();
  if (!framesFit(read.count(), replacing, true)) return;
  FrameBatch batch(ticketArea, read.count());
  if (replacing && EinLosCount > 0) removeAllFrames();
  model_.appendRead(std::move(read));
  ticketsChanged();
  fileLabel->setText(QFileInfo(path).fileName());
}

std::vector<TicketCells> TFEingabe::tickets() const {
  std::vector<TicketCells> out = model_.allCells();
  for (const auto& [index, frame] : live_) {
    frame->gLos->commitOpenEditor();
    out[std::size_t(index)] = frame->gLos->cells();
  }
  return out;
}

int TFEingabe::doubtfulCellCount() const {
  int count = 0;
  for (int index = 0; index < EinLosCount; ++index) {
    if (TFfrLos2* frame = frameOf(index)) {
      frame->gLos->commitOpenEditor();
      const std::array<bool, 25>& marks = frame->gLos->doubtfulCells();
      count += int(std::count(marks.begin(), marks.end(), true));
    } else {
      count += model_.doubtfulCount(index);
    }
  }
  return count;
}

void TFEingabe::BSaveClick() {
  runGuarded([&] {
    // Numbers a picture reader was not sure of are saved only when the user says so.
    const int doubtful = doubtfulCellCount();
    if (doubtful > 0 &&
        !Prompter::current().confirm(
            doubtful == 1 ? QStringLiteral("1 Zahl ist noch zu prüfen. Trotzdem speichern?")
                          : QStringLiteral("%1 Zahlen sind noch zu prüfen. Trotzdem speichern?")
                                .arg(germanCount(doubtful))))
      return;
    const QString path = Prompter::current().saveFileName(
        kSaveTitle, kFilter, kSuffix, FileHistory::ticketFolder(), fileLabel->text(), false);
    if (path.isEmpty()) return;
    // The proposed name is the last file's, but the folder may be another: an older file of that name
    // there can hold hours of typed tickets.
    if (QFileInfo::exists(path) &&
        !Prompter::current().confirm(
            QStringLiteral("Die Datei „%1“ gibt es schon.\r\rSoll sie ersetzt werden?")
                .arg(QDir::toNativeSeparators(path))))
      return;
    WriteTicketFile(path, tickets());
    FileHistory::ticketFileUsed(path);
    fileLabel->setText(QFileInfo(path).fileName());
  });
}
