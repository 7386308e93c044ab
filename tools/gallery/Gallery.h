// Each gallery_*.cpp registers one section that writes its pictures into a folder.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

struct TGallerySection {
  QString Name;
  std::function<void(const QString& folder)> Write;
};

std::vector<TGallerySection>& GallerySections();

struct TGalleryRegistrar {
  TGalleryRegistrar(const QString& name, std::function<void(const QString&)> write) {
    GallerySections().push_back({name, std::move(write)});
  }
};

// Saves an image as folder/name.png, on a checkerboard when it has transparency so alpha shows.
void SaveGalleryImage(const QImage& image, const QString& folder, const QString& name, bool checkerboard = true);
