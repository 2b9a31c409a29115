// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Scoring what the picture reader made of a photo against the photo's truth.
//
// Each ticket read is matched to the truth ticket and alignment whose numbers agree with the most of
// its unmarked numbers: as printed, or with its rows and columns moved by up to two. At least three
// must agree.
//  - Best as printed: that truth ticket is found (a second read of it counts as invented).
//  - Best only when moved: a shifted ticket, one that does not exist; its truth ticket is not found by it.
//  - Fewer than three agree: when its place covers at least half of a truth ticket not yet found, that
//    ticket is found (read badly or wholly marked); otherwise the ticket is invented.
// On a found ticket each number is right, marked (doubtful), or wrong unmarked (another number, or
// an empty cell not marked). A free centre must not be read as a number.
// Truth tickets that are not required count only their wrong unmarked numbers, if read.

#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "photo_pictures/photo_pictures.h"
#include "scan/scan.h"

struct PhotoScore {
  long pictures = 0;
  long required = 0, found = 0;  // truth tickets that must be found, and found of them
  long numbers = 0, right = 0;   // numbers on required tickets, read right
  long foundNumbers = 0, foundRight = 0, foundMarked = 0, foundWrong = 0;
  long foundInDoubt = 0, inDoubtNumbers = 0;  // required tickets found whose grid is in doubt, their numbers
  long shifted = 0, invented = 0;             // read tickets that do not exist
  long optional = 0, optionalRead = 0, optionalWrong = 0;
  long blankPictures = 0, blankTickets = 0;  // pictures without a ticket, and tickets read on them
  std::vector<double> seconds;
  std::map<QString, std::pair<long, long>> byLayout;  // required tickets found, and in all, per layout

  // Adds one picture; returns a line per fault (empty when the picture was read without fault; marked
  // numbers alone are no fault).
  QStringList add(const PhotoPicture& truth, const ScanResult& read, double seconds);
  // The figures, one per line.
  QString report() const;
};

// The photos of a part at indices, read by the picture reader and scored (for tests).
PhotoScore ScorePhotos(PhotoPart part, const std::vector<int>& indices, bool circles = false);
