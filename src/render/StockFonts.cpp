#include "render/StockFonts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

int RegisterStockFonts() {
  static const char* const files[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};
  const QStringList folders{QStringLiteral("/usr/share/wine/fonts"), QCoreApplication::applicationDirPath()};
  int registered = 0;
  for (const char* file : files)
    for (const QString& folder : folders) {
      const QString path = folder + u'/' + QLatin1String(file);
      if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) {
        ++registered;
        break;
      }
    }
  return registered;
}
