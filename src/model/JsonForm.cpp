#include "model/JsonForm.h"

#include <QBuffer>

#include "model/Actions.h"
#include "model/Globals.h"
#include "model/JsonSupport.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"
#include "model/ProjectStream.h"

namespace {
constexpr int MaxJsonDepth = StreamLimits::MaxDepth;

const QString kCommand = QStringLiteral("Command"), kParam1 = QStringLiteral("Param1"),
              kParam2 = QStringLiteral("Param2"), kParam3 = QStringLiteral("Param3"),
              kOptionBool = QStringLiteral("OptionBool"), kOptionInt = QStringLiteral("OptionInt"),
              kPicture = QStringLiteral("Picture"), kFont = QStringLiteral("Font"),
              kActions1 = QStringLiteral("Actions1"), kActions2 = QStringLiteral("Actions2");

bool ActionsFromJsonAt(const QJsonValue& json, TAuActions& actions, QString& error, int depth);

bool GetString(const QJsonObject& o, const QString& name, QString& v, QString& error) {
  if (!o.contains(name)) return true;
  if (!StringFromJson(o.value(name), v)) {
    error = name + QStringLiteral(": expected a string");
    return false;
  }
  return true;
}

bool ActionFromJson(const QJsonValue& json, TAuAction& a, QString& error, int depth) {
  if (!json.isObject()) {
    error = QStringLiteral("action must be an object");
    return false;
  }
  const QJsonObject o = json.toObject();
  TJsonReader r(o, QStringLiteral("action"));
  r.GetEnum(kCommand, a.Command);
  r.Get(kOptionBool, a.OptionBool);
  r.Get(kOptionInt, a.OptionInt);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  if (!GetString(o, kParam1, a.Param1, error) || !GetString(o, kParam2, a.Param2, error) ||
      !GetString(o, kParam3, a.Param3, error))
    return false;
  if (o.contains(kPicture) && !o.value(kPicture).isNull()) {
    TPicture p;
    if (!PictureFromJson(o.value(kPicture), p, error)) return false;
    a.Picture = p;
  }
  if (o.contains(kFont) && !o.value(kFont).isNull()) {
    TFont f;
    if (!FontFromJson(o.value(kFont), f, error)) return false;
    a.Font = f;
  }
  return ActionsFromJsonAt(o.value(kActions1), a.Actions1, error, depth + 1) &&
         ActionsFromJsonAt(o.value(kActions2), a.Actions2, error, depth + 1);
}

bool ActionsFromJsonAt(const QJsonValue& json, TAuActions& actions, QString& error, int depth) {
  ClearActions(actions);
  if (json.isUndefined() || json.isNull()) return true;
  if (!json.isArray()) {
    error = QStringLiteral("action list must be an array");
    return false;
  }
  if (depth > MaxJsonDepth) {
    error = QStringLiteral("action lists nested too deeply");
    return false;
  }
  for (const QJsonValue& v : json.toArray()) {
    actions.Actions.emplace_back();
    if (!ActionFromJson(v, actions.Actions.back(), error, depth)) return false;
  }
  return true;
}
}  // namespace

QJsonArray ActionsToJson(const TAuActions& actions) {
  QJsonArray list;
  for (const TAuAction& a : actions.Actions) {
    QJsonObject o{{kCommand, EnumToName(a.Command)}, {kParam1, StringToJson(a.Param1)},
                  {kParam2, StringToJson(a.Param2)}, {kParam3, StringToJson(a.Param3)},
                  {kOptionBool, a.OptionBool},       {kOptionInt, a.OptionInt}};
    // Only a picture with a graphic is stored; none and empty read back alike.
    if (a.Picture && !a.Picture->IsEmpty()) o.insert(kPicture, PictureToJson(*a.Picture));
    if (a.Font) o.insert(kFont, FontToJson(*a.Font));
    o.insert(kActions1, ActionsToJson(a.Actions1));
    o.insert(kActions2, ActionsToJson(a.Actions2));
    list.append(o);
  }
  return list;
}

bool ActionsFromJson(const QJsonValue& json, TAuActions& actions, QString& error) {
  return ActionsFromJsonAt(json, actions, error, 0);
}

// ---- menu items ----

namespace {
const QString kCaption = QStringLiteral("Caption"), kHint = QStringLiteral("Hint"), kName = QStringLiteral("Name"),
              kOnClick = QStringLiteral("OnClickActions"), kItems = QStringLiteral("Items"),
              kBitmap = QStringLiteral("Bitmap");

bool MenuItemFromJsonAt(const QJsonValue& json, TMenuItem& item, QString& error, int depth);

bool MenuItemsFromJsonAt(const QJsonValue& json, std::vector<TMenuItem>& items, QString& error, int depth) {
  items.clear();
  if (json.isUndefined() || json.isNull()) return true;
  if (!json.isArray()) {
    error = QStringLiteral("menu items must be an array");
    return false;
  }
  if (depth > MaxJsonDepth) {
    error = QStringLiteral("menu items nested too deeply");
    return false;
  }
  for (const QJsonValue& v : json.toArray()) {
    items.emplace_back();
    if (!MenuItemFromJsonAt(v, items.back(), error, depth + 1)) return false;
  }
  return true;
}

bool MenuItemFromJsonAt(const QJsonValue& json, TMenuItem& item, QString& error, int depth) {
  if (!json.isObject()) {
    error = QStringLiteral("menu item must be an object");
    return false;
  }
  const QJsonObject o = json.toObject();
  TJsonReader r(o, QStringLiteral("menu item"));
  r.Get(QStringLiteral("ShortCut"), item.ShortCut);
  r.Get(QStringLiteral("RadioItem"), item.RadioItem);
  r.Get(QStringLiteral("GroupIndex"), item.GroupIndex);
  r.Get(QStringLiteral("Enabled"), item.Enabled);
  r.Get(QStringLiteral("Default"), item.Default);
  r.Get(QStringLiteral("Checked"), item.Checked);
  r.Get(QStringLiteral("AutoCheck"), item.AutoCheck);
  r.Get(QStringLiteral("Visible"), item.Visible);
  r.Get(kBitmap, item.Bitmap);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  if (!GetString(o, kCaption, item.Caption, error)) return false;
  if (o.contains(kHint)) {
    if (!GetString(o, kHint, item.Hint, error)) return false;
  } else if (o.contains(kName) || o.contains(kOnClick)) {
    QString name;
    TAuActions actions;
    if (!GetString(o, kName, name, error) || !ActionsFromJson(o.value(kOnClick), actions, error)) return false;
    if (!ActionsToHint(name, actions, item.Hint)) {
      error = QStringLiteral("menu item actions cannot be encoded");
      return false;
    }
  }
  return MenuItemsFromJsonAt(o.value(kItems), item.Items, error, depth);
}
}  // namespace

QJsonObject MenuItemToJson(const TMenuItem& item) {
  QJsonObject o{{kCaption, StringToJson(item.Caption)}};
  // The hint carries the item's name and click actions; show them as such when the hint is
  // exactly what encoding them gives, else keep the hint as it stands.
  TAuActions actions;
  QString again;
  const QString name = HintToName(item.Hint);
  if (item.Hint.contains(QChar(1)) && HintToActions(item.Hint, actions) && ActionsToHint(name, actions, again) &&
      again == item.Hint) {
    o.insert(kName, StringToJson(name));
    o.insert(kOnClick, ActionsToJson(actions));
  } else {
    o.insert(kHint, StringToJson(item.Hint));
  }
  o.insert(QStringLiteral("ShortCut"), item.ShortCut);
  o.insert(QStringLiteral("RadioItem"), item.RadioItem);
  o.insert(QStringLiteral("GroupIndex"), item.GroupIndex);
  o.insert(QStringLiteral("Enabled"), item.Enabled);
  o.insert(QStringLiteral("Default"), item.Default);
  o.insert(QStringLiteral("Checked"), item.Checked);
  o.insert(QStringLiteral("AutoCheck"), item.AutoCheck);
  o.insert(QStringLiteral("Visible"), item.Visible);
  o.insert(kBitmap, PictureToJson(item.Bitmap));
  o.insert(kItems, MenuItemsToJson(item.Items));
  return o;
}

QJsonArray MenuItemsToJson(const std::vector<TMenuItem>& items) {
  QJsonArray list;
  for (const TMenuItem& item : items) list.append(MenuItemToJson(item));
  return list;
}

bool MenuItemFromJson(const QJsonValue& json, TMenuItem& item, QString& error) {
  item = TMenuItem{};
  return MenuItemFromJsonAt(json, item, error, 0);
}

bool MenuItemsFromJson(const QJsonValue& json, std::vector<TMenuItem>& items, QString& error) {
  return MenuItemsFromJsonAt(json, items, error, 0);
}

// ---- objects ----

namespace {
struct NamedList {
  const char* Name;
  TAuActions TAuObject::*List;
};
constexpr NamedList ObjectLists[] = {
    {"OnClickActions", &TAuObject::OnClickActions},         {"OnDblClickActions", &TAuObject::OnDblClickActions},
    {"OnEnterActions", &TAuObject::OnEnterActions},         {"OnLeaveActions", &TAuObject::OnLeaveActions},
    {"OnMouseDownActions", &TAuObject::OnMouseDownActions}, {"OnMouseUpActions", &TAuObject::OnMouseUpActions},
};
const QString kPayload = QStringLiteral("Payload"), kObjects = QStringLiteral("Objects"),
              kPopup = QStringLiteral("PopupMenu");

bool AuObjectFromJsonAt(const QJsonValue& json, TAuObject& object, QString& error, int depth) {
  if (!json.isObject()) {
    error = QStringLiteral("object must be a JSON object");
    return false;
  }
  if (depth > MaxJsonDepth) {
    error = QStringLiteral("objects nested too deeply");
    return false;
  }
  const QJsonObject o = json.toObject();
  TJsonReader r(o, QStringLiteral("object"));
  r.GetEnum(QStringLiteral("ObjectType"), object.ObjectType);
  r.GetEnum(QStringLiteral("Align"), object.Align);
  r.Get(QStringLiteral("Enable"), object.Enable);
  r.Get(QStringLiteral("Visible"), object.Visible);
  r.Get(QStringLiteral("Locked"), object.Locked);
  r.Get(QStringLiteral("MoveHandle"), object.MoveHandle);
  r.Get(QStringLiteral("Cursor"), object.Cursor);
  r.Get(QStringLiteral("Left"), object.Left);
  r.Get(QStringLiteral("Top"), object.Top);
  r.Get(QStringLiteral("Width"), object.Width);
  r.Get(QStringLiteral("Height"), object.Height);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  if (!GetString(o, QStringLiteral("ObjectName"), object.ObjectName, error) ||
      !GetString(o, QStringLiteral("Hint"), object.Hint, error))
    return false;
  const QString where = QStringLiteral("object \"") + object.ObjectName + QStringLiteral("\": ");
  for (const auto& l : ObjectLists)
    if (!ActionsFromJson(o.value(QLatin1String(l.Name)), object.*l.List, error)) {
      error = where + error;
      return false;
    }
  if (!MenuItemsFromJson(o.value(kPopup), object.PopupMenu, error)) {
    error = where + error;
    return false;
  }
  object.Payload = NewPayload(object.ObjectType);
  if (!object.Payload) {
    error = where + QStringLiteral("unknown object type");
    return false;
  }
  if (o.contains(kPayload)) {
    if (!o.value(kPayload).isObject()) {
      error = where + QStringLiteral("Payload must be an object");
      return false;
    }
    if (!object.Payload->FromJson(o.value(kPayload).toObject(), error)) {
      error = where + error;
      return false;
    }
  }
  object.Objects.clear();
  const QJsonValue children = o.value(kObjects);
  if (!children.isUndefined() && !children.isArray()) {
    error = where + QStringLiteral("Objects must be an array");
    return false;
  }
  for (const QJsonValue& c : children.toArray()) {
    auto child = NewAuObject();
    if (!AuObjectFromJsonAt(c, *child, error, depth + 1)) return false;
    object.Objects.push_back(std::move(child));
  }
  return true;
}
}  // namespace

QJsonObject AuObjectToJson(const TAuObject& object) {
  QJsonObject o{{QStringLiteral("ObjectName"), StringToJson(object.ObjectName)},
                {QStringLiteral("ObjectType"), EnumToName(object.ObjectType)},
                {QStringLiteral("Hint"), StringToJson(object.Hint)},
                {QStringLiteral("Enable"), object.Enable},
                {QStringLiteral("Visible"), object.Visible},
                {QStringLiteral("Align"), EnumToName(object.Align)},
                {QStringLiteral("Locked"), object.Locked},
                {QStringLiteral("MoveHandle"), object.MoveHandle},
                {QStringLiteral("Cursor"), object.Cursor},
                {QStringLiteral("Left"), object.Left},
                {QStringLiteral("Top"), object.Top},
                {QStringLiteral("Width"), object.Width},
                {QStringLiteral("Height"), object.Height}};
  for (const auto& l : ObjectLists) o.insert(QLatin1String(l.Name), ActionsToJson(object.*l.List));
  o.insert(kPopup, MenuItemsToJson(object.PopupMenu));
  if (object.Payload) o.insert(kPayload, object.Payload->ToJson());
  QJsonArray children;
  for (const auto& child : object.Objects) children.append(AuObjectToJson(*child));
  o.insert(kObjects, children);
  return o;
}

bool AuObjectFromJson(const QJsonValue& json, TAuObject& object, QString& error) {
  return AuObjectFromJsonAt(json, object, error, 0);
}

// ---- pages and projects ----

namespace {
const QString kFormat = QStringLiteral("Format"), kFormatName = QStringLiteral("Menuvia project"),
              kForms = QStringLiteral("Forms"), kFormName = QStringLiteral("FormName"), kPage = QStringLiteral("Page"),
              kObjectInfo = QStringLiteral("ObjectInfo");

QJsonObject StatusBarToJson(const TStatusBarData& bar) {
  QJsonArray panels;
  for (const TStatusPanel& p : bar.Panels)
    panels.append(QJsonObject{{QStringLiteral("Alignment"), EnumToName(p.Alignment)},
                              {QStringLiteral("Text"), StringToJson(p.Text)},
                              {QStringLiteral("Width"), p.Width}});
  return QJsonObject{{QStringLiteral("Height"), bar.Height},
                     {QStringLiteral("Font"), FontToJson(bar.Font)},
                     {QStringLiteral("Panels"), panels}};
}

bool StatusBarFromJson(const QJsonValue& json, TStatusBarData& bar, QString& error) {
  if (json.isUndefined()) return true;
  if (!json.isObject()) {
    error = QStringLiteral("StatusBar must be an object");
    return false;
  }
  TJsonReader r(json.toObject(), QStringLiteral("StatusBar"));
  r.Get(QStringLiteral("Height"), bar.Height);
  r.Get(QStringLiteral("Font"), bar.Font);
  const QJsonValue panels = json.toObject().value(QStringLiteral("Panels"));
  if (!panels.isUndefined() && !panels.isArray()) r.Fail(QStringLiteral("Panels"), QStringLiteral("expected an array"));
  bar.Panels.clear();
  for (const QJsonValue& v : panels.toArray()) {
    TStatusPanel p;
    TJsonReader pr(v.toObject(), QStringLiteral("StatusBar.Panels"));
    pr.GetEnum(QStringLiteral("Alignment"), p.Alignment);
    pr.Get(QStringLiteral("Text"), p.Text);
    pr.Get(QStringLiteral("Width"), p.Width);
    if (!v.isObject()) pr.Fail(QStringLiteral("panel"), QStringLiteral("expected an object"));
    if (!pr.Ok()) {
      error = pr.Error();
      return false;
    }
    bar.Panels.push_back(p);
  }
  if (!r.Ok()) error = r.Error();
  return r.Ok();
}

bool ObjectInfoFromJsonAt(const QJsonValue& json, TObjectInfo& info, QString& error, int depth) {
  if (!json.isObject() || depth > MaxJsonDepth) {
    error = QStringLiteral("ObjectInfo: expected an object (or nested too deeply)");
    return false;
  }
  TJsonReader r(json.toObject(), QStringLiteral("ObjectInfo"));
  r.Get(QStringLiteral("ObjectName"), info.ObjectName);
  r.GetEnum(QStringLiteral("ObjectType"), info.ObjectType);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  info.Objects.clear();
  for (const QJsonValue& c : json.toObject().value(kObjects).toArray()) {
    auto child = std::make_unique<TObjectInfo>();
    if (!ObjectInfoFromJsonAt(c, *child, error, depth + 1)) return false;
    info.Objects.push_back(std::move(child));
  }
  return true;
}

bool SameOutline(const TObjectInfo& a, const TObjectInfo& b) {
  if (a.ObjectName != b.ObjectName || a.ObjectType != b.ObjectType || a.Objects.size() != b.Objects.size())
    return false;
  for (size_t i = 0; i < a.Objects.size(); ++i)
    if (!SameOutline(*a.Objects[i], *b.Objects[i])) return false;
  return true;
}

// The project settings other than the page table, in stored order.
struct SettingsField {
  const char* Name;
  QString TMenuProject::*Text;
  int32_t TMenuProject::*Number;
};
constexpr SettingsField SettingsFields[] = {
    {"AppTitle", &TMenuProject::AppTitle, nullptr},
    {"AppOutputFileName", &TMenuProject::AppOutputFileName, nullptr},
    {"SecurityUserAuthList", &TMenuProject::SecurityUserAuthList, nullptr},
    {"SecurityUserAuthLabel", &TMenuProject::SecurityUserAuthLabel, nullptr},
    {"SecurityPasswordLabel", &TMenuProject::SecurityPasswordLabel, nullptr},
    {"SecurityErrorMessage", &TMenuProject::SecurityErrorMessage, nullptr},
    {"SecurityTitle", &TMenuProject::SecurityTitle, nullptr},
    {"SecurityOKButtonCaption", &TMenuProject::SecurityOKButtonCaption, nullptr},
    {"SecurityCancelButtonCaption", &TMenuProject::SecurityCancelButtonCaption, nullptr},
    {"SplashScreenName", &TMenuProject::SplashScreenName, nullptr},
    {"SplashScreenTime", nullptr, &TMenuProject::SplashScreenTime},
    {"ExitFormName", &TMenuProject::ExitFormName, nullptr},
    {"ExitFormTime", nullptr, &TMenuProject::ExitFormTime},
    {"FullScreenName", &TMenuProject::FullScreenName, nullptr},
};
}  // namespace

QJsonObject ObjectInfoToJson(const TObjectInfo& info) {
  QJsonArray children;
  for (const auto& c : info.Objects) children.append(ObjectInfoToJson(*c));
  return QJsonObject{{QStringLiteral("ObjectName"), StringToJson(info.ObjectName)},
                     {QStringLiteral("ObjectType"), EnumToName(info.ObjectType)},
                     {kObjects, children}};
}

bool ObjectInfoFromJson(const QJsonValue& json, TObjectInfo& info, QString& error) {
  return ObjectInfoFromJsonAt(json, info, error, 0);
}

QJsonObject PageToJson(const TPageData& page) {
  QJsonObject o{{QStringLiteral("Caption"), StringToJson(page.Caption)},
                {QStringLiteral("BorderIcons"), page.BorderIcons},
                {QStringLiteral("BorderStyle"), EnumToName(page.BorderStyle)},
                {QStringLiteral("FormPositionType"), EnumToName(page.FormPositionType)},
                {QStringLiteral("FormPositionMargin"), page.FormPositionMargin},
                {QStringLiteral("FormPosition"), EnumToName(page.FormPosition)},
                {QStringLiteral("FormWindowState"), EnumToName(page.FormWindowState)},
                {QStringLiteral("FormStyle"), EnumToName(page.FormStyle)},
                {QStringLiteral("TransparentColor"), page.TransparentColor},
                {QStringLiteral("TransparentColorValue"), ColorToJson(page.TransparentColorValue)},
                {QStringLiteral("FormAlpha"), page.FormAlpha},
                {QStringLiteral("FormFade"), page.FormFade},
                {QStringLiteral("FormFadeInStep"), page.FormFadeInStep},
                {QStringLiteral("FormFadeOutStep"), page.FormFadeOutStep},
                {QStringLiteral("Image_Icon"), PictureToJson(page.Image_Icon)},
                {QStringLiteral("OnShowActions"), ActionsToJson(page.OnShowActions)},
                {QStringLiteral("OnCloseActions"), ActionsToJson(page.OnCloseActions)},
                {QStringLiteral("MainMenu"), MenuItemsToJson(page.MainMenu)},
                {QStringLiteral("StatusBar"), StatusBarToJson(page.StatusBar)},
                {QStringLiteral("FormPositionX"), page.FormPositionX},
                {QStringLiteral("FormPositionY"), page.FormPositionY},
                {QStringLiteral("Width"), page.Width},
                {QStringLiteral("Height"), page.Height}};
  if (page.PanelObject) o.insert(QStringLiteral("PanelObject"), AuObjectToJson(*page.PanelObject));
  return o;
}

bool PageFromJson(const QJsonValue& json, TPageData& page, QString& error) {
  if (!json.isObject()) {
    error = QStringLiteral("page must be an object");
    return false;
  }
  const QJsonObject o = json.toObject();
  TPageData p;
  TJsonReader r(o, QStringLiteral("page"));
  r.Get(QStringLiteral("Caption"), p.Caption);
  r.Get(QStringLiteral("BorderIcons"), p.BorderIcons);
  r.GetEnum(QStringLiteral("BorderStyle"), p.BorderStyle);
  r.GetEnum(QStringLiteral("FormPositionType"), p.FormPositionType);
  r.Get(QStringLiteral("FormPositionMargin"), p.FormPositionMargin);
  r.GetEnum(QStringLiteral("FormPosition"), p.FormPosition);
  r.GetEnum(QStringLiteral("FormWindowState"), p.FormWindowState);
  r.GetEnum(QStringLiteral("FormStyle"), p.FormStyle);
  r.Get(QStringLiteral("TransparentColor"), p.TransparentColor);
  r.GetColor(QStringLiteral("TransparentColorValue"), p.TransparentColorValue);
  r.Get(QStringLiteral("FormAlpha"), p.FormAlpha);
  r.Get(QStringLiteral("FormFade"), p.FormFade);
  r.Get(QStringLiteral("FormFadeInStep"), p.FormFadeInStep);
  r.Get(QStringLiteral("FormFadeOutStep"), p.FormFadeOutStep);
  r.Get(QStringLiteral("Image_Icon"), p.Image_Icon);
  r.Get(QStringLiteral("FormPositionX"), p.FormPositionX);
  r.Get(QStringLiteral("FormPositionY"), p.FormPositionY);
  r.Get(QStringLiteral("Width"), p.Width);
  r.Get(QStringLiteral("Height"), p.Height);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  if (!ActionsFromJson(o.value(QStringLiteral("OnShowActions")), p.OnShowActions, error) ||
      !ActionsFromJson(o.value(QStringLiteral("OnCloseActions")), p.OnCloseActions, error) ||
      !MenuItemsFromJson(o.value(QStringLiteral("MainMenu")), p.MainMenu, error) ||
      !StatusBarFromJson(o.value(QStringLiteral("StatusBar")), p.StatusBar, error))
    return false;
  if (o.contains(QStringLiteral("PanelObject"))) {
    p.PanelObject = NewAuObject();
    if (!AuObjectFromJson(o.value(QStringLiteral("PanelObject")), *p.PanelObject, error)) return false;
  }
  page = std::move(p);
  return true;
}

bool ProjectToJson(QJsonObject& json, QString& error) {
  json = QJsonObject{{kFormat, kFormatName}};
  for (const auto& f : SettingsFields)
    json.insert(QLatin1String(f.Name), f.Text ? StringToJson(Project.*f.Text) : QJsonValue(Project.*f.Number));
  json.insert(QStringLiteral("SecurityType"), EnumToName(Project.SecurityType));
  json.insert(QStringLiteral("OnStartActions"), ActionsToJson(Project.OnStartActions));
  json.insert(QStringLiteral("OnExitActions"), ActionsToJson(Project.OnExitActions));
  QJsonArray forms;
  for (const auto& form : Project.Forms) {
    TPageData page;
    TError e;
    if (!LoadFormData(*form, page, &e)) {
      error = QStringLiteral("page \"") + form->FormName + QStringLiteral("\": ") + e.Message();
      return false;
    }
    QJsonObject f{{kFormName, StringToJson(form->FormName)}, {kPage, PageToJson(page)}};
    TObjectInfo derived;
    if (page.PanelObject) BuildObjectInfo(*page.PanelObject, derived);
    if (form->ObjectInfo && !SameOutline(*form->ObjectInfo, derived))
      f.insert(kObjectInfo, ObjectInfoToJson(*form->ObjectInfo));
    forms.append(f);
  }
  json.insert(kForms, forms);
  return true;
}

bool ProjectFromJson(const QJsonObject& json, QString& error) {
  if (json.value(kFormat).toString() != kFormatName) {
    error = QStringLiteral("not a Menuvia project (\"Format\" must be \"") + kFormatName + QStringLiteral("\")");
    return false;
  }
  TMenuProject project;
  TJsonReader r(json, QStringLiteral("project"));
  for (const auto& f : SettingsFields) {
    if (f.Text)
      r.Get(QLatin1String(f.Name), project.*f.Text);
    else
      r.Get(QLatin1String(f.Name), project.*f.Number);
  }
  r.GetEnum(QStringLiteral("SecurityType"), project.SecurityType);
  if (!r.Ok()) {
    error = r.Error();
    return false;
  }
  if (!ActionsFromJson(json.value(QStringLiteral("OnStartActions")), project.OnStartActions, error) ||
      !ActionsFromJson(json.value(QStringLiteral("OnExitActions")), project.OnExitActions, error))
    return false;
  const QJsonValue forms = json.value(kForms);
  if (!forms.isUndefined() && !forms.isArray()) {
    error = QStringLiteral("Forms must be an array");
    return false;
  }
  for (const QJsonValue& v : forms.toArray()) {
    const QJsonObject fo = v.toObject();
    auto form = std::make_unique<TFormData>();
    if (!v.isObject() || !StringFromJson(fo.value(kFormName), form->FormName)) {
      error = QStringLiteral("Forms: each page needs a FormName");
      return false;
    }
    const QString where = QStringLiteral("page \"") + form->FormName + QStringLiteral("\": ");
    TPageData page;
    if (!PageFromJson(fo.value(kPage), page, error)) {
      error = where + error;
      return false;
    }
    TError e;
    if (!StoreFormData(page, *form, &e)) {
      error = where + (e.IsSet() ? e.Message() : QStringLiteral("the page cannot be stored"));
      return false;
    }
    // An outline given in the text is kept as it stands (it may differ from the objects).
    if (fo.contains(kObjectInfo) && !ObjectInfoFromJson(fo.value(kObjectInfo), *form->ObjectInfo, error)) {
      error = where + error;
      return false;
    }
    project.Forms.push_back(std::move(form));
  }
  Project = std::move(project);
  return true;
}

bool DumpProjectFileAsJson(const QString& fileName, QJsonObject& json, QString& error) {
  // Either form of file: the summary holds the project it carries, outlines included.
  TProjectFileSummary summary;
  TError e;
  if (!InspectProjectFile(fileName, summary, e)) {
    error = e.Message();
    return false;
  }
  ResetProject(false);
  Project = std::move(summary.Project);
  const QString previousSource = SourceFileName;
  SourceFileName = fileName;
  const bool dumped = ProjectToJson(json, error);
  SourceFileName = previousSource;
  ResetProject(false);
  return dumped;
}

bool WriteProjectFileFromJson(const QJsonObject& json, const QString& fileName, QString& error) {
  if (!ProjectFromJson(json, error)) {
    ResetProject(false);
    return false;
  }
  TError e;
  const bool ok = SaveProjectToFile(fileName, QString(), e);
  if (!ok) error = e.Message();
  ResetProject(false);
  return ok;
}
