// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe/eingabe_scan.h"

#ifdef ZIEHFIX_HAVE_SCAN

#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QMimeData>
#include <QProgressDialog>
#include <QShortcut>
#include <QStringList>
#include <algorithm>

#include "scan/scan.h"
#include "ui/eingabe/eingabe.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"
#include "ui/shared/skinwidgets.h"

namespace {

const QString kOpenTitle = QStringLiteral("Lose aus einem Bild einlesen");

// Tickets whose grid is uncertain are named one per line, the first ten of them; the rest are summed
// up in one line that names the next ten, as the window's other long lists of faults are.
constexpr int kGridsNamed = 10;

// tickets: the cells of the tickets read, marks included; firstNumber: the frame number of the first.
QString summary(const std::vector<EntryTicket>& tickets, const ScanResult& result, int firstNumber) {
  const int n = int(tickets.size());
  int doubtful = 0;
  for (const EntryTicket& t : tickets)
    doubtful += int(std::count(t.doubtful.begin(), t.doubtful.end(), true));
  QString text = n == 1 ? QStringLiteral("1 Los gefunden") : QStringLiteral("%1 Lose gefunden").arg(n);
  if (doubtful == 0) return text + QLatin1Char('.');
  text += doubtful == 1 ? QStringLiteral(", 1 Zahl bitte prüfen.")
                        : QStringLiteral(", %1 Zahlen bitte prüfen.").arg(doubtful);
  QStringList named, leftOut;
  int more = 0;
  for (int i = 0; i < n; ++i) {
    if (!result.tickets[std::size_t(i)].gridDoubtful) continue;
    const QString number = QString::number(firstNumber + i);
    if (named.size() < kGridsNamed)
      named << QStringLiteral("Los %1 bitte prüfen: Raster unsicher").arg(number);
    else if (++more <= kGridsNamed)
      leftOut << number;
  }
  if (more > 0) {
    QString list = leftOut.join(QStringLiteral(", "));
    if (more > leftOut.size()) list += QStringLiteral(", …");
    named << (more == 1 ? QStringLiteral("1 weiteres Los bitte prüfen: Raster unsicher (Los %1)").arg(list)
                        : QStringLiteral("%1 weitere Lose bitte prüfen: Raster unsicher (Lose %2)")
                              .arg(QString::number(more), list));
  }
  if (!named.isEmpty()) text += QStringLiteral("\r\r") + named.join(QLatin1Char('\r'));
  return text;
}

// Reads while a progress dialog with "Abbrechen" shows (once the reading takes a moment).
ScanResult scanWithProgress(TFEingabe& window, const std::function<ScanResult(const ScanProgress&)>& scan) {
  QProgressDialog progress(QStringLiteral("Lose im Bild werden gelesen ..."), QStringLiteral("Abbrechen"), 0,
                           1, &window);
  progress.setObjectName(QStringLiteral("ScanProgress"));
  progress.setWindowTitle(window.windowTitle());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);
  progress.setAutoReset(false);
  progress.setValue(0);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  struct Restore {
    ~Restore() { QApplication::restoreOverrideCursor(); }
  } restore;
  return scan([&](int done, int total) {
    progress.setMaximum(std::max(1, total));
    progress.setValue(std::min(done, total));
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  });
}

}  // namespace

void AddScannedTickets(TFEingabe& window, const ScanResult& result) {
  if (result.cancelled) return;
  if (result.tickets.empty()) {
    Prompter::current().information(QStringLiteral("Im Bild wurde kein Los gefunden."));
    return;
  }
  std::vector<EntryTicket> tickets(result.tickets.size());
  for (std::size_t i = 0; i < tickets.size(); ++i) {
    tickets[i].cells = result.tickets[i].cells;
    tickets[i].doubtful = result.tickets[i].doubtful;
    // Any number of a grid the reader is not sure of may sit in the wrong place.
    if (result.tickets[i].gridDoubtful) tickets[i].doubtful.fill(true);
  }
  const int firstNumber = window.EinLosCount + 1;
  if (!window.appendTickets(tickets)) return;
  Prompter::current().information(summary(tickets, result, firstNumber));
}

QString ScanImageFilter() {
  QStringList patterns;
  for (const QString& suffix : ScanImageSuffixes()) patterns << QStringLiteral("*.") + suffix;
  return QStringLiteral("Bilder|") + patterns.join(QLatin1Char(' '));
}

QImage PastedPicture(const QMimeData* data) {
  if (!data || !data->hasImage()) return {};
  return ScanReadyImage(qvariant_cast<QImage>(data->imageData()));
}

namespace {

// Reads with the progress dialog and appends what was found; a reading error becomes its message.
void readTickets(TFEingabe& window, const std::function<ScanResult(const ScanProgress&)>& scan) {
  runGuarded([&] {
    ScanResult result;
    try {
      result = scanWithProgress(window, scan);
    } catch (const ScanError& e) {
      Prompter::current().error(QString::fromUtf8(e.what()));
      return;
    }
    AddScannedTickets(window, result);
  });
}

}  // namespace

void ReadTicketsFromImageFile(TFEingabe& window, const QString& path) {
  readTickets(window, [&](const ScanProgress& p) { return ScanImageFile(path, p); });
}

void ReadTicketsFromImage(TFEingabe& window, const QImage& image) {
  readTickets(window, [&](const ScanProgress& p) { return ScanImage(image, p); });
}

QPushButton* InstallScanCommands(TFEingabe& window, QWidget* bar) {
  auto* button = new SkinButton(QStringLiteral("BBild"), QStringLiteral("Aus Bild einlesen..."), -1,
                                QSize(112, 36), bar);
  button->setIcon(QIcon(QStringLiteral(":/eingabe/bildlesen.svg")));
  QObject::connect(button, &QPushButton::clicked, &window, [&window] {
    QString path;
    runGuarded([&] {
      path = Prompter::current().openFileName(kOpenTitle, ScanImageFilter(), QString(), QString());
    });
    if (!path.isEmpty()) ReadTicketsFromImageFile(window, path);
  });
  // Text fields take Ctrl+V themselves; elsewhere in the window it reads a copied picture.
  auto* paste = new QShortcut(QKeySequence::Paste, &window);
  paste->setObjectName(QStringLiteral("ScanPaste"));
  QObject::connect(paste, &QShortcut::activated, &window, [&window] {
    const QImage image = PastedPicture(QGuiApplication::clipboard()->mimeData());
    if (!image.isNull()) ReadTicketsFromImage(window, image);
  });
  return button;
}

#endif
