// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/launch.h"
#ifdef ZIEHFIX_HAVE_SCAN
#include "scan/recogniserthreads.h"
#endif

int main(int argc, char** argv) {
#ifdef ZIEHFIX_HAVE_SCAN
  StartWithOneRecogniserThread(argv);
#endif
  if (const int code = AnswerInfoOptions(argc, argv); code >= 0) return code;
  QApplication app(argc, argv);
  return RunFromCommandLine(app);
}
