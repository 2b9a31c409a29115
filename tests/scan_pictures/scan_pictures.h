// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Generated pictures of tickets for the picture reader's tests and its accuracy benchmark: tickets as
// the main window paints them and in a printed look, laid out on a page, then photographed badly
// (turned, in perspective, shaded, blurred, noisy, JPEG-compressed). Needs a QGuiApplication (fonts).

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/ticket.h"

enum class TicketLook { Program, Printed, PrintedLetterRowInside };

struct PictureRecipe {
  std::uint32_t seed = 1;
  int tickets = 1;
  TicketLook look = TicketLook::Printed;
  QString font = QStringLiteral("DejaVu Sans");
  bool bold = false;
  bool letterRowAbove = false;  // printed look: a row of letters above the columns, outside the grid
  bool freeCentre = false;      // the middle cell is left empty
  double rotation = 0;          // degrees
  double perspective = 0;       // how far the corners move, as a share of the page's size
  double blur = 0;              // 0 none .. 1 strong
  double noise = 0;             // standard deviation of the grain, in grey levels
  double shading = 0;           // darkest share of light lost to the shadow, 0..0.6
  int jpegQuality = 0;          // 0: no JPEG
  int width = 1200;             // of the whole picture
  int height = 900;
  std::vector<TicketCells> given;  // tickets to draw first; the rest are random
};

struct GeneratedPicture {
  QImage image;                      // the picture as decoded from bytes
  QByteArray bytes;                  // encoded (JPEG, or PNG when recipe.jpegQuality is 0)
  std::vector<TicketCells> tickets;  // what is written, in reading order
};

GeneratedPicture GeneratePicture(const PictureRecipe& recipe);

// A varied recipe for picture number index of a set: every look, font and distortion in turn.
// The faces the shape reader learns from, and faces it never sees (for measuring how it copes with type
// it does not know).
QStringList LearntFaces();
QStringList UnknownFaces();
PictureRecipe VariedRecipe(int index, std::uint32_t seed, const QStringList& faces = LearntFaces());
