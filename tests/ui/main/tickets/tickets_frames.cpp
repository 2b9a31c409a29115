// SPDX-License-Identifier: GPL-3.0-or-later
// Reading ticket files into frames, appending, replacing, refusing and removing them.
#include <QAbstractItemView>
#include <QPainter>
#include "ui/main/main_fixture.h"

#include "core/ticketfile.h"
#include "ui/main/resultmodel.h"

namespace {
QList<QStringList> tickets(int count, int first = 1) {
  QList<QStringList> out;
  for (int i = 0; i < count; ++i) out << numberedTicket(first + (i % 3) * 25);
  return out;
}
const QColor kBevelShadow(0x8A, 0x91, 0x88);

// Whether a frame's lowered outer bevel starts at p: a shadow corner with no shadow left of or above
// it, and the shadow running along the top and the left edge.
bool bevelCornerAt(const QImage& image, int x, int y) {
  const auto shadow = [&](int px, int py) {
    return image.rect().contains(px, py) && image.pixelColor(px, py) == kBevelShadow;
  };
  return shadow(x, y) && !shadow(x - 1, y) && !shadow(x, y - 1) && shadow(x + 124, y) && shadow(x, y + 84);
}

// Ink of the ticket number: the light green text and its blend with the dark panel.
QRect inkBox(const QImage& image, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() >= 40 && c.green() - c.red() >= 60) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// The dark green of the number panel within the frame's left strip.
QRect panelBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < 86; ++y)
    for (int x = 0; x < 20; ++x)
      if (image.pixelColor(x, y) == QColor(0x00, 0x64, 0x00)) box |= QRect(x, y, 1, 1);
  return box;
}
}  // namespace

class TicketsTest : public MainWindowTest {
 protected:
  // Top left corner of frame n as painted in the visible ticket area.
  QPoint frameAt(int n) {
    QApplication::processEvents();
    const QImage image = window().ticketView()->viewport()->grab().toImage();
    QList<QPoint> corners;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (bevelCornerAt(image, x, y)) corners << QPoint(x, y);
    return n - 1 < corners.size() ? corners[n - 1] : QPoint(-1, -1);
  }
  QImage frameImage(int index) {
    QImage image(126, 86, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    window().ticketView()->paintFrame(p, index, QPoint(0, 0));
    return image;
  }
};

TEST_F(TicketsTest, SevenTicketsFillTheFirstRowAndStartTheSecond) {
  TFMain& w = shown();
  openTickets(writeFile("sieben.lose", ticketFile(tickets(7))));
  EXPECT_EQ(w.LosCount(), 7);
  EXPECT_EQ(w.property("LosCount").toInt(), 7);
  EXPECT_EQ(text("LDatei"), "sieben.lose");
  const int lefts[] = {5, 136, 267, 398, 529};
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(frameAt(n), QPoint(lefts[n - 1], 5)) << n;
  EXPECT_EQ(frameAt(6), QPoint(5, 96));
  EXPECT_EQ(frameAt(7), QPoint(136, 96));
  EXPECT_EQ(w.LosFrames()[5].name, "EinfrLos6");
  EXPECT_EQ(w.LosFrames()[6].number, 7);
  EXPECT_EQ(w.LosGrids()[6].tag, 7);
  EXPECT_EQ(w.LosGrids()[1].cell(0, 0), "26");
  EXPECT_EQ(w.LosGrids()[1].cell(4, 4), "50");
  ASSERT_EQ(prompter.dialogs.size(), 1);
  const auto& d = prompter.dialogs[0];
  EXPECT_EQ(d.title, "Lose-Dateien einlesen");
  EXPECT_EQ(d.filter, "Lose-Dateien|*.lose");
  EXPECT_EQ(d.defaultSuffix, "lose");
  EXPECT_EQ(d.folder, TicketsDir());
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(TicketsTest, WithoutRebuildingNewTicketsAreAppendedBehindTheShownOnes) {
  TFMain& w = shown();
  openTickets(writeFile("drei.lose", ticketFile(tickets(3))));
  QTest::mouseClick(child<QCheckBox>("cbDran"), Qt::LeftButton);
  openTickets(writeFile("zwei.lose", ticketFile(tickets(2, 51))));
  EXPECT_EQ(w.LosCount(), 5);
  EXPECT_EQ(frameAt(4), QPoint(398, 5));
  EXPECT_EQ(frameAt(5), QPoint(529, 5));
  EXPECT_EQ(w.LosFrames()[4].name, "EinfrLos5");
  EXPECT_EQ(w.LosGrids()[3].cell(0, 0), "51");
  EXPECT_EQ(text("LDatei"), "zwei.lose");
}

TEST_F(TicketsTest, RebuildingReplacesAllTicketsAndNumbersFromOneAgain) {
  TFMain& w = shown();
  openTickets(writeFile("drei.lose", ticketFile(tickets(3))));
  openTickets(writeFile("zwei.lose", ticketFile(tickets(2, 51))));
  EXPECT_EQ(w.LosCount(), 2);
  EXPECT_EQ(w.LosFrames()[0].name, "EinfrLos1");
  EXPECT_EQ(frameAt(1), QPoint(5, 5));
  EXPECT_EQ(w.LosGrids()[0].cell(0, 0), "51");
}

TEST_F(TicketsTest, ACancelledDialogOrARefusedFileLeavesTheWindowAsItWas) {
  TFMain& w = shown();
  openTickets(writeFile("drei.lose", ticketFile(tickets(3))));
  click("BOpen");  // cancelled: no answer queued
  openTickets(writeFile("kaputt.lose", "1,2,3,4,5\r\n6,7,8,9,10\r\n"));
  openTickets(filePath("fehlt.lose"));
  EXPECT_EQ(w.LosCount(), 3);
  EXPECT_EQ(text("LDatei"), "drei.lose");
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_TRUE(prompter.messages[0].text.contains("kaputt.lose")) << prompter.messages[0].text.toStdString();
  EXPECT_EQ(prompter.messages[1].kind, "error");
  EXPECT_TRUE(prompter.messages[1].text.startsWith("Cannot open file"))
      << prompter.messages[1].text.toStdString();
}

TEST_F(TicketsTest, CellsWithoutANumberAreReportedOnceWithAWarning) {
  TFMain& w = shown();
  QList<QStringList> file = tickets(2);
  file[0][1] = "6,sieben,8,9,10";
  file[1][4] = "x,y,23,24,25";
  openTickets(writeFile("fehler.lose", ticketFile(file)));
  EXPECT_EQ(w.LosCount(), 2);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "warning");
  EXPECT_EQ(prompter.messages[0].text, InvalidCellsWarning("fehler.lose", 3));
  EXPECT_EQ(w.LosGrids()[0].cell(1, 1), "sieben") << "the text is kept as read";
}

TEST_F(TicketsTest, RemovingAllTicketsKeepsTheResultsAndTheChosenNumbers) {
  TFMain& w = shown();
  openTickets(writeFile("drei.lose", ticketFile(tickets(3))));
  clickNumber(1);
  auto* model = static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model());
  EXPECT_EQ(model->gridRowCount(), 4);
  click("BDelLose");
  EXPECT_EQ(w.LosCount(), 0);
  EXPECT_TRUE(text("LDatei").isEmpty());
  EXPECT_EQ(model->gridRowCount(), 4);
  EXPECT_EQ(w.check().chosen.count(), 1);
  click("BAuswerten");
  EXPECT_EQ(model->gridRowCount(), 4) << "an evaluation without tickets changes nothing";
  openTickets(writeFile("eins.lose", ticketFile(tickets(1))));
  click("BAuswerten");
  EXPECT_EQ(model->gridRowCount(), 2) << "the old rows 2 and 3 are gone";
}

TEST_F(TicketsTest, ReadingTicketsRunsNoEvaluation) {
  shown();
  clickNumber(1);
  openTickets(writeFile("eins.lose", ticketFile(tickets(1))));
  auto* model = static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model());
  EXPECT_EQ(model->gridRowCount(), 40);
}

TEST_F(TicketsTest, ABuiltFrameIsAnEmptyTicketBehindTheOthers) {
  TFMain& w = shown();
  openTickets(writeFile("fuenf.lose", ticketFile(tickets(5))));
  w.LosBauen();
  EXPECT_EQ(w.LosCount(), 6);
  EXPECT_EQ(w.LosFrames()[5].name, "EinfrLos6");
  EXPECT_EQ(frameAt(6), QPoint(5, 96));
  for (const QString& cell : w.LosGrids()[5].cells) EXPECT_TRUE(cell.trimmed().isEmpty());
  click("BAuswerten");
  EXPECT_EQ(static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model())->cellText(6, 1), "-");
}

TEST_F(TicketsTest, TicketNumbersUpToSixDigitsArePaintedWholeAtTheSizeOfShortOnes) {
  TFMain& w = shown();
  openTickets(writeFile("viele.lose", ticketFile(tickets(1176))));
  ASSERT_EQ(w.LosCount(), 1176);
  const QImage shortNumber = frameImage(2);
  const QRect square = panelBox(shortNumber);
  EXPECT_EQ(square, QRect(2, 2, 18, 18));
  const int glyphHeight = inkBox(shortNumber, square).height();
  ASSERT_GT(glyphHeight, 5);

  // The number as one line across, in the panel's font: what the turned number must match.
  const auto inkLength = [](const QString& text) {
    QImage line(200, 30, QImage::Format_RGB32);
    line.fill(QColor(0x00, 0x64, 0x00));
    QPainter p(&line);
    p.setFont(TicketView::numberFont());
    p.setPen(QColor(0xB0, 0xFF, 0xB0));
    p.drawText(line.rect(), Qt::AlignCenter, text);
    p.end();
    return inkBox(line, line.rect()).width();
  };
  for (int number : {1176, 99999, 999999}) {
    QImage image = frameImage(1175);
    if (number != 1176) {
      QPainter p(&image);
      TicketView::paintNumberPanel(p, QPoint(0, 0), number);
    }
    const QRect panel = panelBox(image);
    EXPECT_EQ(panel.topLeft(), square.topLeft()) << number;
    EXPECT_EQ(panel.width(), square.width()) << number;
    EXPECT_LE(panel.bottom(), 82) << number << " stays inside the strip";
    const QRect ink = inkBox(image, panel);
    EXPECT_TRUE(panel.adjusted(1, 1, -1, -1).contains(ink)) << number << " is cut at the panel's edge";
    EXPECT_NEAR(ink.height(), inkLength(QString::number(number)), 1) << number;
    EXPECT_NEAR(ink.width(), glyphHeight, 1) << number << " is shrunk";
    // Size, grid and position of the frame stay: everything right of the strip is unchanged.
    EXPECT_EQ(image.copy(20, 0, 106, 86), shortNumber.copy(20, 0, 106, 86)) << number;
  }
}

TEST_F(TicketsTest, AnEmptyFileIsReportedAndChangesNothingWhileFiveEmptyLinesAreOneBlankTicket) {
  TFMain& w = shown();
  openTickets(writeFile("drei.lose", ticketFile(tickets(3))));
  openTickets(writeFile("leer.lose", ""));
  EXPECT_EQ(w.LosCount(), 3);
  EXPECT_EQ(text("LDatei"), "drei.lose");
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "warning");
  EXPECT_EQ(prompter.messages[0].text, "Die Datei „leer.lose“ enthält keine Lose.");
  openTickets(writeFile("blank.lose", "\r\n\r\n\r\n\r\n\r\n"));
  EXPECT_EQ(w.LosCount(), 1);
  EXPECT_EQ(text("LDatei"), "blank.lose");
  EXPECT_EQ(prompter.messages.size(), 1);
}
