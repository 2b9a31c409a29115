#include <QApplication>

#include "app/launch.h"

int main(int argc, char** argv) {
  if (const int code = AnswerInfoOptions(argc, argv); code >= 0) return code;
  QApplication app(argc, argv);
  return RunFromCommandLine(app);
}
