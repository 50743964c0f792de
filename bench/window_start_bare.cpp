// The yardstick of the window's start: a minimal Qt Widgets program that paints one window of the menu's size
// and, as the menu does for the benchmark, says "first frame" on standard output and quits once it is
// painted.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class Window : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (said_) return;
    said_ = true;
    std::fputs("first frame\n", stdout);
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  }

 private:
  bool said_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Window window;
  window.setFixedSize(818, 742);
  window.show();
  return application.exec();
}
