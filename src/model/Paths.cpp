#include "model/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "model/Errors.h"
#include "model/Globals.h"
#include "model/Messages.h"

namespace {
bool IsDelimiter(QChar c) { return c == u'/' || c == u'\\'; }

// Stored references use "\"; the platform's separator is "/" here.
QString ToPlatform(QString path) {
#ifndef Q_OS_WIN
  path.replace(u'\\', u'/');
#endif
  return path;
}

QString ToStored(QString path) {
  path.replace(u'/', StoredPathDelimiter);
  return path;
}
}  // namespace

bool IsValidFileName(const QString& name) {
  if (name.trimmed().isEmpty()) return false;
  static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
  for (QChar c : name)
    if (forbidden.contains(c)) return false;
  return true;
}

QString ExcludeTrailingDelimiter(const QString& path) {
  if (path.size() > 1 && IsDelimiter(path.back())) return path.left(path.size() - 1);
  return path;
}

QString GetProjectFolder() {
  if (!IsDesigner) return ExcludeTrailingDelimiter(ExeFolder);
  if (SourceFileName.isEmpty()) {
    ShowMessageBox(QStringLiteral("Project Folder"),
                   QStringLiteral("The project has not been saved. Please save your project first."),
                   TMsgIcon::Information);
    return {};
  }
  return ExcludeTrailingDelimiter(QFileInfo(SourceFileName).absolutePath());
}

QString MakeRelativePathIn(const QString& folder, const QString& path, bool* inside) {
  if (inside) *inside = false;
  if (folder.isEmpty()) return {};
  const QString base = ExcludeTrailingDelimiter(folder);
  if (!path.startsWith(base, Qt::CaseInsensitive)) return {};
  const QString rest = path.mid(base.size());
  // The folder must end at a delimiter: "/proj" does not contain "/project2/file".
  if (!rest.isEmpty() && !IsDelimiter(rest.front()) && !(base.size() == 1 && IsDelimiter(base.front()))) return {};
  if (inside) *inside = true;
  if (rest.isEmpty()) return QString(StoredPathDelimiter);
  return ToStored(IsDelimiter(rest.front()) ? rest : QString(StoredPathDelimiter) + rest);
}

QString MakeRelativePath(const QString& path) {
  const QString folder = GetProjectFolder();
  if (folder.isEmpty()) return {};
  bool inside = false;
  const QString result = MakeRelativePathIn(folder, path, &inside);
  if (!inside) {
    ShowMessageBox(ErrorTexts::InformationCaption,
                   QStringLiteral("The file or folder you selected is not in the project folder."),
                   TMsgIcon::Information);
    return {};
  }
  return result;
}

QString MakeAbsolutePathIn(const QString& folder, const QString& path) {
  if (path.isEmpty() || folder.isEmpty()) return {};
  QString result = folder;
  if (!IsDelimiter(path.front())) result += StoredPathDelimiter;
  return ToPlatform(result + path);
}

QString MakeAbsolutePath(const QString& path) {
  if (path.isEmpty()) return {};
  return MakeAbsolutePathIn(GetProjectFolder(), path);
}

bool ListFolderEntries(const QString& folder, bool wantFolders, bool includeAutorunExe, QStringList& list) {
  list.clear();
  QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return false;
  const QDir::Filters filters =
      (wantFolders ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
  const QStringList names = dir.entryList(filters, QDir::Unsorted);
  for (const QString& name : names) {
    if (!wantFolders && !includeAutorunExe && name == QLatin1String("autorun.exe")) continue;
    list.append(name);
  }
  return true;
}

int SpecialFolderId(TSpecialFolder folder) {
  const int v = folder;
  if (v <= sfMyVideo) return v;          // 0..14
  if (v <= sfConnections) return v + 1;  // 16..49
  if (v <= sfCDBurnArea) return v + 4;   // 53..59
  return 61;                             // sfComputersNearMe
}

QString GetSpecialFolderPath(TSpecialFolder folder) {
  auto location = [](QStandardPaths::StandardLocation l) {
    return ExcludeTrailingDelimiter(QStandardPaths::writableLocation(l));
  };
  switch (folder) {
    case sfDesktop:
    case sfDesktopDirectory:
      return location(QStandardPaths::DesktopLocation);
    case sfPersonal:
    case sfMyDocuments:
      return location(QStandardPaths::DocumentsLocation);
    case sfMyMusic:
      return location(QStandardPaths::MusicLocation);
    case sfMyVideo:
      return location(QStandardPaths::MoviesLocation);
    case sfMyPictures:
      return location(QStandardPaths::PicturesLocation);
    case sfFonts:
      return location(QStandardPaths::FontsLocation);
    case sfPrograms:
    case sfStartMenu:
      return location(QStandardPaths::ApplicationsLocation);
    case sfAppData:
      return location(QStandardPaths::GenericDataLocation);
    case sfLocalAppData:
      return location(QStandardPaths::GenericConfigLocation);
    case sfInternetCache:
      return location(QStandardPaths::GenericCacheLocation);
    case sfProfile:
      return location(QStandardPaths::HomeLocation);
    case sfTemplates: {
      const QString home = location(QStandardPaths::HomeLocation);
      return home.isEmpty() ? QString() : home + QStringLiteral("/Templates");
    }
    default:
      return {};
  }
}
