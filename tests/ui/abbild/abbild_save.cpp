// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QToolButton>

#include "common/folders.h"
#include "common/settings.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/abbild/abbild.h"
#include "ui/abbild/jpeg_markers.h"

namespace {

QImage Picture() {
  QImage picture(151, 239, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.fillRect(0, 0, 151, 225, QColor(0x20, 0x90, 0x40));
  return picture;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

class Save : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EstablishDataFolders(); }

  void SetUp() override {
    static int run = 0;
    folder = testRootDir() + QStringLiteral("/bilder%1").arg(++run);
    QDir().mkpath(folder);
    window = std::make_unique<TFAbbild>();
    window->setWindowTitle("sieben.lose");
    window->setPicture(Picture());
  }

  // Clicks the save button of the window as the user would.
  void ClickSave(TFAbbild* w) { w->findChild<QToolButton*>("BSave")->click(); }

  ScriptedPrompter prompter;
  QString folder;
  std::unique_ptr<TFAbbild> window;
};

}  // namespace

TEST_F(Save, theFileIsAProgressiveJpegOfThePicturesSize) {
  prompter.fileAnswers << folder + "/tabelle.jpg";
  ClickSave(window.get());

  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join("|").toStdString();
  const QByteArray jpeg = Contents(folder + "/tabelle.jpg");
  const JpegSegment sof = JpegFrameHeader(jpeg);
  EXPECT_EQ(sof.marker, 0xC2);
  ASSERT_GE(sof.payload.size(), 6);
  EXPECT_EQ(QSize(FrameWidth(sof), FrameHeight(sof)), QSize(151, 239));
  EXPECT_EQ(QImage::fromData(jpeg, "JPG").size(), QSize(151, 239));
  EXPECT_TRUE(QDir(folder).entryList({"*.tmp", ".*"}, QDir::Files | QDir::Hidden).isEmpty())
      << "no temporary file is left behind";
}

TEST_F(Save, theDialogOffersTheCaptionInTheRememberedFolder) {
  prompter.fileAnswers << QString();  // cancelled
  ClickSave(window.get());
  ASSERT_EQ(prompter.dialogs.size(), 1);
  const ScriptedPrompter::Dialog& d = prompter.dialogs[0];
  EXPECT_EQ(d.kind, QString("save"));
  EXPECT_EQ(d.title, QString("Abbildung speichern"));
  EXPECT_EQ(d.filter, QString("Abbildungen|*.jpg"));
  EXPECT_EQ(d.defaultSuffix, QString("jpg"));
  EXPECT_EQ(d.proposedName, QString("sieben.lose"));
  EXPECT_TRUE(d.askOverwrite);
  EXPECT_EQ(d.folder, ShotSaveDir);
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(Save, withoutAStoredFolderTheShotsFolderIsOfferedAndCreated) {
  for (const bool fileExists : {false, true}) {
    SCOPED_TRACE(fileExists ? "settings file with an empty folder" : "no settings file");
    QFile::remove(SettingsFilePath());
    if (fileExists) Settings::setStoredText(Setting::kSnapshotFolder, "");
    QDir(ShotsDir()).removeRecursively();
    ShotSaveDir.clear();  // as at program start
    TFAbbild fresh;
    EXPECT_EQ(ShotSaveDir, ShotsDir());
    EXPECT_TRUE(ShotSaveDir.endsWith("/ZIEHFIX/shots/"));
    EXPECT_TRUE(QDir(ShotsDir()).exists());
  }
}

TEST_F(Save, theNameWrittenAlwaysEndsInJpg) {
  struct Case {
    const char* typed;
    const char* written;
  };
  const Case cases[] = {
      {"bild", "bild.jpg"},
      {"bild.jpg", "bild.jpg"},
      {"bild.png", "bild.jpg"},
      {"bild.x.png", "bild.x.jpg"},
      {"bild.", "bild.jpg"},
      {".versteckt", ".versteckt.jpg"},
      {"ordner.d/bild", "ordner.d/bild.jpg"},
      {"bild.JPEG", "bild.jpg"},
  };
  QDir().mkpath(folder + "/ordner.d");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    prompter.fileAnswers << folder + "/" + c.typed;
    ClickSave(window.get());
    EXPECT_EQ(JpegFrameHeader(Contents(folder + "/" + c.written)).marker, 0xC2);
    if (QString(c.typed) != c.written) {
      EXPECT_FALSE(QFile::exists(folder + "/" + c.typed));
    }
    QFile::remove(folder + "/" + c.written);
  }
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join("|").toStdString();
}

TEST_F(Save, anExistingFileUnderTheReplacedNameIsOnlyReplacedAfterAYes) {
  WriteText(folder + "/bild.jpg", "alt");
  const QString before = Settings::storedText(Setting::kSnapshotFolder, "-");

  prompter.fileAnswers << folder + "/bild.png";
  prompter.confirmAnswers << false;
  ClickSave(window.get());
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, QString("confirm"));
  EXPECT_TRUE(prompter.messages[0].text.contains("bild.jpg"));
  EXPECT_EQ(Contents(folder + "/bild.jpg"), QByteArray("alt"));
  EXPECT_EQ(Settings::storedText(Setting::kSnapshotFolder, "-"), before)
      << "nothing saved, nothing remembered";

  prompter.fileAnswers << folder + "/bild.png";
  prompter.confirmAnswers << true;
  ClickSave(window.get());
  EXPECT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(JpegFrameHeader(Contents(folder + "/bild.jpg")).marker, 0xC2);
}

TEST_F(Save, theNameAsTypedIsNotAskedAboutASecondTime) {
  WriteText(folder + "/bild.jpg", "alt");
  prompter.fileAnswers << folder + "/bild.jpg";  // the dialog itself asked about this name
  ClickSave(window.get());
  EXPECT_TRUE(prompter.messages.isEmpty());
  EXPECT_EQ(JpegFrameHeader(Contents(folder + "/bild.jpg")).marker, 0xC2);
}

TEST_F(Save, theFolderOfASaveIsRememberedAndOfferedByTheNextWindow) {
  prompter.fileAnswers << folder + "/erste.jpg";
  ClickSave(window.get());
  EXPECT_EQ(ShotSaveDir, folder + "/");
  EXPECT_EQ(Settings::storedText(Setting::kSnapshotFolder, ""), folder + "/");

  ShotSaveDir = "/woanders/";  // a new window reads the stored folder again
  TFAbbild next;
  next.setPicture(Picture());
  prompter.fileAnswers << QString();
  ClickSave(&next);
  ASSERT_EQ(prompter.dialogs.size(), 2);
  EXPECT_EQ(prompter.dialogs[1].folder, folder + "/");
}

TEST_F(Save, aFileThatCannotBeWrittenIsReportedAndNothingIsRemembered) {
  Settings::setStoredText(Setting::kSnapshotFolder, folder + "/");
  TFAbbild w;
  w.setPicture(Picture());
  prompter.fileAnswers << folder + "/fehlt/bild.jpg";
  ClickSave(&w);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, QString("error"));
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot create file"))
      << prompter.messages[0].text.toStdString();
  EXPECT_TRUE(prompter.messages[0].text.endsWith("."));
  EXPECT_EQ(ShotSaveDir, folder + "/");
  EXPECT_EQ(Settings::storedText(Setting::kSnapshotFolder, ""), folder + "/");
  EXPECT_FALSE(QFile::exists(folder + "/fehlt/bild.jpg"));
}

TEST_F(Save, aWindowWithoutAPictureWarnsAndAsksNothing) {
  TFAbbild empty;
  ClickSave(&empty);
  empty.findChild<QToolButton*>("bsSkinSpeedButton1")->click();
  EXPECT_TRUE(prompter.dialogs.isEmpty());
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[0].kind, QString("warning"));
  EXPECT_EQ(prompter.messages[0].text, QString("Kein Bild im Speicher"));
}

TEST_F(Save, theCopyButtonPutsThePictureOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  window->findChild<QToolButton*>("bsSkinSpeedButton1")->click();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(151, 239));
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Picture());
  EXPECT_TRUE(prompter.messages.isEmpty());
}
