// The baseline of the player start benchmark: the smallest Qt Widgets program that shows one
// window, ending as the player does after its first page is shown (a 10 ms deferred close).
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(680, 429);
  window.show();
  QTimer::singleShot(10, &app, &QCoreApplication::quit);
  return app.exec();
}
