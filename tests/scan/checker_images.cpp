// SPDX-License-Identifier: GPL-3.0-or-later
// ziehfix-check --from-image, run as a program on generated pictures.
#include <gtest/gtest.h>

#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "scan_pictures/heic.h"
#include "scan_pictures/scan_pictures.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace {

using CheckerRun = ProgramRun;

CheckerRun checker(const QStringList& args, const QString& folder) {
  return RunProgram(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"), args, folder);
}

class CheckerImages : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/images-XXXXXX"};
  void write(const QString& name, const QByteArray& bytes) {
    ASSERT_TRUE(WriteTestFile(dir.filePath(name), bytes));
  }
  // Each named file holds one ticket of the given picture: it is read right or its cells left doubtful.
  void expectOneTicketEach(const QStringList& names, const GeneratedPicture& picture) {
    const CheckerRun run = checker(QStringList{"--from-image", "--format", "json"} + names, dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray tickets = QJsonDocument::fromJson(run.out).object()["tickets"].toArray();
    ASSERT_EQ(tickets.size(), names.size()) << run.out.toStdString();
    for (qsizetype t = 0; t < names.size(); ++t) {
      const QJsonObject ticket = tickets[t].toObject();
      EXPECT_EQ(ticket["image"].toString(), names[t]);
      const QJsonArray doubtful = ticket["doubtful_cells"].toArray();
      EXPECT_LE(doubtful.size(), 2) << names[t].toStdString();
      const QJsonArray rows = ticket["cells"].toArray();
      for (int c = 0; c < 25; ++c) {
        const QString cell = rows[c / 5].toArray()[c % 5].toString();
        EXPECT_EQ(cell, doubtful.contains(c + 1) ? QString() : picture.tickets[0][std::size_t(c)])
            << names[t].toStdString() << " cell " << c + 1;
      }
    }
  }
};

TEST_F(CheckerImages, TicketsOfEveryPictureInOrderWithTheirImageAndDoubtfulCells) {
  PictureRecipe two;
  two.tickets = 2;
  TicketCells doubled;
  for (int c = 0; c < 25; ++c) doubled[std::size_t(c)] = QString::number(c + 1);
  doubled[24] = QStringLiteral("1");  // 1 twice: cells 1 and 25 are doubtful
  two.given = {TicketCells{}, doubled};
  two.given[0] = GeneratePicture(PictureRecipe{}).tickets[0];
  PictureRecipe one;
  one.seed = 5;
  one.jpegQuality = 80;
  const GeneratedPicture first = GeneratePicture(two);
  const GeneratedPicture second = GeneratePicture(one);
  write("a.png", first.bytes);
  write("b.jpg", second.bytes);
  QImage blank(300, 200, QImage::Format_RGB32);
  blank.fill(Qt::white);
  ASSERT_TRUE(blank.save(dir.filePath("leer.png")));

  const CheckerRun run =
      checker({"--from-image", "--format", "json", "a.png", "leer.png", "b.jpg"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(run.out).object();
  const QJsonArray tickets = report["tickets"].toArray();
  ASSERT_EQ(tickets.size(), 3) << run.out.toStdString();
  const char* images[] = {"a.png", "a.png", "b.jpg"};
  const TicketCells truth[] = {first.tickets[0], first.tickets[1], second.tickets[0]};
  for (int t = 0; t < 3; ++t) {
    const QJsonObject ticket = tickets[t].toObject();
    EXPECT_EQ(ticket["image"].toString(), QString::fromLatin1(images[t]));
    QList<int> doubtful;
    for (const QJsonValue& v : ticket["doubtful_cells"].toArray()) doubtful << v.toInt();
    const QJsonArray rows = ticket["cells"].toArray();
    for (int c = 0; c < 25; ++c) {
      const QString cell = rows[c / 5].toArray()[c % 5].toString();
      EXPECT_EQ(cell, doubtful.contains(c + 1) ? QString() : truth[t][std::size_t(c)]) << "ticket " << t + 1;
    }
    if (t == 1) {
      EXPECT_TRUE(doubtful.contains(1));
      EXPECT_TRUE(doubtful.contains(25));
    }
  }
  EXPECT_EQ(report["messages"].toArray(),
            (QJsonArray{
                QJsonObject{{"kind", "warning"}, {"text", "Im Bild „leer.png“ wurde kein Los gefunden."}}}));
}

TEST_F(CheckerImages, ScannersTiffAndWebpAreRead) {
  const GeneratedPicture picture = GeneratePicture(PictureRecipe{});
  ASSERT_TRUE(QImageWriter(dir.filePath("scan.tif"), "tiff").write(picture.image));
  QImageWriter webp(dir.filePath("scan.webp"), "webp");
  webp.setQuality(90);
  ASSERT_TRUE(webp.write(picture.image)) << webp.errorString().toStdString();
  expectOneTicketEach({"scan.tif", "scan.webp"}, picture);
}

TEST_F(CheckerImages, PhonePhotosInHeifAreRead) {
  const GeneratedPicture picture = GeneratePicture(PictureRecipe{});
  const HeifPicture heif = EncodeHeif(picture.image);
  if (heif.bytes.isEmpty()) GTEST_SKIP() << qPrintable(heif.why);
  write("foto." + heif.suffix, heif.bytes);
  expectOneTicketEach({"foto." + heif.suffix}, picture);
}

TEST_F(CheckerImages, ATicketThatMayHaveWonOnADoubtfulCellIsNeverReportedWithoutAWin) {
  // 1 twice: cells 1 and 25 are doubtful. Row 1 holds the drawn 2, 3, 4, 5 besides cell 1.
  PictureRecipe recipe;
  TicketCells cells;
  for (int c = 0; c < 25; ++c) cells[std::size_t(c)] = QString::number(c + 1);
  cells[24] = QStringLiteral("1");
  cells[14] = QStringLiteral("75");  // the last column's numbers in more than one band of fifteen
  recipe.given = {cells};
  write("los.png", GeneratePicture(recipe).bytes);
  QStringList draw{"2", "3", "4", "5"};
  for (int n = 50; n < 68; ++n) draw << QString::number(n);
  const QStringList args{"--from-image", "--numbers-text", draw.join(", "), "los.png"};

  const CheckerRun json = checker(QStringList{"--format", "json"} + args, dir.path());
  const QJsonObject ticket = QJsonDocument::fromJson(json.out).object()["tickets"].toArray()[0].toObject();
  ASSERT_EQ(ticket["doubtful_cells"], (QJsonArray{1, 25})) << json.out.toStdString();
  EXPECT_TRUE(ticket["class"].isNull());
  EXPECT_EQ(ticket["uncertain_lines"], (QJsonArray{1}));
  const CheckerRun csv = checker(QStringList{"--format", "csv"} + args, dir.path());
  EXPECT_EQ(csv.out, "ticket;1 x;2 x;3 x\n1;?;?;?\nGes.:;-;-;-\n");
  const CheckerRun text = checker(args, dir.path());
  EXPECT_TRUE(text.out.contains("\n    1   ?     ?     ?\n")) << text.out.toStdString();
}

TEST_F(CheckerImages, AnUnreadablePictureEndsWithStatusTwoAndItsReason) {
  write("kaputt.jpg", QByteArray("\xff\xd8\xff\xe0 not a picture"));
  // Through the checker, and the reader started on its own without a thread limit, which then
  // starts itself again with one: the arguments must come through both.
  QProcessEnvironment unlimited = QProcessEnvironment::systemEnvironment();
  unlimited.remove("OMP_THREAD_LIMIT");
  // OpenMP prints its settings on standard error when it is loaded: the second start shows the limit.
  unlimited.insert("OMP_DISPLAY_ENV", "true");
  const CheckerRun alone = RunProgram(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check-image"),
                                      {"--from-image", "kaputt.jpg"}, dir.path(), unlimited);
  EXPECT_TRUE(alone.err.contains("OMP_THREAD_LIMIT = '1'")) << alone.err.toStdString();
  for (const CheckerRun& run : {checker({"--from-image", "kaputt.jpg"}, dir.path()), alone}) {
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(run.err).contains("Das Bild „kaputt.jpg“ kann nicht gelesen werden."))
        << run.err.toStdString();
  }
}

}  // namespace
