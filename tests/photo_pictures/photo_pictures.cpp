// SPDX-License-Identifier: GPL-3.0-or-later
// What goes into each photo: how many sheets and tickets, in which layout, face, paper and print, on
// which table, turned and bent how far; and the truth that a reader is measured against.
#include "photo_pictures.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "photo_internal.h"

using namespace photo;

namespace {

const char* const kClubs[] = {"TSV Grünwald 1897",       "SV Blau-Weiß Mittelstadt",
                              "Kegelclub Alle Neune",    "Freiwillige Feuerwehr Oberdorf",
                              "Schützenverein Lindenau", "FC Eintracht Talheim",
                              "Seniorentreff Am Markt",  "Chor Harmonie Bergen"};
const char* const kLetterRows[] = {"SPIEL", "KUGEL", "GLÜCK", "ZAHLT", "PREIS", "ABCDE"};

struct Paper {
  const char* name;
  QColor colour;
};
const Paper kPapers[] = {{"white", {248, 248, 244}},  {"white", {240, 242, 245}}, {"cream", {242, 233, 205}},
                         {"yellow", {250, 238, 140}}, {"pink", {246, 204, 216}},  {"blue", {198, 220, 246}},
                         {"green", {204, 236, 198}}};
const QColor kBands[] = {{190, 30, 40},  {30, 70, 160},  {20, 120, 60},
                         {230, 120, 20}, {110, 40, 130}, {0, 110, 120}};

const char* LayoutName(Layout l) {
  switch (l) {
    case Layout::Ruled:
      return "ruled grid";
    case Layout::Boxes:
      return "boxes";
    case Layout::Circles:
      return "circles";
    case Layout::Bare:
      return "numbers alone";
  }
  return "";
}

// The held-out and the unlearnt part use circles; the tuning part only where they are asked for, in
// place of its ruled grids.
Layout PickLayout(Rng& rng, PhotoPart part, bool circles) {
  const double r = Uniform(rng, 0, 1);
  if ((part != PhotoPart::Tuning && r < 0.22) || (circles && r < 0.5)) return Layout::Circles;
  return r < 0.5 ? Layout::Ruled : r < 0.8 ? Layout::Boxes : Layout::Bare;
}

// The held-out part alone lays its sheets on gingham.
Table PickTable(Rng& rng, PhotoPart part) {
  if (part == PhotoPart::HeldOut && Chance(rng, 0.3)) return Table::Gingham;
  return Table(Pick(rng, 3));
}

const char* TableName(Table t) {
  static const char* const kNames[] = {"wood", "granite", "plain desk", "gingham"};
  return kNames[int(t)];
}

TicketStyle RandomStyle(Rng& rng, PhotoPart part, bool circles, const QStringList& faces, double cell,
                        QString* paperName) {
  TicketStyle s;
  s.layout = PickLayout(rng, part, circles);
  s.face = faces[Pick(rng, int(faces.size()))];
  s.bold = Chance(rng, 0.45);
  s.cell = cell;
  s.bandColour = kBands[Pick(rng, int(std::size(kBands)))];
  s.club = QString::fromUtf8(kClubs[Pick(rng, int(std::size(kClubs)))]);
  s.band = Chance(rng, 0.35);
  s.letterRow = Chance(rng, 0.35);
  s.letters = QString::fromUtf8(kLetterRows[Pick(rng, int(std::size(kLetterRows)))]);
  s.footer = Footer(Pick(rng, 4));
  s.freeCentre = Chance(rng, 0.3);
  s.leadingZeros = Chance(rng, 0.25);
  s.backdrop = Chance(rng, 0.4) ? Backdrop(1 + Pick(rng, 4)) : Backdrop::None;
  static const QColor kInks[] = {{15, 15, 15},  {15, 15, 15},  {15, 15, 15},
                                 {20, 30, 110}, {130, 20, 25}, {10, 80, 40}};
  s.ink = kInks[Pick(rng, int(std::size(kInks)))];
  const Paper& paper = Chance(rng, 0.45) ? kPapers[Pick(rng, 2)] : kPapers[2 + Pick(rng, 5)];
  s.paper = paper.colour;
  *paperName = QString::fromUtf8(paper.name);
  return s;
}

cv::Matx33d Similarity(double degrees, QPointF centre, QSizeF size) {
  const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
  const cv::Matx33d toOrigin(1, 0, -size.width() / 2, 0, 1, -size.height() / 2, 0, 0, 1);
  const cv::Matx33d turn(c, -s, centre.x(), s, c, centre.y(), 0, 0, 1);
  return turn * toOrigin;
}

double Area(const QPolygonF& p) {
  double a = 0;
  for (int k = 0; k < p.size(); ++k) {
    const QPointF& u = p[k];
    const QPointF& v = p[(k + 1) % p.size()];
    a += u.x() * v.y() - v.x() * u.y();
  }
  return std::abs(a) / 2;
}

struct Sheet {
  FlatSheet flat;
  SheetPose pose;
  QString layout;
};

}  // namespace

QStringList PhotoTuningFaces() {
  return {"DejaVu Sans",
          "DejaVu Serif",
          "DejaVu Sans Mono",
          "Liberation Sans",
          "Liberation Serif",
          "Liberation Mono",
          "Carlito",
          "C059",
          "P052",
          "URW Bookman",
          "Nimbus Sans",
          "Nimbus Sans Narrow",
          "Nimbus Roman",
          "Nimbus Mono PS",
          "TeX Gyre Schola",
          "TeX Gyre Bonum",
          "TeX Gyre Heros",
          "TeX Gyre Termes",
          "TeX Gyre Pagella",
          "Noto Sans",
          "Noto Serif",
          "Cantarell",
          "Lato",
          "Open Sans",
          "Roboto",
          "Roboto Condensed",
          "FreeSans",
          "FreeSerif",
          "Arimo",
          "Tinos"};
}

QStringList PhotoHeldOutFaces() {
  return {"Linux Libertine O", "Linux Biolinum O", "EB Garamond",       "Caladea",   "Go",
          "Go Mono",           "Charis SIL",       "Accanthis ADF Std", "Bebas Neue"};
}

QStringList PhotoUnlearntFaces() {
  return {"CMU Bright",          "CMU Concrete",       "Oxygen Mono",
          "Open Sans Condensed", "Courier Prime Sans", "B612 Mono",
          "Noto Serif Display",  "Switzera ADF Ext",   "Universalis ADF Std Cond"};
}

QStringList PhotoFaces(PhotoPart part) {
  switch (part) {
    case PhotoPart::Tuning:
      return PhotoTuningFaces();
    case PhotoPart::HeldOut:
      return PhotoHeldOutFaces();
    case PhotoPart::Unlearnt:
      return PhotoUnlearntFaces();
  }
  return {};
}

QStringList MissingPhotoFaces(PhotoPart part) {
  const QStringList have = QFontDatabase::families();
  QStringList missing;
  for (const QString& face : PhotoFaces(part))
    // A face installed twice (OpenType and Type 1) is listed with its foundry: "C059 [urw]".
    if (std::none_of(have.begin(), have.end(), [&](const QString& f) {
          return f == face || f.startsWith(face + QStringLiteral(" ["));
        }))
      missing << face;
  return missing;
}

PhotoPicture GeneratePhoto(PhotoPart part, int index, bool circles) {
  // The parts draw from seeds of their own, so that no picture of one is a picture of the other.
  std::seed_seq seeds{part == PhotoPart::Tuning    ? 0x7e5a1u
                      : part == PhotoPart::HeldOut ? 0x4e1d0u
                                                   : 0x5c0f3u,
                      std::uint32_t(index)};
  Rng rng(seeds);
  const QStringList faces = PhotoFaces(part);
  QStringList what;
  std::vector<Sheet> sheets;
  const bool blank = index % 16 == 15;
  if (blank) {
    QString page;
    Sheet s;
    s.flat.image =
        DrawPageWithoutTicket(rng, int(Uniform(rng, 500, 1500)), faces[Pick(rng, int(faces.size()))],
                              kPapers[Pick(rng, int(std::size(kPapers)))].colour, &page);
    sheets.push_back(s);
    what << QStringLiteral("no ticket: %1").arg(page);
  } else {
    const double kind = Uniform(rng, 0, 1);
    const int count = kind < 0.35 ? 1 : kind < 0.7 ? 1 : 2 + int(Chance(rng, 0.35));
    const double cell = std::exp(Uniform(rng, std::log(30.0), std::log(count > 1 ? 80.0 : 120.0)));
    what << QStringLiteral("cell %1").arg(int(cell));
    for (int k = 0; k < count; ++k) {
      QString paper;
      const TicketStyle style = RandomStyle(rng, part, circles, faces, cell, &paper);
      const int tickets = kind < 0.35 ? 1 : kind < 0.7 ? 2 + Pick(rng, 5) : 1 + Pick(rng, 3);
      Sheet s;
      s.flat = DrawSheet(rng, style, tickets);
      s.layout = QString::fromUtf8(LayoutName(style.layout));
      sheets.push_back(s);
      what << QStringLiteral("%1 x%2, %3%4, %5 paper%6%7%8%9%10")
                  .arg(QString::fromUtf8(LayoutName(style.layout)))
                  .arg(tickets)
                  .arg(style.face)
                  .arg(style.bold ? " bold" : "")
                  .arg(paper)
                  .arg(style.band ? ", band" : "")
                  .arg(style.letterRow ? ", letters" : "")
                  .arg(style.leadingZeros ? ", 07" : "")
                  .arg(style.freeCentre ? ", free centre" : "")
                  .arg(style.backdrop != Backdrop::None ? ", print behind" : "");
    }
  }
  // Sheets side by side or overlapping, all turned by the photo's tilt and a little each.
  const double tilt =
      (Chance(rng, 0.5) ? Uniform(rng, -5, 5) : Uniform(rng, 10, 20) * (Chance(rng, 0.5) ? 1 : -1));
  const bool overlap = sheets.size() > 1 && Chance(rng, 0.5);
  double x = 0;
  for (Sheet& s : sheets) {
    const QSizeF size = s.flat.image.size();
    const double y = Uniform(rng, -0.15, 0.15) * size.height();
    const double a = tilt * M_PI / 180;
    const QPointF centre(x + size.width() / 2, y + size.height() / 2);
    const QPointF turned(centre.x() * std::cos(a) - centre.y() * std::sin(a),
                         centre.x() * std::sin(a) + centre.y() * std::cos(a));
    s.pose.size = size;
    s.pose.toPicture = Similarity(tilt + (sheets.size() > 1 ? Uniform(rng, -6, 6) : 0), turned, size);
    if (Chance(rng, 0.6)) {
      s.pose.barrel = Uniform(rng, 0, 0.03);
      s.pose.lift = Uniform(rng, -0.03, 0.03);
    }
    x += size.width() * (overlap ? Uniform(rng, 0.6, 0.85) : Uniform(rng, 1.05, 1.3));
  }
  QRectF extent;
  for (const Sheet& s : sheets) extent |= s.pose.outline().boundingRect();
  const double fill = Uniform(rng, 0.5, 0.92);
  const bool landscape = extent.width() >= extent.height();
  double w = extent.width() / fill, h = extent.height() / fill;
  if (landscape)
    w = std::max(w, h * 4 / 3), h = w * 3 / 4;
  else
    h = std::max(h, w * 4 / 3), w = h * 3 / 4;
  // Between one and twelve megapixels: a larger scene is photographed from further away.
  double scale = 1;
  if (w * h > 12e6) scale = std::sqrt(12e6 / (w * h));
  // Phones take 1 to 12 megapixels; a larger frame shows more of the table, but the sheets keep at
  // least a third of it.
  const double wanted = std::exp(Uniform(rng, std::log(1e6), std::log(12e6)));
  if (w * h < wanted) {
    const double grow = std::min(std::sqrt(wanted / (w * h)), fill / 0.33);
    if (grow > 1) w *= grow, h *= grow;
  }
  if (w * h < 1e6) {
    const double grow = std::sqrt(1e6 / (w * h));
    w *= grow, h *= grow;
  }
  const cv::Matx33d shrink(scale, 0, 0, 0, scale, 0, 0, 0, 1);
  const cv::Size size(int(w * scale), int(h * scale));
  // Somewhere in the frame; sometimes a sheet runs off its edge.
  QPointF offset((size.width - extent.width() * scale) * Uniform(rng, 0.2, 0.8) - extent.left() * scale,
                 (size.height - extent.height() * scale) * Uniform(rng, 0.2, 0.8) - extent.top() * scale);
  if (sheets.size() > 1 && Chance(rng, 0.25)) {
    offset.rx() += extent.width() * scale * Uniform(rng, 0.1, 0.25);
    what << QStringLiteral("off the edge");
  }
  if (sheets.size() > 1) what << QString::fromLatin1(overlap ? "overlapping" : "side by side");
  const double persp = Chance(rng, 0.7) ? Uniform(rng, 0.005, 0.06) : 0;
  std::vector<cv::Point2f> from = {{0, 0},
                                   {float(size.width), 0},
                                   {float(size.width), float(size.height)},
                                   {0, float(size.height)}},
                           to = from;
  for (cv::Point2f& p : to)
    p += cv::Point2f(float(Uniform(rng, -persp, persp) * size.width),
                     float(Uniform(rng, -persp, persp) * size.height));
  const cv::Matx33d perspective = cv::getPerspectiveTransform(from, to);
  const cv::Matx33d move(1, 0, offset.x(), 0, 1, offset.y(), 0, 0, 1);
  for (Sheet& s : sheets) {
    if (scale < 1) {
      // Drawn again smaller would change its random details; scaling keeps the same sheet.
      s.flat.image = s.flat.image.scaled((QSizeF(s.flat.image.size()) * scale).toSize(),
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      for (FlatTicket& t : s.flat.tickets)
        for (QPointF& p : t.grid) p *= scale;
      const cv::Matx33d grow(1 / scale, 0, 0, 0, 1 / scale, 0, 0, 0, 1);
      s.pose.toPicture = shrink * s.pose.toPicture * grow;
      s.pose.size = s.flat.image.size();
    }
    s.pose.toPicture = perspective * move * s.pose.toPicture;
  }
  const Table table = PickTable(rng, part);
  cv::Mat picture = PaintTable(rng, size, table);
  for (const Sheet& s : sheets) LaySheet(picture, s.flat.image, s.pose);
  PhotoPicture out;
  out.width = size.width;
  out.height = size.height;
  const QRectF frame(1, 1, size.width - 2, size.height - 2);
  for (std::size_t k = 0; k < sheets.size(); ++k)
    for (const FlatTicket& flat : sheets[k].flat.tickets) {
      PhotoTicket t;
      t.numbers = flat.numbers;
      t.layout = sheets[k].layout;
      for (const QPointF& p : flat.grid) t.outline << sheets[k].pose.place(p);
      for (const QPointF& p : t.outline) t.required = t.required && frame.contains(p);
      for (std::size_t above = k + 1; above < sheets.size(); ++above)
        if (Area(t.outline.intersected(sheets[above].pose.outline())) > 1) t.required = false;
      out.tickets.push_back(t);
    }
  // Reading order: rows of tickets from the top, each row from the left. A ticket starts a new row
  // when its centre lies below the first of the current row by more than half a ticket.
  std::sort(out.tickets.begin(), out.tickets.end(), [](const PhotoTicket& a, const PhotoTicket& b) {
    return a.outline.boundingRect().center().y() < b.outline.boundingRect().center().y();
  });
  for (std::size_t first = 0; first < out.tickets.size();) {
    const QRectF head = out.tickets[first].outline.boundingRect();
    std::size_t end = first + 1;
    while (end < out.tickets.size() &&
           out.tickets[end].outline.boundingRect().center().y() - head.center().y() < head.height() / 2)
      ++end;
    std::sort(out.tickets.begin() + long(first), out.tickets.begin() + long(end),
              [](const PhotoTicket& a, const PhotoTicket& b) {
                return a.outline.boundingRect().center().x() < b.outline.boundingRect().center().x();
              });
    first = end;
  }
  const QString effects = Photograph(picture, rng);
  const int quality = int(Uniform(rng, 55, 93));
  out.jpeg = EncodeJpeg(picture, quality);
  what << QStringLiteral("%1 table, tilt %2, perspective %3, curl %4, %5 MP, JPEG %6")
              .arg(QString::fromUtf8(TableName(table)))
              .arg(tilt, 0, 'f', 1)
              .arg(persp, 0, 'f', 3)
              .arg(sheets.front().pose.barrel + std::abs(sheets.front().pose.lift) > 0 ? "yes" : "no")
              .arg(size.width * double(size.height) / 1e6, 0, 'f', 1)
              .arg(quality);
  if (!effects.isEmpty()) what << effects;
  out.description = what.join("; ");
  return out;
}
