// SPDX-License-Identifier: GPL-3.0-or-later
// Accuracy and speed of reading tickets from pictures. A set of generated pictures (every look, font
// and distortion of the generator, one to twelve tickets each) is read first and the figures are
// printed: numbers read right, wrong numbers accepted without a mark, tickets found. Then the time to
// read a 12-megapixel photo with six tickets is measured beside a plain reference, decoding the same
// JPEG, and reported as a ratio.
//   bench_scan_accuracy                     300 pictures in the faces the shape reader learnt from,
//                                           100 in faces it never saw, then the timings
//   ZIEHFIX_SCAN_PICTURES=40 bench_scan_accuracy
//   ZIEHFIX_SCAN_SAVE=folder                keeps the pictures that were not read perfectly
//   ZIEHFIX_SCAN_VERBOSE=1                  names them
// Then phone-like photos drawn apart from the program's painter, in two parts: "tuning" (faces and
// looks a reader may learn from) and "held-out" (faces, seeds and the gingham table that no tuning may
// use; its figures are the ones to quote):
//   ZIEHFIX_PHOTO_PART=tuning|heldout       one part only (both by default)
//   ZIEHFIX_PHOTO_PART=circles              the tuning part with circles in place of its ruled grids
//   ZIEHFIX_PHOTO_PICTURES=N                pictures per part (128, of which every 16th holds no ticket)
//   ZIEHFIX_SCAN_SAVE=folder                also keeps photos read with a fault, with their truth
//   ZIEHFIX_SCAN_PICTURES=0                 photos only, without the painter's sets
//   ZIEHFIX_PHOTO_ONLY=N                    photo number N of each part alone, to look into a fault
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <cstdio>

#include "bench_support.h"
#include "photo_pictures/photo_score.h"
#include "scan/digitclassifier.h"
#include "scan/recogniserthreads.h"
#include "scan/scan.h"
#include "scan_pictures/scan_pictures.h"

namespace {

struct Figures {
  long numbers = 0, right = 0, marked = 0, wrongUnmarked = 0, blankRight = 0;
  long tickets = 0, found = 0, extra = 0, pictures = 0, orderWrong = 0, gridsInDoubt = 0;
  qint64 readingMs = 0;
};

void measureAccuracy(const char* title, int count, std::uint32_t seed, const QStringList& faces) {
  std::printf("%s (%s)\n", title, qPrintable(faces.join(", ")));
  for (const QString& face : faces)
    if (!QFontDatabase::families().contains(face))
      std::printf("  missing face %s: Qt draws another in its place\n", qPrintable(face));
  Figures f;
  const QString keep = qEnvironmentVariable("ZIEHFIX_SCAN_SAVE");
  if (!keep.isEmpty()) QDir().mkpath(keep);
  const bool verbose = qEnvironmentVariableIsSet("ZIEHFIX_SCAN_VERBOSE");
  for (int i = 0; i < count; ++i) {
    const PictureRecipe recipe = VariedRecipe(i, seed, faces);
    const GeneratedPicture pic = GeneratePicture(recipe);
    QElapsedTimer clock;
    clock.start();
    const ScanResult got = ScanImage(pic.image);
    f.readingMs += clock.elapsed();
    ++f.pictures;
    f.tickets += long(pic.tickets.size());
    // Each ticket read is compared with the ticket it shows: the one with most cells alike. A ticket
    // not found then costs its own numbers, not those of every ticket after it.
    std::vector<bool> taken(pic.tickets.size(), false);
    std::size_t lastTruth = 0;
    bool perfect = got.tickets.size() == pic.tickets.size();
    f.extra += long(got.tickets.size() > pic.tickets.size() ? got.tickets.size() - pic.tickets.size() : 0);
    for (const ScannedTicket& read : got.tickets) {
      std::size_t best = pic.tickets.size();
      int bestAlike = 0;
      for (std::size_t t = 0; t < pic.tickets.size(); ++t) {
        if (taken[t]) continue;
        int alike = 0;
        for (int c = 0; c < 25; ++c) alike += !read.cells[c].isEmpty() && read.cells[c] == pic.tickets[t][c];
        if (alike > bestAlike) {
          best = t;
          bestAlike = alike;
        }
      }
      // A ticket whose grid is in doubt holds no numbers: it stands for the next one in order.
      if (read.gridDoubtful)
        for (std::size_t t = lastTruth; t < pic.tickets.size() && best == pic.tickets.size(); ++t)
          if (!taken[t]) best = t;
      if (best == pic.tickets.size()) {
        // Read where there is no ticket: every number taken from it is wrong.
        perfect = false;
        for (int c = 0; c < 25; ++c) f.wrongUnmarked += !read.doubtful[c] && !read.cells[c].isEmpty();
        continue;
      }
      taken[best] = true;
      ++f.found;
      f.gridsInDoubt += read.gridDoubtful;
      if (read.gridDoubtful && verbose) std::printf("picture %d ticket %zu: grid in doubt\n", i, best + 1);
      if (best < lastTruth) ++f.orderWrong;
      lastTruth = best;
      const TicketCells& truthCells = pic.tickets[best];
      const std::size_t t = best;
      for (int c = 0; c < 25; ++c) {
        const QString& truth = truthCells[std::size_t(c)];
        if (truth.isEmpty()) {
          // A free cell must stay empty, doubtful or not.
          if (read.cells[c].isEmpty())
            ++f.blankRight;
          else {
            ++f.wrongUnmarked;
            perfect = false;
          }
          continue;
        }
        ++f.numbers;
        if (read.doubtful[c]) {
          ++f.marked;
          perfect = false;
        } else if (read.cells[c] == truth) {
          ++f.right;
        } else {
          ++f.wrongUnmarked;
          perfect = false;
          if (verbose)
            std::printf("picture %d ticket %zu cell %d: %s read as %s\n", i, t + 1, c + 1, qPrintable(truth),
                        qPrintable(read.cells[c]));
        }
      }
    }
    // The numbers of a ticket not found were not read right.
    for (std::size_t t = 0; t < pic.tickets.size(); ++t)
      if (!taken[t]) {
        perfect = false;
        for (const QString& truth : pic.tickets[t]) f.numbers += !truth.isEmpty();
      }
    if (!perfect && verbose)
      std::printf("picture %d: look %d, %s%s, %d tickets, %d found, %.1f MP, rotation %.1f, jpeg %d\n", i,
                  int(recipe.look), qPrintable(recipe.font), recipe.bold ? " bold" : "", recipe.tickets,
                  int(got.tickets.size()), recipe.width * recipe.height / 1e6, recipe.rotation,
                  recipe.jpegQuality);
    if (!perfect && !keep.isEmpty()) {
      QFile out(
          QStringLiteral("%1/picture-%2.%3").arg(keep).arg(i).arg(recipe.jpegQuality > 0 ? "jpg" : "png"));
      if (out.open(QIODevice::WriteOnly)) out.write(pic.bytes);
    }
  }
  std::printf(
      "pictures: %ld, tickets: %ld, found: %ld (%.2f %%), extra grids: %ld, out of order: %ld, "
      "grids in doubt: %ld\n",
      f.pictures, f.tickets, f.found, 100.0 * double(f.found) / double(f.tickets), f.extra, f.orderWrong,
      f.gridsInDoubt);
  std::printf("numbers: %ld, read right: %.3f %%, marked doubtful: %.3f %%, wrong without a mark: %ld\n",
              f.numbers, 100.0 * double(f.right) / double(f.numbers),
              100.0 * double(f.marked) / double(f.numbers), f.wrongUnmarked);
  std::printf("reading time per picture: %.0f ms\n", double(f.readingMs) / double(f.pictures));
  std::fflush(stdout);
}

QString TruthText(const PhotoPicture& pic) {
  QStringList lines{pic.description};
  for (const PhotoTicket& t : pic.tickets) {
    QStringList numbers, corners;
    for (int n : t.numbers) numbers << QString::number(n);
    for (const QPointF& p : t.outline)
      corners << QStringLiteral("%1,%2").arg(p.x(), 0, 'f', 1).arg(p.y(), 0, 'f', 1);
    lines << QStringLiteral("%1 | %2 | %3")
                 .arg(t.required ? "required" : "not required", numbers.join(' '), corners.join(' '));
  }
  return lines.join('\n') + '\n';
}

void measurePhotos(PhotoPart part, int count, bool circles = false) {
  const char* name = circles                      ? "tuning, circles for ruled grids,"
                     : part == PhotoPart::Tuning  ? "tuning"
                     : part == PhotoPart::HeldOut ? "held-out"
                                                  : "unlearnt faces";
  const QStringList faces = PhotoFaces(part);
  std::printf("Photos, %s part (%s)\n", name, qPrintable(faces.join(", ")));
  const QStringList missing = MissingPhotoFaces(part);
  if (!missing.isEmpty()) {
    // Qt would draw another face in their place and the figures would measure the wrong thing.
    std::printf(
        "  WARNING: faces missing (%s); the %s part is not counted. Install them with scripts/deps.sh.\n",
        qPrintable(missing.join(", ")), name);
    std::fflush(stdout);
    return;
  }
  const QString keep = qEnvironmentVariable("ZIEHFIX_SCAN_SAVE");
  if (!keep.isEmpty()) QDir().mkpath(keep);
  PhotoScore score;
  const int only = qEnvironmentVariableIsSet("ZIEHFIX_PHOTO_ONLY")
                       ? qEnvironmentVariableIntValue("ZIEHFIX_PHOTO_ONLY")
                       : -1;
  for (int i = 0; i < count; ++i) {
    if (only >= 0 && i != only) continue;
    const PhotoPicture pic = GeneratePhoto(part, i, circles);
    QElapsedTimer clock;
    clock.start();
    // Decoding counts: a player's photo reaches the reader as a file.
    const ScanResult got = ScanImage(QImage::fromData(pic.jpeg));
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const QStringList faults = score.add(pic, got, seconds);
    if ((faults.isEmpty() && only < 0) || keep.isEmpty()) continue;
    const QString stem = QStringLiteral("%1/photo-%2-%3")
                             .arg(keep, circles                      ? "circles"
                                        : part == PhotoPart::Tuning  ? "tuning"
                                        : part == PhotoPart::HeldOut ? "heldout"
                                                                     : "unlearnt")
                             .arg(i);
    QFile jpeg(stem + ".jpg"), text(stem + ".txt");
    if (jpeg.open(QIODevice::WriteOnly)) jpeg.write(pic.jpeg);
    if (text.open(QIODevice::WriteOnly)) text.write((TruthText(pic) + faults.join('\n') + '\n').toUtf8());
  }
  std::printf("%s\n", qPrintable(score.report()));
  std::fflush(stdout);
}

const GeneratedPicture& sixTicketPhoto() {
  static const GeneratedPicture pic = [] {
    PictureRecipe s;
    s.seed = 6;
    s.tickets = 6;
    s.width = 4000;
    s.height = 3000;
    s.rotation = 8;
    s.perspective = 0.03;
    s.blur = 0.3;
    s.noise = 5;
    s.shading = 0.3;
    s.jpegQuality = 85;
    return GeneratePicture(s);
  }();
  return pic;
}

// Reference: decoding the photo alone, which every reader of the picture has to do.
void BM_Reference_DecodeJpeg12Mp(benchmark::State& state) {
  const QByteArray& bytes = sixTicketPhoto().bytes;
  for (auto _ : state) benchmark::DoNotOptimize(QImage::fromData(bytes).width());
}
BENCHMARK(BM_Reference_DecodeJpeg12Mp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanJpeg12MpSixTickets(benchmark::State& state) {
  const QByteArray& bytes = sixTicketPhoto().bytes;
  ScanImage(QImage::fromData(bytes));  // loads the recogniser's model once, as a running program has
  std::size_t found = 0;
  for (auto _ : state) {
    const ScanResult r = ScanImage(QImage::fromData(bytes));
    found = r.tickets.size();
  }
  state.counters["tickets"] = double(found);
}
BENCHMARK(BM_ScanJpeg12MpSixTickets)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // As the program does: Tesseract on one thread.
  StartWithOneRecogniserThread(argv);
  QApplication app(argc, argv);
  // The glyphs the shape reader compares with are set up on its first use, once per program run: not
  // a picture's reading time.
  DigitShape warm{};
  warm[0] = 1;
  ClassifyDigit(warm);
  const int count = qEnvironmentVariableIsSet("ZIEHFIX_SCAN_PICTURES")
                        ? qEnvironmentVariableIntValue("ZIEHFIX_SCAN_PICTURES")
                        : 300;
  if (count > 0) {
    measureAccuracy("Faces the shape reader learnt from", count, 2026, LearntFaces());
    measureAccuracy("Faces it never saw", std::max(1, count / 3), 2027, UnknownFaces());
  }
  const int photos = qEnvironmentVariableIsSet("ZIEHFIX_PHOTO_PICTURES")
                         ? qEnvironmentVariableIntValue("ZIEHFIX_PHOTO_PICTURES")
                         : 128;
  const QString part = qEnvironmentVariable("ZIEHFIX_PHOTO_PART");
  if (photos > 0 && part == QLatin1String("circles"))
    measurePhotos(PhotoPart::Tuning, photos, true);
  else if (photos > 0 && part == QLatin1String("unlearnt"))
    measurePhotos(PhotoPart::Unlearnt, photos);
  else {
    if (photos > 0 && part != QLatin1String("heldout")) measurePhotos(PhotoPart::Tuning, photos);
    if (photos > 0 && part != QLatin1String("tuning")) measurePhotos(PhotoPart::HeldOut, photos);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
