// The windowless painted kinds as controls: the image button's looks under the pointer and while
// pressed, the multi-line text's animation live only, the image's auto size, the simple text's
// own background, and what a move or a property change costs.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>

#include "WindowlessTestSupport.h"
#include "model/PayloadsStandard.h"
#include "objects/PaintedKinds.h"

TEST(PaintedControls, ImageButtonFollowsPointerAndPress) {
  const QRgb red = qRgb(220, 0, 0), green = qRgb(0, 180, 0);
  struct Step {
    QEvent::Type event;
    QPoint pos;
    QRgb atRest;   // the picture's top-left pixel where it rests
    QRgb atSlide;  // a pixel the picture covers only when moved two pixels right and down
    bool down;
  };
  struct Case {
    const char* name;
    bool live;
    bool slide;
    std::vector<Step> steps;
  };
  const QRgb none = PageColour;
  const Case cases[] = {
      {"live, slide",
       true,
       true,
       {{QEvent::Enter, {5, 5}, green, none, false},
        {QEvent::MouseButtonPress, {20, 15}, none, red, true},
        // Held and dragged off the button: it pops up again, still hot (no leave yet).
        {QEvent::MouseMove, {200, 15}, green, none, false},
        {QEvent::MouseMove, {20, 15}, none, red, true},
        {QEvent::MouseButtonRelease, {20, 15}, green, none, false},
        {QEvent::Leave, {}, red, none, false}}},
      {"live, no slide",
       true,
       false,
       {{QEvent::Enter, {5, 5}, green, none, false}, {QEvent::MouseButtonPress, {20, 15}, red, none, true}}},
      {"editing",
       false,
       true,
       {{QEvent::Enter, {5, 5}, red, none, false}, {QEvent::MouseButtonPress, {20, 15}, red, none, false}}},
  };
  for (const Case& c : cases) {
    auto o = NewObjectAt(otImageButton, QStringLiteral("ImageButton1"), {30, 40, 129, 33});
    auto& b = PayloadAs<TImageButtonPayload>(*o);
    b.ButtonStyle = TButtonStyle::bsTransparent;  // no face: only the pictures draw
    b.Caption.clear();
    b.Image = ColourPicture({10, 10}, red);
    b.ImageOver = ColourPicture({10, 10}, green);
    b.Slide = c.slide;
    TTestPage page(c.live);
    auto* button = static_cast<TAuImageButton*>(page.Add(*o));
    page.Show();
    // Margin 10 on the left, centred in the height: the picture rests at (10, 11).
    const QPoint rest = QPoint(30, 40) + QPoint(10, 11);
    EXPECT_EQ(page.Grab().pixel(rest), red) << c.name;
    int i = 0;
    for (const Step& s : c.steps) {
      SendMouse(*o, s.event, s.pos);
      const QImage shot = page.Grab();
      EXPECT_EQ(shot.pixel(rest), s.atRest) << c.name << " step " << i;
      EXPECT_EQ(shot.pixel(rest + QPoint(11, 11)), s.atSlide) << c.name << " step " << i;
      EXPECT_EQ(button->IsDown(), s.down) << c.name << " step " << i;
      ++i;
    }
  }
}

TEST(PaintedControls, MultilineTextTypesOnlyLive) {
  auto make = [] {
    auto o = NewObjectAt(otMultilineText, QStringLiteral("MultilineText1"), {10, 10, 150, 60});
    auto& t = PayloadAs<TMultilineTextPayload>(*o);
    t.Caption = QStringLiteral("abcdefghij");
    t.Font.Size = 14;
    t.AnimActive = true;
    t.AnimStep = 2;
    t.AnimDelay = 500;
    t.AnimInterval = 20;
    return o;
  };
  const QRect inside(11, 11, 148, 58);  // clear of the outline

  auto o = make();
  TTestPage page(true);
  auto* m = static_cast<TAuMultilineText*>(page.Add(*o));
  page.Show();
  EXPECT_TRUE(m->AnimTimer().isActive());
  EXPECT_EQ(m->AnimTimer().interval(), 500) << "waits one delay before typing";
  EXPECT_EQ(PaintedPixels(page.Grab(), inside), 0) << "nothing typed yet";
  m->AnimTick();  // the run starts
  EXPECT_EQ(m->AnimTimer().interval(), 20);
  m->AnimTick();  // two characters
  EXPECT_EQ(m->Animation().Position(), 2);
  const int typed = PaintedPixels(page.Grab(), inside);
  EXPECT_GT(typed, 0);
  m->SettleForSnapshot();
  EXPECT_FALSE(m->AnimTimer().isActive());
  const int whole = PaintedPixels(page.Grab(), inside);
  EXPECT_GT(whole, typed) << "at rest the whole text shows";

  auto e = make();
  TTestPage editing(false);
  auto* me = static_cast<TAuMultilineText*>(editing.Add(*e));
  editing.Show();
  EXPECT_FALSE(me->AnimTimer().isActive());
  EXPECT_EQ(PaintedPixels(editing.Grab(), inside), whole) << "the editing canvas shows the whole text, still";
}

TEST(PaintedControls, ImageAutoSizeTakesThePictureSize) {
  for (bool autoSize : {true, false}) {
    auto o = NewObjectAt(otImage, QStringLiteral("Image1"), {0, 0, 100, 100});
    auto& i = PayloadAs<TImagePayload>(*o);
    i.Picture = ColourPicture({40, 30}, qRgb(10, 20, 30));
    i.AutoSize = autoSize;
    TTestPage page(true);
    TAuControl* c = page.Add(*o);
    const QSize expected = autoSize ? QSize(40, 30) : QSize(100, 100);
    EXPECT_EQ(c->Size(), expected) << autoSize;
    EXPECT_EQ(QSize(o->Width, o->Height), expected) << autoSize;
  }
}

TEST(PaintedControls, SimpleTextFillsItsColourOnlyWhenOpaque) {
  for (bool transparent : {true, false}) {
    auto o = NewObjectAt(otSimpleText, QStringLiteral("SimpleText1"), {20, 20, 80, 30});
    auto& t = PayloadAs<TSimpleTextPayload>(*o);
    t.Caption = QStringLiteral("Hi");
    t.Color = 0x0000FF00;  // green
    t.Transparent = transparent;
    TTestPage page(true);
    page.Add(*o);
    page.Show();
    const QImage shot = page.Grab();
    EXPECT_EQ(shot.pixel(95, 45), transparent ? PageColour : qRgb(0, 255, 0)) << transparent;
    EXPECT_EQ(shot.pixel(19, 19), PageColour) << "nothing outside the object";
  }
}

TEST(PaintedControls, MovesCostNothingAndPropertyChangesApplyOnce) {
  const TObjectType kinds[] = {otImageButton, otSimpleText, otImage, otBevel, otMultilineText};
  for (TObjectType kind : kinds) {
    auto o = NewObjectAt(kind, QStringLiteral("Obj"), {10, 10, 90, 50});
    TTestPage page(true);
    TAuControl* c = page.Add(*o);
    page.Show();
    const int built = c->RebuildCount();
    EXPECT_EQ(built, 1) << int(kind);
    o->Left = 40;
    c->RecordChanged(TRecordChange::Bounds);
    EXPECT_EQ(c->Geometry().x(), 40);
    EXPECT_EQ(c->RebuildCount(), built) << int(kind);
    c->RecordChanged(TRecordChange::Payload);
    EXPECT_EQ(c->RebuildCount(), built + 1) << int(kind);
  }
}
