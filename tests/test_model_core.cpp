// The project model's defaults and naming rules.
#include <gtest/gtest.h>

#include "model/Globals.h"
#include "model/Project.h"

namespace {
std::unique_ptr<TAuObject> Child(const char* name, TObjectType kind = otShape) {
  auto o = NewAuObject();
  o->ObjectName = QString::fromLatin1(name);
  o->ObjectType = kind;
  return o;
}
}  // namespace

TEST(ModelCore, ObjectTypeNames) {
  struct Case {
    int Kind;
    const char* Name;
  };
  const Case cases[] = {{otPanel, "Panel"},
                        {otStandardButton, "Button"},
                        {otSimpleText, "Label"},
                        {otLabel, "FadeLabel"},
                        {otText, "FadeText"},
                        {otMultilineText, "Text"},
                        {otPDFReader, "PDFReader"},
                        {25, "Unknow"},
                        {-1, "Unknow"},
                        {255, "Unknow"}};
  for (const auto& c : cases) EXPECT_EQ(GetObjectTypeName(c.Kind), QLatin1String(c.Name)) << c.Kind;
}

TEST(ModelCore, NewChildNames) {
  auto panel = NewAuObject();
  EXPECT_EQ(GetNewChildName(nullptr, otShape), QStringLiteral("UnknowObject"));
  // First objects of each kind.
  const std::pair<TObjectType, const char*> firsts[] = {{otSimpleText, "Label1"},
                                                        {otLabel, "FadeLabel1"},
                                                        {otText, "FadeText1"},
                                                        {otMultilineText, "Text1"},
                                                        {otStandardButton, "Button1"}};
  for (const auto& [kind, name] : firsts) EXPECT_EQ(GetNewChildName(panel.get(), kind), QLatin1String(name));
  // The smallest free number; names compare case-sensitively.
  panel->Objects.push_back(Child("Shape1"));
  panel->Objects.push_back(Child("Shape3"));
  EXPECT_EQ(GetNewChildName(panel.get(), otShape), QStringLiteral("Shape2"));
  auto other = NewAuObject();
  other->Objects.push_back(Child("shape1"));
  EXPECT_EQ(GetNewChildName(other.get(), otShape), QStringLiteral("Shape1"));
  // Only direct children count.
  other->Objects[0]->Objects.push_back(Child("Shape1"));
  EXPECT_EQ(GetNewChildName(other.get(), otShape), QStringLiteral("Shape1"));
}

TEST(ModelCore, MakeChildNameUnique) {
  auto panel = NewAuObject();
  panel->Objects.push_back(Child("Shape1"));
  auto pasted = Child("Shape1");
  MakeChildNameUnique(panel.get(), *pasted, false);
  EXPECT_EQ(pasted->ObjectName, QStringLiteral("Shape1"));
  MakeChildNameUnique(panel.get(), *pasted, true);
  EXPECT_EQ(pasted->ObjectName, QStringLiteral("Shape2"));
  auto distinct = Child("Star");
  MakeChildNameUnique(panel.get(), *distinct, true);
  EXPECT_EQ(distinct->ObjectName, QStringLiteral("Star"));
}

TEST(ModelCore, NewObjectDefaults) {
  const auto o = NewAuObject();
  EXPECT_TRUE(o->ObjectName.isEmpty());
  EXPECT_EQ(o->ObjectType, otPanel);
  EXPECT_EQ(o->Align, alNone);
  EXPECT_TRUE(o->Enable);
  EXPECT_TRUE(o->Visible);
  EXPECT_FALSE(o->Locked);
  EXPECT_FALSE(o->MoveHandle);
  EXPECT_EQ(o->Cursor, 0);
  EXPECT_EQ(std::tuple(o->Left, o->Top, o->Width, o->Height), std::tuple(0, 0, 100, 100));
  EXPECT_TRUE(o->OnClickActions.IsEmpty() && o->OnMouseUpActions.IsEmpty() && o->Objects.empty());
}

TEST(ModelCore, ResetProjectMakesTheOnePageProject) {
  ResetProject(false);
  EXPECT_TRUE(Project.Forms.empty());
  ProjectChanged = false;
  Project.AppTitle = QStringLiteral("Changed");
  Project.OnStartActions.Actions.emplace_back();
  ResetProject(true);
  ASSERT_EQ(Project.Forms.size(), 1u);
  const TFormData& page = *Project.Forms[0];
  EXPECT_EQ(page.FormName, QStringLiteral("Form1"));
  EXPECT_EQ(page.Position, 0);
  EXPECT_EQ(page.Length, 0);
  ASSERT_TRUE(page.ObjectInfo);
  // The outline is rebuilt from the new page's panel when its stream is stored.
  EXPECT_EQ(page.ObjectInfo->ObjectName, QString());
  EXPECT_EQ(page.ObjectInfo->ObjectType, otPanel);
  EXPECT_TRUE(page.FormInfoData.has_value());
  EXPECT_TRUE(ProjectChanged);
  EXPECT_EQ(Project.AppTitle, QStringLiteral("AutoRun CD Menu"));
  EXPECT_EQ(Project.AppOutputFileName, QStringLiteral("autorun"));
  EXPECT_TRUE(Project.OnStartActions.IsEmpty());
  EXPECT_EQ(Project.SecurityType, stNone);
  EXPECT_EQ(Project.SecurityUserAuthList, QStringLiteral("AnyLogin,OpenDoor"));
  EXPECT_EQ(Project.SplashScreenTime, 3000);
  EXPECT_EQ(Project.ExitFormTime, 3000);
  ResetProject(false);
}

TEST(ModelCore, PageLookupIsExactAndFirstMatch) {
  ResetProject(false);
  for (const char* name : {"Form1", "Intro", "Form1"}) {
    auto page = std::make_unique<TFormData>();
    page->FormName = QString::fromLatin1(name);
    Project.Forms.push_back(std::move(page));
  }
  EXPECT_EQ(Project.FindForm(QStringLiteral("Form1")), 0);
  EXPECT_EQ(Project.FindForm(QStringLiteral("Intro")), 1);
  EXPECT_EQ(Project.FindForm(QStringLiteral("form1")), -1);
  EXPECT_EQ(Project.FindForm(QString()), -1);
  EXPECT_EQ(Project.FormByName(QStringLiteral("FORM1")), nullptr);
  ResetProject(false);
}

TEST(ModelCore, CloneIsDeep) {
  auto root = Child("Panel1", otPanel);
  root->Objects.push_back(Child("Shape1"));
  TAuAction a;
  a.Command = ctGoToPage;
  a.Param1 = QStringLiteral("Intro");
  a.Actions1.Actions.push_back(a);
  root->OnClickActions.Actions.push_back(a);
  TMenuItem item;
  item.Caption = QStringLiteral("&File");
  item.Items.push_back(item);
  root->PopupMenu.push_back(item);
  auto copy = root->Clone();
  EXPECT_TRUE(copy->SameAs(*root));
  copy->Objects[0]->ObjectName = QStringLiteral("Other");
  EXPECT_FALSE(copy->SameAs(*root));
  EXPECT_EQ(root->Objects[0]->ObjectName, QStringLiteral("Shape1"));
  copy = root->Clone();
  copy->OnClickActions.Actions[0].Actions1.Actions[0].Param1 = QStringLiteral("x");
  EXPECT_FALSE(copy->SameAs(*root));
}

TEST(ModelCore, EnumNamesRoundTrip) {
  EXPECT_EQ(EnumToName(otShape), QStringLiteral("otShape"));
  EXPECT_EQ(EnumToName(ctGoToPage), QStringLiteral("ctGoToPage"));
  EXPECT_EQ(EnumToName(static_cast<TObjectType>(200)), QStringLiteral("200"));
  EXPECT_EQ(EnumFromName<TObjectType>(QStringLiteral("otShape")), otShape);
  EXPECT_EQ(EnumFromName<TObjectType>(QStringLiteral("200")), static_cast<TObjectType>(200));
  EXPECT_EQ(EnumFromName<TObjectType>(QStringLiteral("otNothing")), std::nullopt);
  EXPECT_EQ(EnumFromName<TFormPosition>(QStringLiteral("fpBottomLeftCorner")), fpBottomLeftCorner);
  EXPECT_EQ(EnumValueNames<TCommandType>().size(), CommandTypeCount);
  EXPECT_EQ(EnumValueNames<TObjectType>().size(), ObjectTypeCount);
}
