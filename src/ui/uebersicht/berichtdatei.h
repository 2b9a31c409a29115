// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class LotteryCheck;
class QComboBox;
class QHBoxLayout;
class QPageLayout;
class QPagedPaintDevice;
class QWidget;
class ReportProgress;

// The report's commands, shared by the overview window and the main window's Ctrl+P. Settings:
// section "Bericht" (the folder of the last saved file, the ticket choice).
namespace ReportFiles {
// "Nur Gewinner" (false, the default) or "Alle Lose" (true), as last chosen.
bool allTickets();
void setAllTickets(bool all);

// The ticket files as the main window's "LDatei" names them.
QString ticketFileNames();

// The choice "Nur Gewinner" / "Alle Lose", showing and storing the setting.
QComboBox* ticketChoice(QWidget* parent);

// Opens the print preview with Qt's print dialog behind it; non-modal, deleted on close.
void showPrintPreview(QWidget* parent, const LotteryCheck& check);
// Prints pages first..last (1-based; last 0 = to the end) onto printer, one page at a time, with a
// progress dialog over parent for long reports; false when the user cancelled. A printer printing to a
// PDF file writes it through writePdfPages; a failed write is reported and false returned.
bool printReport(QWidget* parent, QPagedPaintDevice& printer, const LotteryCheck& check,
                 const QString& fileNames, bool allTickets, int first = 1, int last = 0);
// Ask for a name, then write the report as PDF or the result table as CSV. Nothing is written when
// the user cancels; a failed write is reported and leaves an existing file as it was.
void savePdf(QWidget* parent, const LotteryCheck& check);
void saveCsv(const LotteryCheck& check);

// The writers behind them, without dialogs: false when progress stopped the PDF (no file then).
// Throw std::runtime_error with a German text when the file cannot be written.
bool writePdf(const QString& path, const LotteryCheck& check, const QString& fileNames, bool allTickets,
              ReportProgress* progress);
// The same on a page layout and resolution of the caller's, pages first..last.
bool writePdfPages(const QString& path, const QPageLayout& layout, int resolution, const LotteryCheck& check,
                   const QString& fileNames, bool allTickets, ReportProgress* progress, int first = 1,
                   int last = 0);
void writeCsv(const QString& path, const LotteryCheck& check);

// The ticket choice and the three buttons "Drucken...", "Als PDF speichern...", "Als CSV speichern...".
void addCommands(QWidget* window, QHBoxLayout* row, const LotteryCheck& check);
}  // namespace ReportFiles
