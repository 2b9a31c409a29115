// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

// Online commands of the main window. Each asks IsOnline first and shows its own German message
// when there is no connection.
void ShowUpdateWindow();                      // opens or brings back the update window FUpdate
void OpenDonationPage();                      // BPay
void OpenVendorHomePage();                    // the advertising picture Image1
void OpenNewNumbersPage(const QString& url);  // BNeueGZ: the winning-numbers page

// The pages they open.
inline const QString DonationPageUrl =
    QStringLiteral("https://www.paypal.com/donate/?hosted_button_id=ZIEHFIXDEMO");
inline const QString VendorHomePageUrl = QStringLiteral("https://www.ziehfix.example/");
inline const QString DefaultNewNumbersUrl = QStringLiteral("https://www.ziehfix.example/gewinnzahlen/");

// The program-wide cursor: any shape but the arrow stays in force over every window of the program
// until the arrow is set again, which drops every cursor set for the whole program.
void SetScreenCursor(Qt::CursorShape shape);
