// Process-wide state. There is one project per process and one user-interface thread.
#pragma once

#include <QString>

#include "model/Project.h"

inline TMenuProject Project;
inline QString SourceFileName;  // where unedited page streams are read from
inline bool ProjectChanged = false;

// Run mode; set at start-up.
inline bool IsDesigner = false;
inline bool IsDesignPreview = false;
inline bool ExitRequested = false;
inline bool FreeComLibraries = false;

inline QString ExeFolder;
inline QString SettingsFileName;
inline QString DefaultFolder;
inline QString MyDocumentsFolder;
// The project file's extension (without dot) and default name; start-up sets them again.
inline const QString StandardProjectFileExt = QStringLiteral("mvdsk");
inline QString ProjectFileExt = StandardProjectFileExt;
inline QString DefaultProjectFileName = QStringLiteral("autorun.") + StandardProjectFileExt;

// Objects and pages behave live (actions, fades, media) in the player and in designer previews.
inline bool IsLive() { return !IsDesigner || IsDesignPreview; }
