// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/ticket.h"

// One ticket found in a picture. A cell whose number was doubtful (low confidence, outside 1..75,
// twice on the ticket) is left empty and flagged, so that no wrong number enters in silence.
struct ScannedTicket {
  TicketCells cells;
  std::array<bool, 25> doubtful{};
  bool gridDoubtful = false;  // the grid's geometry is not certain (a row may come from a header, a row
                              // missing, cells cut off); every cell is flagged doubtful too
  QRect place;                // where the grid lies in the picture (its pixels), for the reading order
  int doubtfulCount() const;
};

struct ScanResult {
  std::vector<ScannedTicket> tickets;  // in reading order: rows of tickets top to bottom, left to right
  bool cancelled = false;              // the progress callback asked to stop; tickets is empty then
  int doubtfulCount() const;
};

// Called between the steps of a scan with the steps done and the steps in all (the total can grow
// once the grids are found). Returning false cancels the scan.
using ScanProgress = std::function<bool(int done, int total)>;

// A picture that cannot be read; what() is a German sentence for the user.
class ScanError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Pictures with more pixels than this are scaled down while they are decoded, which bounds the memory
// of a scan whatever the picture's size.
constexpr qint64 kScanMaxPixels = 16'000'000;

// Decodes a picture file (any format Qt reads, orientation from its metadata applied) as 8-bit grey,
// scaled down to at most kScanMaxPixels. Throws ScanError with a German reason.
QImage LoadScanImage(const QString& path);

// Finds and reads every ticket in the picture. Throws ScanError when the digit reader is missing.
ScanResult ScanImage(const QImage& image, const ScanProgress& progress = {});
ScanResult ScanImageFile(const QString& path, const ScanProgress& progress = {});
