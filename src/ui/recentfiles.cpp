// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/recentfiles.h"

#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

#include "common/guard.h"
#include "common/prompter.h"
#include "ui/filehistory.h"

QMenu* BuildRecentTicketsMenu(QWidget* parent, const std::function<void(const QString& path)>& open) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("RecentTickets"));
  menu->setToolTipsVisible(true);
  const QStringList files = FileHistory::recentTicketFiles();
  if (files.isEmpty()) {
    menu->addAction(QStringLiteral("Noch keine Lose-Datei eingelesen"))->setEnabled(false);
    return menu;
  }
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    // The number is the accelerator; '&' in a file name would otherwise become one.
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action = menu->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(name));
    action->setToolTip(path);
    QObject::connect(action, &QAction::triggered, menu, [path, open] {
      runGuarded([&] {
        if (!QFileInfo(path).isFile()) {
          FileHistory::forgetTicketFile(path);
          Prompter::current().information(
              QStringLiteral("Die Lose-Datei „%1“ gibt es nicht mehr. Sie wurde aus der Liste der zuletzt "
                             "verwendeten Dateien entfernt.")
                  .arg(path));
          return;
        }
        open(path);
      });
    });
  }
  return menu;
}

void AttachRecentTicketsMenu(QPushButton* button, std::function<void(const QString& path)> open) {
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(button, &QWidget::customContextMenuRequested, button, [button, open](const QPoint& pos) {
    QMenu* menu = BuildRecentTicketsMenu(button, open);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // popup, not exec: the menu never runs an event loop of its own.
    menu->popup(button->mapToGlobal(pos));
  });
}
