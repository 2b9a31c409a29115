#pragma once

#include <QString>

// Online commands of the main window. Each asks IsOnline first and shows its own German message
// when there is no connection.
void ShowUpdateWindow();                         // opens or brings back the update window FUpdate
void OpenDonationPage();                         // BPay
void OpenVendorHomePage();                       // the advertising picture Image1
void OpenNewNumbersPage(const QString& url);     // BNeueGZ: the winning-numbers page
