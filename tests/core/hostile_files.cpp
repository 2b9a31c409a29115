// SPDX-License-Identifier: GPL-3.0-or-later
// Files from elsewhere that no ticket or winning-number reader may choke on: garbage, NUL bytes,
// broken encodings, endless devices, huge files, folders in place of files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <stdexcept>

#include "core/text.h"
#include "core/ticketfile.h"
#include "core/winningnumbers.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace {

class HostileFiles : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/hostile-XXXXXX"};

  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.path() + "/" + name;
    EXPECT_TRUE(WriteTestFile(path, bytes)) << path.toStdString();
    return path;
  }

  // A file of the given size that takes no room on disk (its bytes are all NUL).
  QString sparse(const QString& name, qint64 size) {
    const QString path = dir.path() + "/" + name;
    EXPECT_TRUE(MakeSparseFile(path, size)) << path.toStdString();
    return path;
  }

  static QByteArray garbage(int size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random.bounded(256));
    return bytes;
  }
};

// The message of the exception f throws, or "<none>".
std::string thrownBy(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "<none>";
}

QByteArray fiveRows(const QByteArray& row) {
  QByteArray bytes;
  for (int r = 0; r < 5; ++r) bytes += row + "\r\n";
  return bytes;
}

TEST_F(HostileFiles, binary_garbage_is_refused_with_a_german_message_or_read_as_texts) {
  for (quint32 seed = 1; seed <= 20; ++seed) {
    const QString path = write("garbage.lose", garbage(64 * 1024, seed));
    try {
      const TicketList tickets = ReadTicketFile(path);
      EXPECT_EQ(tickets.count() * 5, CountFileLines(DecodeText(garbage(64 * 1024, seed))));
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("ist keine gültige Lose-Datei"), std::string::npos) << e.what();
    }
  }
}

TEST_F(HostileFiles, nul_bytes_stay_in_their_cell_and_make_it_count_as_no_number) {
  const TicketList tickets = ReadTicketFile(write("nul.lose", fiveRows(QByteArray("1,2\0,3,4,\0", 10))));
  ASSERT_EQ(tickets.count(), 1);
  EXPECT_EQ(tickets.cellText(0, 1), QString("2") + QChar(0));
  EXPECT_EQ(tickets.cellText(0, 4), QString(QChar(0)));
  // A NUL is no blank (those are the codes 1..32): alone or after digits, the cell holds no number.
  EXPECT_EQ(tickets.cellValue(0, 1).kind, CellKind::Invalid);
  EXPECT_EQ(tickets.cellValue(0, 4).kind, CellKind::Invalid);
  EXPECT_EQ(tickets.lotteryValue(0, 1), 0);
  EXPECT_EQ(tickets.invalidCellCount(), 10);
}

TEST_F(HostileFiles, invalid_utf8_is_read_as_windows_1252) {
  const TicketList tickets = ReadTicketFile(write("latin.lose", fiveRows("1,2,3,4,\xe4\x80")));
  ASSERT_EQ(tickets.count(), 1);
  EXPECT_EQ(tickets.cellText(0, 4), QString::fromUtf8("ä€"));
  EXPECT_EQ(tickets.cellValue(0, 0).value, 1);
}

TEST_F(HostileFiles, a_ticket_file_of_100_mb_is_refused_by_its_size_before_it_is_read) {
  const QString path = sparse("huge.lose", 100LL * 1024 * 1024);
  EXPECT_EQ(thrownBy([&] { ReadTicketFile(path); }),
            "Die Datei \"huge.lose\" ist zu groß: Es werden höchstens 96 MB gelesen.");
}

TEST_F(HostileFiles, an_endless_device_is_read_only_up_to_the_size_limit) {
  if (!QFile::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
  EXPECT_EQ(thrownBy([] { ReadWinningNumberFile("/dev/zero"); }),
            "Die Datei \"zero\" ist zu groß: Es werden höchstens 1 MB gelesen.");
}

TEST_F(HostileFiles, reading_a_small_file_takes_only_its_own_size_not_the_limit) {
  const QByteArray bytes = ReadWholeFile(write("small.lose", fiveRows("1,2,3,4,5")), kMaxTicketFileBytes);
  EXPECT_EQ(bytes, fiveRows("1,2,3,4,5"));
  EXPECT_LT(bytes.capacity(), 4096);
}

TEST_F(HostileFiles, a_line_of_a_million_commas_gives_five_single_spaces) {
  QByteArray bytes = QByteArray(1000000, ',') + "\r\n";
  bytes += "1,2,3,4,5\r\n6,7,8,9,10\r\n11,12,13,14,15\r\n16,17,18,19,20\r\n";
  const TicketList tickets = ReadTicketFile(write("commas.lose", bytes));
  ASSERT_EQ(tickets.count(), 1);
  for (int c = 0; c < 5; ++c) EXPECT_EQ(tickets.cellText(0, c), " ");
  EXPECT_EQ(tickets.cellText(0, 24), "20");
}

TEST_F(HostileFiles, a_line_of_a_million_quotes_is_one_entry) {
  QByteArray line(1000001, '"');
  const TicketList tickets = ReadTicketFile(write("quotes.lose", fiveRows(line)));
  ASSERT_EQ(tickets.count(), 1);
  EXPECT_EQ(tickets.cellText(0, 0), QString(500000, QLatin1Char('"')));
  EXPECT_EQ(tickets.cellText(0, 1), "");
}

TEST_F(HostileFiles, numbers_with_40_digits_are_kept_as_text_and_count_as_no_number) {
  const QByteArray forty(40, '9');
  const TicketList tickets = ReadTicketFile(write("big.lose", fiveRows(forty + ",-" + forty + ",7")));
  ASSERT_EQ(tickets.count(), 1);
  EXPECT_EQ(tickets.cellText(0, 0), QString::fromLatin1(forty));
  EXPECT_EQ(tickets.cellValue(0, 0).kind, CellKind::Invalid);
  EXPECT_EQ(tickets.cellValue(0, 1).kind, CellKind::Invalid);
  EXPECT_EQ(tickets.lotteryValue(0, 2), 7);
  EXPECT_EQ(tickets.invalidCellCount(), 10);
}

TEST_F(HostileFiles, a_first_cell_that_begins_with_a_byte_order_mark_character_keeps_it) {
  TicketCells cells;
  cells[0] = QString(QChar(0xFEFF)) + "3";
  cells[1] = "4";
  const QString path = dir.path() + "/mark.lose";
  WriteTicketFile(path, {cells});
  const TicketList tickets = ReadTicketFile(path);
  ASSERT_EQ(tickets.count(), 1);
  EXPECT_EQ(tickets.cellText(0, 0), cells[0]);
  EXPECT_EQ(tickets.cellText(0, 1), "4");
}

TEST_F(HostileFiles, a_folder_named_like_a_file_cannot_be_opened) {
  const QString folder = dir.path() + "/folder.zfgz";
  ASSERT_TRUE(QDir().mkpath(folder));
  const std::string expected = "Cannot open file \"" + folder.toStdString() + "\". Is a directory";
  EXPECT_EQ(thrownBy([&] { ReadWinningNumberFile(folder); }), expected);
  EXPECT_EQ(thrownBy([&] { ReadTicketFile(folder); }), expected);
}

TEST_F(HostileFiles, writing_over_a_folder_fails_and_leaves_the_folder_alone) {
  const QString folder = dir.path() + "/taken.lose";
  ASSERT_TRUE(QDir().mkpath(folder + "/inside"));
  EXPECT_NE(thrownBy([&] { WriteTicketFile(folder, {TicketCells{}}); }).find("Cannot create file"),
            std::string::npos);
  EXPECT_NE(thrownBy([&] { WriteWinningNumberFile(folder, NumberSet(), "4"); }).find("Cannot create file"),
            std::string::npos);
  EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
}

TEST_F(HostileFiles, a_failed_write_keeps_the_old_file) {
  const QString path = write("keep.zfgz", "4\r\n7\r\n");
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
  const std::string error = thrownBy([&] { WriteWinningNumberFile(path, NumberSet(), "74"); });
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (error == "<none>") GTEST_SKIP() << "running as root: a read-only folder does not stop writing";
  EXPECT_NE(error.find("Cannot create file"), std::string::npos);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "4\r\n7\r\n");
}

TEST_F(HostileFiles, a_winning_number_file_of_garbage_goes_through_the_transfer_without_harm) {
  struct Board : TransferTarget {
    NumberSet chosen;
    QStringList messages;
    void clearAll() override { chosen.clear(); }
    void setFieldText(const QString&) override {}
    bool toggledAfterStop = false;
    void toggle(int n) override {
      ASSERT_TRUE(n >= 1 && n <= 75) << n;
      toggledAfterStop = toggledAfterStop || messages.join("").contains("is not a valid integer");
      if (chosen.contains(n))
        chosen.exclude(n);
      else if (chosen.count() < 22)
        chosen.include(n);
    }
    void error(const Fault& fault) override { messages << FaultText(fault); }
  };
  for (quint32 seed = 1; seed <= 20; ++seed) {
    Board board;
    TransferGZText(ReadWinningNumberFile(write("garbage.zfgz", garbage(4096, seed))), board);
    // Each message is one of the transfer's two forms, and a conversion error is the last thing.
    for (qsizetype i = 0; i < board.messages.size(); ++i) {
      const QString& m = board.messages[i];
      const bool conversion = m.startsWith("''") && m.endsWith("'' is not a valid integer value.");
      EXPECT_TRUE(conversion || (m.startsWith("Zahl ") && m.endsWith(" ist ungültig."))) << m.toStdString();
      if (conversion) {
        EXPECT_EQ(i, board.messages.size() - 1) << "seed " << seed;
        EXPECT_FALSE(board.toggledAfterStop) << "seed " << seed;
      }
    }
  }
}

TEST_F(HostileFiles, winning_numbers_with_40_digits_stop_the_transfer_with_the_conversion_error) {
  struct Board : TransferTarget {
    QStringList messages;
    QList<int> toggled;
    void clearAll() override {}
    void setFieldText(const QString&) override {}
    void toggle(int n) override { toggled << n; }
    void error(const Fault& fault) override { messages << FaultText(fault); }
  };
  const QString forty(40, QLatin1Char('9'));
  Board board;
  TransferGZText(ReadWinningNumberFile(write("big.zfgz", ("4\r\n" + forty + "\r\n7\r\n").toLatin1())), board);
  // 46 characters: read line by line.
  EXPECT_EQ(board.toggled, QList<int>{4});
  EXPECT_EQ(board.messages, QStringList{"''" + forty + "'' is not a valid integer value."});
}

}  // namespace
