#include "objects/Rtf.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// ---- Code pages ------------------------------------------------------------------------------

// Code page 1252's 0x80..0x9F; the rest of the page is Latin-1. The five holes map to the C1
// control of the same value, as the system conversion does.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(uchar b) { return b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b); }

// The 1252 byte of c, or -1 when the code page lacks it (C1 controls included).
int ToCp1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (Cp1252High[i] == c && c >= 0x100) return 0x80 + i;
  return -1;
}

constexpr int DefaultCodePage = 1252;

// The converter name of a code page this reader decodes; null for any other (read as 1252).
const char* CodePageName(int cp) {
  switch (cp) {
    case 437:
      return "IBM437";
    case 850:
      return "IBM850";
    case 874:
      return "windows-874";
    case 932:
      return "windows-31j";
    case 936:
      return "windows-936";
    case 949:
      return "windows-949";
    case 950:
      return "windows-950";
    case 1250:
      return "windows-1250";
    case 1251:
      return "windows-1251";
    case 1253:
      return "windows-1253";
    case 1254:
      return "windows-1254";
    case 1255:
      return "windows-1255";
    case 1256:
      return "windows-1256";
    case 1257:
      return "windows-1257";
    case 1258:
      return "windows-1258";
    case 10000:
      return "macintosh";
    default:
      return nullptr;
  }
}

// The code page of a font's \fcharset; 0 for the document's own.
int CodePageOfCharset(int charset) {
  switch (charset) {
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return 0;
  }
}

bool IsDoubleByte(int cp) { return cp == 932 || cp == 936 || cp == 949 || cp == 950; }

bool IsLeadByte(int cp, uchar b) {
  if (cp == 932) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return IsDoubleByte(cp) && b >= 0x81 && b <= 0xFE;
}

QString DecodeCp1252(const QByteArray& bytes) {
  QString s(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) s[i] = QChar(FromCp1252(uchar(bytes[i])));
  return s;
}

// ---- Keywords --------------------------------------------------------------------------------

enum class TKw : uint8_t {
  Unknown,
  SkipDest,    // a destination never shown
  KnownGroup,  // a group word with nothing to do that may follow \* (its text still shows)
  FontTbl,
  ColorTbl,
  Pict,
  Pn,
  Label,  // \pntext, \listtext: the list label as text
  Upr,
  Ud,
  U,
  Uc,
  Bin,
  Char,  // Arg: the character
  Par,
  Deff,
  AnsiCpg,
  CodePage,  // Arg: the code page
  Plain,
  Font,
  FontSize,
  Bold,
  Italic,
  Underline,  // Arg: QTextCharFormat::UnderlineStyle; \ul0 is none
  Strike,
  Fore,
  Back,
  Vertical,  // Arg: 1 super, -1 sub, 0 neither
  Caps,      // Arg: 1 all capitals, 2 small capitals
  Hidden,
  Pard,
  Align,  // Arg: Qt::Alignment
  Left,
  Right,
  First,
  Before,
  After,
  LineSpacing,
  LineMultiple,
  TabStop,
  TabKind,  // Arg: QTextOption::TabType
  ListOverride,
  ListLevel,
  PnKind,  // Arg: TListKind
  PnStyle,
  PnLevel,
  FontCharset,
  FontCodePage,
  FontHint,  // Arg: QFont::StyleHint
  Red,
  Green,
  Blue,
  PictFormat,  // Arg: 1 PNG, 2 JPEG, 0 a kind this reader does not decode
  PicW,
  PicH,
  PicGoalW,
  PicGoalH,
  PicScaleX,
  PicScaleY,
};

enum class TListKind : uint8_t { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, Continue };

struct TKeyword {
  TKw Kw = TKw::Unknown;
  int Arg = 0;
};

const std::unordered_map<std::string_view, TKeyword>& Keywords() {
  using K = TKw;
  static const std::unordered_map<std::string_view, TKeyword> table = [] {
    std::unordered_map<std::string_view, TKeyword> t;
    for (const char* w : {"info",
                          "stylesheet",
                          "header",
                          "headerl",
                          "headerr",
                          "headerf",
                          "footer",
                          "footerl",
                          "footerr",
                          "footerf",
                          "footnote",
                          "annotation",
                          "fldinst",
                          "nonshppict",
                          "xe",
                          "tc",
                          "txe",
                          "ftnsep",
                          "ftnsepc",
                          "ftncn",
                          "aftnsep",
                          "aftnsepc",
                          "aftncn",
                          "objdata",
                          "objclass",
                          "objname",
                          "pntxta",
                          "pntxtb",
                          "listtable",
                          "listoverridetable",
                          "rsidtbl",
                          "revtbl",
                          "filetbl",
                          "generator",
                          "xmlnstbl",
                          "themedata",
                          "colorschememapping",
                          "latentstyles",
                          "datastore",
                          "bkmkstart",
                          "bkmkend",
                          "template",
                          "private",
                          "do",
                          "background",
                          "userprops",
                          "docvar",
                          "falt",
                          "panose",
                          "shpinst",
                          "pgdsctbl",
                          "mmathPr",
                          "atnid",
                          "atnauthor",
                          "fchars",
                          "lchars"})
      t[w] = {K::SkipDest};
    for (const char* w : {"field", "fldrslt", "shppict", "object", "result", "shp", "shprslt"}) t[w] = {K::KnownGroup};
    const std::pair<const char*, TKeyword> words[] = {
        {"fonttbl", {K::FontTbl}},
        {"colortbl", {K::ColorTbl}},
        {"pict", {K::Pict}},
        {"pn", {K::Pn}},
        {"pntext", {K::Label}},
        {"listtext", {K::Label}},
        {"upr", {K::Upr}},
        {"ud", {K::Ud}},
        {"u", {K::U}},
        {"uc", {K::Uc}},
        {"bin", {K::Bin}},
        {"tab", {K::Char, '\t'}},
        {"cell", {K::Char, '\t'}},
        {"nestcell", {K::Char, '\t'}},
        {"line", {K::Char, 0x2028}},
        {"emdash", {K::Char, 0x2014}},
        {"endash", {K::Char, 0x2013}},
        {"emspace", {K::Char, 0x2003}},
        {"enspace", {K::Char, 0x2002}},
        {"qmspace", {K::Char, 0x2005}},
        {"bullet", {K::Char, 0x2022}},
        {"lquote", {K::Char, 0x2018}},
        {"rquote", {K::Char, 0x2019}},
        {"ldblquote", {K::Char, 0x201C}},
        {"rdblquote", {K::Char, 0x201D}},
        {"zwj", {K::Char, 0x200D}},
        {"zwnj", {K::Char, 0x200C}},
        {"ltrmark", {K::Char, 0x200E}},
        {"rtlmark", {K::Char, 0x200F}},
        {"par", {K::Par}},
        {"sect", {K::Par}},
        {"page", {K::Par}},
        {"row", {K::Par}},
        {"nestrow", {K::Par}},
        {"deff", {K::Deff}},
        {"ansicpg", {K::AnsiCpg}},
        {"ansi", {K::CodePage, 1252}},
        {"mac", {K::CodePage, 10000}},
        {"pc", {K::CodePage, 437}},
        {"pca", {K::CodePage, 850}},
        {"plain", {K::Plain}},
        {"f", {K::Font}},
        {"fs", {K::FontSize}},
        {"b", {K::Bold}},
        {"i", {K::Italic}},
        {"ul", {K::Underline, QTextCharFormat::SingleUnderline}},
        {"ulw", {K::Underline, QTextCharFormat::SingleUnderline}},
        {"uldb", {K::Underline, QTextCharFormat::SingleUnderline}},
        {"ulth", {K::Underline, QTextCharFormat::SingleUnderline}},
        {"uld", {K::Underline, QTextCharFormat::DotLine}},
        {"ulthd", {K::Underline, QTextCharFormat::DotLine}},
        {"uldash", {K::Underline, QTextCharFormat::DashUnderline}},
        {"ulthdash", {K::Underline, QTextCharFormat::DashUnderline}},
        {"ulldash", {K::Underline, QTextCharFormat::DashUnderline}},
        {"uldashd", {K::Underline, QTextCharFormat::DashDotLine}},
        {"ulthdashd", {K::Underline, QTextCharFormat::DashDotLine}},
        {"uldashdd", {K::Underline, QTextCharFormat::DashDotDotLine}},
        {"ulthdashdd", {K::Underline, QTextCharFormat::DashDotDotLine}},
        {"ulwave", {K::Underline, QTextCharFormat::WaveUnderline}},
        {"ulhwave", {K::Underline, QTextCharFormat::WaveUnderline}},
        {"ululdbwave", {K::Underline, QTextCharFormat::WaveUnderline}},
        {"ulnone", {K::Underline, QTextCharFormat::NoUnderline}},
        {"strike", {K::Strike}},
        {"striked", {K::Strike}},
        {"cf", {K::Fore}},
        {"cb", {K::Back}},
        {"highlight", {K::Back}},
        {"chcbpat", {K::Back}},
        {"super", {K::Vertical, 1}},
        {"sub", {K::Vertical, -1}},
        {"nosupersub", {K::Vertical, 0}},
        {"caps", {K::Caps, 1}},
        {"scaps", {K::Caps, 2}},
        {"v", {K::Hidden}},
        {"pard", {K::Pard}},
        {"ql", {K::Align, Qt::AlignLeft}},
        {"qc", {K::Align, Qt::AlignHCenter}},
        {"qr", {K::Align, Qt::AlignRight}},
        {"qj", {K::Align, Qt::AlignJustify}},
        {"qd", {K::Align, Qt::AlignJustify}},
        {"li", {K::Left}},
        {"lin", {K::Left}},
        {"ri", {K::Right}},
        {"rin", {K::Right}},
        {"fi", {K::First}},
        {"sb", {K::Before}},
        {"sa", {K::After}},
        {"sl", {K::LineSpacing}},
        {"slmult", {K::LineMultiple}},
        {"tx", {K::TabStop}},
        {"tqr", {K::TabKind, QTextOption::RightTab}},
        {"tqc", {K::TabKind, QTextOption::CenterTab}},
        {"tqdec", {K::TabKind, QTextOption::DelimiterTab}},
        {"ls", {K::ListOverride}},
        {"ilvl", {K::ListLevel}},
        {"pnlvlblt", {K::PnKind, int(TListKind::Bullet)}},
        {"pnlvlbody", {K::PnKind, int(TListKind::Decimal)}},
        {"pnlvlcont", {K::PnKind, int(TListKind::Continue)}},
        {"pnlvl", {K::PnLevel}},
        {"pndec", {K::PnStyle, int(TListKind::Decimal)}},
        {"pncard", {K::PnStyle, int(TListKind::Decimal)}},
        {"pnord", {K::PnStyle, int(TListKind::Decimal)}},
        {"pnlcltr", {K::PnStyle, int(TListKind::LowerAlpha)}},
        {"pnucltr", {K::PnStyle, int(TListKind::UpperAlpha)}},
        {"pnlcrm", {K::PnStyle, int(TListKind::LowerRoman)}},
        {"pnucrm", {K::PnStyle, int(TListKind::UpperRoman)}},
        {"fcharset", {K::FontCharset}},
        {"cpg", {K::FontCodePage}},
        {"fnil", {K::FontHint, QFont::AnyStyle}},
        {"froman", {K::FontHint, QFont::Serif}},
        {"fswiss", {K::FontHint, QFont::SansSerif}},
        {"fmodern", {K::FontHint, QFont::TypeWriter}},
        {"fscript", {K::FontHint, QFont::Cursive}},
        {"fdecor", {K::FontHint, QFont::Decorative}},
        {"red", {K::Red}},
        {"green", {K::Green}},
        {"blue", {K::Blue}},
        {"pngblip", {K::PictFormat, 1}},
        {"jpegblip", {K::PictFormat, 2}},
        {"emfblip", {K::PictFormat, 0}},
        {"wmetafile", {K::PictFormat, 0}},
        {"macpict", {K::PictFormat, 0}},
        {"dibitmap", {K::PictFormat, 0}},
        {"wbitmap", {K::PictFormat, 0}},
        {"picw", {K::PicW}},
        {"pich", {K::PicH}},
        {"picwgoal", {K::PicGoalW}},
        {"pichgoal", {K::PicGoalH}},
        {"picscalex", {K::PicScaleX}},
        {"picscaley", {K::PicScaleY}},
    };
    for (const auto& [w, k] : words) t[w] = k;
    return t;
  }();
  return table;
}

// ---- Reader ----------------------------------------------------------------------------------

constexpr int MaxDepth = 256;
constexpr int MaxTwips = 31680;  // 22 inches: more than any page
constexpr int MaxTabs = 32;
constexpr int MaxFontName = 128;
constexpr int MaxLabel = 16;
// Adding an item to a QTextList touches every item already in it, so one list object holds at
// most this many items and a longer list goes on in a new one (numbering starts again there).
constexpr int MaxListItems = 256;
constexpr int FamilyKey = QTextFormat::UserProperty + 0x52;
constexpr qint64 PictureBudget = 32LL * 1024 * 1024;  // pixels over all pictures of a document

enum class TDest : uint8_t { Text, FontTable, ColorTable, Skip, Pn, Label, Pict, Upr };

struct TCharState {
  int Font = -1;             // font table number; -1: none said
  int HalfPoints = 0;        // 0: none said
  int Fore = -1, Back = -1;  // colour table index; -1: none said
  uint8_t Underline = QTextCharFormat::NoUnderline;
  int8_t Vertical = 0;
  uint8_t Caps = 0;
  bool Bold = false, Italic = false, Strike = false, Hidden = false;
  bool operator==(const TCharState&) const = default;
};

struct TParaState {
  int Align = Qt::AlignLeft;
  int Left = 0, Right = 0, First = 0, Before = 0, After = 0;  // twips
  int LineSpacing = 0;
  bool LineMultiple = false;
  TListKind List = TListKind::None;  // from \pn
  bool ListOverride = false;         // \lsN
  int Level = 0;
  int TabKind = QTextOption::LeftTab;
  int TabCount = 0;
  std::array<std::pair<int, int>, MaxTabs> Tabs{};  // twips, QTextOption::TabType
};

struct TState {
  TDest Dest = TDest::Text;
  TDest UprOuter = TDest::Text;
  int Uc = 1;
  TListKind PnKind = TListKind::None;
  TCharState Char;
  TParaState Para;
};

struct TFontEntry {
  QString Name;
  int CodePage = 0;
  QFont::StyleHint Hint = QFont::AnyStyle;
  bool Closed = false;
};

class TRtfReader {
 public:
  TRtfReader(const QByteArray& rtf, QTextDocument& doc) : FData(rtf), FDoc(doc), FCursor(&doc) {}

  void Read() {
    const char* p = FData.constData();
    const qsizetype n = FData.size();
    FCursor.beginEditBlock();
    while (FPos < n && !FDone) {
      const char c = p[FPos++];
      switch (c) {
        case '{':
          OpenGroup();
          break;
        case '}':
          CloseGroup();
          break;
        case '\\':
          Control();
          break;
        case '\r':
        case '\n':
          break;
        default:
          Literal(uchar(c));
          break;
      }
    }
    FlushBytes();
    if (!FPendingBlock) {
      FlushRun();
      FinishBlock();
    }
    FCursor.endEditBlock();
  }

 private:
  // -- Tokens --

  void OpenGroup() {
    FlushBytes();
    FSkip = 0;
    FStar = false;
    if (FStack.size() >= size_t(MaxDepth)) {
      ++FOverflow;
      return;
    }
    FStack.push_back(FState);
  }

  void CloseGroup() {
    FlushBytes();
    FSkip = 0;
    FStar = false;
    if (FOverflow > 0) {
      --FOverflow;
      return;
    }
    if (FStack.size() <= 1) {  // the document's own group: its state ends the last paragraph
      FDone = true;
      return;
    }
    const TState inner = FState;
    FState = FStack.back();
    FStack.pop_back();
    if (inner.Dest == FState.Dest) return;
    switch (inner.Dest) {
      case TDest::Pn:
        if (FState.Dest == TDest::Text)
          FState.Para.List = inner.PnKind == TListKind::None ? TListKind::Bullet : inner.PnKind;
        break;
      case TDest::Label:
        if (FState.Dest == TDest::Text) FBlockHasLabel = true;
        break;
      case TDest::Pict:
        if (FState.Dest == TDest::Text) InsertPicture();
        FPictData.clear();
        break;
      default:
        break;
    }
  }

  void Control() {
    const char* p = FData.constData();
    const qsizetype n = FData.size();
    if (FPos >= n) return;
    const char c = p[FPos];
    if (!IsLetter(c)) {
      ++FPos;
      Symbol(c);
      return;
    }
    const qsizetype start = FPos;
    while (FPos < n && IsLetter(p[FPos])) ++FPos;
    const std::string_view word(p + start, size_t(FPos - start));
    bool hasParam = false, negative = false;
    long long value = 0;
    if (FPos + 1 < n && p[FPos] == '-' && IsDigit(p[FPos + 1])) {
      negative = true;
      ++FPos;
    }
    while (FPos < n && IsDigit(p[FPos])) {
      hasParam = true;
      if (value < 1000000000) value = value * 10 + (p[FPos] - '0');
      ++FPos;
    }
    if (FPos < n && p[FPos] == ' ') ++FPos;
    value = std::min<long long>(value, 1000000000);
    const int param = int(negative ? -value : value);
    const auto& table = Keywords();
    const auto it = word.size() <= 32 ? table.find(word) : table.end();
    Keyword(it == table.end() ? TKeyword{} : it->second, hasParam, param);
  }

  void Symbol(char c) {
    if (c == '\'') {
      const char* p = FData.constData();
      int byte = 0, digits = 0;
      while (digits < 2 && FPos < FData.size() && HexValue(p[FPos]) >= 0) {
        byte = byte * 16 + HexValue(p[FPos++]);
        ++digits;
      }
      FStar = false;
      if (FSkip > 0) {
        --FSkip;
        return;
      }
      if (digits > 0) Byte(uchar(byte));
      return;
    }
    FlushBytes();
    if (c == '*') {
      FStar = true;
      return;
    }
    FStar = false;
    if (FSkip > 0) {
      --FSkip;
      return;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}':
        Text(char16_t(c));
        break;
      case '~':
        Text(0x00A0);
        break;
      case '-':
        Text(0x00AD);
        break;
      case '_':
        Text(0x2011);
        break;
      case '\r':
      case '\n':
        if (FState.Dest == TDest::Text) Paragraph();
        break;
      case '\t':
        Text('\t');
        break;
      default:
        break;  // \| \: and others: index and formula marks
    }
  }

  void Literal(uchar c) {
    FStar = false;
    if (FSkip > 0) {
      --FSkip;
      return;
    }
    if (c >= 0x80) {
      Byte(c);
      return;
    }
    if (FDbcsLead && !FBytes.isEmpty()) {  // the trail byte of a double-byte character
      FBytes += char(c);
      FDbcsLead = false;
      return;
    }
    FlushBytes();
    if (c == '\t' || c >= 0x20) Text(c);
  }

  void Keyword(const TKeyword& k, bool hasParam, int param) {
    FlushBytes();
    const bool star = FStar;
    FStar = false;
    if (FSkip > 0) {
      --FSkip;
      if (k.Kw == TKw::Bin) Bin(param, false);
      return;
    }
    TState& s = FState;
    if (k.Kw == TKw::Bin) {
      Bin(param, s.Dest == TDest::Pict);
      return;
    }
    if (s.Dest == TDest::Skip) return;
    if (s.Dest == TDest::Upr) {  // only the Unicode half of \upr shows
      if (k.Kw == TKw::Ud) s.Dest = s.UprOuter;
      return;
    }
    if (star && k.Kw != TKw::Pn && k.Kw != TKw::KnownGroup && k.Kw != TKw::Ud) {
      s.Dest = TDest::Skip;
      return;
    }
    const auto on = [&] { return !hasParam || param != 0; };
    switch (k.Kw) {  // words meaning the same in every destination
      case TKw::SkipDest:
        s.Dest = TDest::Skip;
        return;
      case TKw::FontTbl:
        s.Dest = TDest::FontTable;
        FFontEntry = -1;
        return;
      case TKw::ColorTbl:
        s.Dest = TDest::ColorTable;
        FColorSet = false;
        FRed = FGreen = FBlue = 0;
        return;
      case TKw::Pict:
        s.Dest = TDest::Pict;
        FPict = TPict{};
        FPictData.clear();
        FHexHigh = -1;
        return;
      case TKw::Pn:
        s.Dest = TDest::Pn;
        s.PnKind = TListKind::None;
        return;
      case TKw::Label:
        s.Dest = TDest::Label;
        FLabel.clear();
        return;
      case TKw::Upr:
        s.UprOuter = s.Dest;
        s.Dest = TDest::Upr;
        return;
      case TKw::U: {
        const int v = param < 0 ? param + 65536 : param;
        if (hasParam && v >= 0 && v <= 0xFFFF) Text(char16_t(v));
        FSkip = s.Uc;
        return;
      }
      case TKw::Uc:
        s.Uc = std::clamp(param, 0, 16);
        return;
      case TKw::Char:
        Text(char16_t(k.Arg));
        return;
      case TKw::Deff:
        FDefaultFont = std::max(param, 0);
        if (s.Char.Font < 0) s.Char.Font = FDefaultFont;
        return;
      case TKw::AnsiCpg:
        if (CodePageName(param) || param == DefaultCodePage) FDocCodePage = param;
        return;
      case TKw::CodePage:
        FDocCodePage = k.Arg;
        return;
      default:
        break;
    }
    switch (s.Dest) {
      case TDest::FontTable:
        FontTableWord(k, param);
        return;
      case TDest::ColorTable: {
        const int v = std::clamp(param, 0, 255);
        if (k.Kw == TKw::Red) FRed = v;
        if (k.Kw == TKw::Green) FGreen = v;
        if (k.Kw == TKw::Blue) FBlue = v;
        if (k.Kw == TKw::Red || k.Kw == TKw::Green || k.Kw == TKw::Blue) FColorSet = true;
        return;
      }
      case TDest::Pict:
        PictWord(k, param);
        return;
      case TDest::Pn:
        if (k.Kw == TKw::PnKind) s.PnKind = TListKind(k.Arg);
        if (k.Kw == TKw::PnLevel) s.PnKind = TListKind::Decimal;
        if (k.Kw == TKw::PnStyle && s.PnKind != TListKind::Bullet && s.PnKind != TListKind::Continue)
          s.PnKind = TListKind(k.Arg);
        return;
      default:
        break;
    }
    TCharState& ch = s.Char;
    TParaState& pa = s.Para;
    switch (k.Kw) {
      case TKw::Par:
        if (s.Dest == TDest::Text) Paragraph();
        break;
      case TKw::Plain:
        ch = TCharState{};
        ch.Font = FDefaultFont;
        break;
      case TKw::Font:
        ch.Font = std::max(param, 0);
        break;
      case TKw::FontSize:
        ch.HalfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        break;
      case TKw::Bold:
        ch.Bold = on();
        break;
      case TKw::Italic:
        ch.Italic = on();
        break;
      case TKw::Underline:
        ch.Underline = uint8_t(on() ? k.Arg : QTextCharFormat::NoUnderline);
        break;
      case TKw::Strike:
        ch.Strike = on();
        break;
      case TKw::Fore:
        ch.Fore = std::max(param, 0);
        break;
      case TKw::Back:
        ch.Back = std::max(param, 0);
        break;
      case TKw::Vertical:
        ch.Vertical = int8_t(k.Arg);
        break;
      case TKw::Caps:
        ch.Caps = on() ? uint8_t(k.Arg) : 0;
        break;
      case TKw::Hidden:
        ch.Hidden = on();
        break;
      case TKw::Pard:
        pa = TParaState{};
        break;
      case TKw::Align:
        pa.Align = k.Arg;
        break;
      case TKw::Left:
        pa.Left = std::clamp(param, 0, MaxTwips);
        break;
      case TKw::Right:
        pa.Right = std::clamp(param, 0, MaxTwips);
        break;
      case TKw::First:
        pa.First = std::clamp(param, -MaxTwips, MaxTwips);
        break;
      case TKw::Before:
        pa.Before = std::clamp(param, 0, MaxTwips);
        break;
      case TKw::After:
        pa.After = std::clamp(param, 0, MaxTwips);
        break;
      case TKw::LineSpacing:
        pa.LineSpacing = std::clamp(param, -MaxTwips, MaxTwips);
        break;
      case TKw::LineMultiple:
        pa.LineMultiple = on();
        break;
      case TKw::TabKind:
        pa.TabKind = k.Arg;
        break;
      case TKw::TabStop:
        if (pa.TabCount < MaxTabs) pa.Tabs[size_t(pa.TabCount++)] = {std::clamp(param, 0, MaxTwips), pa.TabKind};
        pa.TabKind = QTextOption::LeftTab;
        break;
      case TKw::ListOverride:
        pa.ListOverride = param > 0;
        break;
      case TKw::ListLevel:
        pa.Level = std::clamp(param, 0, 8);
        break;
      default:
        break;  // unknown words, and words of other destinations out of place
    }
  }

  void FontTableWord(const TKeyword& k, int param) {
    if (k.Kw == TKw::Font) {
      FFontEntry = std::max(param, 0);
      if (!FFonts.contains(FFontEntry)) FFonts.insert(FFontEntry, TFontEntry{});
      return;
    }
    const auto it = FFonts.find(FFontEntry);
    if (it == FFonts.end()) return;
    if (k.Kw == TKw::FontCharset) it->CodePage = CodePageOfCharset(param);
    if (k.Kw == TKw::FontCodePage && CodePageName(param)) it->CodePage = param;
    if (k.Kw == TKw::FontHint) it->Hint = QFont::StyleHint(k.Arg);
  }

  // -- Characters --

  // The code page of the bytes read now: the current font's, else the document's.
  int CodePage() const {
    const int font = FState.Dest == TDest::FontTable ? FFontEntry : FState.Char.Font;
    const auto it = FFonts.constFind(font);
    return it != FFonts.cend() && it->CodePage != 0 ? it->CodePage : FDocCodePage;
  }

  void Byte(uchar b) {
    const TDest d = FState.Dest;
    if (d == TDest::Skip || d == TDest::Pict || d == TDest::ColorTable || d == TDest::Pn || d == TDest::Upr) return;
    const int cp = CodePage();
    if (!FBytes.isEmpty() && cp != FBytesCodePage) FlushBytes();
    FBytesCodePage = cp;
    FBytes += char(b);
    FDbcsLead = !FDbcsLead && IsLeadByte(cp, b);
  }

  void FlushBytes() {
    if (FBytes.isEmpty()) return;
    QString text;
    if (const char* name = CodePageName(FBytesCodePage)) {
      auto& decoder = FDecoders[FBytesCodePage];
      if (!decoder) decoder = std::make_unique<QStringDecoder>(name, QStringDecoder::Flag::Stateless);
      if (decoder->isValid()) text = decoder->decode(FBytes);
    }
    if (text.isEmpty()) text = DecodeCp1252(FBytes);
    FBytes.clear();
    FDbcsLead = false;
    for (QChar c : std::as_const(text)) Text(c.unicode());
  }

  // One character of text, sent where the current destination keeps it.
  void Text(char16_t c) {
    switch (FState.Dest) {
      case TDest::Text:
        if (!FState.Char.Hidden) Shown(c);
        break;
      case TDest::FontTable: {
        const auto it = FFonts.find(FFontEntry);
        if (it == FFonts.end() || it->Closed || c < 0x20) break;
        if (c == ';')
          it->Closed = true;
        else if (it->Name.size() < MaxFontName)
          it->Name += QChar(c);
        break;
      }
      case TDest::ColorTable:
        if (c == ';') {
          FColors.push_back(FColorSet ? QColor(FRed, FGreen, FBlue) : QColor());
          FColorSet = false;
          FRed = FGreen = FBlue = 0;
        }
        break;
      case TDest::Label:
        if (FLabel.size() < MaxLabel) FLabel += QChar(c);
        break;
      case TDest::Pict:
        if (const int v = c < 0x80 ? HexValue(char(c)) : -1; v >= 0) {
          if (FHexHigh < 0) {
            FHexHigh = v;
          } else {
            FPictData += char(FHexHigh * 16 + v);
            FHexHigh = -1;
          }
        }
        break;
      default:
        break;
    }
  }

  void Shown(char16_t c) {
    // Characters the document itself reserves for block and frame structure, or that a control
    // should not draw, are dropped; a paragraph separator stays inside its paragraph.
    if ((c < 0x20 && c != '\t') || c == 0xFDD0 || c == 0xFDD1 || c == QChar::ObjectReplacementCharacter) return;
    if (c == QChar::ParagraphSeparator) c = QChar::LineSeparator;
    if (FPendingBlock) StartBlock();
    if (!FRun.isEmpty() && !(FRunChar == FState.Char)) FlushRun();
    if (FRun.isEmpty()) FRunChar = FState.Char;
    FRun += QChar(c);
  }

  void Bin(int length, bool keep) {
    const qsizetype n = std::clamp<qsizetype>(length, 0, FData.size() - FPos);
    if (keep) FPictData.append(FData.constData() + FPos, n);
    FPos += n;
  }

  // -- Document --

  QColor ColorAt(int index) const {
    return index >= 0 && size_t(index) < FColors.size() ? FColors[size_t(index)] : QColor();
  }

  QTextCharFormat CharFormat(const TCharState& c) const {
    QTextCharFormat f;
    if (const auto it = FFonts.constFind(c.Font); it != FFonts.cend()) {
      const QString name = it->Name.trimmed();
      if (!name.isEmpty()) {
        f.setFontFamilies(QStringList{name});
        f.setFontStyleHint(it->Hint);
        // Qt hashes a family list by its type alone, so formats differing only in family would all
        // share one hash and each new one be compared with every other; the name as a string
        // property keeps their hashes apart.
        f.setProperty(FamilyKey, name);
      }
    }
    if (c.HalfPoints > 0) f.setFontPointSize(c.HalfPoints / 2.0);
    f.setFontWeight(c.Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.Italic);
    f.setUnderlineStyle(QTextCharFormat::UnderlineStyle(c.Underline));
    f.setFontStrikeOut(c.Strike);
    if (const QColor fore = ColorAt(c.Fore); fore.isValid()) f.setForeground(fore);
    if (const QColor back = ColorAt(c.Back); back.isValid()) f.setBackground(back);
    if (c.Vertical != 0)
      f.setVerticalAlignment(c.Vertical > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (c.Caps != 0) f.setFontCapitalization(c.Caps == 1 ? QFont::AllUppercase : QFont::SmallCaps);
    return f;
  }

  void FlushRun() {
    if (FRun.isEmpty()) return;
    // A \u surrogate without its partner becomes a replacement character.
    for (qsizetype i = 0; i < FRun.size(); ++i) {
      if (FRun[i].isHighSurrogate() && i + 1 < FRun.size() && FRun[i + 1].isLowSurrogate())
        ++i;
      else if (FRun[i].isSurrogate())
        FRun[i] = QChar::ReplacementCharacter;
    }
    FCursor.insertText(FRun, CharFormat(FRunChar));
    FRun.clear();
  }

  void StartBlock() {
    FCursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    FPendingBlock = false;
  }

  // A paragraph mark: the paragraph takes the properties in force now. The next block starts
  // only when something follows, so the document's final \par adds no empty paragraph.
  void Paragraph() {
    if (FPendingBlock) StartBlock();
    FlushRun();
    FinishBlock();
    FPendingBlock = true;
  }

  static TListKind LabelKind(const QString& label) {
    const QString l = label.trimmed();
    if (l.isEmpty()) return TListKind::Bullet;
    if (l[0].isDigit()) return TListKind::Decimal;
    const QChar end = l.back();
    if (l.size() < 2 || (end != u'.' && end != u')')) return TListKind::Bullet;
    const QString body = l.left(l.size() - 1);
    bool letters = true, roman = true;
    for (QChar c : body) {
      letters = letters && c.isLetter() && c.unicode() < 0x80;
      roman = roman && QStringLiteral("ivxlcdmIVXLCDM").contains(c);
    }
    if (!letters) return TListKind::Bullet;
    const bool upper = body[0].isUpper();
    if (roman && (body.size() > 1 || body[0].toLower() == u'i'))
      return upper ? TListKind::UpperRoman : TListKind::LowerRoman;
    if (body.size() == 1) return upper ? TListKind::UpperAlpha : TListKind::LowerAlpha;
    return TListKind::Bullet;
  }

  static QTextListFormat::Style ListStyle(TListKind kind) {
    switch (kind) {
      case TListKind::Decimal:
        return QTextListFormat::ListDecimal;
      case TListKind::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
      case TListKind::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
      case TListKind::LowerRoman:
        return QTextListFormat::ListLowerRoman;
      case TListKind::UpperRoman:
        return QTextListFormat::ListUpperRoman;
      default:
        return QTextListFormat::ListDisc;
    }
  }

  void FinishBlock() {
    const TParaState& pa = FState.Para;
    TListKind kind = pa.List;
    if (kind == TListKind::None && (pa.ListOverride || FBlockHasLabel)) kind = LabelKind(FLabel);
    if (kind == TListKind::Continue) kind = TListKind::None;

    QTextBlockFormat f;
    f.setAlignment(Qt::Alignment::fromInt(pa.Align));
    const qreal left = pa.Left / 15.0;
    if (kind == TListKind::None) {
      f.setLeftMargin(left);
      f.setTextIndent(pa.First / 15.0);
    } else {
      // The list's own indent holds the bullet; RTF's hanging first line is that same room.
      f.setLeftMargin(std::max<qreal>(0, left - (pa.Level + 1) * FDoc.indentWidth()));
    }
    f.setRightMargin(pa.Right / 15.0);
    f.setTopMargin(pa.Before / 15.0);
    f.setBottomMargin(pa.After / 15.0);
    if (pa.LineMultiple && pa.LineSpacing > 0)
      f.setLineHeight(pa.LineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (pa.LineSpacing > 0)
      f.setLineHeight(pa.LineSpacing / 15.0, QTextBlockFormat::MinimumHeight);
    else if (pa.LineSpacing < 0)
      f.setLineHeight(-pa.LineSpacing / 15.0, QTextBlockFormat::FixedHeight);
    if (pa.TabCount > 0) {
      QList<QTextOption::Tab> tabs;
      for (int i = 0; i < pa.TabCount; ++i)
        tabs.append(QTextOption::Tab(pa.Tabs[size_t(i)].first / 15.0, QTextOption::TabType(pa.Tabs[size_t(i)].second)));
      f.setTabPositions(tabs);
    }
    FCursor.setBlockFormat(f);
    FCursor.setBlockCharFormat(CharFormat(FState.Char));

    if (kind == TListKind::None) {
      FLists.fill(nullptr);
    } else {
      const size_t level = size_t(pa.Level);
      for (size_t j = level + 1; j < FLists.size(); ++j) FLists[j] = nullptr;
      if (FLists[level] && FListKinds[level] == kind && FLists[level]->count() < MaxListItems) {
        FLists[level]->add(FCursor.block());
      } else {
        QTextListFormat lf;
        lf.setStyle(ListStyle(kind));
        lf.setIndent(int(level) + 1);
        FLists[level] = FCursor.createList(lf);
        FListKinds[level] = kind;
      }
    }
    FBlockHasLabel = false;
    FLabel.clear();
  }

  // -- Pictures --

  struct TPict {
    int Format = 0;
    int W = 0, H = 0, GoalW = 0, GoalH = 0, ScaleX = 100, ScaleY = 100;
  };

  void PictWord(const TKeyword& k, int param) {
    const int v = std::clamp(param, 0, 1000000);
    switch (k.Kw) {
      case TKw::PictFormat:
        FPict.Format = k.Arg;
        break;
      case TKw::PicW:
        FPict.W = v;
        break;
      case TKw::PicH:
        FPict.H = v;
        break;
      case TKw::PicGoalW:
        FPict.GoalW = v;
        break;
      case TKw::PicGoalH:
        FPict.GoalH = v;
        break;
      case TKw::PicScaleX:
        FPict.ScaleX = std::clamp(v, 1, 1000);
        break;
      case TKw::PicScaleY:
        FPict.ScaleY = std::clamp(v, 1, 1000);
        break;
      default:
        break;
    }
  }

  void InsertPicture() {
    if (FPict.Format == 0 || FPictData.isEmpty()) return;
    QBuffer buffer(&FPictData);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, FPict.Format == 1 ? "png" : "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > FPictureBudget) return;
    const QImage image = reader.read();
    if (image.isNull()) return;
    FPictureBudget -= qint64(image.width()) * image.height();
    const qreal w = (FPict.GoalW > 0 ? FPict.GoalW / 15.0 : image.width()) * FPict.ScaleX / 100.0;
    const qreal h = (FPict.GoalH > 0 ? FPict.GoalH / 15.0 : image.height()) * FPict.ScaleY / 100.0;
    const QString name = QStringLiteral("rtf-picture-%1").arg(++FPictures);
    FDoc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(std::clamp<qreal>(std::round(w), 1, 16384));
    f.setHeight(std::clamp<qreal>(std::round(h), 1, 16384));
    if (FPendingBlock) StartBlock();
    FlushRun();
    FCursor.insertImage(f);
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  const QByteArray& FData;
  QTextDocument& FDoc;
  QTextCursor FCursor;
  qsizetype FPos = 0;
  bool FDone = false;

  TState FState;
  std::vector<TState> FStack;
  int FOverflow = 0;  // braces past MaxDepth, counted only
  bool FStar = false;
  int FSkip = 0;  // fallback characters still to skip after \uN

  int FDocCodePage = DefaultCodePage;
  int FDefaultFont = -1;
  QHash<int, TFontEntry> FFonts;
  int FFontEntry = -1;
  std::vector<QColor> FColors;
  int FRed = 0, FGreen = 0, FBlue = 0;
  bool FColorSet = false;

  QByteArray FBytes;  // code-page bytes not yet decoded
  int FBytesCodePage = DefaultCodePage;
  bool FDbcsLead = false;
  std::unordered_map<int, std::unique_ptr<QStringDecoder>> FDecoders;

  QString FRun;  // shown text not yet inserted, all in FRunChar
  TCharState FRunChar;
  bool FPendingBlock = false;
  bool FBlockHasLabel = false;
  QString FLabel;
  std::array<QTextList*, 9> FLists{};
  std::array<TListKind, 9> FListKinds{};

  TPict FPict;
  QByteArray FPictData;
  int FHexHigh = -1;
  qint64 FPictureBudget = PictureBudget;
  int FPictures = 0;
};

// ---- Writer ----------------------------------------------------------------------------------

struct TCharOut {
  int Font = 0;
  int HalfPoints = -1;
  bool Bold = false, Italic = false, Strike = false;
  int Underline = QTextCharFormat::NoUnderline;
  int Fore = 0, Back = 0;
  int Vertical = 0, Caps = 0;
};

class TRtfWriter {
 public:
  explicit TRtfWriter(const QTextDocument& doc) : FDoc(doc) { FontIndex(doc.defaultFont().family()); }

  QByteArray Write() {
    for (QTextBlock block = FDoc.begin(); block.isValid(); block = block.next()) WriteBlock(block);
    QByteArray body;
    body.swap(FOut);
    Raw("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
    for (int i = 0; i < FFonts.size(); ++i) {
      Raw("{");
      Word("f", i);
      Word("fnil");
      Word("fcharset", 0);
      for (QChar c : FFonts[i])
        if (c != u';') Char(c.unicode());
      Raw(";}");
    }
    Raw("}\r\n{\\colortbl ;");
    for (QRgb c : std::as_const(FColors)) {
      Word("red", qRed(c));
      Word("green", qGreen(c));
      Word("blue", qBlue(c));
      Raw(";");
    }
    Raw("}\r\n");
    Word("uc", 1);
    Raw("\r\n");
    FOut += body;
    FOut += "}\r\n";
    return FOut;
  }

 private:
  void Raw(const char* s) {
    FOut += s;
    FDelimit = false;
  }
  void Word(const char* w) {
    FOut += '\\';
    FOut += w;
    FDelimit = true;
  }
  void Word(const char* w, int n) {
    Word(w);
    FOut += QByteArray::number(n);
  }
  void Literal(char c) {
    if (FDelimit) FOut += ' ';
    FDelimit = false;
    FOut += c;
  }
  void Hex(int byte) {
    static const char digits[] = "0123456789abcdef";
    FOut += "\\'";
    FOut += digits[(byte >> 4) & 15];
    FOut += digits[byte & 15];
    FDelimit = false;
  }

  void Char(char16_t c) {
    switch (c) {
      case '\\':
      case '{':
      case '}':
        FOut += '\\';
        FOut += char(c);
        FDelimit = false;
        return;
      case '\t':
        Word("tab");
        return;
      case 0x2028:
        Word("line");
        return;
      case 0x00A0:
        Raw("\\~");
        return;
      case 0x00AD:
        Raw("\\-");
        return;
      case 0x2011:
        Raw("\\_");
        return;
      default:
        break;
    }
    if (c < 0x20) return;
    if (c < 0x7F) {
      Literal(char(c));
      return;
    }
    if (const int b = ToCp1252(c); b >= 0) {
      Hex(b);
      return;
    }
    Word("u", c > 0x7FFF ? int(c) - 0x10000 : int(c));
    Raw("?");
  }

  int FontIndex(const QString& family) {
    const QString name = family.isEmpty() ? QStringLiteral("Arial") : family;
    const auto it = FFontIndex.constFind(name);
    if (it != FFontIndex.cend()) return *it;
    FFonts.append(name);
    FFontIndex.insert(name, int(FFonts.size() - 1));
    return int(FFonts.size() - 1);
  }

  int ColorIndex(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) return 0;
    const QRgb c = brush.color().rgb() & 0xFFFFFF;
    const auto it = FColorIndex.constFind(c);
    if (it != FColorIndex.cend()) return *it;
    FColors.append(c);
    FColorIndex.insert(c, int(FColors.size()));
    return int(FColors.size());
  }

  TCharOut CharOf(const QTextCharFormat& fmt) {
    const QFont font = fmt.font().resolve(FDoc.defaultFont());
    TCharOut c;
    c.Font = FontIndex(font.family());
    qreal points = font.pointSizeF();
    if (points <= 0) points = font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96 : 12;
    c.HalfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);
    c.Bold = font.weight() >= QFont::DemiBold;
    c.Italic = font.italic();
    c.Strike = font.strikeOut();
    c.Underline = fmt.hasProperty(QTextFormat::TextUnderlineStyle)
                      ? fmt.underlineStyle()
                      : (font.underline() ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
    c.Fore = ColorIndex(fmt.foreground());
    c.Back = ColorIndex(fmt.background());
    c.Vertical = fmt.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                 : fmt.verticalAlignment() == QTextCharFormat::AlignSubScript ? -1
                                                                              : 0;
    c.Caps = font.capitalization() == QFont::AllUppercase ? 1 : font.capitalization() == QFont::SmallCaps ? 2 : 0;
    return c;
  }

  void SetChar(const TCharOut& c) {
    TCharOut& o = FChar;
    if (c.Font != o.Font) Word("f", c.Font);
    if (c.HalfPoints != o.HalfPoints) Word("fs", c.HalfPoints);
    if (c.Bold != o.Bold) c.Bold ? Word("b") : Word("b", 0);
    if (c.Italic != o.Italic) c.Italic ? Word("i") : Word("i", 0);
    if (c.Strike != o.Strike) c.Strike ? Word("strike") : Word("strike", 0);
    if (c.Underline != o.Underline) {
      switch (c.Underline) {
        case QTextCharFormat::NoUnderline:
          Word("ulnone");
          break;
        case QTextCharFormat::DashUnderline:
          Word("uldash");
          break;
        case QTextCharFormat::DotLine:
          Word("uld");
          break;
        case QTextCharFormat::DashDotLine:
          Word("uldashd");
          break;
        case QTextCharFormat::DashDotDotLine:
          Word("uldashdd");
          break;
        case QTextCharFormat::WaveUnderline:
        case QTextCharFormat::SpellCheckUnderline:
          Word("ulwave");
          break;
        default:
          Word("ul");
          break;
      }
    }
    if (c.Fore != o.Fore) Word("cf", c.Fore);
    if (c.Back != o.Back) Word("highlight", c.Back);
    if (c.Vertical != o.Vertical) Word(c.Vertical > 0 ? "super" : c.Vertical < 0 ? "sub" : "nosupersub");
    if (c.Caps != o.Caps) {
      if (o.Caps != 0) Word(o.Caps == 1 ? "caps" : "scaps", 0);
      if (c.Caps != 0) Word(c.Caps == 1 ? "caps" : "scaps");
    }
    o = c;
  }

  static int Twips(qreal px) { return std::clamp(int(std::lround(px * 15)), -MaxTwips, MaxTwips); }

  void WriteBlock(const QTextBlock& block) {
    const QTextBlockFormat f = block.blockFormat();
    QTextList* list = block.textList();
    // Paragraph properties stay in force across \par, so they are written only when they change.
    QByteArray text;
    text.swap(FOut);
    const bool delimit = FDelimit;
    Word("pard");
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
      Word("qc");
    else if (a & Qt::AlignJustify)
      Word("qj");
    else if (a & Qt::AlignRight)
      Word("qr");
    const int listIndent = list ? std::max(1, list->format().indent()) : 0;
    const int left = Twips(f.leftMargin() + (f.indent() + listIndent) * FDoc.indentWidth());
    const int first = list ? -std::min(360, left) : Twips(f.textIndent());
    if (first != 0) Word("fi", first);
    if (left != 0) Word("li", left);
    if (const int right = Twips(f.rightMargin()); right != 0) Word("ri", right);
    if (const int before = Twips(f.topMargin()); before != 0) Word("sb", before);
    if (const int after = Twips(f.bottomMargin()); after != 0) Word("sa", after);
    switch (f.lineHeightType()) {
      case QTextBlockFormat::ProportionalHeight:
        Word("sl", int(std::lround(f.lineHeight() * 240 / 100)));
        Word("slmult", 1);
        break;
      case QTextBlockFormat::FixedHeight:
        Word("sl", -Twips(f.lineHeight()));
        Word("slmult", 0);
        break;
      case QTextBlockFormat::MinimumHeight:
        Word("sl", Twips(f.lineHeight()));
        Word("slmult", 0);
        break;
      default:
        break;
    }
    for (const QTextOption::Tab& tab : f.tabPositions()) {
      if (tab.type == QTextOption::RightTab) Word("tqr");
      if (tab.type == QTextOption::CenterTab) Word("tqc");
      if (tab.type == QTextOption::DelimiterTab) Word("tqdec");
      Word("tx", Twips(tab.position));
    }
    const char* numbering = list ? Numbering(list->format().style()) : nullptr;
    if (list) {
      if (listIndent > 1) Word("ilvl", listIndent - 1);
      Raw("{\\*");
      Word("pn");
      Word(numbering ? "pnlvlbody" : "pnlvlblt");
      Word("pnf", 0);
      Word("pnindent", 0);
      if (numbering) {
        Word("pnstart", 1);
        Word(numbering);
        Raw("{\\pntxta.}}");
      } else {
        Raw("{\\pntxtb\\'95}}");
      }
    }
    text.swap(FOut);
    if (text != FParagraph) {
      FOut += text;
      FParagraph = text;
    } else {
      FDelimit = delimit;
    }
    if (list) {
      // The label as text, for readers without lists.
      Raw("{");
      Word("pntext");
      Word("f", 0);
      if (numbering) {
        for (QChar c : list->itemText(block)) Char(c.unicode());
      } else {
        Hex(0x95);
      }
      Word("tab");
      Raw("}");
    }

    bool empty = true;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QTextCharFormat fmt = fragment.charFormat();
      SetChar(CharOf(fmt));
      const QString text = fragment.text();
      for (QChar c : text) {
        if (c == QChar::ObjectReplacementCharacter) {
          if (fmt.isImageFormat()) WritePicture(fmt.toImageFormat());
          continue;
        }
        Char(c.unicode());
      }
      empty = empty && text.isEmpty();
    }
    if (empty) SetChar(CharOf(block.charFormat()));  // an empty line keeps its height
    Word("par");
    Raw("\r\n");
  }

  static const char* Numbering(QTextListFormat::Style style) {
    switch (style) {
      case QTextListFormat::ListDecimal:
        return "pndec";
      case QTextListFormat::ListLowerAlpha:
        return "pnlcltr";
      case QTextListFormat::ListUpperAlpha:
        return "pnucltr";
      case QTextListFormat::ListLowerRoman:
        return "pnlcrm";
      case QTextListFormat::ListUpperRoman:
        return "pnucrm";
      default:
        return nullptr;  // bullets
    }
  }

  void WritePicture(const QTextImageFormat& f) {
    const QVariant v = FDoc.resource(QTextDocument::ImageResource, QUrl(f.name()));
    QImage image;
    if (v.userType() == QMetaType::QImage)
      image = v.value<QImage>();
    else if (v.userType() == QMetaType::QPixmap)
      image = v.value<QPixmap>().toImage();
    else if (v.userType() == QMetaType::QByteArray)
      image.loadFromData(v.toByteArray());
    if (image.isNull()) return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return;
    const qreal w = f.width() > 0 ? f.width() : image.width();
    const qreal h = f.height() > 0 ? f.height() : image.height();
    Raw("{");
    Word("pict");
    Word("pngblip");
    Word("picw", image.width());
    Word("pich", image.height());
    Word("picwgoal", Twips(w));
    Word("pichgoal", Twips(h));
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
      FOut += "\r\n";
      FOut += hex.mid(i, 128);
    }
    Raw("}");
  }

  const QTextDocument& FDoc;
  QByteArray FOut;
  bool FDelimit = false;  // the last control word still needs its space before text
  QStringList FFonts;
  QHash<QString, int> FFontIndex;
  QList<QRgb> FColors;
  QHash<QRgb, int> FColorIndex;
  QByteArray FParagraph;  // the paragraph properties last written
  TCharOut FChar;
};

}  // namespace

bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc) {
  const bool undo = doc.isUndoRedoEnabled();
  doc.setUndoRedoEnabled(false);
  doc.clear();
  const bool isRtf = rtf.startsWith("{\\rtf");
  if (isRtf) TRtfReader(rtf, doc).Read();
  doc.setUndoRedoEnabled(undo);
  doc.setModified(false);
  return isRtf;
}

QByteArray DocumentToRtf(const QTextDocument& doc) { return TRtfWriter(doc).Write(); }

void LoadRichTextBytes(const QByteArray& bytes, bool plainText, QTextDocument& doc) {
  if (!plainText && RtfToDocument(bytes, doc)) return;
  QString text;
  text.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const uchar b = uchar(bytes[i]);
    if (b == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      text += u'\n';
    } else if (b != 0) {
      text += QChar(FromCp1252(b));
    }
  }
  const bool undo = doc.isUndoRedoEnabled();
  doc.setUndoRedoEnabled(false);
  doc.setPlainText(text);
  doc.setUndoRedoEnabled(undo);
  doc.setModified(false);
}
