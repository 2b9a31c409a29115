// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "support/test_files.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"

// Drives the real main window by object names. Every test starts without a settings file and with an
// empty folder for its own files; messages and dialogs go to the scripted prompter.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    QFile::remove(SettingsFilePath());
    files_ = std::make_unique<QTemporaryDir>(testRootDir() + "/files-XXXXXX");
  }

  void TearDown() override { window_.reset(); }

  TFMain& window() {
    if (!window_) window_ = std::make_unique<TFMain>();
    return *window_;
  }

  // Shows the window opaque and waits until it can take clicks.
  TFMain& shown() {
    TFMain& w = window();
    if (!w.isVisible()) {
      w.setWindowOpacity(1.0);
      w.show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    return w;
  }

  void recreate() { window_.reset(); }

  template <class T>
  T* child(const QString& name) {
    T* c = window().findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
  }

  void click(const QString& name) {
    auto* b = child<QAbstractButton>(name);
    if (b) QTest::mouseClick(b, Qt::LeftButton);
  }
  void clickNumber(int n) { QTest::mouseClick(shown().Button(n), Qt::LeftButton); }
  void setSofort(bool on) { child<QCheckBox>("cbSofort")->setChecked(on); }
  QString text(const QString& labelName) { return child<QLabel>(labelName)->text(); }

  // The strip of chosen numbers as shown: the captions of its 22 panels.
  QStringList strip() {
    QStringList out;
    for (int k = 1; k <= 22; ++k) out << window().Panel(k)->text();
    return out;
  }
  QList<int> checkedButtons() {
    QList<int> out;
    for (int n = 1; n <= 75; ++n)
      if (window().Button(n)->isChecked()) out << n;
    return out;
  }

  QString filePath(const QString& name) const { return files_->filePath(name); }
  QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = filePath(name);
    EXPECT_TRUE(WriteTestFile(path, bytes)) << path.toStdString();
    return path;
  }

  // Reads a ticket file through "Lose einlesen...".
  void openTickets(const QString& path) {
    prompter.fileAnswers << path;
    click("BOpen");
  }

  ScriptedPrompter prompter;

 private:
  std::unique_ptr<QTemporaryDir> files_;
  std::unique_ptr<TFMain> window_;
};

// A ticket file: one line per ticket row, five rows per ticket, CR LF after each.
inline QByteArray ticketFile(const QList<QStringList>& tickets) {
  QByteArray out;
  for (const QStringList& rows : tickets)
    for (const QString& row : rows) out += row.toUtf8() + "\r\n";
  return out;
}

// A plain ticket whose cells hold first, first + 1, ... row by row.
inline QStringList numberedTicket(int first) {
  QStringList rows;
  for (int r = 0; r < 5; ++r) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) cells << QString::number(first + r * 5 + c);
    rows << cells.join(',');
  }
  return rows;
}
