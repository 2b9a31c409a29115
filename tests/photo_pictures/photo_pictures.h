// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Phone photos of printed tickets, for measuring the picture reader on pictures it was not made
// alongside. Drawn from what players' photos look like (sheets on a table, boxes, circles, bands, stubs,
// coloured paper, shadows, curl, JPEG), independently of the program's own ticket painter.
//
// Three parts that share no seed: "tuning" may be looked at and learnt from; "held-out" adds faces that
// no reader may learn from and the gingham table, which the tuning part never uses, and circles, which it
// shows only when asked to (GeneratePhoto's circles). "Unlearnt" lays out its tickets as the held-out
// part does, on the tuning part's tables, in faces the shape reader has not learnt and that are not the
// held-out part's (cuts or relatives of families it learnt: monospaced, condensed, extended, display):
// it may be looked at, to see how the reader does on faces new to it without looking at the held-out
// part.
// Needs a QGuiApplication (fonts).

#include <QByteArray>
#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

enum class PhotoPart { Tuning, HeldOut, Unlearnt };

struct PhotoTicket {
  std::array<int, 25> numbers{};  // row by row from the top; 0 for a free centre
  QPolygonF outline;  // the grid's corners in the picture: top left, top right, bottom right, bottom left
  // False when the ticket is partly outside the picture or under another sheet: a reader may skip it or
  // mark it doubtful, but must not report wrong numbers from it unmarked.
  bool required = true;
  QString layout;  // "ruled grid", "boxes", "circles" or "numbers alone"
};

struct PhotoPicture {
  QByteArray jpeg;  // the photo as a phone stores it
  int width = 0, height = 0;
  std::vector<PhotoTicket> tickets;  // in reading order; empty for a picture without a ticket
  QString description;               // layout, face, paper, table, distortions: for naming failures
};

QStringList PhotoTuningFaces();
QStringList PhotoHeldOutFaces();
QStringList PhotoUnlearntFaces();
// The faces a part's tickets are printed in.
QStringList PhotoFaces(PhotoPart part);
// The faces of the part that the font database lacks; Qt would quietly draw another face in their place.
QStringList MissingPhotoFaces(PhotoPart part);

// Picture number index of a part; the same part and index always give the same picture. Every
// sixteenth picture (index % 16 == 15) holds no ticket: a page of text, a table, a calendar, a barcode.
// circles: the tuning part's pictures with circles in place of its ruled grids, for working on that
// layout with the tuning part's seeds and faces.
PhotoPicture GeneratePhoto(PhotoPart part, int index, bool circles = false);
