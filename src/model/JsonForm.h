// The JSON form of a project: complete and lossless, so projects can be diffed, reviewed and
// generated as text. Field names are the stored names; enumerations appear by value name.
#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include "model/Project.h"

QJsonArray ActionsToJson(const TAuActions& actions);
bool ActionsFromJson(const QJsonValue& json, TAuActions& actions, QString& error);

QJsonObject MenuItemToJson(const TMenuItem& item);
bool MenuItemFromJson(const QJsonValue& json, TMenuItem& item, QString& error);
QJsonArray MenuItemsToJson(const std::vector<TMenuItem>& items);
bool MenuItemsFromJson(const QJsonValue& json, std::vector<TMenuItem>& items, QString& error);

QJsonObject AuObjectToJson(const TAuObject& object);
// Fills a fresh record (with the payload of its kind) from JSON.
bool AuObjectFromJson(const QJsonValue& json, TAuObject& object, QString& error);

struct TPageData;

QJsonObject PageToJson(const TPageData& page);
bool PageFromJson(const QJsonValue& json, TPageData& page, QString& error);

QJsonObject ObjectInfoToJson(const TObjectInfo& info);
bool ObjectInfoFromJson(const QJsonValue& json, TObjectInfo& info, QString& error);

// The whole project held in Project, every page read from its stream (in memory or at its range of
// SourceFileName). The outline of a page is written only where it differs from the one its objects
// give, so a reviewer sees it only when it matters.
bool ProjectToJson(QJsonObject& json, QString& error);
// Replaces Project with the project described by json; every page is held in memory.
bool ProjectFromJson(const QJsonObject& json, QString& error);

// Tools: a project file or player executable as JSON, and JSON written as a project file.
bool DumpProjectFileAsJson(const QString& fileName, QJsonObject& json, QString& error);
bool WriteProjectFileFromJson(const QJsonObject& json, const QString& fileName, QString& error);
