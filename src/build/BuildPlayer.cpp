#include "build/BuildPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "build/PlayerName.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/IniFile.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"
#include "plugins/PluginPaths.h"

QString GetOutputBaseName(const QString& appOutputFileName, const QString& projectFileName) {
  QString base = appOutputFileName.trimmed();
  if (base.size() > 3 && base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) base.chop(4);
  if (base.isEmpty()) base = QFileInfo(projectFileName).completeBaseName();
  return PlayerExecutableName(base);
}

namespace {
// Positions describe the project file; the append rewrites them for the executable, so they are
// put back afterwards whatever happens.
class TKeepProjectState {
 public:
  TKeepProjectState() : FChanged(ProjectChanged) {
    for (auto& form : Project.Forms) form->OldPosition = form->Position;
  }
  ~TKeepProjectState() {
    for (auto& form : Project.Forms) form->Position = form->OldPosition;
    ProjectChanged = FChanged;
  }

 private:
  bool FChanged;
};
}  // namespace

bool BuildExecutable(const QString& programFile, const QString& outputFile, const QString& autorunFolder,
                     QString& message) {
  TKeepProjectState keep;
  // Read while the page positions still describe the source file; appending rewrites them.
  const TEngineNeeds needs = ProjectEngineNeeds();
  const QString temporary =
      QFileInfo(outputFile).absolutePath() + QStringLiteral("/._") + QFileInfo(outputFile).fileName();
  QFile::remove(temporary);
  QFile source(programFile);
  if (!source.copy(temporary)) {
    message = BuildTexts::CopyFailed + QStringLiteral("\r\nFile name: \"") + outputFile +
              QStringLiteral("\".\r\nMessage: ") + source.errorString();
    return false;
  }
  QFile::setPermissions(temporary, QFile::permissions(programFile) | QFileDevice::WriteOwner);
  TError error;
  if (!AppendProjectToExe(temporary, SourceFileName, error)) {
    QFile::remove(temporary);
    message = error.Message();
    return false;
  }
  // Replacing the name in one step: a menu that is still running keeps its own (old) file.
  QFile::remove(outputFile);
  if (!QFile::rename(temporary, outputFile)) {
    QFile::remove(temporary);
    message = BuildTexts::CopyFailed + QStringLiteral("\r\nFile name: \"") + outputFile + QStringLiteral("\".");
    return false;
  }
  if (!CopyEngineFiles(needs, QFileInfo(programFile).absolutePath(), QFileInfo(outputFile).absolutePath(), message))
    return false;
  const QString inf = autorunFolder + QStringLiteral("/autorun.inf");
  TIniFile ini(inf);
  ini.WriteString(QStringLiteral("autorun"), QStringLiteral("open"), QFileInfo(outputFile).fileName());
  if (!ini.Save(inf)) {
    message = QStringLiteral("Unable to write ") + inf;
    return false;
  }
  return true;
}

// ---- engine plugins ----

namespace {
void AddPlugin(TEngineNeeds& needs, const QString& name) {
  if (!name.isEmpty() && !needs.Plugins.contains(name)) needs.Plugins << name;
}

void AddOutline(TEngineNeeds& needs, const TObjectInfo& info) {
  AddPlugin(needs, EnginePluginOf(info.ObjectType));
  if (info.ObjectType == otFlashPlayer) needs.FlashRuntime = true;
  for (const auto& child : info.Objects) AddOutline(needs, *child);
}

bool HasSound(const TAuActions& actions);

bool HasSound(const std::vector<TMenuItem>& items) {
  for (const TMenuItem& item : items) {
    TAuActions actions;
    if (HintToActions(item.Hint, actions) && HasSound(actions)) return true;
    if (HasSound(item.Items)) return true;
  }
  return false;
}

bool HasSound(const TAuActions& actions) {
  for (const TAuAction& a : actions.Actions)
    if (!EnginePluginOf(a.Command).isEmpty() || HasSound(a.Actions1) || HasSound(a.Actions2)) return true;
  return false;
}

bool HasSound(const TAuObject& object) {
  for (const TAuActions* list : {&object.OnClickActions, &object.OnDblClickActions, &object.OnEnterActions,
                                 &object.OnLeaveActions, &object.OnMouseDownActions, &object.OnMouseUpActions})
    if (HasSound(*list)) return true;
  if (HasSound(object.PopupMenu)) return true;
  for (const auto& child : object.Objects)
    if (HasSound(*child)) return true;
  return false;
}

bool ProjectHasSound() {
  if (HasSound(Project.OnStartActions) || HasSound(Project.OnExitActions)) return true;
  for (const auto& form : Project.Forms) {
    TPageData page;
    if (!LoadFormData(*form, page)) continue;
    if (HasSound(page.OnShowActions) || HasSound(page.OnCloseActions) || HasSound(page.MainMenu)) return true;
    if (page.PanelObject && HasSound(*page.PanelObject)) return true;
  }
  return false;
}

bool CopyReplacing(const QString& from, const QString& to, QString& message) {
  QFile::remove(to);
  QFile source(from);
  if (source.copy(to)) return true;
  message = QStringLiteral("Unable to copy \"") + from + QStringLiteral("\" to \"") + to + QStringLiteral("\": ") +
            source.errorString();
  return false;
}
}  // namespace

TEngineNeeds ProjectEngineNeeds() {
  TEngineNeeds needs;
  for (const auto& form : Project.Forms)
    if (form->ObjectInfo) AddOutline(needs, *form->ObjectInfo);
  if (!needs.Plugins.contains(EnginePlugins::Media) && ProjectHasSound()) AddPlugin(needs, EnginePlugins::Media);
  return needs;
}

bool CopyEngineFiles(const TEngineNeeds& needs, const QString& programFolder, const QString& outputFolder,
                     QString& message) {
  const QDir target(QDir(outputFolder).filePath(EnginePlugins::FolderName));
  const QStringList sources = EnginePluginFolders(programFolder);
  // What an earlier build of this menu put there and this one does not need goes.
  for (const QString& name : {EnginePlugins::Media, EnginePlugins::Pdf, EnginePlugins::Web})
    if (!needs.Plugins.contains(name)) QFile::remove(target.filePath(EnginePluginFileName(name)));
  if (!needs.FlashRuntime) {
    QDir runtime(target.filePath(EnginePlugins::FlashRuntimeName));
    for (const QString& file : FlashRuntimeFiles(runtime.path())) runtime.remove(file);
    QDir().rmdir(runtime.path());
  }
  if (needs.Plugins.isEmpty()) {
    QDir().rmdir(target.path());  // only when nothing else is in it
    return true;
  }
  if (!QDir().mkpath(target.path())) {
    message = QStringLiteral("Unable to create the folder \"") + target.path() + u'"';
    return false;
  }
  for (const QString& name : needs.Plugins) {
    const QString file = EnginePluginFileName(name);
    for (const QString& folder : sources) {
      const QString from = QDir(folder).filePath(file);
      if (!QFileInfo(from).isFile()) continue;
      // Building from a player that already carries its plugins beside it copies them onto themselves.
      if (QFileInfo(from).canonicalFilePath() == QFileInfo(target.filePath(file)).canonicalFilePath()) break;
      if (!CopyReplacing(from, target.filePath(file), message)) return false;
      break;
    }
  }
  if (!needs.FlashRuntime) return true;
  for (const QString& folder : FlashRuntimeFolders(programFolder)) {
    if (!IsFlashRuntimeFolder(folder)) continue;
    const QDir runtime(target.filePath(EnginePlugins::FlashRuntimeName));
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(runtime.path()).canonicalFilePath()) break;
    if (!QDir().mkpath(runtime.path())) {
      message = QStringLiteral("Unable to create the folder \"") + runtime.path() + u'"';
      return false;
    }
    for (const QString& file : FlashRuntimeFiles(folder))
      if (!CopyReplacing(QDir(folder).filePath(file), runtime.filePath(file), message)) return false;
    break;
  }
  return true;
}
