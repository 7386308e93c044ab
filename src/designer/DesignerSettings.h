// The designer's own preferences, kept in the settings file (SettingsFileName) independently of
// any project: the design grid, the colour around the page and the folder of the last saved
// project.
#pragma once

#include <QString>
#include <cstdint>

#include "model/Types.h"

namespace SettingsKeys {
inline const QString Start = QStringLiteral("START");
inline const QString DefaultFolder = QStringLiteral("DEFAULTFOLDER");
inline const QString Settings = QStringLiteral("SETTINGS");
inline const QString DisplayGrid = QStringLiteral("DISPLAYGRID");
inline const QString SnapToGrid = QStringLiteral("SNAPTOGRID");
inline const QString GridSizeX = QStringLiteral("GRIDSIZEX");
inline const QString GridSizeY = QStringLiteral("GRIDSIZEY");
inline const QString BackgroundColor = QStringLiteral("BACKGROUNDCOLOR");
inline const QString Recent = QStringLiteral("RECENT");
inline const QString Name = QStringLiteral("NAME");
inline const QString Folder = QStringLiteral("FOLDER");
}  // namespace SettingsKeys

// The grid spacing the grid size dialog allows; values read from a hand-edited file are brought
// into this range, since snapping divides by them.
constexpr int MinGridSize = 2, MaxGridSize = 99;

struct TDesignerSettings {
  bool DisplayGrid = true;  // the page's background paints the dot grid
  bool SnapToGrid = true;   // dragging, inserting and dropping go by whole grid steps
  int32_t GridSizeX = 8;
  int32_t GridSizeY = 8;
  TColor DesignBackColor = 0xFF000018;  // the tooltip background, the design area's own colour

  bool operator==(const TDesignerSettings&) const = default;
};

// The designer's settings while it runs; LoadSettings fills them when the main window shows.
inline TDesignerSettings DesignSettings;

// Reads the five "SETTINGS" keys, each with its default; a missing or unreadable file leaves the
// values as they are.
void LoadSettings(TDesignerSettings& settings);
// Writes all five "SETTINGS" keys; failures are ignored.
void SaveSettings(const TDesignerSettings& settings);
// "START"/"DEFAULTFOLDER": the folder of the project last saved.
void WriteDefaultFolder(const QString& folder);
