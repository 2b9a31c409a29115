// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's captions on a system that has only the fonts every Debian desktop has (those of
// fonts-dejavu-core), besides the ones the program brings. Fontconfig reads its configuration once,
// before the application starts: the test runs itself again in a child process with a private one.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>

#include "ui/main/main_fixture.h"
#include "ui/shared/skinwidgets.h"

namespace {
const QStringList kSystemFaces = {"DejaVuSans.ttf",          "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf",
                                  "DejaVuSansMono-Bold.ttf", "DejaVuSerif.ttf",     "DejaVuSerif-Bold.ttf"};
const QString kFaceFolder = "/usr/share/fonts/truetype/dejavu/";

// Why a caption does not fit its widget, or "" when it does.
QString cutCaption(QWidget* w) {
  const QFontMetrics m(w->font());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    const QString text = label->text();
    if (text.isEmpty() || label->textFormat() == Qt::RichText) return {};
    const QRect room = label->contentsRect();
    if (label->wordWrap()) {
      for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
        if (m.horizontalAdvance(word) > room.width())
          return "the word \"" + word + "\" is wider than the label";
      const QRect wrapped = m.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text);
      const int lines = qRound(double(wrapped.height()) / m.lineSpacing());
      // The last line's descent may reach out: it holds descenders only, and the caption stays legible.
      if (lines * m.height() > room.height() + m.descent())
        return QString::number(lines) + " wrapped lines are taller than the label";
      return {};
    }
    if (m.horizontalAdvance(text) > room.width()) return "the text is wider";
    return {};
  }
  auto* button = qobject_cast<QAbstractButton*>(w);
  if (!button || button->text().isEmpty()) return {};
  if (qobject_cast<SkinButton*>(w) || qobject_cast<WrapCheckBox*>(w)) {
    // They wrap their captions at the blanks (and make the font a little smaller where needed): a word
    // wider than the room beside the picture is cut.
    int room = w->width() - 6;
    if (!button->icon().isNull() && w->width() >= 60) room -= button->iconSize().width() + 3;
    if (qobject_cast<WrapCheckBox*>(w)) room = w->width() - 20;
    QFont smallest = w->font();
    smallest.setPointSizeF(smallest.pointSizeF() - 3);
    const QFontMetrics sm(smallest);
    for (const QString& word : button->text().split(' ', Qt::SkipEmptyParts))
      if (sm.horizontalAdvance(word) > room) return "the word \"" + word + "\" is wider than the button";
    return {};
  }
  if (qobject_cast<QCheckBox*>(w))
    return button->sizeHint().width() > w->width() ? "the caption is wider" : "";
  // A push button's own size hint asks for a minimum width; the text with its margins is what counts.
  if (m.horizontalAdvance(button->text()) + 4 > w->width()) return "the caption is wider";
  return {};
}
}  // namespace

class LayoutFonts : public MainWindowTest {};

TEST_F(LayoutFonts, NoCaptionOfTheMainWindowIsCutWithOnlyTheBaseFontsInstalled) {
  for (const QString& face : kSystemFaces)
    if (!QFile::exists(kFaceFolder + face)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  const QString root = testRootDir() + "/fontconfig";
  ASSERT_TRUE(QDir().mkpath(root + "/fonts"));
  ASSERT_TRUE(QDir().mkpath(root + "/cache"));
  for (const QString& face : kSystemFaces)
    ASSERT_TRUE(QFile::copy(kFaceFolder + face, root + "/fonts/" + face));
  ASSERT_TRUE(
      WriteTestFile(root + "/fonts.conf",
                    ("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                     "  <dir>" +
                     root + "/fonts</dir>\n  <cachedir>" + root + "/cache</cachedir>\n</fontconfig>\n")
                        .toUtf8()));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("FONTCONFIG_FILE", root + "/fonts.conf");
  env.remove("FONTCONFIG_PATH");
  const ProgramRun run = RunProgram(
      QCoreApplication::applicationFilePath(),
      {"--gtest_also_run_disabled_tests", "--gtest_filter=LayoutFonts.DISABLED_CaptionsFitInChild"},
      QString(), env);
  EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
  EXPECT_TRUE(run.out.contains("[  PASSED  ] 1 test")) << run.out.toStdString();
}

// Run only by the test above, in a process whose fontconfig sees the base fonts alone.
TEST_F(LayoutFonts, DISABLED_CaptionsFitInChild) {
  TFMain& w = shown();
  QCoreApplication::processEvents();
  EXPECT_TRUE(QFontInfo(QFont("Calibri")).family() != "Calibri") << "the test sees the system's Calibri";
  QStringList cut;
  for (QWidget* child : w.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&w)) continue;
    const QString why = cutCaption(child);
    if (!why.isEmpty()) cut << child->objectName() + " (" + QFontInfo(child->font()).family() + "): " + why;
  }
  EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString();
}
