// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include "ui/main/tickets/ticketaccessible.h"
#include "ui/main/tickets/ticketview.h"

namespace {

const char* const kCaptionProperty = "accessibleCaption";

QString withoutMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return text;
}

// Qt's own button interface presses a tool button synchronously: a click that opens a modal dialog
// then blocks the screen reader's call until the dialog closes. Here every press is queued.
class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(QAbstractButton* b) : QAccessibleWidget(b, QAccessible::Button) {}

  QAbstractButton* button() const { return static_cast<QAbstractButton*>(object()); }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name: {
        const QString name = button()->accessibleName();
        if (!name.isEmpty()) return name;
        const QString caption = withoutMnemonic(button()->text());
        return caption.isEmpty() ? button()->toolTip() : caption;
      }
      case QAccessible::Accelerator:
        return button()->property("shortcutText").toString();
      default:
        return QAccessibleWidget::text(t);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = button()->isCheckable();
    s.checked = button()->isChecked();
    s.pressed = button()->isDown();
    return s;
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) {
      names << pressAction();
      if (button()->isCheckable()) names << toggleAction();
    }
    return names + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != pressAction() && action != toggleAction()) {
      QAccessibleWidget::doAction(action);
      return;
    }
    if (!widget()->isEnabled()) return;
    QTimer::singleShot(0, button(), [b = QPointer<QAbstractButton>(button())] {
      if (b) b->click();
    });
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    const QString keys = button()->property("shortcutText").toString();
    if (action == pressAction() && !keys.isEmpty()) return {keys};
    return QAccessibleWidget::keyBindingsForAction(action);
  }
};

class CaptionedValueAccessible : public QAccessibleWidget {
 public:
  explicit CaptionedValueAccessible(QLabel* l) : QAccessibleWidget(l, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const auto* l = static_cast<const QLabel*>(object());
    const QString caption = l->property(kCaptionProperty).toString();
    return l->text().isEmpty() ? caption : QStringLiteral("%1: %2").arg(caption, l->text());
  }
};

// Only the program's own windows: Qt's dialogs keep Qt's interfaces.
bool inOwnWindow(QWidget* w) {
  return QString::fromLatin1(w->window()->metaObject()->className()).startsWith(QLatin1String("TF"));
}

QAccessibleInterface* factory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  if (className == QLatin1String("TBZahl") || className == QLatin1String("SkinButton"))
    return new ButtonAccessible(static_cast<QAbstractButton*>(w));
  if (className == QLatin1String("QToolButton") && inOwnWindow(w) && !static_cast<QToolButton*>(w)->menu())
    return new ButtonAccessible(static_cast<QAbstractButton*>(w));
  if (className == QLatin1String("QLabel") && w->property(kCaptionProperty).isValid())
    return new CaptionedValueAccessible(static_cast<QLabel*>(w));
  if (className == QLatin1String("TicketView")) return new TicketViewAccessible(static_cast<TicketView*>(w));
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = (QAccessible::installFactory(factory), true);
  Q_UNUSED(installed);
}

void UseOwnAccessibleInterface(QObject* object) {
  InstallAccessibility();
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void SetAccessibleCaption(QLabel* label, const QString& caption) {
  label->setProperty(kCaptionProperty, caption);
  UseOwnAccessibleInterface(label);
}
