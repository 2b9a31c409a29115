#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("ZIEHFIX");
  QLabel label("ZIEHFIX");
  label.resize(400, 300);
  label.show();
  return app.exec();
}
