// The settings block shared by project files and player executables: project settings, start and
// exit actions, the page table, the object outlines and the page streams themselves. Pages that
// were not edited are copied as raw byte ranges from the file the project was read from, so a
// save or a build never parses them; a reader reads only up to the table (and the outlines in the
// designer), pages are read one at a time when shown.
#pragma once

#include <QIODevice>
#include <QString>

#include "model/Project.h"

namespace ProjectCodes {
constexpr int ObjectInfoWrite = 5517, ObjectInfoRead = 5518;
constexpr int FormDataWrite = 5519, FormDataRead = 5520;
constexpr int CopyFormStream = 5521;
constexpr int SettingsWrite = 5522, SettingsRead = 5523;
}  // namespace ProjectCodes

// Shown when a page has neither an in-memory stream nor a file to copy it from.
inline const QString OrgStreamErrorText = QStringLiteral("System Error, \"OrgStream\" Error!");

// One outline node with its subtree, depth first.
bool WriteObjectInfo(TStream& s, const TObjectInfo& info);
bool ReadObjectInfo(TStream& s, TObjectInfo& info);

// One page-table entry (name, absolute position and length of the page stream). The reader
// refuses a range that does not lie inside the stream it reads from: table and pages always
// share one file.
bool WriteFormData(TStream& s, const TFormData& form);
bool ReadFormData(TStream& s, TFormData& form);

// Copies one page stream to the output: the in-memory stream when the page has one, otherwise
// the page's recorded byte range of source (the open file the project was read from, or null).
bool CopyFormStream(TStream& output, const TFormData& form, QIODevice* source);

// Writes the block for project at the output's current position. Page positions recorded in the
// block are absolute output positions; after success every page's Position and Length describe
// the output, after a failure they are what they were before (the project still describes its
// source).
bool WriteProjectSettings(TStream& output, TMenuProject& project, QIODevice* source);
// Reads the block at the input's current position into project (which should be fresh). Only the
// settings and the page table are read, plus the outlines when readOutlines; page streams never.
// On failure project is left as it was.
bool ReadProjectSettings(TStream& input, TMenuProject& project, bool readOutlines);

// The same for the process's Project; both clear ProjectChanged on success. The reader reads the
// outlines in the designer only.
bool WriteProjectSettings(TStream& output, QIODevice* source);
bool ReadProjectSettings(TStream& input);

// Fills an outline from an object tree (names and kinds, same order and nesting).
void BuildObjectInfo(const TAuObject& object, TObjectInfo& info);

// Number of objects below the root of an outline (the page panel itself not counted).
int CountOutlineObjects(const TObjectInfo& info);
