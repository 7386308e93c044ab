// gallery FOLDER [SECTION...]: writes the pictures of every (or the named) section into FOLDER.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "Gallery.h"

std::vector<TGallerySection>& GallerySections() {
  static std::vector<TGallerySection> sections;
  return sections;
}

void SaveGalleryImage(const QImage& image, const QString& folder, const QString& name, bool checkerboard) {
  QImage out = image;
  if (checkerboard && image.hasAlphaChannel()) {
    out = QImage(image.size(), QImage::Format_ARGB32);
    QPainter p(&out);
    for (int y = 0; y < out.height(); y += 8)
      for (int x = 0; x < out.width(); x += 8)
        p.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(204, 204, 204) : QColor(255, 255, 255));
    p.drawImage(0, 0, image);
  }
  out.save(folder + u'/' + name + QStringLiteral(".png"));
}

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) {
    std::fprintf(stderr, "usage: gallery FOLDER [SECTION...]\n");
    return 2;
  }
  const QString folder = args[0];
  QDir().mkpath(folder);
  const QStringList wanted = args.mid(1);
  for (const auto& section : GallerySections()) {
    if (!wanted.isEmpty() && !wanted.contains(section.Name)) continue;
    const QString sub = folder + u'/' + section.Name;
    QDir().mkpath(sub);
    section.Write(sub);
    std::printf("%s\n", qUtf8Printable(sub));
  }
  return 0;
}
