// Renders the sample disc's pictures from their SVG sources: galleries (JPEG), thumbnails and page
// illustrations (BMP) in the disc's \NORVA\ folder.
// Usage: render_pictures LIST SVG_DIR NORVA_DIR. LIST is samples/pictures/pictures.txt; its header says what
// each line makes.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kGalleryWidth = 640;
constexpr int kGalleryHeight = 480;
// A thumbnail fills the detail panel's picture frame, which shows it at its own size.
constexpr int kThumbWidth = 243;
constexpr int kThumbHeight = 151;
constexpr double kGalleryAspect = double(kGalleryWidth) / kGalleryHeight;
constexpr double kThumbAspect = double(kThumbWidth) / kThumbHeight;

struct Line {
  std::string kind;
  std::string name;
  std::string svg;
  std::string extra;
};

// The view of a scene with the given width : height at `at` (0 = its left edge, 1 = its right edge), as tall
// as the scene; a scene narrower than that keeps its width and loses equal strips at the top and bottom.
QRectF ViewAt(const QSizeF& scene, double at, double aspect) {
  const double width = std::min(scene.width(), scene.height() * aspect);
  const double height = width / aspect;
  return {(scene.width() - width) * std::clamp(at, 0.0, 1.0), (scene.height() - height) / 2, width, height};
}

QImage Render(QSvgRenderer& svg, const QRectF& view, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  // Rounded or transparent corners of a drawing sit on the menu panel's dark blue.
  image.fill(QColor(0x1b, 0x27, 0x33));
  svg.setViewBox(view);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  svg.render(&painter, QRectF(0, 0, width, height));
  return image;
}

// The night scheme's variant: darker, pulled towards indigo.
QImage Night(const QImage& day) {
  QImage night = day.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < night.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(night.scanLine(y));
    for (int x = 0; x < night.width(); ++x) {
      const QRgb p = row[x];
      row[x] = qRgb(qRed(p) * 45 / 100 + 30, qGreen(p) * 40 / 100 + 8, qBlue(p) * 55 / 100 + 70);
    }
  }
  return night;
}

bool Save(const QImage& image, const std::string& file, const char* format) {
  // Bitmaps go out as plain 24-bit ones, which every picture loader of the menu reads.
  const QImage out = std::string(format) == "BMP" ? image.convertToFormat(QImage::Format_RGB888) : image;
  if (out.save(QString::fromStdString(file), format, 88)) return true;
  std::cerr << "render_pictures: cannot write " << file << "\n";
  return false;
}

// Gallery picture numbers: two digits for 1-9, plain decimal from 10 on.
std::string Number(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

bool RenderLine(const Line& line, const std::string& svg_dir, const std::string& norva) {
  QSvgRenderer svg(QString::fromStdString(svg_dir + "/" + line.svg));
  if (!svg.isValid()) {
    std::cerr << "render_pictures: cannot read " << line.svg << "\n";
    return false;
  }
  const QSizeF scene = svg.viewBoxF().size();
  const std::string small = norva + "/Small/" + line.name;
  if (line.kind == "gallery") {
    const int count = std::stoi(line.extra);
    for (int n = 1; n <= count; ++n) {
      const double at = count == 1 ? 0.0 : double(n - 1) / (count - 1);
      if (!Save(Render(svg, ViewAt(scene, at, kGalleryAspect), kGalleryWidth, kGalleryHeight),
                norva + "/" + line.name + Number(n) + ".jpg", "JPEG"))
        return false;
      if (n == 1 && !Save(Render(svg, ViewAt(scene, at, kThumbAspect), kThumbWidth, kThumbHeight),
                          small + "01.bmp", "BMP"))
        return false;
    }
    return count > 0;
  }
  if (line.kind == "thumb") {
    const double at = line.extra.empty() ? 0.5 : std::stod(line.extra);
    return Save(Render(svg, ViewAt(scene, at, kThumbAspect), kThumbWidth, kThumbHeight), small + ".bmp",
                "BMP");
  }
  if (line.kind == "page") {
    const QImage day = Render(svg, ViewAt(scene, 0.5, kThumbAspect), kThumbWidth, kThumbHeight);
    return Save(day, small + "_GR.bmp", "BMP") && Save(Night(day), small + "_IND.bmp", "BMP");
  }
  std::cerr << "render_pictures: unknown kind " << line.kind << "\n";
  return false;
}

std::vector<Line> ReadList(const std::string& file, bool* ok) {
  std::vector<Line> lines;
  std::ifstream in(file);
  *ok = bool(in);
  std::string text;
  while (*ok && std::getline(in, text)) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    Line line;
    fields >> line.kind >> line.name >> line.svg >> line.extra;
    if (line.svg.empty() || (line.kind == "gallery" && line.extra.empty())) {
      std::cerr << "render_pictures: bad line: " << text << "\n";
      *ok = false;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: render_pictures LIST SVG_DIR NORVA_DIR\n";
    return 2;
  }
  // No display is needed to paint into images.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A build as root or in a container has no runtime folder; the tool needs none, so Qt's notice about it
  // would only clutter the build's output.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QStringLiteral("QStandardPaths: "))) return;
    if (type != QtDebugMsg) std::cerr << text.toStdString() << '\n';
  });
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);

  bool ok = false;
  const std::vector<Line> lines = ReadList(argv[1], &ok);
  if (!ok) return 1;
  const std::string norva = argv[3];
  std::filesystem::create_directories(norva + "/Small");
  for (const Line& line : lines) {
    try {
      if (!RenderLine(line, argv[2], norva)) return 1;
    } catch (const std::exception&) {
      std::cerr << "render_pictures: bad number in the line of " << line.name << "\n";
      return 1;
    }
  }
  return 0;
}
