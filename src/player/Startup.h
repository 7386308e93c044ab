// Start-up: run mode, process-wide state and the player's start sequence.
#pragma once

#include <QString>
#include <QStringList>

// True when an executable of this bare file name runs as the designer.
bool IsDesignerFileName(const QString& fileName);

// Sets the run mode and every process-wide value from the executable's full path; the designer
// also locates (and creates the folder of) its settings file and reads its default folder.
void InitProcessState(const QString& executablePath);

// Registers the page fonts shipped outside the font path (Tahoma, Tahoma Bold, MS Sans Serif)
// when present. Returns how many were registered.
int RegisterStockFonts();

// The window handle passed as second argument, or 0.
qulonglong ForegroundHandleArgument(const QStringList& arguments);

// The player's start: reads the appended project; on failure reports it and returns false.
bool StartPlayer();

// After the message loop: releases the project and brings a waiting window to the front.
void FinishRun(const QStringList& arguments);

namespace StartupTexts {
inline const QString LoadFailed = QStringLiteral("Failed to load data. The application terminated.");
inline const QString DesignerTitle = QStringLiteral("Menuvia");
}  // namespace StartupTexts
