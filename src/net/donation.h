// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "net/http_client.h"

// The donation status text held while the program runs. The main window sets it when it is created
// ("0", then the stored "Wach"/"Stand" when that is not empty); fetching never changes it, so a later
// failed fetch shows the start-up value again.
extern QString DonationStand;

// The status file on the download server, and where it is downloaded to (TempDir() + "wachziehfix.txt").
QString DonationStatusUrl();
QString DonationStatusLocalPath();

// Fetches the current status: DonationStand when offline or when the download fails (nothing is
// shown); otherwise the first line of the downloaded file (an empty first line gives an empty text).
// Throws std::runtime_error when the downloaded file holds no line at all. progress goes to the download;
// a TransferCancelled it throws is passed on.
QString FetchDonationStand(const HttpClient::Progress& progress = nullptr);

// The first line of a status file's bytes (byte-order mark honoured, else UTF-8 when valid, else
// Windows-1252, judged on that line alone; a line ends at CR, LF or CR LF), made fit for a one-line
// label and cut to at most 64 characters. Throws std::runtime_error when the bytes hold no line.
QString DonationStandFromBytes(const QByteArray& bytes);

// A text from the server made fit for a one-line display: every line break and other control
// character becomes a blank, so it can neither break the label nor reach the settings file as a
// second line.
QString OneLineText(const QString& text);

// What a status label shows of text, and what the main window stores of it: made one-line and cut to
// at most 64 characters.
QString DonationStandForLabel(const QString& text);

// The refresh of the version check: FetchDonationStand(), or DonationStand when that throws, made fit
// for the label. A cancel (TransferCancelled from progress) is passed on.
QString RefreshedDonationStand(const HttpClient::Progress& progress = nullptr);
