// The yardstick of the window's start: a minimal Qt Widgets program that paints one window of the menu's size
// and quits once it is painted.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Window window;
  window.setFixedSize(818, 742);
  window.show();
  return application.exec();
}
