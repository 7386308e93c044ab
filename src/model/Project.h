// The project model: project settings, the page table, object outlines, page objects, menu items
// and action lists. Plain records with value semantics where copies are cheap and deep (actions,
// menu items), owned pointers where records are referred to by address (objects, pages).
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "model/Stream.h"
#include "model/Types.h"

struct TAuAction;

// An ordered action list; order is execution order.
struct TAuActions {
  std::vector<TAuAction> Actions;

  bool IsEmpty() const { return Actions.empty(); }
  bool operator==(const TAuActions&) const;
};

struct TAuAction {
  TCommandType Command = ctOpenRunFile;
  QString Param1, Param2, Param3;
  bool OptionBool = false;
  int32_t OptionInt = 0;
  std::optional<TPicture> Picture;  // none, or a picture (which may itself be empty)
  std::optional<TFont> Font;
  TAuActions Actions1, Actions2;

  bool operator==(const TAuAction&) const = default;
};

inline bool TAuActions::operator==(const TAuActions& other) const { return Actions == other.Actions; }

// Releases every action of the list (nested lists, pictures and fonts with them).
void ClearActions(TAuActions& actions);

// One item of a page's main menu or of an object's popup menu. Its click actions travel inside
// Hint (see ActionsToHint).
struct TMenuItem {
  QString Caption;
  QString Hint;
  TShortCut ShortCut = 0;
  bool RadioItem = false;
  uint8_t GroupIndex = 0;
  bool Enabled = true;
  bool Default = false;
  bool Checked = false;
  bool AutoCheck = false;
  bool Visible = true;
  TPicture Bitmap;  // stored as a "TBitmap" picture when not empty
  std::vector<TMenuItem> Items;

  bool operator==(const TMenuItem&) const = default;
};

// The stored properties of one object kind, beyond the common record. Each kind has its own
// subclass with the kind's constructor defaults; controls render from it and the designer edits it.
class TObjectPayload {
 public:
  virtual ~TObjectPayload() = default;
  virtual TObjectType Kind() const = 0;
  virtual std::unique_ptr<TObjectPayload> Clone() const = 0;
  // The kind's SaveToStream / LoadFromStream, each with its own error codes.
  virtual bool Write(TStream& s) const = 0;
  virtual bool Read(TStream& s) = 0;
  // The lossless text form (field names as stored names).
  virtual QJsonObject ToJson() const = 0;
  virtual bool FromJson(const QJsonObject& json, QString& error) = 0;
  virtual bool Equals(const TObjectPayload& other) const = 0;
  // The size a new object of the kind gets (its control's own default size).
  virtual QSize DefaultSize() const { return {100, 100}; }
  // A new object's first visible text (its caption or lines) is its name, for kinds that show one.
  virtual void SetFirstText(const QString& text) { (void)text; }
};

// The payload of a kind with that kind's defaults; null for a value outside the kind table.
std::unique_ptr<TObjectPayload> NewPayload(TObjectType kind);

struct TAuObject;
using PAuObject = TAuObject*;

// The stored common properties of an object: plain values, copied and compared as a whole.
struct TAuObjectProps {
  QString ObjectName;
  TObjectType ObjectType = otPanel;
  TAlign Align = alNone;
  bool Enable = true;
  bool Visible = true;
  bool Locked = false;
  bool MoveHandle = false;
  TCursor Cursor = 0;
  QString Hint;
  int32_t Left = 0, Top = 0, Width = 100, Height = 100;
  TAuActions OnClickActions, OnDblClickActions, OnEnterActions, OnLeaveActions, OnMouseDownActions, OnMouseUpActions;
  std::vector<TMenuItem> PopupMenu;  // top-level popup items; empty: no popup menu

  bool operator==(const TAuObjectProps&) const = default;
};

// One object of a page. Referred to by address (controls, the designer), so not copyable: Clone
// makes a deep copy on purpose.
struct TAuObject : TAuObjectProps {
  std::vector<std::unique_ptr<TAuObject>> Objects;  // children in z-order and stream order
  std::unique_ptr<TObjectPayload> Payload;          // the kind's own properties
  bool Selected = false;                            // design surface only; never stored
  // The live control showing this record, when there is one. Its parent widget owns it; a record
  // and its control die together, so releasing the record releases the control too.
  QPointer<QObject> Control;

  TAuObject() = default;
  ~TAuObject();
  TAuObject(const TAuObject&) = delete;
  TAuObject& operator=(const TAuObject&) = delete;

  TAuObjectProps& Props() { return *this; }
  const TAuObjectProps& Props() const { return *this; }

  // A deep copy: children, actions, popup menu and payload.
  std::unique_ptr<TAuObject> Clone() const;
  // Equality of everything stored (Selected is not stored).
  bool SameAs(const TAuObject& other) const;
};

// A new record with the common defaults, no children, empty lists and no payload.
std::unique_ptr<TAuObject> NewAuObject();
// Releases an object and its subtree. Ownership is RAII; this exists for the callers that hold
// the record by owning pointer and want to say so.
inline void FreeAuObject(std::unique_ptr<TAuObject>& object) { object.reset(); }

// Object outline node: names and kinds only, mirroring a page's object tree.
struct TObjectInfo;
using PObjectInfo = TObjectInfo*;
struct TObjectInfo {
  QString ObjectName;
  TObjectType ObjectType = otPanel;
  std::vector<std::unique_ptr<TObjectInfo>> Objects;
};
inline void FreeObjectInfo(std::unique_ptr<TObjectInfo>& info) { info.reset(); }

// One page-table entry.
struct TFormData {
  QString FormName;
  int32_t Position = 0;     // absolute offset of the page stream in SourceFileName
  int32_t OldPosition = 0;  // Position kept while a build rewrites it
  int32_t Length = 0;
  std::unique_ptr<TObjectInfo> ObjectInfo;
  std::optional<QByteArray> FormInfoData;  // the page stream when created or edited since reading
};
using PFormData = TFormData*;

struct TMenuProject {
  QString AppTitle = QStringLiteral("AutoRun CD Menu");
  QString AppOutputFileName = QStringLiteral("autorun");
  TAuActions OnStartActions;
  TAuActions OnExitActions;
  std::vector<std::unique_ptr<TFormData>> Forms;
  TSecurityType SecurityType = stNone;
  QString SecurityUserAuthList = QStringLiteral("AnyLogin,OpenDoor");
  QString SecurityUserAuthLabel = QStringLiteral("User/AuthCode: ");
  QString SecurityPasswordLabel = QStringLiteral("Password: ");
  QString SecurityErrorMessage = QStringLiteral("Invalid user name, password or authentication code.");
  QString SecurityTitle = QStringLiteral("Please input your user name, password or authentication code.");
  QString SecurityOKButtonCaption = QStringLiteral("OK");
  QString SecurityCancelButtonCaption = QStringLiteral("Cancel");
  QString SplashScreenName;
  int32_t SplashScreenTime = 3000;
  QString ExitFormName;
  int32_t ExitFormTime = 3000;
  QString FullScreenName;

  // Index of the first page with exactly this name (case-sensitive), or -1.
  int FindForm(const QString& name) const;
  PFormData FormByName(const QString& name) const;
};

// Sets every project field to its default and releases every page. With makeDefault it then
// creates the one-page default project ("Form1", its new-page stream kept in memory) and sets
// ProjectChanged.
void ResetProject(bool makeDefault);

// The kind's display name followed by the smallest n ≥ 1 that no direct child bears
// (case-sensitive); "UnknowObject" without a container.
QString GetNewChildName(const TAuObject* container, TObjectType kind);
// Renames object when enabled and a direct child of container already bears its name.
void MakeChildNameUnique(const TAuObject* container, TAuObject& object, bool enabled);
