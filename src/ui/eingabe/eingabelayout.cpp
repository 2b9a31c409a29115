// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window's two bars.
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
#include "ui/shared/widgetfactory.h"

using namespace entry;

void TFEingabe::buildTopBar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(6);

  closeButton = Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton1"),
                                   QStringLiteral("Fenster schließen"), 0, QSize(92, kBarButtonHeight));
  row->addWidget(closeButton);

  QLabel* title =
      Widgets::SunkenLabel(bar, QStringLiteral("bsSkinLabel1"), QStringLiteral("Eingabe der Loszahlen"));
  title->setAlignment(Qt::AlignCenter);
  title->setFixedWidth(160);
  row->addWidget(title);

  auto* hint = new QLabel(QStringLiteral("Die Loszahlen können z. B. aus einer E-Mail kopiert und in die "
                                         "Textfelder eingefügt werden."),
                          bar);
  hint->setObjectName("Label3");
  hint->setFont(Widgets::FontOf(font(), {QStringLiteral("Tahoma")}, 8, true));
  hint->setWordWrap(true);
  row->addWidget(hint, 1);

#ifdef ZIEHFIX_HAVE_SCAN
  row->addWidget(InstallScanCommands(*this, bar));
#endif
  savePlaceButton =
      Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton8"), QString(), 10,
                         QSize(40, kBarButtonHeight), QStringLiteral("Fensterposition speichern"));
  row->addWidget(savePlaceButton);
  infoButton = Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton7"), QString(), 9,
                                  QSize(40, kBarButtonHeight), QStringLiteral("Programminfo"));
  row->addWidget(infoButton);

  connect(closeButton, &QPushButton::clicked, this, [this] { bsSkinSpeedButton1Click(); });
  connect(savePlaceButton, &QPushButton::clicked, this, [this] { bsSkinSpeedButton8Click(); });
  connect(infoButton, &QPushButton::clicked, this, [this] { bsSkinSpeedButton7Click(); });
}

void TFEingabe::buildSecondBar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 1, 4, 1);
  row->setSpacing(5);

  auto* countLabel = new QLabel(QStringLiteral("Bitte erforderliche Anzahl Lose angeben:"), bar);
  countLabel->setObjectName("Label1");
  countLabel->setFont(Widgets::FontOf(countLabel->font(), {QStringLiteral("Tahoma")}, 8, true));
  countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  countLabel->setWordWrap(true);
  countLabel->setFixedWidth(122);
  row->addWidget(countLabel);

  newTicketCountField = new QLineEdit(QStringLiteral("6"), bar);
  newTicketCountField->setObjectName("eAnz");
  QFont countFont = newTicketCountField->font();
  countFont.setFamilies({QStringLiteral("Arial"), countFont.family()});
  countFont.setPointSize(9);
  countFont.setBold(true);
  newTicketCountField->setFont(countFont);
  newTicketCountField->setAlignment(Qt::AlignCenter);
  newTicketCountField->setFixedSize(36, 20);
  newTicketCountField->installEventFilter(this);
  ForwardFileDrops(newTicketCountField);
  countLabel->setBuddy(newTicketCountField);
  row->addWidget(newTicketCountField);

  auto* checks = new QVBoxLayout;
  checks->setSpacing(0);
  appendTicketsBox = new QCheckBox(QStringLiteral("Neue Lose anhängen"), bar);
  appendTicketsBox->setObjectName("cbDran");
  rebuildTicketsBox = new QCheckBox(QStringLiteral("Lose neu aufbauen"), bar);
  rebuildTicketsBox->setObjectName("cbNeu");
  rebuildTicketsBox->setChecked(true);
  checks->addWidget(appendTicketsBox);
  checks->addWidget(rebuildTicketsBox);
  row->addLayout(checks);
  // Checking one box unchecks the other; both may be unchecked.
  connect(appendTicketsBox, &QCheckBox::toggled, this, [this](bool on) {
    if (on) rebuildTicketsBox->setChecked(false);
  });
  connect(rebuildTicketsBox, &QCheckBox::toggled, this, [this](bool on) {
    if (on) appendTicketsBox->setChecked(false);
  });

  createTicketsButton = Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton2"),
                                           QStringLiteral("Lose erstellen"), 6, QSize(88, kBarButtonHeight));
  openButton = Widgets::BarButton(bar, QStringLiteral("BOpen"), QStringLiteral("Lose einlesen..."), 4,
                                  QSize(92, kBarButtonHeight));
  saveButton = Widgets::BarButton(bar, QStringLiteral("BSave"), QStringLiteral("Lose speichern..."), 11,
                                  QSize(100, kBarButtonHeight));
  row->addWidget(createTicketsButton);
  row->addWidget(openButton);
  row->addWidget(saveButton);

  auto* file = new QVBoxLayout;
  file->setSpacing(0);
  auto* fileCaption = new QLabel(QStringLiteral("Datei"), bar);
  fileCaption->setObjectName("Label2");
  fileLabel = Widgets::SunkenLabel(bar, QStringLiteral("LDatei"), QString());
  SetAccessibleCaption(fileLabel, fileCaption->text());
  fileLabel->setMinimumWidth(60);
  fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  file->addWidget(fileCaption);
  file->addWidget(fileLabel);
  row->addLayout(file, 1);

  deleteTicketsButton = Widgets::BarButton(
      bar, QStringLiteral("BDelLose"), QStringLiteral("Alle Lose löschen"), 1, QSize(90, kBarButtonHeight));
  row->addWidget(deleteTicketsButton);

  connect(createTicketsButton, &QPushButton::clicked, this, [this] { bsSkinSpeedButton2Click(); });
  connect(openButton, &QPushButton::clicked, this, [this] { BOpenClick(); });
  connect(saveButton, &QPushButton::clicked, this, [this] { BSaveClick(); });
  connect(deleteTicketsButton, &QPushButton::clicked, this, [this] { BDelLoseClick(); });
}
