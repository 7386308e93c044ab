// File and path helpers. Stored file references are relative to the project folder and begin with
// a path delimiter; the stored delimiter is "\" so projects move between systems, and it is read
// as the folder separator when a reference is made absolute.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

constexpr QChar StoredPathDelimiter = u'\\';

// False when the name is empty after trimming blanks or holds any of / \ : * ? " < > |.
bool IsValidFileName(const QString& name);

// Player: the executable's folder. Designer: the folder of SourceFileName; for a project never
// saved it says so and yields "".
QString GetProjectFolder();

// Path within the project folder as stored ("\sub\file.png"; "\" for the folder itself), or "" with
// a message when Path lies outside the folder.
QString MakeRelativePath(const QString& path);
// A stored reference made absolute in the platform's form; "" for an empty reference or an
// unknown project folder.
QString MakeAbsolutePath(const QString& path);
// The same, against an explicit folder (no messages).
QString MakeAbsolutePathIn(const QString& folder, const QString& path);
QString MakeRelativePathIn(const QString& folder, const QString& path, bool* inside = nullptr);

// Names of the entries of a folder (no "." or ".."), unsorted: sub-folders only with wantFolders,
// else files only; a file named exactly "autorun.exe" only with includeAutorunExe.
bool ListFolderEntries(const QString& folder, bool wantFolders, bool includeAutorunExe, QStringList& list);

// Shell special folders, numbered as the shell numbers them.
enum TSpecialFolder : uint8_t {
  sfDesktop,
  sfInternet,
  sfPrograms,
  sfControls,
  sfPrinters,
  sfPersonal,
  sfFavorites,
  sfStartup,
  sfRecent,
  sfSendTo,
  sfBitBucket,
  sfStartMenu,
  sfMyDocuments,
  sfMyMusic,
  sfMyVideo,
  sfDesktopDirectory,
  sfDrives,
  sfNetwork,
  sfNetHood,
  sfFonts,
  sfTemplates,
  sfCommonStartMenu,
  sfCommonPrograms,
  sfCommonStartup,
  sfCommonDesktopDirectory,
  sfAppData,
  sfPrintHood,
  sfLocalAppData,
  sfAltStartup,
  sfCommonAltStartup,
  sfCommonFavorites,
  sfInternetCache,
  sfCookies,
  sfHistory,
  sfCommonAppData,
  sfWindows,
  sfSystem,
  sfProgramFiles,
  sfMyPictures,
  sfProfile,
  sfSystemX86,
  sfProgramFilesX86,
  sfProgramFilesCommon,
  sfProgramFilesCommonX86,
  sfCommonTemplates,
  sfCommonDocuments,
  sfCommonAdminTools,
  sfAdminTools,
  sfConnections,
  sfCommonMusic,
  sfCommonPictures,
  sfCommonVideo,
  sfResources,
  sfResourcesLocalized,
  sfCommonOemLinks,
  sfCDBurnArea,
  sfComputersNearMe,
};
constexpr int SpecialFolderCount = 57;

// The shell's numeric folder id of a special folder.
int SpecialFolderId(TSpecialFolder folder);
// The folder's path without trailing delimiter; "" where the folder has no meaning here.
QString GetSpecialFolderPath(TSpecialFolder folder);

// Removes one trailing "/" or "\" (but keeps a lone root).
QString ExcludeTrailingDelimiter(const QString& path);
