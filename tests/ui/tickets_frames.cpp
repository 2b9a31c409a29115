// Reading ticket files into frames, appending, replacing, refusing and removing them.
#include <QAbstractItemView>
#include "main_fixture.h"

#include "core/ticketfile.h"
#include "ui/resultmodel.h"

namespace {
QList<QStringList> tickets(int count, int first = 1) {
  QList<QStringList> out;
  for (int i = 0; i < count; ++i) out << numberedTicket(first + (i % 3) * 25);
  return out;
}
}  // namespace

class TicketsTest : public MainWindowTest {
 protected:
  QRect frameAt(int n) { return window().LosFrames()[n - 1].rect; }
};

TEST_F(TicketsTest, SevenTicketsFillTheFirstRowAndStartTheSecond) {
  TFMain& w = shown();
  openTickets(writeFile("sieben.lose", ticketFile(tickets(7))));
  EXPECT_EQ(w.LosCount(), 7);
  EXPECT_EQ(w.property("LosCount").toInt(), 7);
  EXPECT_EQ(text("LDatei"), "sieben.lose");
  const int lefts[] = {5, 136, 267, 398, 529};
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(frameAt(n), QRect(lefts[n - 1], 5, 126, 86)) << n;
  EXPECT_EQ(frameAt(6).topLeft(), QPoint(5, 96));
  EXPECT_EQ(frameAt(7).topLeft(), QPoint(136, 96));
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
  EXPECT_EQ(frameAt(4).topLeft(), QPoint(398, 5));
  EXPECT_EQ(frameAt(5).topLeft(), QPoint(529, 5));
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
  EXPECT_EQ(frameAt(1).topLeft(), QPoint(5, 5));
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
  EXPECT_EQ(frameAt(6).topLeft(), QPoint(5, 96));
  for (const QString& cell : w.LosGrids()[5].cells) EXPECT_TRUE(cell.trimmed().isEmpty());
  click("BAuswerten");
  EXPECT_EQ(static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model())->cellText(6, 1), "-");
}
