// Start-up: run mode, process-wide state and the player's start sequence.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "render/StockFonts.h"

// True when an executable of this bare file name runs as the designer.
bool IsDesignerFileName(const QString& fileName);

// Sets the run mode and every process-wide value from the executable's full path; the designer
// also locates (and creates the folder of) its settings file and reads its default folder.
void InitProcessState(const QString& executablePath);

// The window handle passed as second argument, or 0.
qulonglong ForegroundHandleArgument(const QStringList& arguments);

// The player's start: reads the appended project; on failure reports it and returns false.
bool StartPlayer();

class TAutoRunForm;
// The player's start sequence once the project is read: the splash page, the full-screen page,
// the login, the project's start actions, then the main page from page 0, shown. Null when
// nothing is to be shown (an exit was asked for, the login failed, or the project has no pages):
// the player then ends.
std::unique_ptr<TAutoRunForm> RunPlayerStart();

// After the message loop: releases the project and brings a waiting window to the front.
void FinishRun(const QStringList& arguments);

namespace StartupTexts {
inline const QString LoadFailed = QStringLiteral("Failed to load data. The application terminated.");
inline const QString DesignerTitle = QStringLiteral("Menuvia");
}  // namespace StartupTexts
