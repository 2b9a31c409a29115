// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/archivieren.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/evaluation.h"
#include "ui/archiv/archiv.h"
#include "ui/archiv/programarchive.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"

TFArchivieren::TFArchivieren(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FArchivieren"));
  setWindowTitle(QStringLiteral("Ziehung archivieren"));
  auto* form = new QFormLayout(this);
  deDatum_ = new QDateEdit(QDate::currentDate(), this);
  deDatum_->setObjectName(QStringLiteral("DEDatum"));
  deDatum_->setCalendarPopup(true);
  deDatum_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  eName_ = new QLineEdit(this);
  eName_->setObjectName(QStringLiteral("EName"));
  eName_->setMaxLength(80);
  eName_->setPlaceholderText(QStringLiteral("zum Beispiel Silvester (kann leer bleiben)"));
  form->addRow(QStringLiteral("&Datum der Ziehung:"), deDatum_);
  form->addRow(QStringLiteral("&Name:"), eName_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Archivieren"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BOk"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QDate TFArchivieren::date() const {
  return deDatum_->date();
}

QString TFArchivieren::name() const {
  return eName_->text().trimmed();
}

ArchiveDraw CurrentDraw(const LotteryCheck& check, const QDate& date, const QString& name,
                        const QList<ArchiveFile>& files) {
  ArchiveDraw draw = DrawOfCheck(check, date, name, files);
  LineKernelResult result;
  RunLineKernel(BestLineKernel(), draw.tickets, check.chosen.set(), result);
  draw.classes = std::move(result.classes);
  draw.lines = std::move(result.hits);
  return draw;
}

bool StoreDraw(const ArchiveDraw& draw) {
  Archive* archive = ProgramArchive();
  if (!archive) return false;
  const QString title = DrawTitle(draw.date, draw.name);
  qint64 existing = 0;
  if (!ReportArchiveFault(archive->find(draw.date, draw.name, existing))) return false;
  if (existing != 0 &&
      !Prompter::current().confirm(
          QStringLiteral(
              "Im Archiv gibt es schon die Ziehung %1. Soll sie durch die gezeigte ersetzt werden?")
              .arg(title)))
    return false;
  if (!ReportArchiveFault(archive->store(draw, existing != 0))) return false;
  if (FArchiv) FArchiv->refresh();
  const int n = draw.tickets.count();
  Prompter::current().information(
      n == 0 ? QStringLiteral("Die Ziehung %1 wurde ohne Lose archiviert.").arg(title)
             : QStringLiteral("Die Ziehung %1 wurde mit %2 %3 archiviert.")
                   .arg(title)
                   .arg(n)
                   .arg(n == 1 ? QStringLiteral("Los") : QStringLiteral("Losen")));
  return true;
}

void ArchiveCurrentDraw(QWidget* parent, const LotteryCheck& check, const QList<ArchiveFile>& files) {
  if (check.chosen.count() == 0) {
    Prompter::current().information(
        QStringLiteral("Es sind keine Gewinnzahlen gewählt. Bitte erst die gezogenen Zahlen wählen, dann die "
                       "Ziehung archivieren."));
    return;
  }
  auto* dialog = new TFArchivieren(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, &check, files] {
    runGuarded([&] { StoreDraw(CurrentDraw(check, dialog->date(), dialog->name(), files)); });
  });
  dialog->open();
}
