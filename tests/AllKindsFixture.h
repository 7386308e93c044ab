// A project as an author would make it, with every object kind on its first page: docked header
// and navigation panels with a splitter, a tab notebook with sheets, nested containers, pictures
// drawn in code, a slide show over a folder of pictures, a main menu and a status bar. Used by the
// command-line tests and for screenshots of whole pages.
#pragma once

#include <QString>
#include <memory>

#include "model/PageStream.h"

namespace AllKinds {
inline const QString PageName = QStringLiteral("Welcome");
// Needs making safe as a file name.
inline const QString SecondPageName = QStringLiteral("About & Credits");
inline const QString ProjectFileName = QStringLiteral("autorun.mvdsk");
}  // namespace AllKinds

// The page with all 25 kinds. activeSheet is the notebook sheet shown after loading (0 Overview,
// 1 Release Notes, 2 Manual, 3 Intro movie), so screenshots can show each sheet's content.
std::unique_ptr<TPageData> MakeAllKindsPage(int activeSheet = 0);
// A small dialog-like second page.
std::unique_ptr<TPageData> MakeAboutPage();

// Replaces Project with the two pages (held in memory) and the project settings.
void MakeAllKindsProject(int activeSheet = 0);
// Writes that project to folder/autorun.mvdsk together with the files its objects refer to (slide
// pictures, a web page, a PDF manual, a sound). Returns the project file's name, or "" with a
// message in error. Project is reset afterwards.
QString WriteAllKindsProject(const QString& folder, QString* error = nullptr, int activeSheet = 0);
