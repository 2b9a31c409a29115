// SPDX-License-Identifier: GPL-3.0-or-later
// The report's files without a window: what the PDF says and shows, cancelling, failed writes.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/evaluation.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "support/test_files.h"
#include "ui/uebersicht/bericht.h"
#include "ui/uebersicht/berichtdatei.h"

namespace {

// Ticket t holds t*3+1 .. in its first row, so each ticket's numbers are its own; the draw completes
// the first row of ticket 2 and the first column of ticket 4.
TicketCells ticketFrom(int first) {
  TicketCells cells;
  for (int i = 0; i < 25; ++i) cells[std::size_t(i)] = QString::number((first + i - 1) % 75 + 1);
  return cells;
}

struct StopAt : ReportProgress {
  int stopPage;
  int seen = 0;
  explicit StopAt(int page) : stopPage(page) {}
  bool pagePainted(int page, int) override {
    seen = page;
    return page < stopPage;
  }
};

QByteArray run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
  }
  return p.readAllStandardOutput();
}

class ReportFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/bericht-XXXXXX"};
  LotteryCheck check;

  void SetUp() override {
    TicketList tickets;
    for (int t = 0; t < 12; ++t) tickets.append(ticketFrom(t * 6 + 1));
    check.addTickets(tickets);
  }
  void draw(std::initializer_list<int> numbers) {
    for (int n : numbers) check.chosen.toggle(n);
    check.evaluate();
  }
  QString path(const QString& name) const { return dir.path() + "/" + name; }
};

TEST_F(ReportFileTest, PdfTextHoldsTheNumbersTheTotalsAndTheWinningTickets) {
  // Ticket 3 starts at 13: its first row is 13..17; ticket 5 starts at 25: its first column 25,30,..
  draw({13, 14, 15, 16, 17, 25, 30, 35, 40, 45});
  const QString pdf = path("b.pdf");
  ASSERT_TRUE(ReportFiles::writePdf(pdf, check, "lose.lose", false, nullptr));
  const QStringList lines = QString::fromUtf8(run("pdftotext", {"-raw", pdf, "-"})).split('\n');
  for (const QString line : {"ZIEHFIX", "Lose: lose.lose", "Gewinnzahlen (10): 13 14 15 16 17 25 30 35 40 45",
                             "1 x: 2 2 x: - 3 x: -", "3 1 x Zeile 1", "5 1 x Spalte 1", "Seite 1 von 1"})
    EXPECT_TRUE(lines.contains(line)) << line.toStdString() << " in\n" << lines.join('\n').toStdString();
  // Only the winners are drawn: ticket 5 ends with 49; ticket 12 (67..) is not drawn.
  const QStringList words = lines.join(' ').split(' ', Qt::SkipEmptyParts);
  EXPECT_TRUE(words.contains("49"));
  EXPECT_FALSE(words.contains("67"));
  EXPECT_TRUE(
      QRegularExpression("^\\d\\d\\.\\d\\d\\.20\\d\\d, \\d\\d:\\d\\d Uhr$").match(lines.value(1)).hasMatch());
}

TEST_F(ReportFileTest, RenderedPageShowsCompleteLinesInTheScreensDarkGreen) {
  const auto greenPixels = [&](const QString& name) {
    const QString pdf = path(name + ".pdf");
    EXPECT_TRUE(ReportFiles::writePdf(pdf, check, {}, true, nullptr));
    run("pdftoppm", {"-r", "60", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, path(name)});
    const QImage page(path(name + ".png"));
    EXPECT_FALSE(page.isNull());
    int count = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor c = page.pixelColor(x, y);
        count += std::abs(c.red() - 0x03) < 16 && std::abs(c.green() - 0xC2) < 16 &&
                 std::abs(c.blue() - 0x33) < 16;
      }
    return count;
  };
  draw({13, 14, 15, 16});
  EXPECT_EQ(greenPixels("near"), 0) << "four of five is no complete line";
  draw({17});
  EXPECT_GT(greenPixels("line"), 5 * 40) << "five cells of about 12 x 9 pixels";
}

TEST_F(ReportFileTest, AllTicketsFillPagesWithWholeRowsOfTickets) {
  TicketList more;
  for (int t = 0; t < 400; ++t) more.append(ticketFrom(t));
  check.addTickets(more);
  draw({1});
  const ReportLayout layout(check, true, 900);
  ASSERT_GT(layout.pageCount(), 5);
  EXPECT_EQ(layout.drawn().size(), 412u);
  for (int p = 1; p < layout.pageCount(); ++p)
    EXPECT_EQ(layout.page(p).ticketRow - layout.page(p - 1).ticketRow, p == 1 ? 8 : 9) << "page " << p;
  EXPECT_EQ(ReportLayout(check, false, 900).pageCount(), 1);
}

TEST_F(ReportFileTest, CancellingLeavesNoNewFileAndTheOldOneAsItWas) {
  TicketList more;
  for (int t = 0; t < 200; ++t) more.append(ticketFrom(t));
  check.addTickets(more);
  draw({1});
  StopAt stop(2);
  EXPECT_FALSE(ReportFiles::writePdf(path("neu.pdf"), check, {}, true, &stop));
  EXPECT_EQ(stop.seen, 2);
  EXPECT_FALSE(QFile::exists(path("neu.pdf")));

  ASSERT_TRUE(WriteTestFile(path("alt.pdf"), "old"));
  StopAt early(1);
  EXPECT_FALSE(ReportFiles::writePdf(path("alt.pdf"), check, {}, true, &early));
  EXPECT_EQ(ReadTestFile(path("alt.pdf")), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"alt.pdf"}) << "no temporary file stays";
}

TEST_F(ReportFileTest, AFolderThatCannotBeWrittenGivesTheMessageAndKeepsTheOldFile) {
  // A path below a regular file fails for root too.
  ASSERT_TRUE(WriteTestFile(path("datei"), "x"));
  for (const QString ext : {"pdf", "csv"}) {
    const QString target = path("datei/b.") + ext;
    try {
      if (ext == "pdf")
        ReportFiles::writePdf(target, check, {}, false, nullptr);
      else
        ReportFiles::writeCsv(target, check);
      ADD_FAILURE() << "no error for " << ext.toStdString();
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(QString::fromStdString(e.what()),
                "Die Datei „" + QDir::toNativeSeparators(target) + "“ konnte nicht geschrieben werden.");
    }
  }
  if (geteuid() == 0)
    GTEST_SKIP() << "running as root: a read-only folder does not stop writing; root has the case above";
  ASSERT_TRUE(QDir().mkpath(path("ro")));
  ASSERT_TRUE(WriteTestFile(path("ro/b.csv"), "old"));
  QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_THROW(ReportFiles::writeCsv(path("ro/b.csv"), check), std::runtime_error);
  EXPECT_EQ(ReadTestFile(path("ro/b.csv")), "old");
  QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The print dialog's "print to file": the pages chosen go into the file, which is written as every
// other file is; one that cannot be written is named in a message rather than left cut short.
TEST_F(ReportFileTest, PrintingToAFileWritesTheChosenPagesOrSaysWhyNot) {
  TicketList more;
  for (int t = 0; t < 200; ++t) more.append(ticketFrom(t));
  check.addTickets(more);
  draw({1});
  ScriptedPrompter prompter;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path("druck.pdf"));
  ASSERT_TRUE(ReportFiles::printReport(nullptr, printer, check, {}, true, 2, 3));
  const QByteArray info = run("pdfinfo", {path("druck.pdf")});
  EXPECT_TRUE(info.simplified().contains("Pages: 2 ")) << info.toStdString();

  ASSERT_TRUE(WriteTestFile(path("datei"), "x"));
  printer.setOutputFileName(path("datei/b.pdf"));
  EXPECT_FALSE(ReportFiles::printReport(nullptr, printer, check, {}, true, 2, 3));
  EXPECT_EQ(prompter.texts(), QStringList{"Die Datei „" + QDir::toNativeSeparators(path("datei/b.pdf")) +
                                          "“ konnte nicht geschrieben werden."});
}

}  // namespace
