// Renders the program's icon from its SVG source into the PNG sizes of the icon theme.
// Usage: render_icon SVG OUTPUT_DIR NAME SIZE...; writes OUTPUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for each
// size.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: render_icon SVG OUTPUT_DIR NAME SIZE...\n";
    return 2;
  }
  // No display is needed to paint into images, and the build needs no runtime folder.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QStringLiteral("QStandardPaths: "))) return;
    if (type != QtDebugMsg) std::cerr << text.toStdString() << '\n';
  });
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);

  QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
  if (!renderer.isValid()) {
    std::cerr << "render_icon: cannot read " << argv[1] << '\n';
    return 1;
  }
  for (int i = 4; i < argc; ++i) {
    int size = 0;
    try {
      size = std::stoi(argv[i]);
    } catch (const std::exception&) {
    }
    if (size <= 0 || size > 1024) {
      std::cerr << "render_icon: bad size " << argv[i] << '\n';
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path folder = std::filesystem::path(argv[2]) / name / "apps";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / (std::string(argv[3]) + ".png");
    if (!image.save(QString::fromStdString(file.string()), "PNG")) {
      std::cerr << "render_icon: cannot write " << file << '\n';
      return 1;
    }
  }
  return 0;
}
