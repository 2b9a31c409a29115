// SPDX-License-Identifier: GPL-3.0-or-later
// The ticket entry window driven by its object names: making frames, the count field, the settings.
#include <gtest/gtest.h>

#include <QAccessible>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "common/folders.h"
#include "common/settings.h"
#include "support/scripted_prompter.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"
#include "ui/info/info.h"
#include "ui/shared/formexists.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

class EntryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    QFile::remove(SettingsFilePath());
  }

  // A window made with the settings as they are now, shown and exposed.
  std::unique_ptr<TFEingabe> open() {
    auto w = std::make_unique<TFEingabe>();
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }

  template <typename T>
  static T* child(TFEingabe& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  static void make(TFEingabe& w, const QString& count) {
    child<QLineEdit>(w, "eAnz")->setText(count);
    child<QPushButton>(w, "bsSkinSpeedButton2")->click();
  }

  static QStringList frameNames(TFEingabe& w) {
    QStringList names;
    for (TFfrLos2* f : w.EinLosFrames) names << f->objectName();
    return names;
  }

  ScriptedPrompter prompter;
};

TEST_F(EntryWindow, seven_tickets_stand_six_to_a_row) {
  auto w = open();
  make(*w, "7");
  ASSERT_EQ(w->EinLosCount, 7);
  const std::vector<QPoint> expected = {{5, 5}, {136, 5}, {267, 5}, {398, 5}, {529, 5}, {660, 5}, {5, 181}};
  for (int n = 1; n <= 7; ++n) {
    auto* frame = child<TFfrLos2>(*w, qPrintable("EinfrLos" + QString::number(n)));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->pos(), expected[n - 1]) << "ticket " << n;
    EXPECT_EQ(frame->PNr->text(), QString::number(n));
    EXPECT_EQ(w->EinLosFrames[n - 1], frame);
    EXPECT_EQ(w->EinLosGrids[n - 1], frame->gLos);
    EXPECT_TRUE(frame->isVisible());
  }
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(EntryWindow, three_appended_tickets_continue_the_second_row) {
  auto w = open();
  make(*w, "7");
  child<QCheckBox>(*w, "cbDran")->click();
  EXPECT_FALSE(child<QCheckBox>(*w, "cbNeu")->isChecked());
  make(*w, "3");
  ASSERT_EQ(w->EinLosCount, 10);
  EXPECT_EQ(frameNames(*w).mid(7), (QStringList{"EinfrLos8", "EinfrLos9", "EinfrLos10"}));
  EXPECT_EQ(w->EinLosFrames[7]->pos(), QPoint(136, 181));
  EXPECT_EQ(w->EinLosFrames[8]->pos(), QPoint(267, 181));
  EXPECT_EQ(w->EinLosFrames[9]->pos(), QPoint(398, 181));
  EXPECT_EQ(w->EinLosFrames[9]->PNr->text(), "10");
}

TEST_F(EntryWindow, rebuilding_numbers_the_tickets_from_one_again) {
  auto w = open();
  make(*w, "4");
  make(*w, "2");
  EXPECT_EQ(frameNames(*w), (QStringList{"EinfrLos1", "EinfrLos2"}));
  EXPECT_EQ(w->findChildren<TFfrLos2*>().size(), 2);
}

struct RemovingCount {
  const char* name;
  QString count;
};

class RemovingCounts : public EntryWindow, public ::testing::WithParamInterface<RemovingCount> {};

TEST_P(RemovingCounts, with_rebuild_checked_remove_every_ticket_and_make_none) {
  auto w = open();
  make(*w, "5");
  child<QLabel>(*w, "LDatei")->setText("alt.lose");
  make(*w, GetParam().count);
  EXPECT_EQ(w->EinLosCount, 0);
  EXPECT_TRUE(w->EinLosFrames.isEmpty());
  EXPECT_TRUE(w->EinLosGrids.isEmpty());
  EXPECT_TRUE(w->findChildren<TFfrLos2*>().isEmpty());
  EXPECT_EQ(child<QLabel>(*w, "LDatei")->text(), "");
  EXPECT_TRUE(prompter.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Window, RemovingCounts,
                         ::testing::Values(RemovingCount{"zero", "0"}, RemovingCount{"zeros", "000"},
                                           RemovingCount{"negative", "-4"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryWindow, an_empty_count_field_becomes_ten_and_makes_ten_tickets) {
  auto w = open();
  make(*w, "");
  EXPECT_EQ(child<QLineEdit>(*w, "eAnz")->text(), "10");
  EXPECT_EQ(w->EinLosCount, 10);
}

struct BadCount {
  const char* name;
  QString count;
};

class BadCounts : public EntryWindow, public ::testing::WithParamInterface<BadCount> {};

TEST_P(BadCounts, bring_the_conversion_message_and_keep_the_tickets_even_when_rebuilding) {
  auto w = open();
  make(*w, "3");
  w->EinLosGrids[0]->setCellText(0, 0, "12");
  ASSERT_TRUE(child<QCheckBox>(*w, "cbNeu")->isChecked());
  make(*w, GetParam().count);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_EQ(prompter.messages[0].text, "''" + GetParam().count + "'' is not a valid integer value.");
  EXPECT_EQ(w->EinLosCount, 3);
  EXPECT_EQ(w->EinLosGrids[0]->cellText(0, 0), "12");
}

INSTANTIATE_TEST_SUITE_P(Window, BadCounts,
                         ::testing::Values(BadCount{"letters", "abc"}, BadCount{"digits_then_letters", "12a"},
                                           BadCount{"beyond_32_bits", "99999999999"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryWindow, more_than_a_hundred_thousand_at_once_are_refused_with_a_message_and_nothing_changes) {
  auto w = open();
  make(*w, "2");
  make(*w, "100001");
  EXPECT_EQ(prompter.texts(), QStringList{"Es können höchstens 100.000 Lose auf einmal erstellt werden."});
  EXPECT_EQ(prompter.messages[0].kind, "information");
  EXPECT_EQ(w->EinLosCount, 2);
}

TEST_F(EntryWindow, the_count_field_lets_only_digits_and_backspace_through_the_keyboard) {
  auto w = open();
  auto* eAnz = child<QLineEdit>(*w, "eAnz");
  eAnz->clear();
  eAnz->setFocus();
  QTest::keyClicks(eAnz, "1a 2-+.,3Z");
  EXPECT_EQ(eAnz->text(), "123");
  QTest::keyClick(eAnz, Qt::Key_Backspace);
  EXPECT_EQ(eAnz->text(), "12");
  QTest::keyClick(eAnz, Qt::Key_Home);
  QTest::keyClicks(eAnz, "9");
  EXPECT_EQ(eAnz->text(), "912");
  // Pasted text is not filtered; "Lose erstellen" reports it.
  QApplication::clipboard()->setText("x");
  QTest::keyClick(eAnz, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(eAnz->text(), "9x12");
}

TEST_F(EntryWindow, the_key_filter_passes_keys_that_type_no_character) {
  const auto passes = [](int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return TFEingabe::eAnzKeyPress(QKeyEvent(QEvent::KeyPress, key, mods, text));
  };
  EXPECT_TRUE(passes(Qt::Key_Left, ""));
  EXPECT_TRUE(passes(Qt::Key_Delete, ""));
  EXPECT_TRUE(passes(Qt::Key_Backspace, "\b"));
  EXPECT_TRUE(passes(Qt::Key_C, "\x03", Qt::ControlModifier));
  EXPECT_TRUE(passes(Qt::Key_0, "0"));
  EXPECT_FALSE(passes(Qt::Key_Space, " "));
  EXPECT_FALSE(passes(Qt::Key_unknown, QString(QChar(0x0663))));                // an Arabic-Indic digit
  EXPECT_FALSE(passes(Qt::Key_Q, "@", Qt::ControlModifier | Qt::AltModifier));  // AltGr on Windows
}

TEST_F(EntryWindow, checking_one_load_option_unchecks_the_other_and_both_may_be_unchecked) {
  auto w = open();
  auto* cbDran = child<QCheckBox>(*w, "cbDran");
  auto* cbNeu = child<QCheckBox>(*w, "cbNeu");
  EXPECT_FALSE(cbDran->isChecked());
  EXPECT_TRUE(cbNeu->isChecked());
  cbDran->click();
  EXPECT_TRUE(cbDran->isChecked());
  EXPECT_FALSE(cbNeu->isChecked());
  cbDran->click();
  EXPECT_FALSE(cbDran->isChecked());
  EXPECT_FALSE(cbNeu->isChecked());
  cbNeu->click();
  EXPECT_TRUE(cbNeu->isChecked());
  EXPECT_FALSE(cbDran->isChecked());
}

TEST_F(EntryWindow, delete_all_removes_every_ticket_and_the_file_name) {
  auto w = open();
  make(*w, "8");
  child<QLabel>(*w, "LDatei")->setText("woche.lose");
  child<QPushButton>(*w, "BDelLose")->click();
  EXPECT_EQ(w->EinLosCount, 0);
  EXPECT_TRUE(w->findChildren<TFfrLos2*>().isEmpty());
  EXPECT_EQ(child<QLabel>(*w, "LDatei")->text(), "");
  child<QCheckBox>(*w, "cbDran")->click();
  make(*w, "1");
  EXPECT_EQ(frameNames(*w), QStringList{"EinfrLos1"});
}

TEST_F(EntryWindow, first_start_without_a_settings_file_opens_at_0_70_with_count_6) {
  ASSERT_FALSE(Settings::fileExists());
  auto w = open();
  EXPECT_EQ(w->pos(), QPoint(0, 70));
  EXPECT_EQ(child<QLineEdit>(*w, "eAnz")->text(), "6");
  EXPECT_EQ(w->windowTitle(), "ZIEHFIX");
  EXPECT_EQ(w->size(), QSize(812, 616));
  EXPECT_EQ(w->objectName(), "FEingabe");
}

TEST_F(EntryWindow, a_settings_file_without_the_keys_gives_0_70_and_count_10) {
  Settings::setStoredText(Setting::kDonationStand, "0");
  auto w = open();
  EXPECT_EQ(w->pos(), QPoint(0, 70));
  EXPECT_EQ(child<QLineEdit>(*w, "eAnz")->text(), "10");
}

TEST_F(EntryWindow, stored_position_and_count_are_used) {
  Settings::set(Setting::kEntryPlace.left, 30);
  Settings::setStoredText(Setting::kEntryPlace.top, "0x50");
  Settings::setStoredText(Setting::kNewTicketCount, "7");
  auto w = open();
  EXPECT_EQ(w->pos(), QPoint(30, 80));
  EXPECT_EQ(child<QLineEdit>(*w, "eAnz")->text(), "7");
}

TEST_F(EntryWindow, a_stored_position_on_no_screen_falls_back_to_0_70) {
  Settings::set(Setting::kEntryPlace.left, 50000);
  Settings::set(Setting::kEntryPlace.top, -40000);
  auto w = open();
  EXPECT_EQ(w->pos(), QPoint(0, 70));
}

TEST_F(EntryWindow, the_position_button_stores_the_window_edges) {
  auto w = open();
  w->move(40, 120);
  child<QPushButton>(*w, "bsSkinSpeedButton8")->click();
  EXPECT_EQ(Settings::get(Setting::kEntryPlace.left, -1), w->x());
  EXPECT_EQ(Settings::get(Setting::kEntryPlace.top, -1), w->y());
  EXPECT_EQ(w->pos(), QPoint(40, 120));
}

TEST_F(EntryWindow, closing_hides_the_window_stores_the_count_and_keeps_the_tickets) {
  auto w = open();
  make(*w, "2");
  w->EinLosGrids[1]->setCellText(3, 4, "66");
  w->EinLosFrames[0]->setMemoText("1\r\n2");
  child<QLineEdit>(*w, "eAnz")->setText("25");
  child<QPushButton>(*w, "bsSkinSpeedButton1")->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(Settings::storedText(Setting::kNewTicketCount, "?"), "25");
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  EXPECT_EQ(w->EinLosCount, 2);
  EXPECT_EQ(w->EinLosGrids[1]->cellText(3, 4), "66");
  EXPECT_EQ(w->EinLosFrames[0]->memoText(), "1\r\n2");
}

TEST_F(EntryWindow, closing_with_an_empty_count_field_stores_it_empty_and_the_next_window_shows_it) {
  auto w = open();
  child<QLineEdit>(*w, "eAnz")->clear();
  w->close();
  EXPECT_EQ(Settings::storedText(Setting::kNewTicketCount, "?"), "");
  auto next = open();
  EXPECT_EQ(child<QLineEdit>(*next, "eAnz")->text(), "");
}

TEST_F(EntryWindow, the_title_bar_has_no_buttons_and_the_width_stops_at_840) {
  auto w = open();
  const Qt::WindowFlags flags = w->windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(w->maximumWidth(), 840);
}

TEST_F(EntryWindow, picture_only_buttons_are_named_by_their_tooltips) {
  auto w = open();
  for (const char* name : {"bsSkinSpeedButton7", "bsSkinSpeedButton8"}) {
    auto* b = child<QPushButton>(*w, name);
    EXPECT_FALSE(b->toolTip().isEmpty()) << name;
    EXPECT_EQ(b->accessibleName(), b->toolTip()) << name;
    EXPECT_FALSE(b->icon().isNull()) << name;
  }
  // Captioned buttons are named by their text, as a screen reader hears it.
  QAccessibleInterface* close =
      QAccessible::queryAccessibleInterface(child<QPushButton>(*w, "bsSkinSpeedButton1"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(QAccessible::Name), "Fenster schließen");
}

TEST_F(EntryWindow, the_info_button_opens_the_program_info_window) {
  auto w = open();
  ASSERT_FALSE(FormExists("FInfo"));
  child<QPushButton>(*w, "bsSkinSpeedButton7")->click();
  EXPECT_TRUE(FormExists("FInfo"));
  delete FInfo;
}

}  // namespace
