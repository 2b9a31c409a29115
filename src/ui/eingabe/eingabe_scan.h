// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class QMimeData;
class QPushButton;
class QWidget;
class TFEingabe;
struct ScanResult;

// Tickets from a photo or a scan for the entry window: every ticket found becomes a frame appended at
// the end, its doubtful cells marked until the user types into them (every cell of a grid the reader
// is not sure of); one message sums up.
// A picture without a ticket, a damaged file or a cancelled reading changes nothing.

// The top bar's button "Aus Bild einlesen..." (asks for a picture file) and Ctrl+V with a picture on
// the clipboard; returns the button, which the caller places.
QPushButton* InstallScanCommands(TFEingabe& window, QWidget* bar);

// Reads the tickets of the picture file at path into the window (also for pictures dropped on it).
void ReadTicketsFromImageFile(TFEingabe& window, const QString& path);
// The same for a picture in memory (from the clipboard); name is used in messages.
void ReadTicketsFromImage(TFEingabe& window, const QImage& image);

// Appends the tickets of a finished reading and sums them up: a grid the reader is not sure of has
// every cell marked and is named in the summary. A cancelled reading adds nothing.
void AddScannedTickets(TFEingabe& window, const ScanResult& result);

// The file dialog's filter: every picture format the reader reads here.
QString ScanImageFilter();
// The picture on the clipboard as the reader takes it, scaled down like a loaded one; null if there
// is none.
QImage PastedPicture(const QMimeData* data);
