// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/update/services.h"

#include <QCursor>
#include <QGuiApplication>
#include <QUrl>

#include "net/online.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"
#include "ui/update/update.h"

namespace {
// Pages are handed to the desktop shell after the connection test; what the shell makes of them is
// not looked at.
void openPage(const QString& url, const QString& offlineMessage) {
  runGuarded([&] {
    OnlineServices& net = OnlineServices::current();
    if (!net.IsOnline()) {
      Prompter::current().information(offlineMessage);
      return;
    }
    net.ShellOpen(url);
  });
}
}  // namespace

void ShowUpdateWindow() {
  runGuarded([] { TFUpdate::showOrRaise(); });
}

void OpenDonationPage() {
  openPage(DonationPageUrl,
           QStringLiteral("Für den Aufruf der PayPal-Seite muss eine Verbindung zum Internet bestehen."));
}

void OpenVendorHomePage() {
  openPage(VendorHomePageUrl,
           QStringLiteral("Für den Aufruf der Glueckshof-Seite muss eine Verbindung zum Internet bestehen."));
}

void OpenNewNumbersPage(const QString& url) {
  runGuarded([&] {
    OnlineServices& net = OnlineServices::current();
    if (!net.IsOnline()) {
      Prompter::current().information(QStringLiteral(
          "Für den Aufruf aktueller Gewinnzahlen muss eine Verbindung zum Internet bestehen."));
      return;
    }
    // The address comes from the settings file, which anyone can edit: only a web page goes to the
    // shell, never a local file or program.
    const QUrl page(url, QUrl::StrictMode);
    const QString scheme = page.scheme().toLower();
    if (!page.isValid() || page.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
      Prompter::current().information(
          QStringLiteral("Die Adresse der Gewinnzahlen-Seite \"%1\" ist keine Internet-Adresse.").arg(url));
      return;
    }
    net.ShellOpen(url);
  });
}

void SetScreenCursor(Qt::CursorShape shape) {
  if (shape == Qt::ArrowCursor) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  } else if (QGuiApplication::overrideCursor()) {
    QGuiApplication::changeOverrideCursor(QCursor(shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(shape));
  }
}
