// Object and page template files: layout, round trips, the preview read alone, refusals.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include "TestSupport.h"
#include "model/ObjectStream.h"
#include "model/PageStream.h"
#include "model/ProjectFile.h"

namespace {

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& name, const QByteArray& bytes) {
  QFile f(name);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A real preview: a 16 × 16 bitmap in BMP file form.
QByteArray PreviewBitmap() {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(qRgb(10, 120, 200));
  image.setPixel(3, 4, qRgb(255, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

// A shape carrying a note: the stored form keeps a child list for every kind, so this is a subtree.
std::unique_ptr<TAuObject> SampleObject() {
  auto shape = NewAuObject(otShape, QStringLiteral("Shape1"));
  auto note = NewAuObject(otNote, QStringLiteral("Note1"));
  if (!shape || !note) return nullptr;
  note->Left = 12;
  note->Hint = QStringLiteral("read me");
  TAuAction action;
  action.Command = ctVisitWebsite;
  action.Param1 = QStringLiteral("https://example.org");
  shape->OnClickActions.Actions.push_back(action);
  shape->Objects.push_back(std::move(note));
  return shape;
}

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
  QString Path(const QString& name) const { return Dir.filePath(name); }
  QTemporaryDir Dir;
};

TEST_F(TemplateTest, ObjectTemplateRoundTripAndIconAlone) {
  const auto object = SampleObject();
  ASSERT_TRUE(object);
  const QByteArray icon = PreviewBitmap();
  const QString name = Path(QStringLiteral("button.mvobj"));
  TError error;
  ASSERT_TRUE(SaveObjectTemplate(name, *object, icon, error)) << error.Message().toStdString();

  const QByteArray file = ReadAll(name);
  EXPECT_EQ(file.left(4).toHex(' '), Hex("27780F02").toHex(' '));
  const int32_t iconOffset = qFromLittleEndian<int32_t>(file.constData() + 4);
  EXPECT_EQ(file.mid(iconOffset), icon);
  // Between the header and the icon lies exactly the object record.
  QByteArray record;
  QBuffer buffer(&record);
  buffer.open(QIODevice::WriteOnly);
  TStream s(&buffer);
  ASSERT_TRUE(WriteAuObject(s, *object));
  EXPECT_EQ(file.mid(8, iconOffset - 8), record);

  auto read = NewAuObject();
  ASSERT_TRUE(LoadObjectTemplate(name, *read, error)) << error.Message().toStdString();
  EXPECT_TRUE(read->SameAs(*object));

  QByteArray readIcon;
  ASSERT_TRUE(LoadObjectTemplateIcon(name, readIcon, error));
  EXPECT_EQ(readIcon, icon);
  const QImage decoded = QImage::fromData(readIcon, "BMP");
  EXPECT_EQ(decoded.size(), QSize(16, 16));
  EXPECT_EQ(decoded.pixel(3, 4), qRgb(255, 0, 0));
}

TEST_F(TemplateTest, PageTemplateRoundTripKeepsTheCaptionOfTheTarget) {
  if (!NewPayload(otPanel)) GTEST_SKIP() << "the page panel's payload is not part of this build";
  TPageData page;
  InitForm(page, QStringLiteral("Template page"));
  page.Width = 640;
  page.FormFade = false;
  page.PanelObject->Objects.push_back(SampleObject());
  const QByteArray icon = PreviewBitmap();
  const QString name = Path(QStringLiteral("page.mvpag"));
  TError error;
  ASSERT_TRUE(SavePageTemplate(name, page, icon, error)) << error.Message().toStdString();
  const QByteArray file = ReadAll(name);
  EXPECT_EQ(file.left(4).toHex(' '), Hex("37EC6501").toHex(' '));

  TPageData target;
  InitForm(target, QStringLiteral("Mine"));
  ASSERT_TRUE(LoadPageTemplate(name, target, error)) << error.Message().toStdString();
  EXPECT_EQ(target.Caption, QStringLiteral("Mine"));
  EXPECT_EQ(target.Width, 640);
  EXPECT_FALSE(target.FormFade);
  target.Caption = page.Caption;
  EXPECT_TRUE(target.SameAs(page));

  QByteArray readIcon;
  ASSERT_TRUE(LoadPageTemplateIcon(name, readIcon, error));
  EXPECT_EQ(readIcon, icon);
}

// The template library lists every file of its folder; what is not a template of the kind is
// passed over without a message, a template with a bad icon offset is an error.
TEST_F(TemplateTest, IconReadRefusals) {
  const auto object = SampleObject();
  ASSERT_TRUE(object);
  const QString good = Path(QStringLiteral("good.mvobj"));
  TError error;
  ASSERT_TRUE(SaveObjectTemplate(good, *object, PreviewBitmap(), error));
  QByteArray beyond = ReadAll(good);
  qToLittleEndian<int32_t>(beyond.size() + 1, beyond.data() + 4);
  QByteArray inHeader = ReadAll(good);
  qToLittleEndian<int32_t>(4, inHeader.data() + 4);

  const struct {
    const char* Name;
    QByteArray Bytes;
    bool ErrorSet;
  } cases[] = {{"empty", QByteArray(), false},
               {"seven bytes", Hex("27780F02 080000"), false},
               {"page template magic", Hex("37EC6501 08000000"), false},
               {"offset beyond the end", beyond, true},
               {"offset inside the header", inHeader, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString name = Path(QStringLiteral("case.mvobj"));
    ASSERT_TRUE(WriteAll(name, c.Bytes));
    QByteArray icon("stale");
    EXPECT_FALSE(LoadObjectTemplateIcon(name, icon, error));
    EXPECT_EQ(error.IsSet(), c.ErrorSet);
    if (c.ErrorSet) {
      EXPECT_EQ(error.Code, 108);
    }
    EXPECT_TRUE(icon.isEmpty());
  }
  // An icon offset equal to the file size is an empty preview, not an error.
  const QString noIcon = Path(QStringLiteral("noicon.mvobj"));
  ASSERT_TRUE(SaveObjectTemplate(noIcon, *object, QByteArray(), error));
  QByteArray icon;
  EXPECT_TRUE(LoadObjectTemplateIcon(noIcon, icon, error));
  EXPECT_TRUE(icon.isEmpty());
}

TEST_F(TemplateTest, ContentReadRefusals) {
  const QString name = Path(QStringLiteral("bad.mvobj"));
  ASSERT_TRUE(WriteAll(name, Hex("37EC6501 08000000")));
  TError error;
  auto object = NewAuObject();
  EXPECT_FALSE(LoadObjectTemplate(name, *object, error));
  EXPECT_EQ(error.Message(), QStringLiteral("File format error."));
  EXPECT_EQ(error.Caption(), QStringLiteral("Error"));
  EXPECT_EQ(error.Icon(), TMsgIcon::Error);

  TPageData page;
  ASSERT_TRUE(WriteAll(name, Hex("27780F02 08000000")));
  EXPECT_FALSE(LoadPageTemplate(name, page, error));
  EXPECT_EQ(error.Message(), QStringLiteral("File format error."));

  EXPECT_FALSE(LoadPageTemplate(Path(QStringLiteral("none")), page, error));
  EXPECT_EQ(error.Code, 110);
  EXPECT_EQ(error.OsError, ENOENT);
  EXPECT_FALSE(LoadObjectTemplate(Path(QStringLiteral("none")), *object, error));
  EXPECT_EQ(error.Code, 107);

  // Right magic, damaged record: the record's own failure is the one reported.
  ASSERT_TRUE(WriteAll(name, Hex("27780F02 08000000 01000000")));
  EXPECT_FALSE(LoadObjectTemplate(name, *object, error));
  EXPECT_EQ(error.Kind, TErrorKind::DataVersion);
}

TEST_F(TemplateTest, FailedWriteKeepsTheExistingTemplate) {
  const QString name = Path(QStringLiteral("keep.mvobj"));
  TError error;
  const auto object = SampleObject();
  ASSERT_TRUE(object);
  ASSERT_TRUE(SaveObjectTemplate(name, *object, PreviewBitmap(), error));
  const QByteArray before = ReadAll(name);

  // A child without its kind's properties: the object record refuses to be written, half way
  // through the file.
  object->Objects[0]->Payload.reset();
  EXPECT_FALSE(SaveObjectTemplate(name, *object, PreviewBitmap(), error));
  EXPECT_TRUE(error.IsSet());
  EXPECT_EQ(ReadAll(name), before);
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.mvobj")});
}

}  // namespace
