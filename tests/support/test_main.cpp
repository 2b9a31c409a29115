// SPDX-License-Identifier: GPL-3.0-or-later
// main() of every test program: Qt runs offscreen, and the program's data and temporary folders
// point into a fresh folder of this run, never into the real home folder.
#include <gtest/gtest.h>

#if defined(ZIEHFIX_TEST_WIDGETS)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(ZIEHFIX_TEST_GUI)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "support/test_env.h"

namespace {
QString g_root;
}

QString testRootDir() {
  return g_root;
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir root(QDir::tempPath() + "/ziehfix-test-XXXXXX");
  g_root = root.path();
  QDir().mkpath(g_root + "/data");
  QDir().mkpath(g_root + "/tmp");
  qputenv("XDG_DATA_HOME", (g_root + "/data").toLocal8Bit());
  qputenv("TMPDIR", (g_root + "/tmp").toLocal8Bit());
  QDir().mkpath(g_root + "/run");
  QFile::setPermissions(g_root + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", (g_root + "/run").toLocal8Bit());
  qputenv("HOME", g_root.toLocal8Bit());
  TestApplication app(argc, argv);
#if defined(ZIEHFIX_TEST_WIDGETS) || defined(ZIEHFIX_TEST_GUI)
  TestApplication::setApplicationDisplayName("ZIEHFIX");
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
