#include "designer/RecentProjects.h"

#include "designer/DesignerSettings.h"
#include "model/Globals.h"
#include "model/IniFile.h"

void UpdateRecentProjects(TRecentProjects& projects, const QString& projectName, const QString& projectFolder) {
  int k = RecentProjectCount - 1;
  for (int i = 0; i < RecentProjectCount; ++i)
    if (projects[i].ProjectFolder.compare(projectFolder, Qt::CaseInsensitive) == 0) {
      k = i;
      break;
    }
  for (int i = k; i >= 1; --i) projects[i] = projects[i - 1];
  projects[0] = {projectName, projectFolder};
}

void RemoveRecentProject(TRecentProjects& projects, int index) {
  if (index < 0 || index >= RecentProjectCount) return;
  for (int i = index; i < RecentProjectCount - 1; ++i) projects[i] = projects[i + 1];
  projects[RecentProjectCount - 1] = {};
}

void LoadRecentProjects(TRecentProjects& projects) {
  if (SettingsFileName.isEmpty()) return;
  const TIniFile ini(SettingsFileName);
  for (int i = 0; i < RecentProjectCount; ++i) {
    projects[i].ProjectName = ini.ReadString(SettingsKeys::Recent, SettingsKeys::Name + QString::number(i));
    projects[i].ProjectFolder = ini.ReadString(SettingsKeys::Recent, SettingsKeys::Folder + QString::number(i));
  }
}

void SaveRecentProjects(const TRecentProjects& projects) {
  if (SettingsFileName.isEmpty()) return;
  TIniFile ini(SettingsFileName);
  for (int i = 0; i < RecentProjectCount; ++i) {
    ini.WriteString(SettingsKeys::Recent, SettingsKeys::Name + QString::number(i), projects[i].ProjectName);
    ini.WriteString(SettingsKeys::Recent, SettingsKeys::Folder + QString::number(i), projects[i].ProjectFolder);
  }
  ini.Save(SettingsFileName);
}
