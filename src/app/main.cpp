#include <QApplication>

#include "app/launch.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return RunFromCommandLine(app);
}
