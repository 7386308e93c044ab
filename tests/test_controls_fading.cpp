// The fading kinds as live controls: what they rebuild and when, the fade clock, mouse opacity,
// the content swap at the turn of a fade, slide shows over a folder, effect-text entrances, and
// every windowless kind drawn live and on the editing canvas.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>

#include "WindowlessTestSupport.h"
#include "model/PayloadsFading.h"
#include "model/PayloadsStandard.h"
#include "objects/FadingKinds.h"
#include "render/ShapeBuilder.h"

namespace {

// A folder of slides under a project folder: three PNGs of their own colours and a file that is
// not a picture.
class TSlideFolder {
 public:
  TSlideFolder() {
    QDir(Dir.path()).mkdir(QStringLiteral("slides"));
    for (const auto& [name, colour] : Colours) {
      QFile f(Dir.path() + QStringLiteral("/slides/") + name);
      f.open(QIODevice::WriteOnly);
      f.write(ColourPicture({24, 24}, colour).Data);
    }
    QFile txt(Dir.path() + QStringLiteral("/slides/notes.txt"));
    txt.open(QIODevice::WriteOnly);
    txt.write("not a picture");
  }
  QString ProjectFolder() const { return Dir.path(); }

  QTemporaryDir Dir;
  const std::map<QString, QRgb> Colours{{QStringLiteral("a.png"), qRgb(220, 30, 30)},
                                        {QStringLiteral("b.png"), qRgb(30, 200, 30)},
                                        {QStringLiteral("c.png"), qRgb(30, 30, 220)}};
};

std::unique_ptr<TAuObject> SlideShowObject(QRect bounds, bool play, bool fade, int interval = 40) {
  auto o = NewObjectAt(otSlideShow, QStringLiteral("SlideShow1"), bounds);
  auto& s = PayloadAs<TSlideShowPayload>(*o);
  s.Folder = QStringLiteral("\\slides");
  s.Play = play;
  s.Interval = interval;
  s.FadeParam.Fade = fade;
  return o;
}

QRect StoredBounds(const TAuObject& o) { return {o.Left, o.Top, o.Width, o.Height}; }

}  // namespace

TEST(FadingControls, ShapeRebuildsOnResizeAndPropertyChangeButNotOnMove) {
  auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {10, 10, 80, 60});
  TTestPage page(true);
  TAuControl* c = page.Add(*shape);
  page.Show();
  const int built = c->RebuildCount();
  ASSERT_GE(built, 1);

  shape->Left += 25;
  shape->Top += 3;
  c->RecordChanged(TRecordChange::Bounds);
  EXPECT_EQ(c->Geometry().topLeft(), QPoint(35, 13));
  EXPECT_EQ(c->RebuildCount(), built) << "a move must not rebuild";

  // The look is built when next needed (a paint or a read of the picture), once however many
  // changes came before.
  auto* image = static_cast<TAuShape*>(c);
  shape->Width += 1;
  c->RecordChanged(TRecordChange::Bounds);
  EXPECT_EQ(image->Image().Picture().width(), 81);
  EXPECT_EQ(c->RebuildCount(), built + 1) << "one pixel wider rebuilds once";
  shape->Width += 1;
  c->RecordChanged(TRecordChange::Bounds);
  shape->Width += 1;
  c->RecordChanged(TRecordChange::Bounds);
  EXPECT_EQ(c->RebuildCount(), built + 1) << "nothing is built before it is needed";
  EXPECT_EQ(image->Image().Picture().width(), 83);
  EXPECT_EQ(c->RebuildCount(), built + 2);

  PayloadAs<TShapePayload>(*shape).Shape = 2;
  c->RecordChanged(TRecordChange::Payload);
  EXPECT_TRUE(QTest::qWaitFor([&] { return c->RebuildCount() == built + 3; })) << "a paint builds it";
}

TEST(FadingControls, RestingObjectCostsNoWorkPerTick) {
  const TObjectType kinds[] = {otFadeButton, otLabel, otText, otShape, otBalloon, otNote, otSlideShow};
  for (TObjectType kind : kinds) {
    auto o = NewObjectAt(kind, QStringLiteral("Obj"), {0, 0, 120, 90});
    TTestPage page(true);
    auto* f = dynamic_cast<TFadingControl*>(page.Add(*o));
    ASSERT_NE(f, nullptr) << int(kind);
    page.Show();
    EXPECT_TRUE(f->Fader().Resting()) << int(kind);
    EXPECT_FALSE(f->FadeTimer().isActive()) << "no clock while resting, kind " << int(kind);
    EXPECT_EQ(f->ShownAlpha(), f->FadeParam().NormalAlpha) << int(kind);
    const int rebuilds = f->RebuildCount(), writes = f->AlphaWriteCount();
    for (int i = 0; i < 10; ++i) f->FadeTick();
    EXPECT_EQ(f->RebuildCount(), rebuilds) << int(kind);
    EXPECT_EQ(f->AlphaWriteCount(), writes) << int(kind);
  }
}

TEST(FadingControls, FadeFrom100To35StepsThenRests) {
  auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {0, 0, 50, 50});
  TTestPage page(true);
  auto* s = static_cast<TAuShape*>(page.Add(*shape));
  page.Show();
  ASSERT_EQ(s->ShownAlpha(), 100);

  // Tick by tick: steps of 10, the last one clipped to the target, then the clock stops.
  s->SetAlpha(35);
  EXPECT_TRUE(s->FadeTimer().isActive());
  s->FadeTimer().stop();
  std::vector<int> shown;
  for (int i = 0; i < 9; ++i) {
    s->FadeTick();
    shown.push_back(s->ShownAlpha());
  }
  EXPECT_EQ(shown, (std::vector<int>{90, 80, 70, 60, 50, 40, 35, 35, 35}));
  EXPECT_TRUE(s->Fader().Resting());
  EXPECT_FALSE(s->FadeTimer().isActive());
  // The alpha copy, not the picture, carries the opacity: 255 × 35 div 100.
  EXPECT_EQ(qAlpha(s->Image().Shown().pixel(25, 25)), 89);
  EXPECT_EQ(qAlpha(s->Image().Picture().pixel(25, 25)), 255);

  // And on the real clock, back up.
  const int rebuilds = s->RebuildCount();
  s->SetAlpha(100);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !s->FadeTimer().isActive(); }, 5000));
  EXPECT_EQ(s->ShownAlpha(), 100);
  EXPECT_EQ(s->RebuildCount(), rebuilds) << "fading never rebuilds";
  EXPECT_EQ(page.Events.Count(TRecordedEvent::FadeOver), 0);
}

TEST(FadingControls, MouseOpacityFollowsEnterAndLeave) {
  struct Case {
    const char* name;
    TObjectType kind;
    bool mouseAlpha;
    bool enabled;
    bool live;
    int afterEnter;
    int afterLeave;
  };
  const Case cases[] = {
      {"shape", otShape, true, true, true, 90, 60},
      {"shape, mouse opacity off", otShape, false, true, true, 60, 60},
      {"shape, disabled", otShape, true, false, true, 60, 60},
      {"shape, editing", otShape, true, true, false, 60, 60},
      {"balloon", otBalloon, true, true, true, 90, 60},
      {"slide show", otSlideShow, true, true, true, 90, 60},
      // Labels and texts leave enter and leave to the page.
      {"label", otLabel, true, true, true, 60, 60},
  };
  for (const Case& c : cases) {
    auto o = NewObjectAt(c.kind, QStringLiteral("Obj"), {0, 0, 100, 60});
    o->Enable = c.enabled;
    TFadeParam* fp = nullptr;
    if (c.kind == otShape) fp = &PayloadAs<TShapePayload>(*o).FadeParam;
    if (c.kind == otBalloon) fp = &PayloadAs<TBalloonPayload>(*o).FadeParam;
    if (c.kind == otSlideShow) fp = &PayloadAs<TSlideShowPayload>(*o).FadeParam;
    if (c.kind == otLabel) fp = &PayloadAs<TFadeLabelPayload>(*o).FadeParam;
    fp->MouseAlphaEnabled = c.mouseAlpha;
    fp->NormalAlpha = 60;
    fp->MouseOverAlpha = 90;
    TTestPage page(c.live);
    auto* f = dynamic_cast<TFadingControl*>(page.Add(*o));
    page.Show();
    ASSERT_EQ(f->Alpha(), 60) << c.name;
    SendMouse(*o, QEvent::Enter, QPoint(2, 2));
    EXPECT_EQ(f->Alpha(), c.afterEnter) << c.name;
    EXPECT_EQ(f->Fader().FadeTarget(), c.afterEnter) << c.name;
    EXPECT_EQ(f->FadeTimer().isActive(), c.afterEnter != 60) << c.name;
    SendMouse(*o, QEvent::Leave, QPoint(2, 2));
    EXPECT_EQ(f->Alpha(), c.afterLeave) << c.name;
  }
}

TEST(FadingControls, PageDrivenMouseOpacities) {
  auto label = NewObjectAt(otLabel, QStringLiteral("Label1"), {0, 0, 100, 30});
  auto& fp = PayloadAs<TFadeLabelPayload>(*label).FadeParam;
  fp.MouseAlphaEnabled = true;
  fp.NormalAlpha = 70;
  fp.MouseOverAlpha = 100;
  fp.MouseDownAlpha = 40;
  fp.Fade = false;  // shown at once
  TTestPage page(true);
  page.Add(*label);
  TFadingControl* f = FadingControlOf(*label);
  ASSERT_NE(f, nullptr);
  struct Step {
    TMouseAlphaEvent event;
    int shown;
  };
  const Step steps[] = {{TMouseAlphaEvent::Enter, 100},
                        {TMouseAlphaEvent::Press, 40},
                        {TMouseAlphaEvent::ReleaseOver, 100},
                        {TMouseAlphaEvent::Leave, 70}};
  for (const Step& s : steps) {
    EXPECT_TRUE(f->MouseAlpha(s.event));
    EXPECT_EQ(f->ShownAlpha(), s.shown) << int(s.event);
    EXPECT_EQ(static_cast<const TAuLabel*>(f)->EffectText().FontEffect().Alpha, s.shown);
  }
  label->Enable = false;
  f->RecordChanged(TRecordChange::Common);
  EXPECT_FALSE(f->MouseAlpha(TMouseAlphaEvent::Press)) << "a disabled object keeps its opacity";
  EXPECT_EQ(f->ShownAlpha(), 70);
}

namespace {
// A page that applies a fading object's pending change when its cycle turns, noting what was shown
// then.
class TSwappingPage : public TRecordingPageEvents {
 public:
  void ObjectFadeOver(TAuObject& o) override {
    TRecordingPageEvents::ObjectFadeOver(o);
    TFadingControl* f = FadingControlOf(o);
    ShownAtTurn.push_back(f->ShownAlpha());
    f->ApplyPendingSwap();
  }
  std::vector<int> ShownAtTurn;
};
}  // namespace

TEST(FadingControls, FadeTurnLetsThePageSwapTheCaptionWhileInvisible) {
  auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {0, 0, 120, 80});
  auto& fields = PayloadAs<TShapePayload>(*shape);
  fields.Caption = QStringLiteral("Before");
  TSwappingPage events;
  TTestPage page(true, &events);
  auto* s = static_cast<TAuShape*>(page.Add(*shape));
  page.Show();
  const QImage before = s->Image().Picture();

  ASSERT_TRUE(s->CanFadeSwap());
  s->PendingSwap().ShowText = true;
  s->PendingSwap().ShowTextString = QStringLiteral("After");
  s->DoFadeCirculate(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !s->FadeTimer().isActive(); }, 5000));

  EXPECT_EQ(events.Count(TRecordedEvent::FadeOver, shape.get()), 1);
  EXPECT_EQ(events.ShownAtTurn, std::vector<int>{0});
  EXPECT_EQ(s->ShownAlpha(), 100);
  EXPECT_FALSE(s->PendingSwap().Pending());
  EXPECT_EQ(fields.Caption, QStringLiteral("After"));
  const QImage expected = BuildShapeImage(fields, 120, 80, {}).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(s->Image().Picture(), expected);
  EXPECT_NE(s->Image().Picture(), before);

  // A cycle asked for towards full opacity at full opacity turns nothing.
  s->DoFadeCirculate(true);
  EXPECT_FALSE(s->FadeTimer().isActive());
  EXPECT_EQ(events.Count(TRecordedEvent::FadeOver), 1);
}

TEST(FadingControls, PageOperationsForTheSwap) {
  // The single operations the page uses when it applies a change at once (no fade to hide it).
  auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {0, 0, 60, 60});
  auto text = NewObjectAt(otText, QStringLiteral("Text1"), {0, 70, 150, 80});
  auto note = NewObjectAt(otNote, QStringLiteral("Note1"), {100, 0, 100, 60});
  TTestPage page(true);
  auto* s = static_cast<TAuShape*>(page.Add(*shape));
  auto* t = static_cast<TAuText*>(page.Add(*text));
  auto* n = static_cast<TAuNote*>(page.Add(*note));

  const TPicture red = ColourPicture({8, 8}, qRgb(255, 0, 0));
  PayloadAs<TShapePayload>(*shape).Shape = -1;  // the picture's own alpha is the shape
  s->Rebuild();
  EXPECT_EQ(qAlpha(s->Image().Picture().pixel(30, 30)), 0);
  s->ChangePicture(red);
  EXPECT_EQ(PayloadAs<TShapePayload>(*shape).Picture, red);
  EXPECT_EQ(s->Image().Picture().pixel(30, 30), qRgba(255, 0, 0, 255));

  t->ShowCaption(QStringLiteral("one\r\ntwo"));
  EXPECT_EQ(static_cast<const TAAText&>(t->EffectText()).Lines(), (QStringList{"one", "two"}));
  EXPECT_EQ(PayloadAs<TFadeTextPayload>(*text).Lines, QStringLiteral("one\r\ntwo"));

  const int built = n->RebuildCount();
  n->PendingSwap().ShowText = true;
  n->PendingSwap().ShowTextString = QStringLiteral("Note text");
  n->PendingSwap().ChangePicture = true;
  n->ApplyPendingSwap();
  EXPECT_EQ(PayloadAs<TNotePayload>(*note).Caption, QStringLiteral("Note text"));
  EXPECT_EQ(n->RebuildCount(), built + 1);
  EXPECT_FALSE(n->PendingSwap().ShowText);
  EXPECT_TRUE(n->PendingSwap().ChangePicture) << "a note leaves a picture change alone";
}

TEST(FadingControls, SlideShowPlaysItsFolderLiveOnly) {
  TSlideFolder folder;
  const QRect bounds(10, 10, 60, 60);
  const QPoint centre = bounds.center();

  {  // live, playing, no fade: the first slide at once, the next on the slide clock, looping
    auto o = SlideShowObject(bounds, true, false, 250);
    TTestPage page(true, nullptr, folder.ProjectFolder());
    auto* s = static_cast<TAuSlideShow*>(page.Add(*o));
    page.Show();
    ASSERT_EQ(s->Slides().FileList.size(), 3) << "the text file is not a slide";
    EXPECT_EQ(s->Slides().Index, 0);
    EXPECT_TRUE(s->SlideTimer().isActive());
    EXPECT_EQ(s->SlideTimer().interval(), 250);
    EXPECT_EQ(page.Grab().pixel(centre), folder.Colours.at(s->Slides().FileList[0]));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s->Slides().Index == 1; }, 5000));
    EXPECT_EQ(page.Grab().pixel(centre), folder.Colours.at(s->Slides().FileList[1]));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s->Slides().Index == 0; }, 5000)) << "loops";
  }
  {  // live, playing, fading: the first slide fades in after one turn of the cycle
    auto o = SlideShowObject(bounds, true, true, 60000);
    TTestPage page(true, nullptr, folder.ProjectFolder());
    auto* s = static_cast<TAuSlideShow*>(page.Add(*o));
    page.Show();
    EXPECT_TRUE(s->FadeTimer().isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s->FadeTimer().isActive(); }, 5000));
    EXPECT_EQ(page.Events.Count(TRecordedEvent::FadeOver, o.get()), 1);
    EXPECT_EQ(s->Slides().Index, 0);
    EXPECT_EQ(s->ShownAlpha(), 100);
    EXPECT_EQ(page.Grab().pixel(centre), folder.Colours.at(s->Slides().FileList[0]));
  }
  for (bool live : {true, false}) {  // stopped live, and on the editing canvas: no slide, no clock
    auto o = SlideShowObject(bounds, live ? false : true, false);
    TTestPage page(live, nullptr, folder.ProjectFolder());
    auto* s = static_cast<TAuSlideShow*>(page.Add(*o));
    page.Show();
    EXPECT_EQ(s->Slides().Index, -1) << live;
    EXPECT_TRUE(ActiveTimers(page.Window.get()).empty()) << live;
    EXPECT_EQ(page.Grab().pixel(centre), PageColour) << live;
  }
}

TEST(FadingControls, LabelEntranceStartsAtItsFromValueOnlyLive) {
  struct Case {
    bool live;
    int spray;
    bool clock;
  };
  const Case cases[] = {{true, 100, true}, {false, 7, false}};
  for (const Case& c : cases) {
    auto label = NewObjectAt(otLabel, QStringLiteral("Label1"), {0, 0, 120, 30});
    auto& l = PayloadAs<TFadeLabelPayload>(*label);
    l.AnimActive = true;
    l.AnimInStyle = tasSpray;
    l.AnimInFromValue = 150;
    l.FontEffect.Spray = 7;
    TTestPage page(c.live);
    auto* f = static_cast<TAuLabel*>(page.Add(*label));
    EXPECT_EQ(f->EffectText().FontEffect().Spray, c.spray) << c.live;
    EXPECT_EQ(f->Animation().AnimInOrgValue, 7);
    EXPECT_EQ(f->AnimTimer().isActive(), c.clock) << c.live;
    if (c.clock) {
      EXPECT_EQ(f->AnimTimer().interval(), l.AnimInDelay);
    }
    EXPECT_EQ(l.FontEffect.Spray, 7) << "the record keeps its stored value";
  }
}

TEST(FadingControls, ClocksRunOnlyLive) {
  TSlideFolder folder;
  for (bool live : {true, false}) {
    auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {0, 0, 80, 80});
    PayloadAs<TShapePayload>(*shape).AnimActive = true;
    auto label = NewObjectAt(otLabel, QStringLiteral("Label1"), {0, 90, 100, 20});
    PayloadAs<TFadeLabelPayload>(*label).AnimActive = true;
    auto text = NewObjectAt(otText, QStringLiteral("Text1"), {100, 0, 100, 80});
    PayloadAs<TFadeTextPayload>(*text).AnimActive = true;
    auto slides = SlideShowObject({200, 0, 60, 60}, true, false, 1000);
    auto balloon = NewObjectAt(otBalloon, QStringLiteral("Balloon1"), {300, 0, 100, 60});
    TTestPage page(live, nullptr, folder.ProjectFolder());
    auto* s = static_cast<TAuShape*>(page.Add(*shape));
    auto* l = static_cast<TAuLabel*>(page.Add(*label));
    auto* t = static_cast<TAuText*>(page.Add(*text));
    auto* ss = static_cast<TAuSlideShow*>(page.Add(*slides));
    auto* b = static_cast<TAuBalloon*>(page.Add(*balloon));
    page.Show();
    b->SetAlpha(30);
    EXPECT_EQ(s->AnimTimer().isActive(), live);
    EXPECT_EQ(l->AnimTimer().isActive(), live);
    EXPECT_EQ(t->AnimTimer().isActive(), live);
    EXPECT_EQ(ss->SlideTimer().isActive(), live);
    EXPECT_EQ(b->FadeTimer().isActive(), live);
    if (live) {
      EXPECT_EQ(s->AnimTimer().interval(), PayloadAs<TShapePayload>(*shape).AnimInDelay);
    } else {
      EXPECT_TRUE(ActiveTimers(page.Window.get()).empty());
    }
  }
}

TEST(FadingControls, SettleForSnapshotBringsEveryObjectToRest) {
  TSlideFolder folder;
  auto shape = NewObjectAt(otShape, QStringLiteral("Shape1"), {0, 0, 80, 80});
  PayloadAs<TShapePayload>(*shape).AnimActive = true;  // waits invisible before its first entrance
  auto label = NewObjectAt(otLabel, QStringLiteral("Label1"), {0, 90, 120, 30});
  auto& l = PayloadAs<TFadeLabelPayload>(*label);
  l.AnimActive = true;
  l.AnimInStyle = tasSpray;
  l.AnimInFromValue = 60;
  l.FontEffect.Spray = 3;
  auto slides = SlideShowObject({100, 0, 60, 60}, true, true, 60000);
  auto balloon = NewObjectAt(otBalloon, QStringLiteral("Balloon1"), {200, 0, 100, 60});
  TTestPage page(true, nullptr, folder.ProjectFolder());
  auto* s = static_cast<TAuShape*>(page.Add(*shape));
  auto* lc = static_cast<TAuLabel*>(page.Add(*label));
  auto* ss = static_cast<TAuSlideShow*>(page.Add(*slides));
  auto* b = static_cast<TAuBalloon*>(page.Add(*balloon));
  page.Show();
  b->SetAlpha(20);
  ASSERT_EQ(qAlpha(s->Image().Picture().pixel(40, 40)), 0);
  ASSERT_EQ(lc->EffectText().FontEffect().Spray, 60);
  ASSERT_EQ(ss->Slides().Index, 0);
  ASSERT_FALSE(ss->Fader().Resting()) << "the first slide is still on its way in";

  for (TAuObject* o : {shape.get(), label.get(), slides.get(), balloon.get()}) ControlOf(*o)->SettleForSnapshot();

  EXPECT_EQ(s->Image().Picture(),
            BuildShapeImage(PayloadAs<TShapePayload>(*shape), 80, 80, {}).convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(lc->EffectText().FontEffect().Spray, 3);
  EXPECT_EQ(ss->ShownAlpha(), 100);
  EXPECT_FALSE(ss->Slides().DecodedSlide.isNull());
  EXPECT_EQ(b->ShownAlpha(), 20);
  EXPECT_TRUE(ActiveTimers(page.Window.get()).empty());
}

TEST(WindowlessControls, EveryKindDrawsLiveAndShowsItsOutlineWhileEditing) {
  TSlideFolder folder;
  struct Kind {
    TObjectType type;
    const char* name;
    std::function<void(TAuObject&)> setup;
    bool drawsLive;
    bool outline;
  };
  const TPicture photo = ColourPicture({40, 30}, qRgb(40, 120, 200));
  const std::vector<Kind> kinds = {
      {otImageButton, "ImageButton",
       [&](TAuObject& o) {
         auto& b = PayloadAs<TImageButtonPayload>(o);
         b.ButtonStyle = TButtonStyle::bsThemesFlat;  // flat looks show the outline
         b.Image = ColourPicture({16, 16}, qRgb(200, 0, 0));
       },
       true, true},
      {otSimpleText, "SimpleText", [](TAuObject& o) { PayloadAs<TSimpleTextPayload>(o).Caption = "Simple text"; }, true,
       true},
      {otImage, "Image", [&](TAuObject& o) { PayloadAs<TImagePayload>(o).Picture = photo; }, true, true},
      {otBevel, "Bevel", [](TAuObject&) {}, true, false},
      {otBevel, "Spacer", [](TAuObject& o) { PayloadAs<TBevelPayload>(o).Shape = TBevelShape::bsSpacer; }, false, true},
      {otMultilineText, "MultilineText",
       [](TAuObject& o) { PayloadAs<TMultilineTextPayload>(o).Caption = "Several words that wrap inside"; }, true,
       true},
      {otFadeButton, "FadeButton", [](TAuObject& o) { PayloadAs<TFadeButtonPayload>(o).Caption = "Fade button"; }, true,
       true},
      {otLabel, "Label", [](TAuObject&) {}, true, true},
      {otText, "Text", [](TAuObject&) {}, true, true},
      {otShape, "Shape", [](TAuObject& o) { PayloadAs<TShapePayload>(o).Caption = "Shape"; }, true, true},
      {otBalloon, "Balloon", [](TAuObject&) {}, true, true},
      {otNote, "Note", [](TAuObject& o) { PayloadAs<TNotePayload>(o).Caption = "A note"; }, true, true},
      {otSlideShow, "SlideShow",
       [](TAuObject& o) {
         auto& s = PayloadAs<TSlideShowPayload>(o);
         s.Folder = "\\slides";
         s.FadeParam.Fade = false;
       },
       true, true},
  };
  for (bool live : {true, false}) {
    std::vector<std::unique_ptr<TAuObject>> objects;
    TTestPage page(live, nullptr, folder.ProjectFolder(), {640, 480});
    for (size_t i = 0; i < kinds.size(); ++i) {
      const QRect cell(5 + int(i % 4) * 158, 5 + int(i / 4) * 118, 150, 110);
      auto o = NewObjectAt(kinds[i].type, QLatin1String(kinds[i].name), cell);
      kinds[i].setup(*o);
      page.Add(*o);
      objects.push_back(std::move(o));
    }
    page.Show();
    const QImage shot = page.Grab();
    SaveShot(shot, live ? QStringLiteral("windowless-live") : QStringLiteral("windowless-editing"));
    // Enlarged, so single pixels of the outline and the figures' edges can be seen.
    SaveShot(shot.copy(150, 230, 180, 130).scaled(720, 520),
             live ? QStringLiteral("windowless-live-x4") : QStringLiteral("windowless-editing-x4"));
    for (size_t i = 0; i < kinds.size(); ++i) {
      const QRect r = StoredBounds(*objects[i]);
      if (live) {
        if (kinds[i].drawsLive) {
          EXPECT_GT(PaintedPixels(shot, r), 40) << kinds[i].name;
        } else {
          EXPECT_EQ(PaintedPixels(shot, r), 0) << kinds[i].name;
        }
        EXPECT_FALSE(HasDesignOutline(shot, r)) << kinds[i].name;
      } else {
        EXPECT_EQ(HasDesignOutline(shot, r), kinds[i].outline) << kinds[i].name;
      }
    }
    if (!live) {
      EXPECT_TRUE(ActiveTimers(page.Window.get()).empty());
    }
  }
}
