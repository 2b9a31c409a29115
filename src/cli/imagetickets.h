// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "core/report.h"

struct CheckOutcome;
struct ScanResult;

// Whether this checker was built with the picture reader.
bool CanReadImages();

// Adds the tickets of each picture, in order, to outcome (with their origins); a picture without a
// ticket adds a warning. Throws std::runtime_error with the German reason when a picture cannot be
// read.
void AddTicketsFromImages(const QStringList& paths, CheckOutcome& outcome);

// The tickets of one picture read already, with their origins; a grid the reader is not sure of has
// all its cells doubtful.
void AddScannedTickets(const QString& path, const ScanResult& scan, CheckOutcome& outcome);
