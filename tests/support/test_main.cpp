// SPDX-License-Identifier: GPL-3.0-or-later
// main() of every test program: Qt runs offscreen, and the program's data and temporary folders
// point into a fresh folder of this run, never into the real home folder.
#include <gtest/gtest.h>

#include <QApplication>
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
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("ZIEHFIX");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
