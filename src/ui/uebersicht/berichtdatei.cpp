// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uebersicht/berichtdatei.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <stdexcept>

#include "common/settings.h"
#include "core/evaluation.h"
#include "core/report.h"
#include "core/text.h"
#include "ui/main/main.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"
#include "ui/uebersicht/bericht.h"
#include "ui/uebersicht/druckvorschau.h"

namespace {
// Reports longer than this show their progress and can be cancelled.
constexpr int kProgressFrom = 10;

QString failedWrite(const QString& path) {
  return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
      .arg(QDir::toNativeSeparators(path));
}

class DialogProgress : public ReportProgress {
 public:
  explicit DialogProgress(QWidget* parent)
      : dialog_(QStringLiteral("Der Bericht wird erstellt..."), QStringLiteral("Abbrechen"), 0, 1, parent) {
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(500);
  }
  bool pagePainted(int page, int pages) override {
    if (pages < kProgressFrom) return true;
    dialog_.setMaximum(pages);
    dialog_.setValue(page);  // a window-modal dialog processes events here, so "Abbrechen" is seen
    dialog_.setLabelText(QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
};

// The dialog asks only about the name as typed; with the extension added it is another name and
// needs its own question.

QString askTarget(const QString& title, const QString& filter, const QString& suffix) {
  const QString folder = Settings::get(Setting::kReportFolder);
  const QString chosen = Prompter::current().saveFileName(title, filter, suffix, folder,
                                                          QStringLiteral("Bericht.") + suffix, true);
  if (chosen.isEmpty()) return {};
  QString target = chosen;
  if (QFileInfo(target).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
    target += QLatin1Char('.') + suffix;
  if (target != chosen && QFileInfo::exists(target) &&
      !Prompter::current().confirm(QStringLiteral("Die Datei „%1“ gibt es schon.\r\rSoll sie ersetzt werden?")
                                       .arg(QDir::toNativeSeparators(target))))
    return {};
  return target;
}

void rememberFolder(const QString& target) {
  QString folder = QFileInfo(target).absolutePath();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  Settings::set(Setting::kReportFolder, folder);
}
}  // namespace

namespace ReportFiles {

QComboBox* ticketChoice(QWidget* parent) {
  auto* choice = new QComboBox(parent);
  choice->setObjectName(QStringLiteral("CBLose"));
  choice->setAccessibleName(QStringLiteral("Lose im Bericht"));
  choice->addItems({QStringLiteral("Nur Gewinner"), QStringLiteral("Alle Lose")});
  choice->setCurrentIndex(ReportFiles::allTickets() ? 1 : 0);
  QObject::connect(choice, &QComboBox::currentIndexChanged, choice,
                   [](int index) { ReportFiles::setAllTickets(index == 1); });
  return choice;
}

bool allTickets() {
  return Settings::get(Setting::kReportAllTickets);
}

void setAllTickets(bool all) {
  Settings::set(Setting::kReportAllTickets, all);
}

QString ticketFileNames() {
  const QLabel* label = FMain ? FMain->findChild<QLabel*>(QStringLiteral("LDatei")) : nullptr;
  return label ? label->text() : QString();
}

bool writePdf(const QString& path, const LotteryCheck& check, const QString& fileNames, bool allTickets,
              ReportProgress* progress) {
  return writePdfPages(path, ReportPageLayout(), 300, check, fileNames, allTickets, progress);
}

bool writePdfPages(const QString& path, const QPageLayout& layout, int resolution, const LotteryCheck& check,
                   const QString& fileNames, bool allTickets, ReportProgress* progress, int first, int last) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error(failedWrite(path).toStdString());
  bool finished = false;
  {
    QPdfWriter pdf(&file);
    pdf.setPageLayout(layout);
    pdf.setResolution(resolution);
    pdf.setCreator(QStringLiteral("ZIEHFIX"));
    pdf.setTitle(QStringLiteral("ZIEHFIX"));
    finished = PaintReport(pdf, check, fileNames, allTickets, progress, first, last);
  }
  // A failed final flush can still let commit() succeed with a truncated file.
  if (!finished || !file.flush() || file.error() != QFileDevice::NoError) {
    file.cancelWriting();
    file.commit();
    if (!finished) return false;
    throw std::runtime_error(failedWrite(path).toStdString());
  }
  if (!file.commit()) throw std::runtime_error(failedWrite(path).toStdString());
  return true;
}

void writeCsv(const QString& path, const LotteryCheck& check) {
  try {
    WriteFileAtomically(path, CsvReport(ReportInput{check, {}, {}, false, {}}));
  } catch (const std::exception&) {
    throw std::runtime_error(failedWrite(path).toStdString());
  }
}

void showPrintPreview(QWidget* parent, const LotteryCheck& check) {
  auto* preview = new ReportPreview(check, ticketFileNames(), parent);
  preview->setAttribute(Qt::WA_DeleteOnClose);
  // Modal to its window, as the print preview always was: the tickets it shows cannot change meanwhile.
  preview->open();
}

bool printReport(QWidget* parent, QPagedPaintDevice& printer, const LotteryCheck& check,
                 const QString& fileNames, bool allTickets, int first, int last) {
  DialogProgress progress(parent);
  // The print dialog's "print to file" would have the printer write straight into the file chosen, so
  // that a cancelled or failed print leaves it cut short: the PDF is written as every other file is.
  auto* toFile = dynamic_cast<QPrinter*>(&printer);
  if (toFile && toFile->outputFormat() == QPrinter::PdfFormat && !toFile->outputFileName().isEmpty()) {
    try {
      return writePdfPages(toFile->outputFileName(), toFile->pageLayout(), toFile->resolution(), check,
                           fileNames, allTickets, &progress, first, last);
    } catch (const std::runtime_error& e) {
      Prompter::current().error(QString::fromStdString(e.what()));
      return false;
    }
  }
  return PaintReport(printer, check, fileNames, allTickets, &progress, first, last);
}

void savePdf(QWidget* parent, const LotteryCheck& check) {
  const QString target = askTarget(QStringLiteral("Bericht als PDF speichern"),
                                   QStringLiteral("PDF-Dateien|*.pdf"), QStringLiteral("pdf"));
  if (target.isEmpty()) return;
  try {
    DialogProgress progress(parent);
    if (!writePdf(target, check, ticketFileNames(), allTickets(), &progress)) return;
  } catch (const std::runtime_error& e) {
    Prompter::current().error(QString::fromStdString(e.what()));
    return;
  }
  rememberFolder(target);
}

void saveCsv(const LotteryCheck& check) {
  const QString target = askTarget(QStringLiteral("Als CSV speichern"), QStringLiteral("CSV-Dateien|*.csv"),
                                   QStringLiteral("csv"));
  if (target.isEmpty()) return;
  try {
    writeCsv(target, check);
  } catch (const std::runtime_error& e) {
    Prompter::current().error(QString::fromStdString(e.what()));
    return;
  }
  rememberFolder(target);
}

void addCommands(QWidget* window, QHBoxLayout* row, const LotteryCheck& check) {
  row->addWidget(ticketChoice(window));
  const auto button = [&](const char* name, const QString& caption, auto handler) {
    auto* b = new QPushButton(caption, window);
    b->setObjectName(QString::fromLatin1(name));
    QObject::connect(b, &QPushButton::clicked, window, [handler] { runGuarded(handler); });
    row->addWidget(b);
  };
  button("BDrucken", QStringLiteral("Drucken..."), [window, &check] { showPrintPreview(window, check); });
  button("BPdf", QStringLiteral("Als PDF speichern..."), [window, &check] { savePdf(window, check); });
  button("BCsv", QStringLiteral("Als CSV speichern..."), [&check] { saveCsv(check); });
}

}  // namespace ReportFiles
