// The ten most recently saved projects, most recent first, kept in the settings file's "RECENT"
// section. Empty entries mark unused places.
#pragma once

#include <QString>
#include <array>

struct TRecentProject {
  QString ProjectName;    // the project's title when it was saved
  QString ProjectFolder;  // the folder of its project file, without trailing delimiter

  bool IsEmpty() const { return ProjectFolder.isEmpty(); }
  bool operator==(const TRecentProject&) const = default;
};

constexpr int RecentProjectCount = 10;
using TRecentProjects = std::array<TRecentProject, RecentProjectCount>;

// Puts the pair at the head. A project whose folder is listed (letters compared without regard to
// case, the name never) moves to the head under the new name, the entries in front of it moving
// down one place; any other enters at the head and the last entry falls out.
void UpdateRecentProjects(TRecentProjects& projects, const QString& projectName, const QString& projectFolder);
// Takes entry index out; the entries behind it move up and an empty entry fills the end.
void RemoveRecentProject(TRecentProjects& projects, int index);

// "NAME0".."NAME9" and "FOLDER0".."FOLDER9" of "RECENT", read into and written from the entries;
// the writer always writes all twenty keys.
void LoadRecentProjects(TRecentProjects& projects);
void SaveRecentProjects(const TRecentProjects& projects);
