#include "designer/DesignerSettings.h"

#include <QFileInfo>
#include <algorithm>

#include "model/Globals.h"
#include "model/IniFile.h"

void LoadSettings(TDesignerSettings& settings) {
  if (SettingsFileName.isEmpty()) return;
  // A missing file gives every default; one that exists but cannot be read changes nothing.
  TIniFile ini;
  if (!ini.Load(SettingsFileName) && QFileInfo::exists(SettingsFileName)) return;
  const QString& s = SettingsKeys::Settings;
  settings.DisplayGrid = ini.ReadBool(s, SettingsKeys::DisplayGrid, true);
  settings.SnapToGrid = ini.ReadBool(s, SettingsKeys::SnapToGrid, true);
  settings.GridSizeX = std::clamp(ini.ReadInteger(s, SettingsKeys::GridSizeX, 8), MinGridSize, MaxGridSize);
  settings.GridSizeY = std::clamp(ini.ReadInteger(s, SettingsKeys::GridSizeY, 8), MinGridSize, MaxGridSize);
  settings.DesignBackColor = static_cast<TColor>(
      ini.ReadInteger(s, SettingsKeys::BackgroundColor, static_cast<int>(TDesignerSettings{}.DesignBackColor)));
}

void SaveSettings(const TDesignerSettings& settings) {
  if (SettingsFileName.isEmpty()) return;
  // Every write starts from the file as it is now: its other sections belong to others.
  TIniFile ini(SettingsFileName);
  const QString& s = SettingsKeys::Settings;
  ini.WriteBool(s, SettingsKeys::DisplayGrid, settings.DisplayGrid);
  ini.WriteBool(s, SettingsKeys::SnapToGrid, settings.SnapToGrid);
  ini.WriteInteger(s, SettingsKeys::GridSizeX, settings.GridSizeX);
  ini.WriteInteger(s, SettingsKeys::GridSizeY, settings.GridSizeY);
  ini.WriteInteger(s, SettingsKeys::BackgroundColor, static_cast<int>(settings.DesignBackColor));
  ini.Save(SettingsFileName);
}

void WriteDefaultFolder(const QString& folder) {
  if (SettingsFileName.isEmpty()) return;
  TIniFile ini(SettingsFileName);
  ini.WriteString(SettingsKeys::Start, SettingsKeys::DefaultFolder, folder);
  ini.Save(SettingsFileName);
}
