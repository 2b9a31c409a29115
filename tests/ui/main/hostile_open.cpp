// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two open commands ("Lose einlesen..." and BOpenGZ) given files that are no ticket
// or winning-number files at all: a clear message, the window keeps what it showed, and the files
// stay untouched.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <memory>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "support/test_files.h"
#include "ui/main/main.h"

namespace {

QByteArray fiveRows(const QByteArray& row) {
  QByteArray bytes;
  for (int r = 0; r < 5; ++r) bytes += row + "\r\n";
  return bytes;
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

class HostileOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    window_ = std::make_unique<TFMain>();
  }

  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.path() + "/" + name;
    EXPECT_TRUE(WriteTestFile(path, bytes)) << path.toStdString();
    return path;
  }
  QString sparse(const QString& name, qint64 size) {
    const QString path = dir_.path() + "/" + name;
    EXPECT_TRUE(MakeSparseFile(path, size)) << path.toStdString();
    return path;
  }
  QString folder(const QString& name) {
    const QString path = dir_.path() + "/" + name;
    EXPECT_TRUE(QDir().mkpath(path));
    return path;
  }

  // Answers the open dialog with path and clicks the button.
  void open(const char* button, const QString& path) {
    prompter_.fileAnswers << path;
    window_->findChild<QAbstractButton*>(button)->click();
  }
  QString text(const char* label) const { return window_->findChild<QLabel*>(label)->text(); }
  QString field() const { return window_->findChild<QPlainTextEdit*>("MGZ")->toPlainText(); }

  QTemporaryDir dir_{testRootDir() + "/hostile-open-XXXXXX"};
  ScriptedPrompter prompter_;
  std::unique_ptr<TFMain> window_;
};

TEST_F(HostileOpen, refused_ticket_files_leave_the_loaded_tickets_and_their_name) {
  open("BOpen", write("good.lose", fiveRows("1,2,3,4,5")));
  ASSERT_EQ(window_->LosCount(), 1);
  ASSERT_TRUE(prompter_.messages.isEmpty());

  const QByteArray garbage("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  const QString garbageFile = write("garbage.lose", garbage);
  const QString folderFile = folder("folder.lose");
  const struct {
    QString path;
    QString message;
  } cases[] = {
      {garbageFile,
       "Die Datei \"garbage.lose\" ist keine gültige Lose-Datei: Sie hat 4 Zeilen, das ist kein "
       "Vielfaches von 5."},
      {sparse("huge.lose", 100LL * 1024 * 1024),
       "Die Datei \"huge.lose\" ist zu groß: Es werden höchstens 96 MB "
       "gelesen."},
      {folderFile, "Cannot open file \"" + folderFile + "\". Is a directory."},
  };
  for (const auto& c : cases) {
    prompter_.messages.clear();
    open("BOpen", c.path);
    ASSERT_EQ(prompter_.messages.size(), 1) << c.path.toStdString();
    EXPECT_EQ(prompter_.messages[0].kind, "error");
    EXPECT_EQ(prompter_.messages[0].text, c.message);
    EXPECT_EQ(window_->LosCount(), 1) << c.path.toStdString();
    EXPECT_EQ(text("LDatei"), "good.lose") << c.path.toStdString();
  }
  EXPECT_EQ(contents(garbageFile), garbage);
  EXPECT_TRUE(QFileInfo(folderFile).isDir());
}

TEST_F(HostileOpen, a_ticket_file_of_nul_bytes_and_40_digit_numbers_loads_with_a_warning) {
  const QByteArray bytes = fiveRows(QByteArray(40, '9') + QByteArray(",\0,3,4,5", 8));
  const QString path = write("odd.lose", bytes);
  open("BOpen", path);
  EXPECT_EQ(window_->LosCount(), 1);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "warning");
  EXPECT_EQ(prompter_.messages[0].text,
            "Die Datei \"odd.lose\" enthält 10 Felder ohne gültige Zahl. Sie zählen "
            "bei der Auswertung als leer.");
  EXPECT_EQ(contents(path), bytes);
}

TEST_F(HostileOpen, a_winning_number_file_that_is_a_folder_keeps_the_numbers_and_the_name) {
  open("BOpenGZ", write("draw.zfgz", "4\r\n7\r\n74\r\n"));
  ASSERT_EQ(window_->check().chosen.count(), 3);
  ASSERT_EQ(text("LDatei2"), "draw.zfgz");

  const QString folderFile = folder("folder.zfgz");
  const QString huge = sparse("huge.zfgz", 100LL * 1024 * 1024);
  const QString messages[] = {"Cannot open file \"" + folderFile + "\". Is a directory.",
                              "Die Datei \"huge.zfgz\" ist zu groß: Es werden höchstens 1 MB gelesen."};
  int i = 0;
  for (const QString& path : {folderFile, huge}) {
    prompter_.messages.clear();
    open("BOpenGZ", path);
    ASSERT_EQ(prompter_.messages.size(), 1);
    EXPECT_EQ(prompter_.messages[0].kind, "error");
    EXPECT_EQ(prompter_.messages[0].text, messages[i++]);
    EXPECT_EQ(window_->check().chosen.sorted(), (QList<int>{4, 7, 74}));
    EXPECT_EQ(text("LDatei2"), "draw.zfgz");
    EXPECT_EQ(field(), "");
  }
}

TEST_F(HostileOpen, a_winning_number_file_of_garbage_chooses_at_most_22_valid_numbers) {
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage += char((i * 7919 + 13) % 256);
  const QString path = write("garbage.zfgz", garbage);
  open("BOpenGZ", path);
  EXPECT_LE(window_->check().chosen.count(), 22);
  for (int n : window_->check().chosen.sorted()) EXPECT_TRUE(n >= 1 && n <= 75) << n;
  EXPECT_EQ(text("LDatei2"), "garbage.zfgz");
  EXPECT_EQ(contents(path), garbage);
}

}  // namespace
