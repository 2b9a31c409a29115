// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/uebernahme.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "archive/archive.h"
#include "core/evaluation.h"
#include "core/winningnumbers.h"
#include "ui/archiv/archivmodels.h"

namespace {

// Collects the numbers a transfer would choose on the board, and the first fault it reports.
class CollectingTarget : public TransferTarget {
 public:
  ChosenNumbers chosen;
  QString fault;
  void clearAll() override { chosen.clear(); }
  void setFieldText(const QString&) override {}
  void toggle(int n) override {
    if (chosen.toggle(n) == ChosenNumbers::Toggle::LimitReached && fault.isEmpty()) fault = LimitMessage();
  }
  void error(const Fault& f) override {
    if (fault.isEmpty()) fault = FaultText(f);
  }
};

}  // namespace

QList<ImportCandidate> ReadImportCandidates(const QString& folder, Archive& archive) {
  QList<ImportCandidate> out;
  const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.zfgz"), QStringLiteral("*.ZFGZ")},
                                                         QDir::Files | QDir::Readable);
  for (const QFileInfo& info : files) {
    ImportCandidate c;
    c.path = info.absoluteFilePath();
    c.date = info.lastModified().date();
    c.name = info.completeBaseName();
    try {
      CollectingTarget target;
      TransferGZText(ReadWinningNumberFile(c.path), target);
      c.numbers = target.chosen.sorted();
      c.note = target.fault;
      if (c.numbers.isEmpty() && c.note.isEmpty())
        c.note = QStringLiteral("Die Datei enthält keine Gewinnzahlen.");
    } catch (const std::exception& e) {
      c.note = QString::fromUtf8(e.what());
    }
    qint64 id = 0;
    if (!c.numbers.isEmpty() && archive.find(c.date, c.name, id).ok() && id != 0) {
      c.exists = true;
      if (c.note.isEmpty()) c.note = QStringLiteral("schon im Archiv; angehakt wird sie ersetzt");
    }
    out.append(std::move(c));
  }
  std::sort(out.begin(), out.end(), [](const ImportCandidate& a, const ImportCandidate& b) {
    return a.date != b.date ? a.date < b.date : a.name < b.name;
  });
  return out;
}

TFUebernahme::TFUebernahme(const QString& folder, QList<ImportCandidate> candidates, QWidget* parent)
    : QDialog(parent), candidates_(std::move(candidates)) {
  setObjectName(QStringLiteral("FUebernahme"));
  setWindowTitle(QStringLiteral("Gewinnzahlen-Dateien übernehmen"));
  resize(760, 420);
  auto* root = new QVBoxLayout(this);
  auto* hint = new QLabel(QStringLiteral("Gewinnzahlen-Dateien in %1. Jede angehakte Datei wird eine Ziehung "
                                         "mit dem Datum der Datei und ihrem Namen.")
                              .arg(QDir::toNativeSeparators(folder)),
                          this);
  hint->setObjectName(QStringLiteral("LHinweis"));
  hint->setWordWrap(true);
  root->addWidget(hint);
  gDateien_ = new QTableWidget(int(candidates_.size()), 4, this);
  gDateien_->setObjectName(QStringLiteral("GDateien"));
  gDateien_->setAccessibleName(QStringLiteral("Dateien"));
  hint->setBuddy(gDateien_);
  gDateien_->setHorizontalHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Datum"),
                                        QStringLiteral("Zahlen"), QStringLiteral("Hinweis")});
  gDateien_->verticalHeader()->hide();
  gDateien_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  gDateien_->setSelectionBehavior(QAbstractItemView::SelectRows);
  gDateien_->horizontalHeader()->setStretchLastSection(true);
  for (int r = 0; r < candidates_.size(); ++r) {
    const ImportCandidate& c = candidates_[r];
    auto* file = new QTableWidgetItem(QFileInfo(c.path).fileName());
    if (c.numbers.isEmpty()) {
      file->setFlags(file->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
    } else {
      file->setFlags(file->flags() | Qt::ItemIsUserCheckable);
      file->setCheckState(c.exists || !c.note.isEmpty() ? Qt::Unchecked : Qt::Checked);
    }
    gDateien_->setItem(r, 0, file);
    gDateien_->setItem(r, 1, new QTableWidgetItem(c.date.toString(Qt::ISODate)));
    gDateien_->setItem(r, 2, new QTableWidgetItem(NumbersText(c.numbers)));
    gDateien_->setItem(r, 3, new QTableWidgetItem(c.note));
  }
  gDateien_->resizeColumnsToContents();
  root->addWidget(gDateien_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Übernehmen"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BOk"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  root->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QList<ImportCandidate> TFUebernahme::chosen() const {
  QList<ImportCandidate> out;
  for (int r = 0; r < candidates_.size(); ++r)
    if (gDateien_->item(r, 0)->checkState() == Qt::Checked) out.append(candidates_[r]);
  return out;
}
