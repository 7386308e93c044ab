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
