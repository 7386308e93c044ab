// Balloons, notes, bevels, image placement and the multi-line text's animation frames.
#include <QPainter>

#include "Gallery.h"
#include "render/BalloonImage.h"
#include "render/NoteImage.h"

namespace {

// Scales a small picture up without smoothing, so single pixels can be inspected.
QImage Zoom(const QImage& image, int factor) {
  return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

const TGalleryRegistrar balloonShapes(QStringLiteral("balloon-shape"), [](const QString& folder) {
  for (int arrow = 0; arrow <= 8; ++arrow) {
    const QImage img = BuildBalloonShape({193, 65}, arrow, qRgb(0xFD, 0xC5, 0x02), qRgb(0, 0, 0));
    SaveGalleryImage(img, folder, QStringLiteral("arrow%1").arg(arrow));
    SaveGalleryImage(Zoom(img, 6), folder, QStringLiteral("arrow%1-x6").arg(arrow));
  }
});

const TGalleryRegistrar noteShapes(QStringLiteral("note-shape"), [](const QString& folder) {
  for (int g = 0; g <= 14; ++g) {
    QImage img = BuildNoteShape({193, 193}, g, 3, qRgb(0x00, 0x3E, 0xFF), false, true);
    if (g == NoteGraphic::Bind) DrawNoteDecoration(img, NoteBindPicture());
    if (g == NoteGraphic::Pad) DrawNoteDecoration(img, NotePadPicture());
    SaveGalleryImage(img, folder, QStringLiteral("graphic%1").arg(g));
  }
  SaveGalleryImage(Zoom(NoteBindPicture(), 6), folder, QStringLiteral("bind-x6"));
  SaveGalleryImage(Zoom(NotePadPicture(), 6), folder, QStringLiteral("pad-x6"));
});

}  // namespace
