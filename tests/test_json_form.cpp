// The JSON form: binary → JSON → binary gives identical bytes for a project that uses every kind
// with non-default values, nested actions, menus, status panels and pictures of every class.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "JsonCorpus.h"
#include "TestSupport.h"
#include "model/Actions.h"
#include "model/Globals.h"
#include "model/JsonForm.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"
#include "model/ProjectStream.h"
#include "render/PictureDecode.h"

using namespace JsonCorpus;

namespace {
QByteArray FileBytes(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(JsonForm, ProjectRoundTripsByteForByte) {
  QTemporaryDir dir;
  const QString original = dir.filePath(QStringLiteral("autorun.mvdsk"));
  const QString again = dir.filePath(QStringLiteral("again.mvdsk"));
  MakeCorpus();
  TError error;
  ASSERT_TRUE(SaveProjectToFile(original, QString(), error)) << error.Message().toStdString();
  ResetProject(false);
  SaveFuzzSeed("project_file", QStringLiteral("corpus"), FileBytes(original));

  QJsonObject json;
  QString message;
  ASSERT_TRUE(DumpProjectFileAsJson(original, json, message)) << message.toStdString();
  // Through text, as a reviewer or a generator would handle it.
  const QByteArray text = QJsonDocument(json).toJson();
  const QJsonObject parsed = QJsonDocument::fromJson(text).object();
  ASSERT_TRUE(WriteProjectFileFromJson(parsed, again, message)) << message.toStdString();
  EXPECT_EQ(FileBytes(again), FileBytes(original));

  // The text names things by their stored names.
  for (const char* name : {"\"AppTitle\"", "\"Forms\"", "\"FormName\"", "\"ObjectType\": \"otShape\"",
                           "\"OnClickActions\"", "\"Param1\"", "\"Command\": \"ctGoToPage\"", "\"FadeInStep\"",
                           "\"BorderWidth\"", "\"Gradient\"", "\"Class\": \"TGIFImage\"", "\"ObjectInfo\""})
    EXPECT_TRUE(text.contains(name)) << name;

  QJsonObject second;
  ASSERT_TRUE(DumpProjectFileAsJson(again, second, message));
  EXPECT_EQ(second, json);
}

TEST(JsonForm, RefusesWhatItCannotUse) {
  struct Case {
    const char* What;
    const char* Json;
    const char* Expected;
  };
  const Case cases[] = {
      {"not a project", R"({"AppTitle":"x"})", "Format"},
      {"bad enumeration", R"({"Format":"Menuvia project","SecurityType":"stMaybe"})", "SecurityType"},
      {"bad number", R"({"Format":"Menuvia project","SplashScreenTime":"soon"})", "SplashScreenTime"},
      {"page without name", R"({"Format":"Menuvia project","Forms":[{"Page":{}}]})", "FormName"},
      {"page without its panel", R"({"Format":"Menuvia project","Forms":[{"FormName":"A","Page":{}}]})", "page \"A\""},
      {"unknown command", R"({"Format":"Menuvia project","OnStartActions":[{"Command":"ctDance"}]})", "Command"},
      {"unknown kind",
       R"({"Format":"Menuvia project","Forms":[{"FormName":"A","Page":{"PanelObject":{"ObjectType":"otWidget"}}}]})",
       "ObjectType"},
      {"bad payload field",
       R"({"Format":"Menuvia project","Forms":[{"FormName":"A","Page":{"PanelObject":{"ObjectType":"otPanel",
          "Objects":[{"ObjectType":"otShape","Payload":{"BorderWidth":"wide"}}]}}}]})",
       "BorderWidth"},
      {"broken picture",
       R"({"Format":"Menuvia project","OnStartActions":[{"Picture":{"Class":"TPngImage","Data":"*"}}]})", "base64"},
  };
  QTemporaryDir dir;
  for (const auto& c : cases) {
    const QString out = dir.filePath(QStringLiteral("out.mvdsk"));
    QString message;
    EXPECT_FALSE(WriteProjectFileFromJson(QJsonDocument::fromJson(c.Json).object(), out, message)) << c.What;
    EXPECT_TRUE(message.contains(QLatin1String(c.Expected))) << c.What << ": " << message.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << c.What;
  }
}

// The command-line tools end to end.
TEST(JsonForm, CommandLineDumpAndLoad) {
  QTemporaryDir dir;
  const QString original = dir.filePath(QStringLiteral("autorun.mvdsk"));
  MakeCorpus();
  TError error;
  ASSERT_TRUE(SaveProjectToFile(original, QString(), error));
  ResetProject(false);

  auto run = [](const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr) {
    QProcess p;
    p.start(TestPaths::CliBinary(), args);
    p.waitForFinished(60000);
    if (out) *out = p.readAllStandardOutput();
    if (err) *err = p.readAllStandardError();
    return p.exitCode();
  };
  QByteArray json, err;
  ASSERT_EQ(run({QStringLiteral("dump"), QStringLiteral("--json"), original}, &json), 0);
  const QString jsonFile = dir.filePath(QStringLiteral("p.json"));
  QFile f(jsonFile);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(json);
  f.close();
  const QString rebuilt = dir.filePath(QStringLiteral("rebuilt.mvdsk"));
  ASSERT_EQ(run({QStringLiteral("load-json"), jsonFile, QStringLiteral("-o"), rebuilt}), 0);
  EXPECT_EQ(FileBytes(rebuilt), FileBytes(original));

  QByteArray info;
  ASSERT_EQ(run({QStringLiteral("info"), rebuilt}, &info), 0);
  EXPECT_TRUE(info.contains("Page1") && info.contains("Page3")) << info.toStdString();

  // Bad input: a clear message and a failing status, nothing written.
  const QString garbage = dir.filePath(QStringLiteral("garbage.json"));
  QFile g(garbage);
  ASSERT_TRUE(g.open(QIODevice::WriteOnly));
  g.write("{ not json");
  g.close();
  EXPECT_EQ(run({QStringLiteral("load-json"), garbage, QStringLiteral("-o"), dir.filePath(QStringLiteral("x"))},
                nullptr, &err),
            1);
  EXPECT_TRUE(err.contains("not a JSON object")) << err.toStdString();
  EXPECT_EQ(run({QStringLiteral("dump"), QStringLiteral("--json"), garbage}, nullptr, &err), 1);
  EXPECT_FALSE(err.isEmpty());
  EXPECT_EQ(run({QStringLiteral("dump"), original}), 2);
  EXPECT_EQ(run({QStringLiteral("no-such-command")}), 2);
}
