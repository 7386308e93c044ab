// Running action lists: the commands and their fields, what reaches the shell and the sound
// players, messages with nested answers, the exit request, and the page-only commands that change
// objects and status panels.
#include <QPushButton>

#include "PageTestSupport.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "objects/FadingKinds.h"
#include "render/PictureDecode.h"

namespace {

class ActionRunner : public PageTestBase {};

TEST_F(ActionRunner, MessageKindsAndNestedAnswers) {
  Project.AppTitle = QStringLiteral("Disc Menu");
  const struct {
    int kind;
    int answer;  // 0: the default button
    TMsgIcon icon;
    int buttons;
    const char* ran;  // what the nested lists showed after the message
  } cases[] = {
      {0, 0, TMsgIcon::Warning, mbOK, ""},
      {1, 0, TMsgIcon::Information, mbOK, ""},
      {2, 0, TMsgIcon::Error, mbOK, ""},
      {3, mbYes, TMsgIcon::Question, mbYes | mbNo, "yes"},
      {3, mbNo, TMsgIcon::Question, mbYes | mbNo, "no"},
      {4, mbYes, TMsgIcon::Question, mbYes | mbNo | mbCancel, "yes"},
      {4, mbNo, TMsgIcon::Question, mbYes | mbNo | mbCancel, "no"},
      {4, mbCancel, TMsgIcon::Question, mbYes | mbNo | mbCancel, ""},
      {7, 0, TMsgIcon::None, mbOK, ""},
  };
  for (const auto& c : cases) {
    Recorded().Shown.clear();
    if (c.answer) Recorded().Answers = {c.answer};
    TAuAction ask = Act(ctShowMessage, QStringLiteral("Install now?"));
    ask.OptionInt = c.kind;
    ask.Actions1 = List({Say("yes")});
    ask.Actions2 = List({Say("no")});
    RunActions(List({ask}), nullptr);
    const QString context = QStringLiteral("kind %1 answer %2").arg(c.kind).arg(c.answer);
    ASSERT_FALSE(Recorded().Shown.empty()) << context.toStdString();
    const TMessage& m = Recorded().Shown.front();
    EXPECT_EQ(m.Caption, QStringLiteral("Disc Menu")) << context.toStdString();
    EXPECT_EQ(m.Text, QStringLiteral("Install now?")) << context.toStdString();
    EXPECT_EQ(m.Icon, c.icon) << context.toStdString();
    EXPECT_EQ(m.Buttons, c.buttons) << context.toStdString();
    const QStringList after = ShownTexts().mid(1);
    EXPECT_EQ(after, *c.ran ? QStringList{QString::fromUtf8(c.ran)} : QStringList()) << context.toStdString();
  }
  // A message without text shows nothing.
  Recorded().Shown.clear();
  RunActions(List({Act(ctShowMessage)}), nullptr);
  EXPECT_TRUE(Recorded().Shown.empty());
}

TEST_F(ActionRunner, ExitStopsEveryListAtOnce) {
  RunActions(List({Say("first"), Act(ctExit), Say("third")}), nullptr);
  EXPECT_TRUE(ExitRequested);
  EXPECT_EQ(ShownTexts(), QStringList{"first"});
  // Later lists, nested answers included, run nothing while the exit is requested.
  RunActions(List({Say("later")}), nullptr);
  EXPECT_EQ(ShownTexts(), QStringList{"first"});

  // An exit inside a nested answer ends the outer list too.
  ExitRequested = false;
  Recorded().Shown.clear();
  TAuAction ask = Act(ctShowMessage, QStringLiteral("Quit?"));
  ask.OptionInt = 3;
  ask.Actions1 = List({Act(ctExit), Say("after exit, inner")});
  Recorded().Answers = {mbYes};
  RunActions(List({ask, Say("after exit, outer")}), nullptr);
  EXPECT_EQ(ShownTexts(), QStringList{"Quit?"});
}

TEST_F(ActionRunner, WhatTheShellCommandsAskFor) {
  ExeFolder = QStringLiteral("/media/disc");
  const auto open = [](const QString& file, const QString& params = {}, const QString& folder = {}) {
    TAuAction a = Act(ctOpenRunFile, file, params);
    a.Param3 = folder;
    return a;
  };
  const struct {
    const char* name;
    TAuAction action;
    std::vector<TShellCall> calls;
  } cases[] = {
      {"run with parameters and folder",
       open("\\setup.exe", "/quiet \\x", "\\bin"),
       {{"open", "/media/disc/setup.exe", "/quiet \\x", "/media/disc/bin"}}},
      {"relative without delimiter", open("docs\\a.pdf"), {{"open", "/media/disc/docs/a.pdf", "", ""}}},
      {"no file", open(""), {}},
      {"website as stored", Act(ctVisitWebsite, "www.example.com"), {{"open", "www.example.com", "", ""}}},
      {"no website", Act(ctVisitWebsite), {}},
      {"mail", Act(ctSendEmail, "info@example.com"), {{"open", "mailto:info@example.com", "", ""}}},
      {"no mail", Act(ctSendEmail), {}},
      {"print", Act(ctPrintDocument, "\\manual.pdf"), {{"print", "/media/disc/manual.pdf", "", ""}}},
      {"browse a folder", Act(ctBrowse, "\\extras"), {{"explore", "/media/disc/extras", "", ""}}},
      {"browse the project folder", Act(ctBrowse), {{"explore", "/media/disc", "", ""}}},
  };
  for (const auto& c : cases) {
    TShellRecorder shell;
    RunActions(List({c.action}), nullptr);
    ASSERT_EQ(shell.Calls.size(), c.calls.size()) << c.name;
    for (size_t i = 0; i < c.calls.size(); ++i) {
      EXPECT_EQ(shell.Calls[i].Verb, c.calls[i].Verb) << c.name;
      EXPECT_EQ(shell.Calls[i].File, c.calls[i].File) << c.name;
      EXPECT_EQ(shell.Calls[i].Parameters, c.calls[i].Parameters) << c.name;
      EXPECT_EQ(shell.Calls[i].Folder, c.calls[i].Folder) << c.name;
    }
  }
  EXPECT_TRUE(Recorded().Shown.empty());
}

TEST_F(ActionRunner, ShellFailuresAreShownAndTheListGoesOn) {
  ExeFolder = QStringLiteral("/media/disc");
  const struct {
    int result;
    const char* text;  // empty: no message
  } cases[] = {
      {42, ""},
      {1, "Operation Error"},  // a result without a text of its own
      {2, "The specified file was not found."},
      {31, "There is no application associated with the given filename extension."},
  };
  for (const auto& c : cases) {
    Recorded().Shown.clear();
    TShellRecorder shell(c.result);
    RunActions(List({Act(ctOpenRunFile, "\\a.doc"), Say("next")}), nullptr);
    QStringList expected;
    if (*c.text) expected << QString::fromUtf8(c.text);
    expected << "next";
    EXPECT_EQ(ShownTexts(), expected) << c.result;
    if (*c.text) {
      EXPECT_EQ(Recorded().Shown.front().Caption, QStringLiteral("Error"));
      EXPECT_EQ(Recorded().Shown.front().Icon, TMsgIcon::Error);
    }
  }
}

TEST_F(ActionRunner, UnsavedProjectInTheDesignerAsksFirst) {
  IsDesigner = true;
  SourceFileName.clear();
  TShellRecorder shell;
  RunActions(List({Act(ctOpenRunFile, "\\setup.exe")}), nullptr);
  ASSERT_EQ(shell.Calls.size(), 1u);
  EXPECT_EQ(shell.Calls[0].File, QString());
  ASSERT_EQ(Recorded().Shown.size(), 1u);
  EXPECT_EQ(Recorded().Shown[0].Caption, QStringLiteral("Project Folder"));
}

TEST_F(ActionRunner, SoundCommandsReachTheirPlayers) {
  ExeFolder = QStringLiteral("/media/disc");
  QStringList effect, music;
  auto oldEffect = SetSoundPlayer(TSoundChannel::Effect, std::make_unique<TRecordingSoundPlayer>(effect));
  auto oldMusic = SetSoundPlayer(TSoundChannel::BackMusic, std::make_unique<TRecordingSoundPlayer>(music));
  TAuAction loopMusic = Act(ctPlayBackMusic, "\\music\\theme.ogg");
  loopMusic.OptionBool = true;
  RunActions(List({Act(ctPlaySound, "\\click.wav"), loopMusic, Act(ctPlaySound), Act(ctStopSound), Act(ctPlayBackMusic),
                   Act(ctStopBackMusic)}),
             nullptr);
  EXPECT_EQ(effect, QStringList({"play /media/disc/click.wav once", "stop"}));
  EXPECT_EQ(music, QStringList({"play /media/disc/music/theme.ogg loop", "stop"}));
  SetSoundPlayer(TSoundChannel::Effect, std::move(oldEffect));
  SetSoundPlayer(TSoundChannel::BackMusic, std::move(oldMusic));
}

TEST_F(ActionRunner, PageOnlyCommandsDoNothingWithoutAPage) {
  AddPage("Form1", MakePage("Form1"));
  TShellRecorder shell;
  TAuAction image = Act(ctSetObjectImage, {}, "Image1");
  image.Picture = TPicture();
  RunActions(List({Act(ctClosePage), Act(ctGoToPage, "Form1"), Act(ctSetObjectText, "x", "Label1"), image,
                   Say("still running")}),
             nullptr);
  EXPECT_EQ(ShownTexts(), QStringList{"still running"});
  EXPECT_TRUE(shell.Calls.empty());
  EXPECT_TRUE(OpenPages().empty());
}

// ---- commands on a page ----

class PageActions : public PageTestBase {};

TEST_F(PageActions, SetTextByTargetKind) {
  TPageData page = MakePage("Texts");
  TAuObject& root = *page.PanelObject;
  const TObjectType kinds[] = {otPanel,      otTabNotebook,   otGroupBox, otStandardButton, otImageButton,
                               otSimpleText, otMultilineText, otMemo,     otLabel,          otText,
                               otShape,      otBalloon,       otNote,     otFadeButton,     otImage};
  for (TObjectType kind : kinds) {
    TAuObject& o = AddObject(root, kind, GetObjectTypeName(kind) + "X", {0, 0, 120, 60});
    if (kind == otTabNotebook) AddObject(o, otTabSheet, "Sheet", {0, 0, 100, 40});
    // Fading objects change at once when they do not fade.
    if (auto* p = dynamic_cast<TFadeLabelPayload*>(o.Payload.get())) p->FadeParam.Fade = false;
    if (auto* p = dynamic_cast<TFadeTextPayload*>(o.Payload.get())) p->FadeParam.Fade = false;
    if (auto* p = dynamic_cast<TShapePayload*>(o.Payload.get())) p->FadeParam.Fade = false;
    if (auto* p = dynamic_cast<TBalloonPayload*>(o.Payload.get())) p->FadeParam.Fade = false;
    if (auto* p = dynamic_cast<TNotePayload*>(o.Payload.get())) p->FadeParam.Fade = false;
  }
  AddPage("Texts", page);
  auto form = ShowPage(0);
  TAuObject& live = *form->PanelObject();

  TAuActions actions;
  for (TObjectType kind : kinds)
    actions.Actions.push_back(Act(ctSetObjectText, "New\nText", GetObjectTypeName(kind) + "X"));
  actions.Actions.push_back(Act(ctSetObjectText, "Sheet text", GetObjectTypeName(otTabNotebook) + "X - Sheet"));
  RunActions(actions, form.get());

  const auto obj = [&](TObjectType kind) -> TAuObject& {
    return *form->GetAuObjectFromName(GetObjectTypeName(kind) + "X");
  };
  const auto payload = [&](TObjectType kind) { return obj(kind).Payload.get(); };
  EXPECT_EQ(dynamic_cast<TPanelPayload*>(payload(otPanel))->PanelBack.Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TGroupBoxPayload*>(payload(otGroupBox))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TStandardButtonPayload*>(payload(otStandardButton))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TImageButtonPayload*>(payload(otImageButton))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TSimpleTextPayload*>(payload(otSimpleText))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TMultilineTextPayload*>(payload(otMultilineText))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TMemoPayload*>(payload(otMemo))->Lines, "New\r\nText");
  EXPECT_EQ(dynamic_cast<TFadeLabelPayload*>(payload(otLabel))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TShapePayload*>(payload(otShape))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TBalloonPayload*>(payload(otBalloon))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TNotePayload*>(payload(otNote))->Caption, "New\nText");
  EXPECT_EQ(dynamic_cast<TTabSheetPayload*>(
                form->GetAuObjectFromName(GetObjectTypeName(otTabNotebook) + "X - Sheet")->Payload.get())
                ->Caption,
            "Sheet text");
  // Kinds the action does not name keep their text.
  EXPECT_NE(dynamic_cast<TFadeButtonPayload*>(payload(otFadeButton))->Caption, "New\nText");
  // The control follows its record.
  auto* button = qobject_cast<QPushButton*>(obj(otStandardButton).Control.data());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "New\nText");
  (void)live;
}

TEST_F(PageActions, FadingTextChangesAtTheTurnOfItsFade) {
  TPageData page = MakePage("Fade");
  AddObject(*page.PanelObject, otLabel, "Label1", {10, 10, 200, 40});
  AddObject(*page.PanelObject, otShape, "Shape1", {10, 60, 100, 100});
  AddPage("Fade", page);
  auto form = ShowPage(0);
  TAuObject& label = *form->GetAuObjectFromName("Label1");
  TAuObject& shape = *form->GetAuObjectFromName("Shape1");
  const QString oldLabel = dynamic_cast<TFadeLabelPayload&>(*label.Payload).Caption;

  const QImage red = [] {
    QImage i(4, 4, QImage::Format_ARGB32);
    i.fill(Qt::red);
    return i;
  }();
  TAuAction image = Act(ctSetObjectImage, {}, "Shape1");
  image.Picture = EncodePicture(red, TGraphicKind::Png);
  RunActions(List({Act(ctSetObjectText, "Faded in", "Label1"), Act(ctSetObjectText, "Shape text", "Shape1"), image}),
             form.get());
  // Visible and fading: nothing changes until each object is faded out.
  EXPECT_EQ(dynamic_cast<TFadeLabelPayload&>(*label.Payload).Caption, oldLabel);
  EXPECT_TRUE(FadingControlOf(label)->PendingSwap().ShowText);
  EXPECT_TRUE(FadingControlOf(shape)->PendingSwap().ChangePicture);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return dynamic_cast<TFadeLabelPayload&>(*label.Payload).Caption == "Faded in"; }, 5000));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return dynamic_cast<TShapePayload&>(*shape.Payload).Picture == *image.Picture; }, 5000));
  EXPECT_EQ(dynamic_cast<TShapePayload&>(*shape.Payload).Caption, "Shape text");
  EXPECT_FALSE(FadingControlOf(label)->PendingSwap().Pending());
  EXPECT_FALSE(FadingControlOf(shape)->PendingSwap().Pending());
}

TEST_F(PageActions, SetImageOfImagesAndShapes) {
  TPageData page = MakePage("Images");
  TAuObject& img = AddObject(*page.PanelObject, otImage, "Image1");
  dynamic_cast<TImagePayload&>(*img.Payload).Picture =
      EncodePicture(QImage(2, 2, QImage::Format_RGB32), TGraphicKind::Png);
  TAuObject& shape = AddObject(*page.PanelObject, otShape, "Shape1");
  dynamic_cast<TShapePayload&>(*shape.Payload).FadeParam.Fade = false;
  AddObject(*page.PanelObject, otSimpleText, "Text1");
  AddPage("Images", page);
  auto form = ShowPage(0);

  QImage blue(3, 3, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  TAuAction toShape = Act(ctSetObjectImage, {}, "Shape1");
  toShape.Picture = EncodePicture(blue, TGraphicKind::Png);
  TAuAction clearImage = Act(ctSetObjectImage, {}, "Image1");  // no picture: cleared
  TAuAction toText = Act(ctSetObjectImage, {}, "Text1");
  toText.Picture = toShape.Picture;
  RunActions(List({toShape, clearImage, toText}), form.get());
  EXPECT_EQ(dynamic_cast<TShapePayload&>(*form->GetAuObjectFromName("Shape1")->Payload).Picture, *toShape.Picture);
  EXPECT_TRUE(dynamic_cast<TImagePayload&>(*form->GetAuObjectFromName("Image1")->Payload).Picture.IsEmpty());
  EXPECT_TRUE(Recorded().Shown.empty());
}

TEST_F(PageActions, StatusPanelTargets) {
  const struct {
    const char* target;
    QStringList texts;
  } cases[] = {
      {"StatusBar - Panel[1]", {"one", "changed"}},
      {"StatusBar - Panel[0]", {"changed", "two"}},
      {"StatusBar - Panel[5]", {"one", "two"}},
      {"StatusBar - Panel[01]", {"one", "two"}},
      // An object of that name comes first.
      {"StatusBar - Panel[1] ", {"one", "two"}},
  };
  for (const auto& c : cases) {
    Project.Forms.clear();
    TPageData page = MakePage("Status");
    page.StatusBar.Panels = {{taLeftJustify, "one", 80}, {taLeftJustify, "two", 80}};
    AddObject(*page.PanelObject, otSimpleText, "StatusBar - Panel[1] ");
    AddPage("Status", page);
    auto form = ShowPage(0);
    EXPECT_TRUE(form->StatusBarWidget()->isVisible());
    RunActions(List({Act(ctSetObjectText, "changed", QString::fromUtf8(c.target))}), form.get());
    QStringList texts;
    for (const TStatusPanel& p : form->Page.StatusBar.Panels) texts << p.Text;
    EXPECT_EQ(texts, c.texts) << c.target;
  }
}

TEST_F(PageActions, GoToPageThenSetTextActsOnTheOldPage) {
  TPageData first = MakePage("First");
  AddObject(*first.PanelObject, otSimpleText, "Text1");
  TPageData second = MakePage("Second");
  TAuObject& secondText = AddObject(*second.PanelObject, otSimpleText, "Text1");
  dynamic_cast<TSimpleTextPayload&>(*secondText.Payload).Caption = "second page";
  AddPage("First", first);
  AddPage("Second", second);
  auto form = ShowPage(0);
  TAuObject* oldText = form->GetAuObjectFromName("Text1");
  QPointer<QObject> oldControl = oldText->Control;

  RunActions(List({Act(ctGoToPage, "Second"), Act(ctSetObjectText, "set after go to", "Text1")}), form.get());
  // The list has finished on the first page.
  EXPECT_EQ(form->FormIndex, 0);
  EXPECT_EQ(dynamic_cast<TSimpleTextPayload&>(*oldText->Payload).Caption, "set after go to");
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->FormIndex == 1; }, 5000));
  EXPECT_TRUE(oldControl.isNull());
  EXPECT_EQ(dynamic_cast<TSimpleTextPayload&>(*form->GetAuObjectFromName("Text1")->Payload).Caption, "second page");
}

TEST_F(PageActions, GoToPageNamesMustMatchExactly) {
  AddPage("First", MakePage("First"));
  AddPage("Second", MakePage("Second"));
  auto form = ShowPage(0);
  RunActions(List({Act(ctGoToPage, "second"), Act(ctGoToPage, "")}), form.get());
  EXPECT_FALSE(form->Timer2.isActive());
  EXPECT_EQ(form->FormIndex, 0);
}

TEST_F(PageActions, ShowPageOpensAWindowExceptInAPreview) {
  for (bool preview : {false, true}) {
    Project.Forms.clear();
    IsDesigner = preview;
    IsDesignPreview = preview;
    AddPage("Main", MakePage("Main"));
    TPageData other = MakePage("Other");
    other.OnShowActions = List({Say("other shown")});
    AddPage("Other", other);
    Recorded().Shown.clear();
    {
      auto form = ShowPage(0);
      ASSERT_TRUE(form->Live());
      RunActions(List({Act(ctShowPage, "Other"), Act(ctShowPage, "Missing")}), form.get());
      const auto pages = OpenPages();
      EXPECT_EQ(pages.size(), preview ? 1u : 2u) << "preview " << preview;
      EXPECT_EQ(ShownTexts(), preview ? QStringList() : QStringList{"other shown"}) << "preview " << preview;
    }
    for (TAutoRunForm* page : OpenPages()) delete page;
  }
}

TEST_F(PageActions, ModalPageRunsItsListAfterClosing) {
  AddPage("Main", MakePage("Main"));
  TPageData modal = MakePage("Modal");
  modal.OnShowActions = List({Say("modal shown")});
  modal.OnCloseActions = List({Say("modal closed")});
  AddPage("Modal", modal);
  auto form = ShowPage(0);
  TAuAction show = Act(ctShowPageModal, "Modal");
  show.OptionInt = 150;  // closes by itself
  show.Actions1 = List({Say("after modal")});
  RunActions(List({show, Say("list goes on")}), form.get());
  EXPECT_EQ(ShownTexts(), QStringList({"modal shown", "modal closed", "after modal", "list goes on"}));
  EXPECT_EQ(OpenPages().size(), 1u);
}

TEST_F(PageActions, ExitInAModalPageClosesOutwardsToTheMainPage) {
  TPageData main = MakePage("Main");
  main.OnCloseActions = List({Say("main close actions")});
  AddPage("Main", main);
  TPageData modal = MakePage("Modal");
  modal.OnShowActions = List({Act(ctExit), Say("not after exit")});
  AddPage("Modal", modal);
  Project.OnExitActions = List({Say("project exit actions")});
  auto form = ShowPage(0);
  SetMainPageWindow(form.get());
  bool mainClosed = false;
  QObject::connect(form.get(), &TAutoRunForm::PageClosed, [&] { mainClosed = true; });
  TAuAction show = Act(ctShowPageModal, "Modal");
  show.Actions1 = List({Say("not after modal")});
  RunActions(List({show, Say("not after exit either")}), form.get());
  EXPECT_TRUE(ExitRequested);
  ASSERT_TRUE(QTest::qWaitFor([&] { return mainClosed; }, 5000));
  // Every list stopped; the main page's close actions and the project's exit actions did not run.
  EXPECT_EQ(ShownTexts(), QStringList());
}

}  // namespace
