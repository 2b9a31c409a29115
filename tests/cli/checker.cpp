// SPDX-License-Identifier: GPL-3.0-or-later
// The headless checker, run as a program on files in a fresh folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "core/evaluation.h"
#include "core/ticketfile.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace {

using Outcome = ProgramRun;

const QString kDefaultField = "47910161819202324313443444548545866676974";

// One ticket whose first row and first column are drawn by kDraw, and nothing else.
const QByteArray kTwoLineTicket =
    "4,7,9,10,16\r\n1,60,61,62,63\r\n18,64,65,66,67\r\n24,68,69,70,71\r\n45,72,73,74,75\r\n";
const QByteArray kOneLineTicket =
    "1,2,3,4,5\r\n50,51,52,53,54\r\n55,56,57,58,59\r\n60,61,62,63,64\r\n65,66,67,68,69\r\n";
const QByteArray kPlainTicket =
    "1,2,3,4,5\r\n6,7,8,9,10\r\n11,12,13,14,15\r\n16,17,18,19,20\r\n21,22,23,24,25\r\n";
const QString kDraw = "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 45";

class CheckerTest : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/cli-XXXXXX"};

  QString file(const QString& name, const QByteArray& bytes) {
    const QString path = dir.path() + "/" + name;
    EXPECT_TRUE(WriteTestFile(path, bytes)) << path.toStdString();
    return path;
  }

  static Outcome check(const QStringList& args) {
    return RunProgram(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"), args);
  }

  static QJsonObject json(const Outcome& run) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << run.out.toStdString();
    return doc.object();
  }
};

QJsonArray ints(std::initializer_list<int> values) {
  QJsonArray a;
  for (int v : values) a.append(v);
  return a;
}

QJsonArray message(const char* kind, const QString& text) {
  return QJsonArray{QJsonObject{{"kind", kind}, {"text", text}}};
}

TEST_F(CheckerTest, JsonReportsFieldNumbersTicketLinesClassAndTotals) {
  const Outcome run = check({"--format", "json", "--numbers-text", kDraw, file("a.lose", kTwoLineTicket)});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QJsonObject o = json(run);
  EXPECT_EQ(o.keys(), (QStringList{"field_text", "messages", "numbers", "tickets", "totals"}));
  EXPECT_EQ(o["field_text"].toString(), QString(kDraw).replace(", ", "\r\n"));
  EXPECT_EQ(o["numbers"].toArray(),
            ints({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 45}));
  EXPECT_EQ(o["messages"].toArray(), QJsonArray());
  const QJsonArray tickets = o["tickets"].toArray();
  ASSERT_EQ(tickets.size(), 1);
  const QJsonObject t = tickets[0].toObject();
  EXPECT_EQ(t["ticket"].toInt(), 1);
  EXPECT_EQ(t["cells"].toArray()[0].toArray(), (QJsonArray{"4", "7", "9", "10", "16"}));
  EXPECT_EQ(t["cells"].toArray()[4].toArray(), (QJsonArray{"45", "72", "73", "74", "75"}));
  EXPECT_EQ(t["cells"].toArray().size(), 5);
  EXPECT_EQ(t["complete_lines"].toArray(), ints({1, 6}));
  EXPECT_EQ(t["class"].toInt(), 2);
  EXPECT_EQ(o["totals"].toArray(), ints({0, 1, 0}));
}

TEST_F(CheckerTest, DefaultTextChoosesTheTwentyTwoNumbersOfTheDigitRun) {
  const Outcome run = check({"--numbers-text", kDefaultField, file("a.lose", kTwoLineTicket + kPlainTicket)});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.toStdString(),
            "Gewinnzahlen (22): 4 7 9 10 16 18 19 20 23 24 31 34 43 44 45 48 54 58 66 67 69 74\n"
            "\n"
            "  Los  1 x   2 x   3 x\n"
            "    1   x\n"
            "    2   -     -     -\n"
            "Ges.:   1     -     -\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CheckerTest, EachNumberBeyondTheTwentySecondGivesTheLimitInformation) {
  const Outcome run = check({"--format=json", "--numbers-text", kDraw + ", 46, 47"});
  EXPECT_EQ(run.exitCode, 0);
  const QJsonObject o = json(run);
  const QJsonObject limit{{"kind", "information"}, {"text", "Sie haben bereits 22 Gewinnzahlen gewählt."}};
  EXPECT_EQ(o["messages"].toArray(), (QJsonArray{limit, limit}));
  EXPECT_EQ(o["numbers"].toArray().size(), 22);
  EXPECT_FALSE(o["numbers"].toArray().contains(46));
}

TEST_F(CheckerTest, AConversionErrorStopsTheTransferExitsOneAndStillPrints) {
  // Only ", " becomes a line break, so "9,10" is one item.
  const QString text = "1, 2, 3, 4, 5, 6, 7, 8, 9,10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22";
  const QString tickets = file("a.lose", kPlainTicket);
  const Outcome run = check({"--format", "json", "--numbers-text", text, tickets});
  EXPECT_EQ(run.exitCode, 1);
  const QJsonObject o = json(run);
  EXPECT_EQ(o["messages"].toArray(), message("error", "''9,10'' is not a valid integer value."));
  EXPECT_EQ(o["numbers"].toArray(), ints({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(o["tickets"].toArray().size(), 1);

  const Outcome text_run = check({"--numbers-text", text, tickets});
  EXPECT_EQ(text_run.exitCode, 1);
  EXPECT_TRUE(text_run.out.startsWith("Gewinnzahlen (8): 1 2 3 4 5 6 7 8\n")) << text_run.out.toStdString();
  EXPECT_EQ(text_run.err.toStdString(), "Fehler: ''9,10'' is not a valid integer value.\n");
}

TEST_F(CheckerTest, NumbersOutsideTheBoardAreReportedAndSkipped) {
  const Outcome run = check({"--format", "json", "--numbers", file("z.zfgz", "0\r\n5\r\n76\r\n-3\r\n")});
  EXPECT_EQ(run.exitCode, 1);
  const QJsonObject o = json(run);
  // Short texts are read as digit runs: the pieces come from the end of the text.
  EXPECT_TRUE(
      o["messages"].toArray().contains(QJsonObject{{"kind", "error"}, {"text", "Zahl 0 ist ungültig."}}))
      << run.out.toStdString();
  for (const QJsonValue& n : o["numbers"].toArray()) EXPECT_TRUE(n.toInt() >= 1 && n.toInt() <= 75);
}

TEST_F(CheckerTest, ANumbersFileIsDecodedAndItsLineBreaksBecomeCrLf) {
  QByteArray utf16 = "\xFF\xFE";
  const QString lines = QString(kDraw).replace(", ", "\n");
  utf16.append(reinterpret_cast<const char*>(lines.utf16()), lines.size() * 2);
  const Outcome run = check({"--format", "json", "--numbers", file("z.zfgz", utf16)});
  EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
  const QJsonObject o = json(run);
  EXPECT_EQ(o["field_text"].toString(), QString(kDraw).replace(", ", "\r\n"));
  EXPECT_EQ(o["numbers"].toArray().size(), 22);
}

TEST_F(CheckerTest, TicketsAreNumberedAcrossFilesInCommandLineOrder) {
  const QString a = file("a.lose", kPlainTicket);
  const QString b = file("b.lose", kTwoLineTicket + kPlainTicket);
  const Outcome run = check({"--format", "json", "--numbers-text", kDraw, a, b});
  ASSERT_EQ(run.exitCode, 0);
  const QJsonArray tickets = json(run)["tickets"].toArray();
  ASSERT_EQ(tickets.size(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tickets[i].toObject()["ticket"].toInt(), i + 1);
  EXPECT_EQ(tickets[0].toObject()["cells"].toArray()[0].toArray()[0].toString(), "1");
  EXPECT_EQ(tickets[1].toObject()["cells"].toArray()[0].toArray()[0].toString(), "4");
  EXPECT_EQ(tickets[1].toObject()["class"].toInt(), 2);
  EXPECT_EQ(tickets[2].toObject()["cells"].toArray()[0].toArray()[0].toString(), "1");
}

TEST_F(CheckerTest, CsvHasOneRowPerTicketAndTheTotals) {
  const Outcome run = check({"--format", "csv", "--numbers-text", kDraw,
                             file("a.lose", kTwoLineTicket + kOneLineTicket + kPlainTicket)});
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.toStdString(),
            "ticket;1 x;2 x;3 x\n"
            "1;;x;\n"
            "2;x;;\n"
            "3;;;x\n"
            "Ges.:;1;1;1\n");
}

TEST_F(CheckerTest, WithoutArgumentsThereAreNoTicketsAndNoNumbers) {
  const Outcome run = check({"--format", "json"});
  EXPECT_EQ(run.exitCode, 0);
  const QJsonObject o = json(run);
  EXPECT_EQ(o["field_text"].toString(), "");
  EXPECT_EQ(o["numbers"].toArray(), QJsonArray());
  EXPECT_EQ(o["tickets"].toArray(), QJsonArray());
  EXPECT_EQ(o["totals"].toArray(), ints({0, 0, 0}));
  EXPECT_EQ(check({}).out.toStdString(),
            "Gewinnzahlen (0): -\n\n  Los  1 x   2 x   3 x\nGes.:   -     -     -\n");
}

TEST_F(CheckerTest, CellsWithoutANumberGiveTheWarningAndAreEscapedInJson) {
  const QByteArray ticket =
      "\"a\"\"b\\c\",\"\t\x01\",x,\xE2\x82\xAC,5\r\n,,,,\r\n1,2,3,4,5\r\n1,2,3,4,5\r\n1,2,3,4,5\r\n";
  const QString path = file("sonder.lose", ticket);
  const Outcome run = check({"--format", "json", path});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.out.contains("\\u0001")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("\xE2\x82\xAC")) << run.out.toStdString();
  const QJsonObject o = json(run);
  const QJsonArray cells = o["tickets"].toArray()[0].toObject()["cells"].toArray();
  EXPECT_EQ(cells[0].toArray(), (QJsonArray{"a\"b\\c", QString("\t\x01"), "x", QString::fromUtf8("€"), "5"}));
  EXPECT_EQ(cells[1].toArray(), (QJsonArray{" ", " ", " ", " ", " "}));
  const TicketList read = ReadTicketFile(path);
  EXPECT_EQ(o["messages"].toArray(),
            message("warning", InvalidCellsWarning("sonder.lose", read.invalidCellCount())));
}

struct FailureCase {
  const char* name;
  QStringList args;  // "@good" stands for a readable ticket file, "@bad" for a refused one
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class CheckerFailure : public CheckerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CheckerFailure, ExitsTwoWithAReasonAndNothingOnStdout) {
  const QString good = file("gut.lose", kPlainTicket);
  const QString bad = file("kaputt.lose", kPlainTicket + "1,2,3\r\n");
  QStringList args = GetParam().args;
  args.replaceInStrings("@good", good).replaceInStrings("@bad", bad);
  args.replaceInStrings("@missing", dir.path() + "/fehlt.zfgz");
  const Outcome run = check(args);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(run.err.startsWith("ziehfix-check: ")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckerFailure,
    ::testing::Values(FailureCase{"BothNumberOptions",
                                  {"--numbers", "@good", "--numbers-text", "1", "@good"}},
                      FailureCase{"NumbersTextTwice", {"--numbers-text", "1", "--numbers-text", "2"}},
                      FailureCase{"UnknownOption", {"--zahlen", "1"}},
                      FailureCase{"UnknownShortOption", {"-x"}},
                      FailureCase{"OptionWithoutValue", {"@good", "--numbers"}},
                      FailureCase{"UnknownFormat", {"--format", "xml", "@good"}},
                      FailureCase{"MissingNumbersFile", {"--numbers", "@missing", "@good"}},
                      FailureCase{"MissingTicketFile", {"--numbers-text", "1", "@good", "@missing"}},
                      FailureCase{"RefusedTicketFile", {"--format", "json", "@good", "@bad"}},
                      FailureCase{"FolderAsTicketFile", {"--format", "json", "/"}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(CheckerTest, ARefusedTicketFileIsNamedOnStderr) {
  const Outcome run = check({file("kaputt.lose", kPlainTicket + "1,2,3\r\n")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.contains("kaputt.lose")) << run.err.toStdString();
}

TEST_F(CheckerTest, HelpPrintsTheUsageAndSucceeds) {
  const Outcome run = check({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.out.startsWith("Aufruf: ziehfix-check [--numbers DATEI | --numbers-text TEXT]"));
}

TEST_F(CheckerTest, AFileNamedLikeAnOptionIsReadAfterTheDoubleDash) {
  file("-los.lose", kPlainTicket);
  QProcess process;
  process.setWorkingDirectory(dir.path());
  process.start(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"), {"--format", "csv", "--", "-los.lose"});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardOutput(), "ticket;1 x;2 x;3 x\n1;-;-;-\nGes.:;-;-;-\n");
}

TEST_F(CheckerTest, TheShippedExampleShowsOneTicketOfEachClass) {
  const Outcome run = check({"--numbers", ZIEHFIX_SOURCE_DIR "/examples/ziehung.zfgz",
                             ZIEHFIX_SOURCE_DIR "/examples/beispiel.lose"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.toStdString(),
            "Gewinnzahlen (22): 1 2 3 4 5 10 16 17 18 19 20 25 31 32 33 40 46 47 48 61 62 63\n"
            "\n"
            "  Los  1 x   2 x   3 x\n"
            "    1   x\n"
            "    2         x\n"
            "    3               x\n"
            "    4   -     -     -\n"
            "    5   -     -     -\n"
            "    6   -     -     -\n"
            "    7   -     -     -\n"
            "Ges.:   1     1     1\n");
}

TEST_F(CheckerTest, OutputThatCannotBeWrittenIsNoSuccess) {
  QProcess process;
  process.setStandardOutputFile("/dev/full");
  process.start(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"),
                {"--format", "json", file("a.lose", kPlainTicket)});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 2);
  EXPECT_TRUE(process.readAllStandardError().startsWith("ziehfix-check: "));
}

}  // namespace
