// Project files, the container appended to a player executable, and template files. Every
// operation returns false with one TError describing the failure; nothing here shows a window.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "model/Errors.h"
#include "model/Project.h"

namespace FileCodes {
constexpr int AppendToExe = 100;
constexpr int ReadFromExe = 101;
constexpr int ReadPage = 102;
constexpr int WriteProject = 104;
constexpr int ReadProject = 105;
constexpr int WriteObjectTemplate = 106, ReadObjectTemplate = 107, ReadObjectTemplateIcon = 108;
constexpr int WritePageTemplate = 109, ReadPageTemplate = 110, ReadPageTemplateIcon = 111;
}  // namespace FileCodes

// Project file: magic, file version, settings block.
constexpr uint32_t ProjectFileMagic = 0x05DF856B;
constexpr int32_t ProjectFileVersion = 0;
// Player executable: executable, marker, settings block, then the marker's position as the last
// four bytes.
constexpr int32_t ContainerMarker = 27345;
// Template files: magic, icon offset, content, icon bitmap.
constexpr uint32_t ObjectTemplateMagic = 0x020F7827;
constexpr uint32_t PageTemplateMagic = 0x0165EC37;

namespace ProjectFileTexts {
inline const QString InvalidFileFormat = QStringLiteral("Invalid file format.");
inline const QString FileFormatCaption = QStringLiteral("File Format");
inline const QString TooNew =
    QStringLiteral("The file is too new to read, maybe you need install newest version of the software.");
inline const QString TemplateFormatError = QStringLiteral("File format error.");
inline const QString UnableToRename = QStringLiteral("Unable to rename file");
}  // namespace ProjectFileTexts

// How long opening a running or freshly copied executable is retried while another program (a
// virus scanner, the shell) holds it. A file that does not exist is never retried.
struct TOpenRetry {
  int Attempts = 1;
  int WaitMs = 0;
};
inline TOpenRetry ExeReadRetry{28, 1000};
inline TOpenRetry ExeWriteRetry{21, 1000};

// Writes Project to fileName (created or truncated): unedited pages are copied from
// sourceFileName (empty: none). Refuses to write over its own source. Code 104.
bool SaveProjectToFile(const QString& fileName, const QString& sourceFileName, TError& error);
// Resets Project and reads fileName into it, outlines included. Code 105. On failure Project is
// left reset.
bool LoadProjectFromFile(const QString& fileName, TError& error);

// The designer's save: writes Project beside targetFileName under TemporaryProjectFileName, with
// unedited pages copied from sourceFileName when that file exists, forces it to disk and renames
// it over targetFileName in one step, so the old file stays whole until the new one is complete.
// On success the page table describes targetFileName, every in-memory page stream is released and
// SourceFileName is targetFileName; on failure the project is as it was.
bool SaveProjectReplacing(const QString& targetFileName, const QString& sourceFileName, TError& error);
// The temporary name: the file's name with its extension replaced by "._", in the same folder.
QString TemporaryProjectFileName(const QString& fileName);
// The project differs from its file: settings changed or a page held in memory.
bool ProjectHasUnsavedData();

// Appends the container to an existing executable (code 100); page positions then describe the
// executable. A failed append cuts the executable back to its own bytes.
bool AppendProjectToExe(const QString& exeFileName, const QString& sourceFileName, TError& error);
// The player's start: resets Project and reads the settings and page table appended to the
// executable (code 101). Page streams are read later, when shown.
bool LoadProjectFromExe(const QString& exeFileName, TError& error);

// What a file holds, for tools: either form, with the outlines.
enum class TProjectFileKind { ProjectFile, PlayerExecutable };
struct TProjectFileSummary {
  TProjectFileKind Kind = TProjectFileKind::ProjectFile;
  int32_t Version = 0;     // file version of a project file; the block's version word otherwise
  qint64 BlockOffset = 0;  // where the settings block begins
  qint64 FileSize = 0;
  TMenuProject Project;
};
bool InspectProjectFile(const QString& fileName, TProjectFileSummary& summary, TError& error);

// Templates hold one object with its subtree, or one page, and a preview bitmap (the bytes of a BMP
// file) that can be read alone through the offset at byte 4. A template is written beside its name
// and only then replaces it, so a failed write never leaves a broken template behind.
// Object templates: codes 106 / 107 / 108.
bool SaveObjectTemplate(const QString& fileName, const TAuObject& object, const QByteArray& iconBitmap, TError& error);
// Reads the object into an existing record; parentKind, when given, is the kind of the container it
// is meant for.
bool LoadObjectTemplate(const QString& fileName, TAuObject& object, TError& error,
                        std::optional<TObjectType> parentKind = std::nullopt);
// Reads only the preview. A file too short or with another magic gives false and no error.
bool LoadObjectTemplateIcon(const QString& fileName, QByteArray& iconBitmap, TError& error);

// Page templates: codes 109 / 110 / 111.
struct TPageData;
bool SavePageTemplate(const QString& fileName, const TPageData& page, const QByteArray& iconBitmap, TError& error);
// Reads the page; the page keeps its own caption.
bool LoadPageTemplate(const QString& fileName, TPageData& page, TError& error);
bool LoadPageTemplateIcon(const QString& fileName, QByteArray& iconBitmap, TError& error);
