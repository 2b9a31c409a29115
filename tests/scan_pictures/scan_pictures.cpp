// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_pictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "core/evaluation.h"
#include "ui/main/tickets/ticketview.h"
#include "ui/shared/skinwidgets.h"

namespace {

using Rng = std::mt19937;

double uniform(Rng& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}

// 25 distinct numbers, column c from 15c+1..15c+15 as on most paper tickets.
TicketCells randomTicket(Rng& rng, bool freeCentre) {
  TicketCells cells;
  for (int col = 0; col < 5; ++col) {
    std::vector<int> pool(15);
    std::iota(pool.begin(), pool.end(), col * 15 + 1);
    std::shuffle(pool.begin(), pool.end(), rng);
    for (int row = 0; row < 5; ++row)
      cells[std::size_t(row * 5 + col)] = QString::number(pool[std::size_t(row)]);
  }
  if (freeCentre) cells[12].clear();
  return cells;
}

// The main window's own frame, painted by its ticket view at screen size and then enlarged, as a
// screenshot or a photo of the screen shows it.
QImage programTicket(const TicketCells& cells, int width) {
  LotteryCheck check;
  TicketList list;
  list.append(cells);
  check.addTickets(list);
  TicketView view(check);
  // The main window's font: the view's own default would follow the system's default face.
  InitLook();
  view.setFont(QFont(QStringLiteral("Tahoma"), 8));
  QImage frame(TicketFrameGeometry::kWidth, TicketFrameGeometry::kHeight, QImage::Format_RGB32);
  frame.fill(Qt::white);
  {
    QPainter p(&frame);
    view.paintFrame(p, 0, QPoint(0, 0));
  }
  const int height = width * frame.height() / frame.width();
  return frame.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage printedTicket(const TicketCells& cells, const PictureRecipe& recipe, int width) {
  const double cell = width / 5.0;
  const bool inside = recipe.look == TicketLook::PrintedLetterRowInside;
  const double top = recipe.letterRowAbove || inside ? cell * 0.8 : 0;
  const int height = int(std::lround(top + 5 * cell));
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double line = std::max(1.5, cell / 22);
  p.setPen(QPen(QColor(20, 20, 30), line));
  QFont f(recipe.font);
  f.setBold(recipe.bold);
  f.setPixelSize(std::max(6, int(cell * 0.46)));
  p.setFont(f);
  const QString letters = QStringLiteral("ZIEHF");
  const double gridTop = inside ? 0 : top;
  const QRectF grid(line / 2, gridTop + line / 2, width - line, height - gridTop - line);
  p.drawRect(grid);
  for (int i = 1; i < 5; ++i) p.drawLine(QPointF(i * cell, gridTop), QPointF(i * cell, height));
  const double firstRow = inside ? top : gridTop;
  if (inside) p.drawLine(QPointF(0, top), QPointF(width, top));
  for (int i = 1; i < 5; ++i)
    p.drawLine(QPointF(0, firstRow + i * cell), QPointF(width, firstRow + i * cell));
  if (top > 0)
    for (int c = 0; c < 5; ++c)
      p.drawText(QRectF(c * cell, 0, cell, top), Qt::AlignCenter, letters.mid(c, 1));
  for (int i = 0; i < 25; ++i)
    p.drawText(QRectF((i % 5) * cell, firstRow + (i / 5) * cell, cell, cell), Qt::AlignCenter,
               cells[std::size_t(i)]);
  return img;
}

// Light falling off across the picture, and a soft shadow.
void shade(QImage& img, const PictureRecipe& recipe, Rng& rng) {
  if (recipe.shading <= 0) return;
  QPainter p(&img);
  p.setCompositionMode(QPainter::CompositionMode_Multiply);
  const double a = uniform(rng, 0, 2 * M_PI);
  const QPointF c(img.width() / 2.0, img.height() / 2.0);
  const QPointF d(std::cos(a) * img.width() / 2, std::sin(a) * img.height() / 2);
  QLinearGradient g(c - d, c + d);
  const int dark = int(255 * (1 - recipe.shading));
  g.setColorAt(0, QColor(255, 255, 250));
  g.setColorAt(1, QColor(dark, dark, std::max(0, dark - 10)));
  p.fillRect(img.rect(), g);
  QRadialGradient s(QPointF(uniform(rng, 0, img.width()), uniform(rng, 0, img.height())), img.width() / 3.0);
  const int sd = int(255 * (1 - recipe.shading / 2));
  s.setColorAt(0, QColor(sd, sd, sd));
  s.setColorAt(1, Qt::white);
  p.fillRect(img.rect(), s);
}

void grain(QImage& img, double sigma, Rng& rng) {
  if (sigma <= 0) return;
  std::normal_distribution<float> n(0, float(sigma));
  for (int y = 0; y < img.height(); ++y) {
    auto* px = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const int e = int(n(rng));
      auto c = [e](int v) { return std::clamp(v + e, 0, 255); };
      px[x] = qRgb(c(qRed(px[x])), c(qGreen(px[x])), c(qBlue(px[x])));
    }
  }
}

QImage blurred(const QImage& img, double amount) {
  if (amount <= 0) return img;
  const double f = 1.0 / (1.0 + 2.0 * amount);
  const QImage small = img.scaled(std::max(1, int(img.width() * f)), std::max(1, int(img.height() * f)),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return small.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

GeneratedPicture GeneratePicture(const PictureRecipe& recipe) {
  Rng rng(recipe.seed);
  GeneratedPicture out;
  const int n = std::max(1, recipe.tickets);
  const int cols = n == 1 ? 1 : n <= 4 ? 2 : n <= 9 ? 3 : 4;
  const int rows = (n + cols - 1) / cols;

  // The page: tickets in rows on white paper, a little smaller than the picture so that turning it
  // keeps every ticket inside.
  const double fit = 1.0 / (1.0 + std::sin(std::abs(recipe.rotation) * M_PI / 180) + recipe.perspective * 2);
  const int pageW = int(recipe.width * 0.92 * fit), pageH = int(recipe.height * 0.92 * fit);
  const int slotW = pageW / cols, slotH = pageH / rows;
  const double ticketShape = recipe.look == TicketLook::Program ? 86.0 / 126 : 1.2;
  const int ticketW = std::max(40, int(std::min(slotW * 0.82, slotH * 0.82 / ticketShape)));
  QImage page(pageW, pageH, QImage::Format_RGB32);
  page.fill(QColor(250, 250, 245));
  {
    QPainter p(&page);
    for (int t = 0; t < n; ++t) {
      const TicketCells cells = std::size_t(t) < recipe.given.size() ? recipe.given[std::size_t(t)]
                                                                     : randomTicket(rng, recipe.freeCentre);
      out.tickets.push_back(cells);
      const QImage ticket = recipe.look == TicketLook::Program ? programTicket(cells, ticketW)
                                                               : printedTicket(cells, recipe, ticketW);
      const int x = (t % cols) * slotW + (slotW - ticket.width()) / 2;
      const int y = (t / cols) * slotH + (slotH - ticket.height()) / 2;
      p.drawImage(x, y, ticket);
    }
  }

  // The photo: the page turned and in perspective on a grey table.
  QImage photo(recipe.width, recipe.height, QImage::Format_RGB32);
  const int table = int(uniform(rng, 90, 170));
  photo.fill(QColor(table, table - 5, table - 15));
  {
    QPainter p(&photo);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    const double j = recipe.perspective;
    auto corner = [&](double x, double y) {
      return QPointF(x + uniform(rng, -j, j) * pageW, y + uniform(rng, -j, j) * pageH);
    };
    QPolygonF target{corner(0, 0), corner(pageW, 0), corner(pageW, pageH), corner(0, pageH)};
    QTransform turn;
    turn.translate(recipe.width / 2.0, recipe.height / 2.0);
    turn.rotate(recipe.rotation);
    turn.translate(-pageW / 2.0, -pageH / 2.0);
    target = turn.map(target);
    QTransform t;
    QTransform::quadToQuad(QPolygonF(QRectF(page.rect())), target, t);
    p.setTransform(t);
    p.drawImage(0, 0, page);
  }
  shade(photo, recipe, rng);
  photo = blurred(photo, recipe.blur);
  grain(photo, recipe.noise, rng);

  QBuffer buffer(&out.bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, recipe.jpegQuality > 0 ? "jpeg" : "png");
  if (recipe.jpegQuality > 0) writer.setQuality(recipe.jpegQuality);
  writer.write(photo);
  buffer.close();
  out.image = QImage::fromData(out.bytes);
  return out;
}

QStringList LearntFaces() {
  return {"DejaVu Sans",           "DejaVu Serif",    "DejaVu Sans Mono", "Carlito",
          "DejaVu Sans Condensed", "Liberation Sans", "Liberation Serif"};
}

// Never among the faces the shape reader learns from: kept back for measuring.
QStringList UnknownFaces() {
  return {"Linux Libertine O", "Linux Biolinum O", "Caladea", "Go", "Go Mono", "Charis SIL"};
}

PictureRecipe VariedRecipe(int index, std::uint32_t seed, const QStringList& faces) {
  Rng rng(seed * 7919u + std::uint32_t(index));
  PictureRecipe s;
  s.seed = rng();
  s.tickets = 1 + index % 12;
  s.look = index % 4 == 0   ? TicketLook::Program
           : index % 4 == 3 ? TicketLook::PrintedLetterRowInside
                            : TicketLook::Printed;
  s.font = faces[(index / 4) % faces.size()];
  s.bold = index % 3 == 0;
  s.letterRowAbove = index % 2 == 1;
  s.freeCentre = index % 5 == 2;
  s.rotation = uniform(rng, -15, 15);
  s.perspective = uniform(rng, 0, 0.06);
  s.blur = uniform(rng, 0, 0.6);
  s.noise = uniform(rng, 0, 10);
  s.shading = uniform(rng, 0, 0.5);
  s.jpegQuality = 50 + int(rng() % 46);
  // From a third of a megapixel to twelve; more tickets need more pixels to stay legible.
  const double mp = std::min(12.0, uniform(rng, 0.3, 1.5) * (1 + s.tickets / 2.0));
  s.width = int(std::sqrt(mp * 1e6 * 4 / 3));
  s.height = s.width * 3 / 4;
  return s;
}
