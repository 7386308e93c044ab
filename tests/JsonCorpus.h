// The corpus of the persistence and control tests: a project of three pages whose first page holds
// every kind with non-default values, nested actions, menus, status panels and pictures of every
// class. Shared by the JSON round trip and the controls round trip.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonObject>
#include <QPainter>
#include <functional>
#include <memory>
#include <vector>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "render/PictureDecode.h"

namespace JsonCorpus {
inline QImage Sample(int w, int h, QColor c) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.fillRect(1, 1, w - 2, h - 2, c);
  return image;
}

// A picture of every stored class.
inline std::vector<TPicture> EveryPictureClass() {
  const QImage image = Sample(9, 7, QColor(20, 160, 90, 200));
  std::vector<TPicture> pictures;
  for (TGraphicKind kind : {TGraphicKind::Png, TGraphicKind::JPEG, TGraphicKind::Bitmap, TGraphicKind::Icon})
    pictures.push_back(EncodePicture(image, kind));
  // Qt writes no GIF files: a 1 × 1 one by hand.
  pictures.push_back(
      TPicture{TGraphicKind::GIF, Hex("474946383961 0100 0100 80 00 00 ffffff 000000 21f904 01 0000 00 00"
                                      "2c 0000 0000 0100 0100 00 02 02 4401 00 3b")});
  pictures.push_back(TPicture{TGraphicKind::Metafile, Hex("d7cdc69a 0000 01020304")});
  pictures.push_back(TPicture{TGraphicKind::WIC, EncodePicture(image, TGraphicKind::Png).Data});
  return pictures;
}

inline TAuActions NestedActions(int depth) {
  TAuActions list;
  int i = 0;
  for (const TPicture& picture : EveryPictureClass()) {
    TAuAction a;
    a.Command = static_cast<TCommandType>(i++ % CommandTypeCount);
    a.Param1 = QStringLiteral("\\docs\\file%1.pdf").arg(i);
    a.Param2 = QString::fromUtf16(u"Grüße \u263A");
    a.Param3 = QStringLiteral("line 1\r\nline 2");
    a.OptionBool = i % 2;
    a.OptionInt = -i * 1000;
    a.Picture = picture;
    if (i % 2) a.Font = TFont{QStringLiteral("Arial"), 0xFF00000F, -13, 0, fsItalic};
    if (depth > 0 && i < 3) {
      a.Actions1 = NestedActions(depth - 1);
      a.Actions2.Actions.push_back(TAuAction{});
    }
    list.Actions.push_back(a);
  }
  return list;
}

inline std::vector<TMenuItem> Menu(const QString& stem) {
  TMenuItem item;
  item.Caption = QStringLiteral("&") + stem;
  TAuActions click;
  click.Actions.push_back(TAuAction{ctGoToPage, QStringLiteral("Page3")});
  EXPECT_TRUE(ActionsToHint(stem + QStringLiteral("Item"), click, item.Hint));
  item.ShortCut = 0x4000 | 'O';
  item.RadioItem = true;
  item.GroupIndex = 3;
  item.Checked = true;
  item.Bitmap = EncodePicture(Sample(16, 16, Qt::red), TGraphicKind::Bitmap);
  TMenuItem sub = item;
  sub.Caption = QStringLiteral("-");
  sub.Hint = QStringLiteral("plain hint without actions");
  sub.Enabled = false;
  sub.Bitmap.Clear();
  item.Items = {sub, sub};
  return {item, TMenuItem{}};
}

// Changes every leaf of a JSON record to another value the record still accepts, so each field
// of a payload differs from its default.
inline void MutateLeaves(QJsonObject& json, const std::function<bool(const QJsonObject&)>& accepts) {
  const QString png = QString::fromLatin1(EncodePicture(Sample(5, 5, Qt::blue), TGraphicKind::Png).Data.toBase64());
  for (const QString& key : json.keys()) {
    const QJsonValue old = json.value(key);
    std::vector<QJsonValue> candidates;
    if (old.isBool()) candidates = {!old.toBool()};
    if (old.isDouble()) candidates = {old.toDouble() + 3, old.toDouble() - 3, 1, 0};
    if (old.isNull())
      candidates = {QJsonObject{{QStringLiteral("Class"), QStringLiteral("TPngImage")}, {QStringLiteral("Data"), png}}};
    if (old.isString())
      candidates = {QStringLiteral("0x00123456"), old.toString() + QStringLiteral(" changed"), QStringLiteral("1")};
    if (old.isObject()) {
      QJsonObject inner = old.toObject();
      MutateLeaves(inner, [&](const QJsonObject& candidate) {
        QJsonObject whole = json;
        whole.insert(key, candidate);
        return accepts(whole);
      });
      json.insert(key, inner);
      continue;
    }
    for (const QJsonValue& c : candidates) {
      json.insert(key, c);
      if (accepts(json)) break;
      json.insert(key, old);
    }
  }
}

inline std::unique_ptr<TAuObject> ObjectWithChangedPayload(TObjectType kind, const QString& name) {
  auto object = NewAuObject(kind, name);
  QJsonObject json = object->Payload->ToJson();
  MutateLeaves(json, [kind](const QJsonObject& candidate) {
    QString error;
    return NewPayload(kind)->FromJson(candidate, error);
  });
  QString error;
  EXPECT_TRUE(object->Payload->FromJson(json, error)) << error.toStdString();
  EXPECT_FALSE(object->Payload->Equals(*NewPayload(kind))) << GetObjectTypeName(kind).toStdString();
  object->Left = 8 * kind;
  object->Top = -4;
  object->Hint = QStringLiteral("hint of ") + name;
  object->Cursor = -21;
  object->Align = static_cast<TAlign>(kind % 7);
  object->Locked = true;
  object->MoveHandle = kind % 2;
  object->OnEnterActions.Actions.push_back(TAuAction{ctPlaySound, QStringLiteral("\\sounds\\hover.wav")});
  return object;
}

// Fills Project with the corpus: three pages, the first holding every kind.
inline void MakeCorpus() {
  ResetProject(false);
  Project.AppTitle = QStringLiteral("Corpus");
  Project.AppOutputFileName = QStringLiteral("corpus");
  Project.SecurityType = stUser;
  Project.SecurityUserAuthList = QStringLiteral("ann,one\r\nbob,two");
  Project.SplashScreenName = QStringLiteral("Page2");
  Project.SplashScreenTime = 1500;
  Project.ExitFormTime = -1;
  Project.OnStartActions = NestedActions(2);
  Project.OnExitActions.Actions.push_back(TAuAction{ctExit});

  TPageData page;
  InitForm(page, QStringLiteral("Every kind"));
  page.Image_Icon = EncodePicture(Sample(32, 32, Qt::darkCyan), TGraphicKind::Icon);
  page.OnShowActions = NestedActions(1);
  page.MainMenu = Menu(QStringLiteral("File"));
  page.StatusBar.Panels = {TStatusPanel{taCenter, QStringLiteral("Ready"), 120},
                           TStatusPanel{taRightJustify, QString(), -1}};
  page.FormPosition = fpBottomLeftCorner;
  page.FormStyle = TFormStyle::fsStayOnTop;
  page.TransparentColor = true;
  page.TransparentColorValue = 0x00FF00FF;
  for (int kind = 0; kind < ObjectTypeCount; ++kind) {
    if (kind == otTabSheet) continue;
    auto object = ObjectWithChangedPayload(static_cast<TObjectType>(kind), GetObjectTypeName(kind) + u'1');
    if (kind == otTabNotebook)
      for (int i = 0; i < 2; ++i)
        object->Objects.push_back(ObjectWithChangedPayload(otTabSheet, QStringLiteral("TabSheet%1").arg(i + 1)));
    if (kind == otPanel) {
      object->PopupMenu = Menu(QStringLiteral("Popup"));
      object->Objects.push_back(ObjectWithChangedPayload(otShape, QStringLiteral("InnerShape")));
    }
    page.PanelObject->Objects.push_back(std::move(object));
  }
  const char* names[] = {"Page1", "Page2", "Page3"};
  for (int i = 0; i < 3; ++i) {
    auto form = std::make_unique<TFormData>();
    form->FormName = QString::fromLatin1(names[i]);
    TPageData p;
    InitForm(p, form->FormName);
    ASSERT_TRUE(StoreFormData(i == 0 ? page : p, *form));
    Project.Forms.push_back(std::move(form));
  }
  // An outline that no longer matches its page survives as it is.
  Project.Forms[2]->ObjectInfo->ObjectName = QStringLiteral("Stale");
}
}  // namespace JsonCorpus
