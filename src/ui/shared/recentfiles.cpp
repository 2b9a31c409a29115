// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/recentfiles.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"

namespace {
void fillMenu(QMenu* menu, const std::function<void(const QString& path)>& open) {
  menu->clear();
  const QStringList files = FileHistory::recentTicketFiles();
  if (files.isEmpty()) {
    menu->addAction(QStringLiteral("Noch keine Lose-Datei eingelesen"))->setEnabled(false);
    return;
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
}

QMenu* newMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("RecentTickets"));
  menu->setToolTipsVisible(true);
  return menu;
}
}  // namespace

QMenu* BuildRecentTicketsMenu(QWidget* parent, const std::function<void(const QString& path)>& open) {
  QMenu* menu = newMenu(parent);
  fillMenu(menu, open);
  return menu;
}

QToolButton* AttachRecentTicketsMenu(QPushButton* button, std::function<void(const QString& path)> open) {
  button->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(button, &QWidget::customContextMenuRequested, button, [button, open](const QPoint& pos) {
    QMenu* menu = BuildRecentTicketsMenu(button, open);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // popup, not exec: the menu never runs an event loop of its own.
    menu->popup(button->mapToGlobal(pos));
  });

  // A right click is found by few; the arrow shows that the list is there.
  auto* arrow = new QToolButton(button->parentWidget());
  arrow->setObjectName(QStringLiteral("BZuletzt"));
  arrow->setArrowType(Qt::DownArrow);
  arrow->setPopupMode(QToolButton::InstantPopup);
  arrow->setToolButtonStyle(Qt::ToolButtonIconOnly);
  arrow->setFixedSize(16, button->height());
  arrow->setFocusPolicy(Qt::TabFocus);
  arrow->setCursor(Qt::PointingHandCursor);
  const QString hint = QStringLiteral("Zuletzt verwendete Lose-Dateien");
  arrow->setToolTip(hint);
  arrow->setAccessibleName(hint);
  QMenu* menu = newMenu(arrow);
  // Filled anew on every opening: the list changes with every file read.
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, open] { fillMenu(menu, open); });
  arrow->setMenu(menu);
  if (auto* row =
          qobject_cast<QBoxLayout*>(button->parentWidget() ? button->parentWidget()->layout() : nullptr)) {
    const int at = row->indexOf(button);
    if (at >= 0) row->insertWidget(at + 1, arrow);
  }
  QWidget::setTabOrder(button, arrow);
  return arrow;
}
