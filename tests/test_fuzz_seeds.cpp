// Writes valid stored forms as seeds for the fuzz targets, and checks each seed reads back.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/Project.h"
#include "model/ProjectFile.h"

TEST(FuzzSeeds, PayloadOfEveryKind) {
  for (int kind = 0; kind < ObjectTypeCount; ++kind) {
    auto payload = NewPayload(static_cast<TObjectType>(kind));
    ASSERT_TRUE(payload) << kind;
    const QByteArray bytes = WriteBytes([&](TStream& s) { return payload->Write(s); });
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TStream s(&buffer);
    auto back = NewPayload(static_cast<TObjectType>(kind));
    ASSERT_TRUE(back->Read(s)) << kind;
    EXPECT_TRUE(back->Equals(*payload)) << kind;
    SaveFuzzSeed("payloads", GetObjectTypeName(kind), QByteArray(1, char(kind)) + bytes);
  }
}

namespace {
QByteArray ReadAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(FuzzSeeds, FilesAndClipboardBlocks) {
  QTemporaryDir dir;
  ResetProject(true);
  TPageData page;
  InitForm(page, QStringLiteral("Seed"));
  AddNewObject(*page.PanelObject, otShape, 10, 10);
  AddNewObject(*page.PanelObject, otFadeButton, 40, 10);
  page.PanelObject->Objects[0]->Selected = true;
  ASSERT_TRUE(StoreFormData(page, *Project.Forms[0]));

  TError error;
  const QString project = dir.filePath(QStringLiteral("small.mvdsk"));
  ASSERT_TRUE(SaveProjectToFile(project, QString(), error));
  SaveFuzzSeed("project_file", QStringLiteral("small"), ReadAll(project));
  const QString exe = dir.filePath(QStringLiteral("autorun"));
  {
    QFile f(exe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "\x7f"
        "ELF stand-in bytes of an executable");
  }
  ASSERT_TRUE(AppendProjectToExe(exe, project, error)) << error.Message().toStdString();
  SaveFuzzSeed("project_file", QStringLiteral("container"), ReadAll(exe));

  const QString objectTemplate = dir.filePath(QStringLiteral("o.tpl"));
  const QString pageTemplate = dir.filePath(QStringLiteral("p.tpl"));
  ASSERT_TRUE(SaveObjectTemplate(objectTemplate, *page.PanelObject->Objects[1], QByteArray("BMicon"), error));
  ASSERT_TRUE(SavePageTemplate(pageTemplate, page, QByteArray("BMicon"), error));
  SaveFuzzSeed("templates", QStringLiteral("object"), ReadAll(objectTemplate));
  SaveFuzzSeed("templates", QStringLiteral("page"), ReadAll(pageTemplate));

  QByteArray objects, actions;
  ASSERT_TRUE(CopyObjectsToClipboardStream(*page.PanelObject, objects));
  TAuAction a;
  a.Command = ctShowMessage;
  a.Param1 = QStringLiteral("Hello");
  a.Actions1.Actions.push_back(a);
  ASSERT_TRUE(ActionsToClipboardStream({a, a}, actions));
  SaveFuzzSeed("clipboard", QStringLiteral("objects"), QByteArray(1, '\0') + objects);
  SaveFuzzSeed("clipboard", QStringLiteral("actions"), QByteArray(1, '\1') + actions);
  ResetProject(false);
}
