// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces of the photo generator: printed sheets drawn flat, then laid on a table and photographed.

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QString>
#include <array>
#include <opencv2/core.hpp>
#include <random>
#include <vector>

namespace photo {

using Rng = std::mt19937;
inline double Uniform(Rng& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}
inline int Pick(Rng& rng, int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(rng);
}
inline bool Chance(Rng& rng, double p) {
  return Uniform(rng, 0, 1) < p;
}

enum class Layout { Ruled, Boxes, Circles, Bare };
enum class Backdrop { None, Watermark, Dots, Hatching, Logo };
enum class Footer { None, Barcode, Serial, Stub };

struct TicketStyle {
  Layout layout = Layout::Ruled;
  QString face;
  bool bold = false;
  double cell = 60;  // pixels of one cell's side, flat on the sheet
  bool band = false;
  QColor bandColour;
  QString club;
  bool letterRow = false;
  QString letters;  // five letters, one above each column
  Footer footer = Footer::None;
  bool freeCentre = false;
  bool leadingZeros = false;
  Backdrop backdrop = Backdrop::None;
  QColor ink = Qt::black;
  QColor paper = Qt::white;
};

struct FlatTicket {
  std::array<int, 25> numbers{};
  QPolygonF grid;  // corners on the sheet
};

struct FlatSheet {
  QImage image;  // ARGB32_Premultiplied, opaque paper
  std::vector<FlatTicket> tickets;
};

// A sheet holding count tickets (1..6) in rows and columns, each with numbers of its own.
FlatSheet DrawSheet(Rng& rng, const TicketStyle& style, int count);
// A printed page without a ticket on it, of about the given width: text, a table, a calendar or a label
// with a barcode. what names it.
QImage DrawPageWithoutTicket(Rng& rng, int width, const QString& face, QColor paper, QString* what);

// The table and the photo, in picture pixels (8-bit BGRA).
enum class Table { Wood, Granite, Plain, Gingham };
cv::Mat PaintTable(Rng& rng, cv::Size size, Table kind);

// Where a flat sheet lies in the picture: bent at its edges (a smooth warp in sheet pixels), then
// carried into the picture by a homography (turn, place, perspective).
struct SheetPose {
  cv::Matx33d toPicture = cv::Matx33d::eye();
  QSizeF size;
  double barrel = 0;                // share of the width the side edges bow in by at the top and bottom
  double lift = 0;                  // share of the height the side edges rise by
  QPointF curled(QPointF p) const;  // a sheet point moved by the bend, still in sheet pixels
  QPointF place(QPointF p) const;   // a sheet point in the picture
  QPolygonF outline(int pointsPerSide = 8) const;
};
// Lays the sheet on the picture with a faint shadow beneath it.
void LaySheet(cv::Mat& picture, const QImage& sheet, const SheetPose& pose);

// Uneven light, the shadow of a hand or phone, blur, grain; returns what was done, for the description.
QString Photograph(cv::Mat& picture, Rng& rng);
QByteArray EncodeJpeg(const cv::Mat& picture, int quality);

}  // namespace photo
