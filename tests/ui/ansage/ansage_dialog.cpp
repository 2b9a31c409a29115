// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog "Ansagen": its voice controls without a speech engine, the probe, and what OK and
// Abbrechen keep.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "common/folders.h"
#include "common/inifile.h"
#include "common/settings.h"
#include "support/recording_announcer.h"
#include "ui/ansage/ansage.h"

namespace {

class AnsageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    QFile::remove(SettingsFilePath());
    // Made after the settings file is gone: it reads its settings when made.
    announcements_ = std::make_unique<DrawAnnouncements>();
    announcements_->setAnnouncer(&recorder);
  }

  TFAnsage& dialog() {
    if (!dialog_) dialog_ = std::make_unique<TFAnsage>(announcements());
    return *dialog_;
  }
  template <class T>
  T* child(const char* name) {
    T* c = dialog().findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QList<QWidget*> voiceControls() {
    return {child<QCheckBox>("cbSprechen"), child<QComboBox>("CBStimme"), child<QSlider>("TBTempo"),
            child<QSlider>("TBLautstaerke"), child<QPushButton>("BProbe")};
  }

  RecordingAnnouncer recorder;
  std::unique_ptr<DrawAnnouncements> announcements_;
  DrawAnnouncements& announcements() { return *announcements_; }

 private:
  std::unique_ptr<TFAnsage> dialog_;
};

TEST_F(AnsageDialogTest, WithoutASpeechEngineOnlyTheVoiceIsDisabledAndSaysWhy) {
  recorder.voice = false;
  EXPECT_EQ(dialog().windowTitle(), "Ansagen");
  for (QWidget* w : voiceControls()) {
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(w->toolTip(), recorder.speechUnavailableReason()) << w->objectName().toStdString();
  }
  EXPECT_EQ(child<QLabel>("LKeineStimme")->text(), recorder.speechUnavailableReason());
  EXPECT_FALSE(child<QLabel>("LKeineStimme")->isHidden());
  for (const char* name : {"cbGewinnKlang", "cbEineFehltKlang", "cbWartende", "cbBenachrichtigung"})
    EXPECT_TRUE(child<QCheckBox>(name)->isEnabled()) << name;
}

TEST_F(AnsageDialogTest, WithAVoiceItsControlsAreThere) {
  for (QWidget* w : voiceControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(child<QLabel>("LKeineStimme")->isHidden());
}

TEST_F(AnsageDialogTest, ProbeSpeaksWithTheChimeOnlyWhenChosen) {
  child<QPushButton>("BProbe")->click();
  EXPECT_EQ(recorder.said, QStringList{DrawAnnouncements::probeText()});
  EXPECT_EQ(recorder.played, QList<Sound>{Sound::Win});
  child<QCheckBox>("cbGewinnKlang")->setChecked(false);
  child<QPushButton>("BProbe")->click();
  EXPECT_EQ(recorder.said.size(), 2);
  EXPECT_EQ(recorder.played.size(), 1);
}

TEST_F(AnsageDialogTest, OkStoresTheSectionAndAbbrechenKeepsWhatWasThere) {
  child<QSlider>("TBTempo")->setValue(-3);
  child<QCheckBox>("cbWartende")->setChecked(false);
  child<QPushButton>("BAbbrechen")->click();
  EXPECT_EQ(announcements().settings(), AnnounceSettings());
  EXPECT_FALSE(Settings::fileExists());

  TFAnsage again(announcements());
  again.findChild<QSlider*>("TBTempo")->setValue(-3);
  again.findChild<QSlider*>("TBLautstaerke")->setValue(55);
  again.findChild<QCheckBox*>("cbWartende")->setChecked(false);
  again.findChild<QCheckBox*>("cbBenachrichtigung")->setChecked(true);
  again.findChild<QPushButton*>("BOK")->click();
  AnnounceSettings expected;
  expected.rate = -3;
  expected.volume = 55;
  expected.sayWaiting = false;
  expected.notify = true;
  EXPECT_EQ(announcements().settings(), expected);
  EXPECT_FALSE(announcements().isOn());  // the overview's check box decides that
  EXPECT_EQ(AnnounceSettings::read(), expected);
  EXPECT_EQ(IniFile(SettingsFilePath()).readInt("Ansage", "Tempo", 0), -3);  // the names in the file
}

}  // namespace
