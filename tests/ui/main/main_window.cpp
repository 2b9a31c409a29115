// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's creation, settings, closing, layout and top-bar commands.
#include <QAccessible>
#include <QSignalSpy>
#include <QTableView>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "common/appinfo.h"
#include "common/settings.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main_fixture.h"

namespace {
QString settingsText() {
  QFile f(SettingsFilePath());
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

QStringList settingsKeys() {
  QStringList keys;
  for (const QString& line : settingsText().split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts))
    keys << line.section('=', 0, 0).trimmed();
  return keys;
}
}  // namespace

TEST_F(MainWindowTest, FirstRunComesUpAtDefaultsAndWritesOnlyUrlAndStand) {
  TFMain& w = window();
  EXPECT_EQ(w.objectName(), "FMain");
  EXPECT_EQ(FMain, &w);
  EXPECT_EQ(w.windowTitle(), ProductName);
  EXPECT_EQ(w.pos(), QPoint(0, 70));
  EXPECT_EQ(w.size(), QSize(1038, 645));
  EXPECT_TRUE(child<QCheckBox>("cbSofort")->isChecked());
  EXPECT_EQ(text("leur"), "0");
  EXPECT_EQ(w.NewNumbersUrl, "https://www.ziehfix.example/gewinnzahlen/");
  EXPECT_EQ(settingsKeys(), QStringList({"[Neue Gewinnzahlen]", "Url", "[Wach]", "Stand"}));
  EXPECT_EQ(Settings::storedText(Setting::kDonationStand, "?"), "0");
  EXPECT_EQ(w.windowOpacity(), 0.0) << "invisible until the cross-fade";
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, StoredSettingsPlaceTheWindowAndFillTheControls) {
  Settings::setStoredText(Setting::kMainPlace.left, "0x10");
  Settings::set(Setting::kMainPlace.top, 120);
  Settings::set(Setting::kMainPlace.width, 1100);
  Settings::set(Setting::kMainPlace.height, 700);
  Settings::setStoredText(Setting::kDonationStand, "12,50");
  Settings::setStoredText(Setting::kEvaluateAtOnce, "0");
  Settings::setStoredText(Setting::kNewNumbersUrl, "https://example.org/zahlen");
  TFMain& w = window();
  EXPECT_EQ(w.pos(), QPoint(16, 120));
  EXPECT_EQ(w.size(), QSize(1100, 700));
  EXPECT_EQ(text("leur"), "12,50");
  EXPECT_FALSE(child<QCheckBox>("cbSofort")->isChecked());
  EXPECT_EQ(w.NewNumbersUrl, "https://example.org/zahlen");
}

TEST_F(MainWindowTest, StoredOptionAndDonationValuesAreReadAsIntegersAndTexts) {
  struct Case {
    const char* sofort;
    const char* stand;
    bool ticked;
    const char* shown;
  };
  const Case cases[] = {{"0", "3", false, "3"}, {"2", "", true, "0"}, {"ja", "1.234,00", true, "1.234,00"}};
  for (const Case& c : cases) {
    Settings::setStoredText(Setting::kEvaluateAtOnce, c.sofort);
    Settings::setStoredText(Setting::kDonationStand, c.stand);
    recreate();
    EXPECT_EQ(child<QCheckBox>("cbSofort")->isChecked(), c.ticked) << c.sofort;
    EXPECT_EQ(text("leur"), c.shown) << c.stand;
  }
}

TEST_F(MainWindowTest, ClosingWritesTheOptionAndTheDonationLabelButNoGeometry) {
  TFMain& w = shown();
  QSignalSpy closed(&w, &TFMain::closed);
  setSofort(false);
  child<QLabel>("leur")->setText("7,00");
  w.move(200, 200);
  click("bsSkinSpeedButton1");
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(Settings::storedText(Setting::kEvaluateAtOnce, "?"), "0");
  EXPECT_EQ(Settings::storedText(Setting::kDonationStand, "?"), "7,00");
  EXPECT_FALSE(settingsKeys().contains("FMain-left"));
}

TEST_F(MainWindowTest, StoredGeometryBringsTheWindowBackAtTheSamePlaceAndSize) {
  TFMain& w = window();
  w.move(33, 44);
  w.resize(1111, 666);
  click("bsSkinSpeedButton8");
  EXPECT_EQ(Settings::get(Setting::kMainPlace.width, 0), 1111);
  recreate();
  EXPECT_EQ(window().pos(), QPoint(33, 44));
  EXPECT_EQ(window().size(), QSize(1111, 666));
}

TEST_F(MainWindowTest, AFailedSettingsWriteOnClosingIsReportedAndTheWindowStillCloses) {
  TFMain& w = shown();
  QFile::remove(SettingsFilePath());
  QDir().mkpath(SettingsFilePath());  // a folder where the file should be: the write must fail
  w.close();
  QDir().rmdir(SettingsFilePath());
  EXPECT_FALSE(w.isVisible());
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Unable to write to"))
      << prompter.messages[0].text.toStdString();
}

TEST_F(MainWindowTest, EveryControlHasItsNameCaptionAndSize) {
  struct Case {
    const char* name;
    const char* caption;
    QSize size;
  };
  const Case buttons[] = {
      {"bsSkinSpeedButton1", "Programm beenden", {96, 38}},
      {"bsSkinSpeedButton2", "Lose eingeben", {96, 38}},
      {"bsSkinSpeedButton13", "", {38, 38}},
      {"bsSkinSpeedButton8", "", {40, 38}},
      {"BInfo", "", {40, 38}},
      {"BPay", "", {42, 38}},
      {"BOpenGZ", "", {42, 38}},
      {"BSaveGZ", "", {42, 38}},
      {"BNeueGZ", "", {42, 38}},
      {"bsSkinSpeedButton3", "Text- feld", {34, 38}},
      {"BTransfer", "Textfeld- Transfer", {84, 38}},
      {"BDelGZ", "", {34, 38}},
      {"BDelZahlen", "Alle Zahlen löschen", {94, 38}},
      {"BOpen", "Lose einlesen...", {92, 38}},
      {"bsSkinSpeedButton4", "", {42, 38}},
      {"BAuswerten", "Gewinn- prüfung", {88, 38}},
      {"BDelLose", "Alle Lose löschen", {94, 38}},
      {"bsSkinSpeedButton5", "", {42, 38}},
  };
  shown();
  for (const Case& c : buttons) {
    auto* b = child<QAbstractButton>(c.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8(c.caption)) << c.name;
    EXPECT_EQ(b->size(), c.size) << c.name;
  }
  const Case texts[] = {
      {"Label6", "Wenn Ihnen das Programm gefällt, würde ich mich über einen Wachmacher freuen:", {209, -1}},
      {"Label17", "Stand in €", {-1, -1}},
      {"Label4", "Datei", {-1, -1}},
      {"Label2", "Datei", {-1, -1}},
      {"LDatei", "", {154, 21}},
      {"LDatei2", "", {154, 21}},
      {"Label3", "Gewinnzahlen kommagetrennt oder mit copy & paste in Textfeld einfügen.", {-1, -1}},
      {"Label5", "Unten können die Gewinnzahlen einfach angeklickt werden.", {-1, -1}},
      {"Label1", "Gewählt", {-1, -1}},
      {"PAnz", "0", {-1, -1}},
      {"bsSkinLabel1", "Gewinnzahlen", {112, 24}},
      {"bsSkinLabel2", "Gewinnauswertung", {-1, 24}},
      {"Image1", "", {151, 200}},
  };
  for (const Case& c : texts) {
    auto* l = child<QLabel>(c.name);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(), QString::fromUtf8(c.caption)) << c.name;
    if (c.size.width() > 0) {
      EXPECT_EQ(l->width(), c.size.width()) << c.name;
    }
    if (c.size.height() > 0) {
      EXPECT_EQ(l->height(), c.size.height()) << c.name;
    }
  }
  EXPECT_EQ(child<QCheckBox>("cbDran")->text(), "Neue Lose anhängen");
  EXPECT_EQ(child<QCheckBox>("cbNeu")->text(), "Lose neu aufbauen");
  EXPECT_EQ(child<QCheckBox>("cbSofort")->text(), "Nach jeder Gewinnzahlein- gabe Gewinnauswertung ");
  EXPECT_EQ(child<QCheckBox>("cbSofort")->size(), QSize(155, 36));
  EXPECT_EQ(child<QPlainTextEdit>("MGZ")->toPlainText(), "47910161819202324313443444548545866676974");
  EXPECT_EQ(child<QWidget>("PLeft")->width(), 196);
  EXPECT_EQ(child<QWidget>("Panel6")->width(), 161);
  EXPECT_EQ(child<QWidget>("PG")->size(), QSize(550, 32));
  EXPECT_EQ(child<QWidget>("bsSkinPanel3")->height(), 40);
  EXPECT_EQ(child<QWidget>("bsSkinScrollBar2")->width(), 19);
}

TEST_F(MainWindowTest, TheTicketAreaFillsWhatIsLeftBetweenTheBoardAndTheResults) {
  TFMain& w = shown();
  auto* box = child<QWidget>("Box1");
  auto* results = child<QWidget>("Panel6");
  const QPoint boxAt = box->mapTo(&w, QPoint(0, 0));
  EXPECT_EQ(boxAt.x(), 196) << "right of the left column";
  EXPECT_EQ(boxAt.y(), 120) << "below the top bar and the two tool bars";
  EXPECT_EQ(boxAt.x() + box->width(), results->mapTo(&w, QPoint(0, 0)).x());
  EXPECT_EQ(results->mapTo(&w, QPoint(0, 0)).x() + results->width(), w.width());
  EXPECT_EQ(box->mapTo(&w, QPoint(0, box->height())).y(), w.height());
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleName) {
  TFMain& w = shown();
  const auto buttons = w.findChildren<QAbstractButton*>();
  ASSERT_GT(buttons.size(), 75 + 18);
  for (QAbstractButton* b : buttons) {
    if (!b->isVisibleTo(&w)) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
        << b->objectName().toStdString() << " " << b->metaObject()->className() << " in "
        << b->parent()->objectName().toStdString();
    if (b->text().isEmpty()) {
      EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
      // The tooltip may add the button's shortcut: "Programminfo (F1)".
      EXPECT_TRUE(b->toolTip() == b->accessibleName() || b->toolTip().startsWith(b->accessibleName() + " ("))
          << b->objectName().toStdString();
    } else {
      EXPECT_TRUE(b->accessibleName().isEmpty())
          << "a caption names its button: " << b->objectName().toStdString();
    }
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Button(42))->text(QAccessible::Name), "42");
  for (const char* name : {"Box1", "GGew", "GGes", "MGZ", "Image1"})
    EXPECT_FALSE(child<QWidget>(name)->accessibleName().isEmpty()) << name;
}

TEST_F(MainWindowTest, TicketEntryButtonShowsTheEntryWindowThatExistsSinceStartUp) {
  shown();
  auto entry = std::make_unique<TFEingabe>();
  FEingabe = entry.get();
  click("bsSkinSpeedButton2");
  EXPECT_TRUE(entry->isVisible());
  entry.reset();
  FEingabe = nullptr;
}

TEST_F(MainWindowTest, TheCheckGroupUnticksTheOtherBoxAndAllowsBothUnticked) {
  shown();
  auto* dran = child<QCheckBox>("cbDran");
  auto* neu = child<QCheckBox>("cbNeu");
  EXPECT_FALSE(dran->isChecked());
  EXPECT_TRUE(neu->isChecked());
  QTest::mouseClick(dran, Qt::LeftButton);
  EXPECT_TRUE(dran->isChecked());
  EXPECT_FALSE(neu->isChecked());
  QTest::mouseClick(dran, Qt::LeftButton);
  EXPECT_FALSE(dran->isChecked());
  EXPECT_FALSE(neu->isChecked());
  QTest::mouseClick(neu, Qt::LeftButton);
  EXPECT_TRUE(neu->isChecked());
}

TEST_F(MainWindowTest, BoardTotalsFieldAndOptionsShowWholeAtTheDefaultSize) {
  TFMain& w = shown();
  auto* p4 = child<QWidget>("P4");
  EXPECT_EQ(p4->height(), 377);
  const QRect visible = p4->visibleRegion().boundingRect();
  for (int n = 1; n <= 75; ++n) {
    const QRect button = w.Button(n)->geometry();
    EXPECT_TRUE(visible.contains(button)) << n << " lies outside the visible board";
  }
  auto* totals = child<QTableView>("GGes");
  EXPECT_GE(totals->viewport()->height(), totals->rowHeight(0));
  EXPECT_EQ(totals->rowHeight(0), 16);
  // The default text is one line of 41 digits; with both scroll bars it must not wrap.
  auto* field = child<QPlainTextEdit>("MGZ");
  EXPECT_EQ(field->document()->firstBlock().layout()->lineCount(), 1);
  for (const char* name : {"cbDran", "cbNeu"}) {
    auto* box = child<QCheckBox>(name);
    const QRect inPanel = box->geometry();
    EXPECT_GE(box->width(), box->sizeHint().width()) << name << " is clipped";
    EXPECT_LE(inPanel.right(), box->parentWidget()->width() - 1) << name;
    EXPECT_EQ(box->parentWidget()->width(), 139);
  }
}
