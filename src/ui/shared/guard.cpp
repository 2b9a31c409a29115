// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/guard.h"

#include <exception>
#include <new>

#include "ui/shared/prompter.h"

QString withFullStop(const QString& text) {
  return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

void showErrorReport(const QString& message) {
  Prompter::current().error(withFullStop(message));
}

bool runGuarded(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const std::bad_alloc&) {
    showErrorReport(QStringLiteral("Nicht genügend Arbeitsspeicher"));
  } catch (const std::exception& e) {
    showErrorReport(QString::fromUtf8(e.what()));
  } catch (...) {
    showErrorReport(QStringLiteral("Unbekannter Fehler"));
  }
  return false;
}
