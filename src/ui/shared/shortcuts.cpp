// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QStringList>
#include <QWidget>

namespace {

// A wrapped caption such as "Gewinn- prüfung" reads as one word in a tooltip; "Textfeld- Transfer"
// keeps its hyphen before the capital.
QString captionAsText(QString caption) {
  for (qsizetype i = caption.indexOf(QStringLiteral("- ")); i >= 0;
       i = caption.indexOf(QStringLiteral("- "), i)) {
    const bool capital = i + 2 < caption.size() && caption.at(i + 2).isUpper();
    caption.remove(capital ? i + 1 : i, capital ? 1 : 2);
  }
  return caption;
}

struct Binding {
  const char* button;
  QList<QKeySequence> keys;
};

void bindAll(QWidget* window, const QList<Binding>& bindings) {
  for (const Binding& b : bindings) {
    auto* button = window->findChild<QAbstractButton*>(QLatin1String(b.button));
    Q_ASSERT(button);
    if (button) AddButtonShortcut(window, button, b.keys);
  }
}

}  // namespace

QString ShortcutText(const QList<QKeySequence>& keys) {
  QStringList parts;
  for (const QKeySequence& k : keys) parts << k.toString(QKeySequence::NativeText);
  return parts.join(QStringLiteral(", "));
}

QAction* AddWindowShortcut(QWidget* window, const QList<QKeySequence>& keys, std::function<void()> handler) {
  auto* action = new QAction(window);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(action, &QAction::triggered, window, [handler = std::move(handler)] { handler(); });
  window->addAction(action);
  return action;
}

QAction* AddButtonShortcut(QWidget* window, QAbstractButton* button, const QList<QKeySequence>& keys) {
  // click() rather than the handler itself: a hidden or disabled button does nothing, as with the mouse.
  QAction* action = AddWindowShortcut(window, keys, [button] {
    if (button->isEnabled() && button->isVisibleTo(button->window())) button->click();
  });
  action->setObjectName(button->objectName() + QStringLiteral("Shortcut"));
  const QString hint = button->toolTip().isEmpty() ? captionAsText(button->text()) : button->toolTip();
  button->setToolTip(QStringLiteral("%1 (%2)").arg(hint, ShortcutText(keys)));
  // Read by the buttons' accessible interface as their key binding.
  button->setProperty("shortcutText", ShortcutText(keys));
  return action;
}

void InstallMainShortcuts(QWidget* w) {
  bindAll(w, {
                 {"BOpen", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
                 {"BOpenGZ", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)}},
                 {"BSaveGZ", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
                 {"BAuswerten", {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return)}},
                 {"bsSkinSpeedButton2", {QKeySequence(Qt::CTRL | Qt::Key_E)}},
                 {"BTransfer", {QKeySequence(Qt::CTRL | Qt::Key_T)}},
                 {"BDelZahlen", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)}},
                 {"BZurueck", {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
                 {"BInfo", {QKeySequence(Qt::Key_F1)}},
                 {"bsSkinSpeedButton1", {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
                 {"BArchivieren", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)}},
                 {"BArchiv", {QKeySequence(Qt::Key_F4)}},
             });
}

void InstallEntryShortcuts(QWidget* w) {
  bindAll(w, {
                 {"bsSkinSpeedButton2", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
                 {"BOpen", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
                 {"BSave", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
             });
  // Closing only hides the entry window, so Escape loses no ticket.
  AddWindowShortcut(w, {QKeySequence(Qt::Key_Escape)}, [w] {
    w->close();
  })->setObjectName(QStringLiteral("EscapeShortcut"));
}

void InstallSnapshotShortcuts(QWidget* w) {
  bindAll(w, {
                 {"bsSkinSpeedButton1", {QKeySequence(Qt::CTRL | Qt::Key_C)}},
                 {"BSave", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
                 {"BClose", {QKeySequence(Qt::Key_Escape)}},
             });
}
