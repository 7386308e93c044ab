#include "model/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/ProjectStream.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

int OsErrorOr(int fallback) { return errno != 0 ? errno : fallback; }

TError InvalidFileFormat() {
  return TError::Box(ProjectFileTexts::InvalidFileFormat, ProjectFileTexts::FileFormatCaption, TMsgIcon::Information);
}

TError TooNew() { return TError::Box(ProjectFileTexts::TooNew, ErrorTexts::InformationCaption, TMsgIcon::Information); }

// Errors another program causes by holding the file for a moment; anything else will not go away
// by waiting.
bool IsTransientOpenError(int error) {
#ifdef Q_OS_WIN
  return error != ENOENT && error != ENOTDIR && error != EISDIR;
#else
  return error == EBUSY || error == ETXTBSY || error == EAGAIN || error == EINTR || error == EMFILE || error == ENFILE;
#endif
}

// Opens an existing file, retrying while it is held. A missing file fails at once.
bool OpenHeldFile(QFile& file, QIODevice::OpenMode mode, const TOpenRetry& retry, int& osError) {
  for (int attempt = 1;; ++attempt) {
    const QFileInfo info(file.fileName());
    if (!info.exists()) {
      osError = ENOENT;
      return false;
    }
    if (info.isDir()) {
      osError = EISDIR;
      return false;
    }
    errno = 0;
    if (file.open(mode)) return true;
    osError = OsErrorOr(EIO);
    if (!IsTransientOpenError(osError) || attempt >= retry.Attempts) return false;
    QThread::msleep(static_cast<unsigned long>(std::max(retry.WaitMs, 0)));
  }
}

// Runs the outer steps of a file operation: a short read or failed write inside ends it with the
// file error of the operation, unless a nested reader or writer recorded its own failure first.
// error must be clear on entry.
template <class Body>
bool GuardedFile(TStream& s, int code, const QString& fileName, TError& error, Body&& body) {
  errno = 0;
  const bool ok = RunCaught(body);
  // A body that found a failure of its own (a wrong magic) has set error already.
  if (!ok && !error.IsSet()) error = s.Failed() ? s.Error() : TError::File(code, fileName, OsErrorOr(EndOfDataError()));
  return ok;
}

bool SameFile(const QString& a, const QString& b) {
  const QFileInfo fa(a), fb(b);
  if (!fa.exists() || !fb.exists()) return false;
  return fa.canonicalFilePath() == fb.canonicalFilePath();
}

// Forces the written bytes of an open file to the disk.
bool SyncToDisk(QFile& file) {
  if (!file.flush()) return false;
#ifdef Q_OS_WIN
  return _commit(file.handle()) == 0;
#else
  return ::fsync(file.handle()) == 0;
#endif
}

// Makes a rename inside a folder durable (best effort; not every file system supports it).
void SyncFolder(const QString& folder) {
#ifndef Q_OS_WIN
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    (void)::fsync(fd);
    ::close(fd);
  }
#else
  (void)folder;
#endif
}

std::filesystem::path FsPath(const QString& path) {
#ifdef Q_OS_WIN
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Writes magic, version and block for Project into fileName.
bool WriteProjectFile(const QString& fileName, const QString& sourceFileName, bool syncToDisk, TError& error) {
  if (!sourceFileName.isEmpty() && SameFile(fileName, sourceFileName)) {
    // Truncating the file would destroy the pages about to be copied out of it.
    error = TError::File(FileCodes::WriteProject, fileName, EINVAL);
    return false;
  }
  QFile source(sourceFileName);
  if (!sourceFileName.isEmpty()) {
    errno = 0;
    if (!source.open(QIODevice::ReadOnly)) {
      error = TError::File(FileCodes::WriteProject, sourceFileName, OsErrorOr(EIO));
      return false;
    }
  }
  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    error = TError::File(FileCodes::WriteProject, fileName, OsErrorOr(EIO));
    return false;
  }
  TStream s(&file);
  const bool ok = GuardedFile(s, FileCodes::WriteProject, fileName, error, [&] {
    s.Write<uint32_t>(ProjectFileMagic);
    s.WriteInt(ProjectFileVersion);
    if (!WriteProjectSettings(s, source.isOpen() ? &source : nullptr)) return false;
    if (syncToDisk ? !SyncToDisk(file) : !file.flush()) return false;
    file.close();
    return file.error() == QFileDevice::NoError;
  });
  return ok;
}

bool FitsInt32(qint64 value) { return value >= 0 && value <= std::numeric_limits<int32_t>::max(); }

// Magic, version and block of a project file, read into project.
bool ReadProjectFileInto(QFile& file, TMenuProject& project, bool readOutlines, int32_t& version, TError& error) {
  TStream s(&file);
  return GuardedFile(s, FileCodes::ReadProject, file.fileName(), error, [&] {
    if (file.size() < 4 || s.Read<uint32_t>() != ProjectFileMagic) {
      error = InvalidFileFormat();
      return false;
    }
    version = s.ReadInt();
    if (version != ProjectFileVersion) {
      error = TooNew();
      return false;
    }
    return ReadProjectSettings(s, project, readOutlines);
  });
}

// The container at the end of an executable, read into project. The last four bytes must point
// at the marker; the block follows the marker.
bool ReadContainerInto(QFile& file, TMenuProject& project, bool readOutlines, qint64& blockOffset, TError& error) {
  TStream s(&file);
  return GuardedFile(s, FileCodes::ReadFromExe, file.fileName(), error, [&] {
    const qint64 size = file.size();
    if (size < 8 || !s.Seek(size - 4)) {
      error = InvalidFileFormat();
      return false;
    }
    const qint64 marker = s.ReadInt();
    if (marker < 0 || marker > size - 8 || !s.Seek(marker) || s.ReadInt() != ContainerMarker) {
      error = InvalidFileFormat();
      return false;
    }
    blockOffset = marker + 4;
    return ReadProjectSettings(s, project, readOutlines);
  });
}

template <class WriteContent>
bool SaveTemplate(const QString& fileName, uint32_t magic, int code, const QByteArray& icon, TError& error,
                  WriteContent&& writeContent) {
  error = {};
  // Written beside its name and renamed into place: a failed write never leaves a broken
  // template in the library.
  QSaveFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) {
    error = TError::File(code, fileName, OsErrorOr(EIO));
    return false;
  }
  TStream s(&file);
  const bool ok = GuardedFile(s, code, fileName, error, [&] {
    s.Write<uint32_t>(magic);
    s.WriteInt(0);  // the icon offset, known once the content is written
    if (!writeContent(s)) return false;
    const qint64 iconOffset = s.Pos();
    if (!FitsInt32(iconOffset)) return false;
    s.WriteRaw(icon.constData(), icon.size());
    if (!s.Seek(0)) return false;
    s.Write<uint32_t>(magic);
    s.WriteInt(static_cast<int32_t>(iconOffset));
    return file.commit();
  });
  if (!ok) file.cancelWriting();
  return ok;
}

template <class ReadContent>
bool LoadTemplate(const QString& fileName, uint32_t magic, int code, TError& error, ReadContent&& readContent) {
  error = {};
  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    error = TError::File(code, fileName, OsErrorOr(EIO));
    return false;
  }
  TStream s(&file);
  return GuardedFile(s, code, fileName, error, [&] {
    if (file.size() < 4 || s.Read<uint32_t>() != magic) {
      error = TError::Plain(ProjectFileTexts::TemplateFormatError);
      return false;
    }
    (void)s.ReadInt();  // the icon offset; the content follows it
    return readContent(s);
  });
}

bool LoadTemplateIcon(const QString& fileName, uint32_t magic, int code, QByteArray& icon, TError& error) {
  error = {};
  icon.clear();
  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    error = TError::File(code, fileName, OsErrorOr(EIO));
    return false;
  }
  // Anything that is not a template of this kind is simply passed over by the template library.
  uint32_t head[2] = {0, 0};
  if (file.size() < 8 || file.read(reinterpret_cast<char*>(head), 8) != 8 || head[0] != magic) return false;
  TStream s(&file);
  return GuardedFile(s, code, fileName, error, [&] {
    const qint64 iconOffset = static_cast<int32_t>(head[1]);
    if (iconOffset < 8 || iconOffset > file.size() || !s.Seek(iconOffset)) return false;
    icon = s.ReadBytes(file.size() - iconOffset);
    return true;
  });
}

}  // namespace

bool SaveProjectToFile(const QString& fileName, const QString& sourceFileName, TError& error) {
  error = {};
  return WriteProjectFile(fileName, sourceFileName, false, error);
}

bool LoadProjectFromFile(const QString& fileName, TError& error) {
  error = {};
  ResetProject(false);
  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    error = TError::File(FileCodes::ReadProject, fileName, OsErrorOr(EIO));
    return false;
  }
  int32_t version = 0;
  if (!ReadProjectFileInto(file, Project, true, version, error)) return false;
  ProjectChanged = false;
  return true;
}

QString TemporaryProjectFileName(const QString& fileName) {
  const QFileInfo info(fileName);
  QString temp = info.dir().filePath(info.completeBaseName() + QStringLiteral("._"));
  // A project already named "x._" must not be written over while it is the source.
  if (QFileInfo(temp).absoluteFilePath() == info.absoluteFilePath()) temp += QStringLiteral("._");
  return temp;
}

bool ProjectHasUnsavedData() {
  if (ProjectChanged) return true;
  for (const auto& form : Project.Forms)
    if (form->FormInfoData) return true;
  return false;
}

bool SaveProjectReplacing(const QString& targetFileName, const QString& sourceFileName, TError& error) {
  error = {};
  const QString temp = TemporaryProjectFileName(targetFileName);
  const QString source = !sourceFileName.isEmpty() && QFileInfo(sourceFileName).isFile() ? sourceFileName : QString();

  // Until the rename succeeds the project must keep describing its source file.
  const bool changed = ProjectChanged;
  std::vector<std::pair<int32_t, int32_t>> ranges;
  for (const auto& form : Project.Forms) ranges.emplace_back(form->Position, form->Length);
  const auto restore = [&] {
    ProjectChanged = changed;
    for (size_t i = 0; i < Project.Forms.size(); ++i) {
      Project.Forms[i]->Position = ranges[i].first;
      Project.Forms[i]->Length = ranges[i].second;
    }
  };

  if (!WriteProjectFile(temp, source, true, error)) {
    restore();
    QFile::remove(temp);
    return false;
  }
  // The new file takes over the old one's permissions, as an edit in place would keep them.
  if (QFileInfo::exists(targetFileName)) QFile::setPermissions(temp, QFile::permissions(targetFileName));
  // One step replaces the old file: at any moment either the old or the new project is complete
  // under the target name.
  std::error_code ec;
  std::filesystem::rename(FsPath(temp), FsPath(targetFileName), ec);
  if (ec) {
    restore();
    error = TError::Box(ProjectFileTexts::UnableToRename + QStringLiteral(" \"") + temp + QStringLiteral("\"."),
                        ErrorTexts::ErrorCaption, TMsgIcon::Error);
    return false;
  }
  SyncFolder(QFileInfo(targetFileName).absolutePath());

  // Every page now lies in the new file at the range just recorded.
  for (auto& form : Project.Forms) form->FormInfoData.reset();
  SourceFileName = targetFileName;
  return true;
}

bool AppendProjectToExe(const QString& exeFileName, const QString& sourceFileName, TError& error) {
  error = {};
  QFile file(exeFileName);
  int osError = 0;
  if (!OpenHeldFile(file, QIODevice::ReadWrite, ExeWriteRetry, osError)) {
    error = TError::File(FileCodes::AppendToExe, exeFileName, osError);
    return false;
  }
  QFile source(sourceFileName);
  if (!sourceFileName.isEmpty()) {
    errno = 0;
    if (!source.open(QIODevice::ReadOnly)) {
      error = TError::File(FileCodes::AppendToExe, sourceFileName, OsErrorOr(EIO));
      return false;
    }
  }
  const qint64 markerPos = file.size();
  TStream s(&file);
  const bool ok = GuardedFile(s, FileCodes::AppendToExe, exeFileName, error, [&] {
    if (!FitsInt32(markerPos)) {
      error = TError::File(FileCodes::AppendToExe, exeFileName, EFBIG);
      return false;
    }
    if (!s.Seek(markerPos)) return false;
    s.WriteInt(ContainerMarker);
    if (!WriteProjectSettings(s, source.isOpen() ? &source : nullptr)) return false;
    s.WriteInt(static_cast<int32_t>(markerPos));
    return file.flush();
  });
  // Cut a partial container off again, so the copy is a plain executable rather than a
  // damaged player.
  if (!ok) file.resize(markerPos);
  return ok;
}

bool LoadProjectFromExe(const QString& exeFileName, TError& error) {
  error = {};
  ResetProject(false);
  QFile file(exeFileName);
  int osError = 0;
  if (!OpenHeldFile(file, QIODevice::ReadOnly, ExeReadRetry, osError)) {
    error = TError::Plain(SystemErrorText(osError) + QStringLiteral(" \"") + exeFileName + QStringLiteral("\" "));
    return false;
  }
  qint64 blockOffset = 0;
  if (!ReadContainerInto(file, Project, false, blockOffset, error)) return false;
  ProjectChanged = false;
  return true;
}

bool InspectProjectFile(const QString& fileName, TProjectFileSummary& summary, TError& error) {
  error = {};
  summary = TProjectFileSummary{};
  QFile file(fileName);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    error = TError::File(FileCodes::ReadProject, fileName, OsErrorOr(EIO));
    return false;
  }
  summary.FileSize = file.size();
  uint32_t magic = 0;
  const bool isProjectFile =
      file.read(reinterpret_cast<char*>(&magic), 4) == 4 && magic == ProjectFileMagic && file.seek(0);
  if (isProjectFile) {
    summary.Kind = TProjectFileKind::ProjectFile;
    summary.BlockOffset = 8;
    return ReadProjectFileInto(file, summary.Project, true, summary.Version, error);
  }
  summary.Kind = TProjectFileKind::PlayerExecutable;
  summary.Version = 0;  // the block's version word; the reader accepts no other
  return ReadContainerInto(file, summary.Project, true, summary.BlockOffset, error);
}

bool SaveObjectTemplate(const QString& fileName, const TAuObject& object, const QByteArray& iconBitmap, TError& error) {
  return SaveTemplate(fileName, ObjectTemplateMagic, FileCodes::WriteObjectTemplate, iconBitmap, error,
                      [&](TStream& s) { return WriteAuObject(s, object); });
}

bool LoadObjectTemplate(const QString& fileName, TAuObject& object, TError& error,
                        std::optional<TObjectType> parentKind) {
  return LoadTemplate(fileName, ObjectTemplateMagic, FileCodes::ReadObjectTemplate, error,
                      [&](TStream& s) { return ReadAuObject(s, object, parentKind); });
}

bool LoadObjectTemplateIcon(const QString& fileName, QByteArray& iconBitmap, TError& error) {
  return LoadTemplateIcon(fileName, ObjectTemplateMagic, FileCodes::ReadObjectTemplateIcon, iconBitmap, error);
}

bool SavePageTemplate(const QString& fileName, const TPageData& page, const QByteArray& iconBitmap, TError& error) {
  return SaveTemplate(fileName, PageTemplateMagic, FileCodes::WritePageTemplate, iconBitmap, error,
                      [&](TStream& s) { return WritePageStream(s, page); });
}

bool LoadPageTemplate(const QString& fileName, TPageData& page, TError& error) {
  // A template brings its look and content, not its title: the page keeps its caption.
  const QString caption = page.Caption;
  const bool ok = LoadTemplate(fileName, PageTemplateMagic, FileCodes::ReadPageTemplate, error,
                               [&](TStream& s) { return ReadPageStream(s, page); });
  page.Caption = caption;
  return ok;
}

bool LoadPageTemplateIcon(const QString& fileName, QByteArray& iconBitmap, TError& error) {
  return LoadTemplateIcon(fileName, PageTemplateMagic, FileCodes::ReadPageTemplateIcon, iconBitmap, error);
}
