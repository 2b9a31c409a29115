// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ansage/overviewannounce.h"

#include "ui/shared/widgetfactory.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/ansage/ansage.h"
#include "ui/ansage/drawannouncements.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/guard.h"

void AddAnnouncementControls(QWidget* overview, QVBoxLayout* root, QHBoxLayout* commands,
                             DrawAnnouncements& announcements) {
  auto* line = new QLabel(announcements.lastLine(), overview);
  line->setObjectName(QStringLiteral("LAnsage"));
  line->setWordWrap(true);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  line->setAccessibleDescription(QStringLiteral("Die letzte Ansage, erneuert bei jeder gewählten Zahl"));
  SetAccessibleCaption(line, QStringLiteral("Ansage"));
  line->setVisible(announcements.isOn());
  root->insertWidget(1, line);

  auto* on = new QCheckBox(QStringLiteral("&Ansagen"), overview);
  on->setObjectName(QStringLiteral("cbAnsagen"));
  on->setToolTip(QStringLiteral("Jede gewählte Zahl und neue Gewinner ansagen"));
  on->setChecked(announcements.isOn());
  auto* settings = Widgets::Button(overview, QStringLiteral("BAnsagen"), QStringLiteral("Ansagen..."));
  // Beside "Fehlende Zahlen …", before the stretch that pushes the report's commands to the right.
  commands->insertWidget(1, on);
  commands->insertWidget(2, settings);

  // The main window owns the announcements and may drop them before its children.
  const QPointer<DrawAnnouncements> owner(&announcements);
  QObject::connect(on, &QCheckBox::toggled, overview, [owner](bool checked) {
    runGuarded([&] {
      if (owner) owner->setOn(checked);
    });
  });
  QObject::connect(&announcements, &DrawAnnouncements::onChanged, line, [on, line](bool isOn) {
    const QSignalBlocker quiet(on);
    on->setChecked(isOn);
    if (!isOn) line->clear();
    line->setVisible(isOn);
  });
  // QLabel tells a listening screen reader that its name (caption and text) changed.
  QObject::connect(&announcements, &DrawAnnouncements::announced, line, &QLabel::setText);
  QObject::connect(settings, &QPushButton::clicked, overview, [overview, owner] {
    runGuarded([&] {
      if (!owner) return;
      auto* dialog = new TFAnsage(*owner, overview);
      dialog->setAttribute(Qt::WA_DeleteOnClose);
      // Window-modal without a loop of its own: the draw goes on behind it.
      dialog->open();
    });
  });
}
