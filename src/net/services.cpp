#include "net/services.h"

void ShowUpdateWindow() {}
void OpenDonationPage() {}
void OpenVendorHomePage() {}
void OpenNewNumbersPage(const QString&) {}
