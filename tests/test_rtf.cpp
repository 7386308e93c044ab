// The rich-text object's RTF reader and writer: documents written and read back, a table of
// hand-written RTF, damaged input, and the plain-text path.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <algorithm>
#include <random>

#include "TestSupport.h"
#include "objects/Rtf.h"

namespace {

QString Num(qreal v) { return QString::number(v, 'g', 5); }

QString ListStyleName(QTextListFormat::Style s) {
  switch (s) {
    case QTextListFormat::ListDisc:
      return QStringLiteral("disc");
    case QTextListFormat::ListDecimal:
      return QStringLiteral("decimal");
    case QTextListFormat::ListLowerAlpha:
      return QStringLiteral("alpha");
    case QTextListFormat::ListUpperAlpha:
      return QStringLiteral("ALPHA");
    case QTextListFormat::ListLowerRoman:
      return QStringLiteral("roman");
    case QTextListFormat::ListUpperRoman:
      return QStringLiteral("ROMAN");
    default:
      return QStringLiteral("other");
  }
}

QString UnderlineName(QTextCharFormat::UnderlineStyle s) {
  switch (s) {
    case QTextCharFormat::SingleUnderline:
      return QStringLiteral("u");
    case QTextCharFormat::WaveUnderline:
      return QStringLiteral("u:wave");
    case QTextCharFormat::DashUnderline:
      return QStringLiteral("u:dash");
    case QTextCharFormat::DotLine:
      return QStringLiteral("u:dot");
    default:
      return QStringLiteral("u:other");
  }
}

// The formatting of one run as tags. Resolved: every font property as shown, the document's
// default font filling in; otherwise only what the format itself says.
QStringList Tags(const QTextCharFormat& f, const QTextDocument& doc, bool resolved) {
  QStringList t;
  const QFont font = resolved ? f.font().resolve(doc.defaultFont()) : f.font();
  const QString family = font.families().value(0);
  if (resolved || f.hasProperty(QTextFormat::FontFamilies)) t << QStringLiteral("f:") + family;
  if (resolved || f.hasProperty(QTextFormat::FontPointSize)) t << QStringLiteral("pt:") + Num(font.pointSizeF());
  if (font.weight() > QFont::Normal) t << QStringLiteral("b");
  if (font.italic()) t << QStringLiteral("i");
  if (f.underlineStyle() != QTextCharFormat::NoUnderline) t << UnderlineName(f.underlineStyle());
  if (font.strikeOut()) t << QStringLiteral("s");
  if (f.foreground().style() != Qt::NoBrush) t << QStringLiteral("fg:") + f.foreground().color().name();
  if (f.background().style() != Qt::NoBrush) t << QStringLiteral("bg:") + f.background().color().name();
  if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) t << QStringLiteral("sup");
  if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) t << QStringLiteral("sub");
  if (font.capitalization() == QFont::AllUppercase) t << QStringLiteral("caps");
  if (font.capitalization() == QFont::SmallCaps) t << QStringLiteral("scaps");
  return t;
}

// The document as one line per paragraph: "{paragraph properties}" then runs, each "<tags|text>"
// (or bare text without tags). A tab shows as \t, a line break as \n, a picture as
// [img WxH #rrggbb] (its size and first pixel). Lists show style and a number per list object.
QString Markup(const QTextDocument& doc, bool resolved = false) {
  QStringList blocks;
  QList<const QTextList*> lists;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const QTextBlockFormat f = b.blockFormat();
    QStringList props;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) props << QStringLiteral("c");
    if (a & Qt::AlignRight) props << QStringLiteral("r");
    if (a & Qt::AlignJustify) props << QStringLiteral("j");
    const QTextList* list = b.textList();
    const int listIndent = list ? list->format().indent() : 0;
    const qreal left = f.leftMargin() + (f.indent() + listIndent) * doc.indentWidth();
    const std::pair<const char*, qreal> margins[] = {{"li=", left},
                                                     {"ri=", f.rightMargin()},
                                                     {"fi=", f.textIndent()},
                                                     {"sb=", f.topMargin()},
                                                     {"sa=", f.bottomMargin()}};
    for (const auto& [name, v] : margins)
      if (v != 0) props << QLatin1String(name) + Num(v);
    if (f.lineHeightType() == QTextBlockFormat::ProportionalHeight)
      props << QStringLiteral("lh=%1%").arg(Num(f.lineHeight()));
    if (f.lineHeightType() == QTextBlockFormat::FixedHeight) props << QStringLiteral("lh=") + Num(f.lineHeight());
    if (f.lineHeightType() == QTextBlockFormat::MinimumHeight) props << QStringLiteral("lh>=") + Num(f.lineHeight());
    QStringList tabs;
    for (const QTextOption::Tab& tab : f.tabPositions())
      tabs << Num(tab.position) + (tab.type == QTextOption::RightTab    ? QStringLiteral("r")
                                   : tab.type == QTextOption::CenterTab ? QStringLiteral("c")
                                                                        : QString());
    if (!tabs.isEmpty()) props << QStringLiteral("tabs=") + tabs.join(u',');
    if (list) {
      if (!lists.contains(list)) lists << list;
      props << ListStyleName(list->format().style()) + u'#' + QString::number(lists.indexOf(list) + 1);
      if (listIndent > 1) props << QStringLiteral("lvl=%1").arg(listIndent);
    }
    QString line = props.isEmpty() ? QString() : u'{' + props.join(u' ') + u'}';
    QStringList lastTags;
    QString run;
    const auto flush = [&] {
      if (run.isEmpty()) return;
      line += lastTags.isEmpty() ? run : u'<' + lastTags.join(u' ') + u'|' + run + u'>';
      run.clear();
    };
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat cf = fragment.charFormat();
      if (cf.isImageFormat()) {
        flush();
        const QTextImageFormat img = cf.toImageFormat();
        const QImage image = doc.resource(QTextDocument::ImageResource, QUrl(img.name())).value<QImage>();
        line +=
            QStringLiteral("[img %1x%2 %3]").arg(Num(img.width()), Num(img.height()), QColor(image.pixel(0, 0)).name());
        continue;
      }
      const QStringList tags = Tags(cf, doc, resolved);
      if (tags != lastTags) flush();
      lastTags = tags;
      for (QChar c : fragment.text()) {
        if (c == u'\t')
          run += QStringLiteral("\\t");
        else if (c == QChar::LineSeparator)
          run += QStringLiteral("\\n");
        else
          run += c;
      }
    }
    flush();
    blocks << line;
  }
  return blocks.join(u'\n');
}

QString ReadMarkup(const QByteArray& rtf) {
  QTextDocument doc;
  EXPECT_TRUE(RtfToDocument(rtf, doc)) << rtf.constData();
  return Markup(doc);
}

QByteArray PictureHex(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toHex();
}

// A document using everything the writer keeps: character formats, paragraph formats, tabs and
// line breaks, characters in and outside code page 1252, nested and numbered lists, a picture.
void BuildRichDocument(QTextDocument& doc) {
  doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
  QTextCursor c(&doc);
  const auto with = [](auto set) {
    QTextCharFormat f;
    set(f);
    return f;
  };
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  c.setBlockFormat(centred);
  c.insertText(QStringLiteral("Plain "));
  c.insertText(QStringLiteral("bold "), with([](auto& f) { f.setFontWeight(QFont::Bold); }));
  c.insertText(QStringLiteral("italic14 "), with([](auto& f) {
                 f.setFontItalic(true);
                 f.setFontPointSize(14);
               }));
  c.insertText(QStringLiteral("under "), with([](auto& f) { f.setFontUnderline(true); }));
  c.insertText(QStringLiteral("wave "), with([](auto& f) { f.setUnderlineStyle(QTextCharFormat::WaveUnderline); }));
  c.insertText(QStringLiteral("struck red "), with([](auto& f) {
                 f.setFontStrikeOut(true);
                 f.setForeground(QColor(200, 10, 20));
               }));
  c.insertText(QStringLiteral("serif on yellow"), with([](auto& f) {
                 f.setFontFamilies({QStringLiteral("DejaVu Serif")});
                 f.setFontPointSize(20.5);
                 f.setBackground(QColor(255, 255, 0));
                 f.setFontWeight(QFont::Bold);
               }));
  c.insertText(QStringLiteral("2"), with([](auto& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }));

  QTextBlockFormat right;
  right.setAlignment(Qt::AlignRight);
  right.setLeftMargin(30);
  right.setRightMargin(12);
  right.setTextIndent(-18);
  right.setTopMargin(6);
  right.setBottomMargin(9);
  c.insertBlock(right, QTextCharFormat());
  c.insertText(QStringLiteral("a\tb") + QChar(QChar::LineSeparator) + QStringLiteral("c {braces} back\\slash"));

  QTextBlockFormat justified;
  justified.setAlignment(Qt::AlignJustify);
  justified.setIndent(1);
  justified.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
  justified.setTabPositions({QTextOption::Tab(48, QTextOption::LeftTab), QTextOption::Tab(192, QTextOption::RightTab)});
  c.insertBlock(justified, QTextCharFormat());
  c.insertText(QStringLiteral("café € Ωμέγα Привет 日本語 😀\u00A0end"));

  QTextListFormat bullets;
  bullets.setStyle(QTextListFormat::ListDisc);
  bullets.setIndent(1);
  c.insertBlock(QTextBlockFormat(), QTextCharFormat());
  QTextList* first = c.createList(bullets);
  c.insertText(QStringLiteral("one"));
  c.insertBlock();
  c.insertText(QStringLiteral("two"));
  c.insertBlock();
  QTextListFormat nested = bullets;
  nested.setIndent(2);
  c.createList(nested);
  c.insertText(QStringLiteral("deep"));
  c.insertBlock();
  first->add(c.block());
  c.insertText(QStringLiteral("three"));

  QTextListFormat numbers;
  numbers.setStyle(QTextListFormat::ListDecimal);
  numbers.setIndent(1);
  c.insertBlock(QTextBlockFormat(), QTextCharFormat());
  c.createList(numbers);
  c.insertText(QStringLiteral("first"));
  c.insertBlock();
  c.insertText(QStringLiteral("second"));

  c.insertBlock(QTextBlockFormat(), QTextCharFormat());  // an empty paragraph
  QTextBlockFormat fixed;
  fixed.setLineHeight(20, QTextBlockFormat::FixedHeight);
  c.insertBlock(fixed, QTextCharFormat());
  QImage logo(8, 6, QImage::Format_RGB32);
  logo.fill(QColor(0, 128, 255));
  doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo")), logo);
  QTextImageFormat picture;
  picture.setName(QStringLiteral("logo"));
  picture.setWidth(16);
  picture.setHeight(12);
  c.insertText(QStringLiteral("logo "));
  c.insertImage(picture);
  c.insertText(QStringLiteral(" end"), with([](auto& f) { f.setFontCapitalization(QFont::SmallCaps); }));
}

}  // namespace

TEST(RtfRoundTrip, DocumentReadsBackWithItsFormatting) {
  QTextDocument doc;
  BuildRichDocument(doc);
  const QByteArray rtf = DocumentToRtf(doc);
  SaveFuzzSeed("rtf", QStringLiteral("rich"), rtf);
  EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return uchar(c) < 0x80; }));
  ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));

  QTextDocument back;
  back.setDefaultFont(doc.defaultFont());
  ASSERT_TRUE(RtfToDocument(rtf, back));
  EXPECT_EQ(Markup(back, true).toStdString(), Markup(doc, true).toStdString()) << rtf.constData();
  EXPECT_EQ(back.blockCount(), doc.blockCount());
  // Written again, the read document gives the same bytes.
  EXPECT_EQ(DocumentToRtf(back), rtf);
}

TEST(RtfRoundTrip, CharactersUseCodePageBytesThenUnicode) {
  QTextDocument doc;
  QTextCursor(&doc).insertText(QStringLiteral("é€Ω😀"));
  const QByteArray rtf = DocumentToRtf(doc);
  // In code page 1252: one escaped byte; outside it: \uN with a one-character fallback, UTF-16
  // units as signed 16-bit numbers.
  EXPECT_TRUE(rtf.contains("\\'e9\\'80\\u937?\\u-10179?\\u-8704?")) << rtf.constData();
  EXPECT_TRUE(rtf.contains("\\uc1"));
}

TEST(RtfRoundTrip, ListsShowForReadersThatKnowOnlyTheLabels) {
  QTextDocument doc;
  BuildRichDocument(doc);
  QString rtf = QString::fromLatin1(DocumentToRtf(doc));
  // Without the {\*\pn ...} groups only the \pntext labels say a paragraph is a list item.
  const qsizetype before = rtf.size();
  rtf.remove(QRegularExpression(QStringLiteral(R"(\{\\\*\\pn\\[^{}]*\{[^{}]*\}\})")));
  ASSERT_LT(rtf.size(), before);
  QTextDocument back;
  back.setDefaultFont(doc.defaultFont());
  ASSERT_TRUE(RtfToDocument(rtf.toLatin1(), back));
  EXPECT_EQ(Markup(back, true).toStdString(), Markup(doc, true).toStdString());
}

TEST(RtfRead, HandWrittenFragments) {
  struct Case {
    const char* name;
    const char* rtf;
    const char* markup;
  };
  const Case cases[] = {
      {"groups restore state", R"({\rtf1 a{\b b{\i c}d}e})", "a<b|b><b i|c><b|d>e"},
      {"toggles and plain", R"({\rtf1\b\i\ul\strike a\b0 b\i0\ulnone\strike0 c\b\i d\plain e})",
       "<b i u s|a><i u s|b>c<b i|d>e"},
      {"underline kinds", R"({\rtf1\ulwave w\uldash d\uld o\ul0 n})", "<u:wave|w><u:dash|d><u:dot|o>n"},
      {"fonts and sizes",
       R"({\rtf1\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times New Roman;}})"
       R"(\f1\fs28 x\f0 y\f7 z})",
       "<f:Times New Roman pt:14|x><f:Arial pt:14|y><pt:14|z>"},
      {"font names drop control characters", R"({\rtf1{\fonttbl{\f0 Ari\'08al \'09;}}\f0 x})", "<f:Arial|x>"},
      {"font table without groups", R"({\rtf1{\fonttbl\f0\fswiss Helvetica;\f1\fmodern Courier;}\f1 x})",
       "<f:Courier|x>"},
      {"colours",
       R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
       R"(\cf1 r\cf2\highlight1 b\cf0\highlight0 n\cb2 g})",
       "<fg:#ff0000|r><fg:#0000ff bg:#ff0000|b>n<bg:#0000ff|g>"},
      {"super and sub", R"({\rtf1 x\super 2\nosupersub y\sub i})", "x<sup|2>y<sub|i>"},
      {"unknown words", R"({\rtf1 a\foo123 b\bar c\verylongcontrolwordthatnoreaderknowsatall d})", "abcd"},
      {"unknown and ignorable destinations",
       R"({\rtf1 a{\*\unknown hidden{\b more}\par}b{\info{\title T}}c{\*\generator G;}d{\stylesheet{\s0 Normal;}})"
       R"({\header h\par}{\footer f}e})",
       "abcde"},
      {"field keeps its result", R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}})", "link"},
      {"hidden text", R"({\rtf1 a{\v hidden}b\v c\v0 d})", "abd"},
      {"binary data skipped", R"({\rtf1 a{\*\foo\bin3 }}}}b})", "ab"},
      {"unicode fallback", R"({\rtf1 x\u8364?y\uc2\u8364 ??z\uc0\u955 q})", "x€y€zλq"},
      {"unicode with byte fallback", R"({\rtf1\uc2\u20320\'c4\'e3!})", "你!"},
      {"fallback ends with its group", R"({\rtf1\uc3{\u8364?}ab})", "€ab"},
      {"negative unicode", R"({\rtf1\u-255?\u-10179?\u-8704?})", "！😀"},
      {"lone surrogate", R"({\rtf1 a\u-10179?b})", "a\uFFFDb"},
      {"code page 1252", R"({\rtf1\ansi caf\'e9 \'80\'96\'93\'9f})", "café €–“Ÿ"},
      {"charset 204 is code page 1251",
       R"({\rtf1{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f1\'cf\'f0\'e8\'e2\'e5\'f2\f0\'e9})",
       "<f:Arial Cyr|Привет><f:Arial|é>"},
      {"document code page", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})", "Аб"},
      {"double-byte code page", R"({\rtf1{\fonttbl{\f0\fcharset128 Gothic;}}\f0\'82\'a0\'83A})", "<f:Gothic|あア>"},
      {"raw 8-bit text", "{\\rtf1 na\xefve}", "naïve"},
      {"tab, line and escapes", R"({\rtf1 a\tab b\line c\{d\}e\\f})", "a\\tb\\nc{d}e\\f"},
      {"special characters", R"({\rtf1\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\-\_})",
       "—–•‘’“”\u00A0\u00AD\u2011"},
      {"paragraphs", "{\\rtf1 a\\par b\\par\r\n\\par c\\\r\nd}", "a\nb\n\nc\nd"},
      {"final paragraph mark adds no paragraph", R"({\rtf1 a\par})", "a"},
      {"alignment and indents",
       R"({\rtf1\pard\qc a\par\pard\qr\li300\ri150\fi-150\sb60\sa120 b\par\pard\qj c\par\ql d\par})",
       "{c}a\n{r li=20 ri=10 fi=-10 sb=4 sa=8}b\n{j}c\nd"},
      {"paragraph properties at the mark", R"({\rtf1 a\qc\par\pard b})", "{c}a\nb"},
      {"paragraph properties in groups", R"({\rtf1{\qc a\par}b\par})", "{c}a\nb"},
      {"tab stops and spacing", R"({\rtf1\tx720\tqr\tx2880\sl360\slmult1 a\tab b\par\sl-300\slmult0 c})",
       "{lh=150% tabs=48,192r}a\\tb\n{lh=20 tabs=48,192r}c"},
      {"old-style bullets",
       R"({\rtf1{\pntext\f0\'b7\tab}{\*\pn\pnlvlblt\pnf0\pnindent0{\pntxtb\'b7}}\fi-360\li720 one\par)"
       R"({\pntext\f0\'b7\tab}two\par\pard three\par})",
       "{li=48 disc#1}one\n{li=48 disc#1}two\nthree"},
      {"old-style numbers",
       R"({\rtf1{\pntext 1.\tab}{\*\pn\pnlvlbody\pndec{\pntxta.}}\li720\fi-360 a\par)"
       R"({\pntext 2.\tab}b\par\pard c\par{\*\pn\pnlvlbody\pnucrm}d})",
       "{li=48 decimal#1}a\n{li=48 decimal#1}b\nc\n{li=40 ROMAN#2}d"},
      {"list override form",
       R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc23}}}{\listtext\f1\'b7\tab})"
       R"(\pard\ls1\fi-360\li720 first\par{\listtext\f1\'b7\tab}second\par)"
       R"({\listtext\pard\plain a.\tab}\pard\ls2\ilvl1\li1440\fi-360 sub\par\pard after\par})",
       "{li=48 disc#1}first\n{li=48 disc#1}second\n{li=96 alpha#2 lvl=2}sub\nafter"},
      {"label-only list", R"({\rtf1{\pntext iv.\tab}x\par{\pntext b)\tab}y\par})",
       "{li=40 roman#1}x\n{li=40 alpha#2}y"},
      {"continuation paragraph is no item", R"({\rtf1{\*\pn\pnlvlcont}{\pntext\tab}text})", "text"},
      {"unicode half of upr", R"({\rtf1{\upr{ansi text}{\*\ud{unicode text}}}})", "unicode text"},
      {"text after the document ignored", R"({\rtf1 a}b{c})", "a"},
      {"control symbol at the end", "{\\rtf1 a\\", "a"},
  };
  int i = 0;
  for (const auto& c : cases) {
    SaveFuzzSeed("rtf", QStringLiteral("read-%1").arg(++i), c.rtf);
    EXPECT_EQ(ReadMarkup(c.rtf).toStdString(), c.markup) << c.name;
  }
}

TEST(RtfRead, Pictures) {
  QImage red(40, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  QImage green(10, 10, QImage::Format_RGB32);
  green.fill(Qt::green);
  // A PNG whose header claims 60000 × 60000 pixels, with a valid header checksum.
  QByteArray huge = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
  const QByteArray ihdr = QByteArray::fromHex("0000ea600000ea600806000000");
  huge += ihdr;
  uint32_t crc = 0xFFFFFFFF;
  for (char b : QByteArray("IHDR") + ihdr) {
    crc ^= uchar(b);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  crc ^= 0xFFFFFFFF;
  for (int s = 24; s >= 0; s -= 8) huge += char((crc >> s) & 0xFF);

  const QByteArray rtf = "{\\rtf1 a{\\pict\\pngblip\\picw40\\pich20\\picwgoal900\\pichgoal450\\picscalex50 " +
                         PictureHex(red, "PNG") + "}b{\\*\\shppict{\\pict\\jpegblip " + PictureHex(green, "JPG") +
                         "}}{\\nonshppict{\\pict\\wmetafile8 0100}}c{\\pict\\pngblip " + huge.toHex() +
                         "}d{\\pict\\pngblip 0011}e}";
  SaveFuzzSeed("rtf", QStringLiteral("pictures"), rtf);
  const QString markup = ReadMarkup(rtf);
  // The goal size in twips, scaled; JPEG at its own size (its colour only near green); damaged
  // and oversized pictures are left out.
  ASSERT_TRUE(markup.startsWith(QStringLiteral("a[img 30x30 #ff0000]b[img 10x10 #"))) << markup.toStdString();
  EXPECT_TRUE(markup.endsWith(QStringLiteral("]cde"))) << markup.toStdString();
}

TEST(RtfRead, MalformedInputNeverBreaksTheReader) {
  QTextDocument rich;
  BuildRichDocument(rich);
  const QByteArray whole = DocumentToRtf(rich);
  std::vector<std::pair<QByteArray, QString>> inputs;  // and the text expected, when known
  for (qsizetype n = 5; n < whole.size(); n += 7) inputs.emplace_back(whole.left(n), QString());
  inputs.emplace_back("{\\rtf1 a}}}}}b", QStringLiteral("a"));
  inputs.emplace_back("{\\rtf1 {{{{ a", QStringLiteral(" a"));
  inputs.emplace_back("{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "after}",
                      QStringLiteral("deepafter"));
  inputs.emplace_back("{\\rtf1 " + QByteArray(100000, '{') + "\\b x", QStringLiteral("x"));
  inputs.emplace_back(
      "{\\rtf1\\fs99999999999999999999 a\\u99999999999 b\\li-999999999999\\fi-99999999999 c\\uc999999999\\u65 "
      "d\\sl-2147483648\\tx99999999999 e\\cf99999999\\f-2147483649 f\\bin99999999999 gone}",
      QString());
  inputs.emplace_back("{\\rtf1 x\\'", QStringLiteral("x"));
  inputs.emplace_back("{\\rtf1 x\\'4", QStringLiteral("x"));  // a control character is dropped
  inputs.emplace_back("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}\\f0 \\'82", QString());
  inputs.emplace_back("{\\rtf1{\\pict\\pngblip " + QByteArray(5000, '7') + "}", QString());
  inputs.emplace_back("{\\rtf1 " + QByteArray(20000, '\\') + "}", QString());
  std::mt19937 random(1234);
  const char* tokens[] = {"{", "}", "\\b",   "\\'",  "\\u-5", "\\uc3",    "\\bin3 ",   "\\pict",     "\\*", "\\par",
                          "a", " ", "\\'e9", "\\f1", "\\pn",  "\\pntext", "\\fonttbl", "\\colortbl", ";",   "\\ls1"};
  for (int k = 0; k < 200; ++k) {
    QByteArray bytes = "{\\rtf1";
    const int length = int(random() % 400);
    for (int j = 0; j < length; ++j) {
      if (k % 2)
        bytes += char(random() & 0xFF);
      else
        bytes += tokens[random() % std::size(tokens)];
    }
    inputs.emplace_back(bytes, QString());
  }
  int seed = 0;
  for (const auto& [bytes, text] : inputs) {
    if (seed < 5) SaveFuzzSeed("rtf", QStringLiteral("damaged-%1").arg(++seed), bytes);
    QTextDocument doc;
    ASSERT_TRUE(RtfToDocument(bytes, doc));
    // Never more characters than input bytes.
    EXPECT_LE(doc.characterCount(), bytes.size() + 1) << bytes.left(200).constData();
    if (!text.isNull()) {
      EXPECT_EQ(doc.toPlainText(), text) << bytes.left(200).constData();
    }
    // What was read can always be written and read again to the same text, and written again to
    // the same bytes.
    const QByteArray written = DocumentToRtf(doc);
    QTextDocument again;
    ASSERT_TRUE(RtfToDocument(written, again));
    EXPECT_EQ(again.toPlainText(), doc.toPlainText()) << bytes.left(200).constData();
    EXPECT_EQ(DocumentToRtf(again), written) << bytes.left(200).constData();
  }
}

TEST(RtfPlainText, BytesShowAsText) {
  struct Case {
    QByteArray bytes;
    bool plainText;
    QString text;
  };
  const Case cases[] = {
      {"line1\r\nline2\rline3\nl\xe9\x80\x85", true, QStringLiteral("line1\nline2\nline3\nlé€…")},
      {"{\\rtf1 \\b x}", true, QStringLiteral("{\\rtf1 \\b x}")},  // a plain-text document is never RTF
      {"{\\rtf1 \\b x}", false, QStringLiteral("x")},
      {"not RTF\r\n", false, QStringLiteral("not RTF\n")},
      {" {\\rtf1 x}", false, QStringLiteral(" {\\rtf1 x}")},
      {QByteArray("a\0b", 3), true, QStringLiteral("ab")},
      {"", false, QString()},
  };
  for (const auto& c : cases) {
    QTextDocument doc;
    LoadRichTextBytes(c.bytes, c.plainText, doc);
    EXPECT_EQ(doc.toPlainText(), c.text) << c.bytes.constData();
  }
  QTextDocument doc;
  QTextCursor(&doc).insertText(QStringLiteral("old"));
  EXPECT_FALSE(RtfToDocument("plain", doc));
  EXPECT_TRUE(doc.isEmpty());
}
